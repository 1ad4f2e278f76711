#include "core/imaging/Palette.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <new>
#include <string>

#include "core/common/DiskFile.h"
#include "core/common/Error.h"
#include "core/imaging/BuiltInNearestTables.h"

namespace trovique {
namespace {

// The RIFF header, form type, data chunk header, palette version and entry count come before
// the entries. The entry count in the file is not trusted: the caller says how many it wants.
constexpr std::uint64_t kPaletteHeaderBytes = 24;
constexpr std::size_t kFileEntryBytes = 4;   // red, green, blue, flags
constexpr std::size_t kTableEntryBytes = 4;  // blue, green, red, 0

constexpr std::int32_t Square(std::int32_t value) {
    return value * value;
}

bool SameColour(const PaletteColour& a, const PaletteColour& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

std::uint32_t ErrorNumberOf(const std::exception& error) {
    if (const auto* ours = dynamic_cast<const CError*>(&error)) {
        return ours->Number();
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return kErrOutOfMemory;
    }
    return kErrPathFileAccess;
}

// The reason for the load error, without repeating the path the message already names.
std::string LoadFailureReason(const std::exception& error) {
    switch (ErrorNumberOf(error)) {
        case kErrFileNotFound:
            return "File not found.";
        case kErrInputPastEnd:
            return "The file is too short for the palette's colours.";
        default:
            return DescribeError(error);
    }
}

}  // namespace

void CPalette::SetNumColors(std::uint16_t count) {
    if (count != numColors_) {
        Clear();
    }
    numColors_ = count;
}

void CPalette::Clear() {
    colorTable_.clear();
    entries_.clear();
    table_ = CNearestColourTable();  // answers 0 until a palette is loaded
    builtInTable_ = false;
}

void CPalette::CreatePaletteFromFile(const std::filesystem::path& path) {
    try {
        if (numColors_ == 0 || numColors_ > kMaxColors) {
            throw CError(
                kErrValueOutOfRange, "CPalette:CreatePaletteFromFile",
                "A palette holds 1 to 256 colours, not " + std::to_string(numColors_) + ".");
        }
        std::vector<std::uint8_t> raw(numColors_ * kFileEntryBytes);
        CDiskFile file(path, CDiskFile::Mode::Read);
        file.Skip(kPaletteHeaderBytes);
        file.Read(raw);

        // Built aside and moved in whole, so a failure leaves the old palette untouched.
        CPalette loaded;
        loaded.numColors_ = numColors_;
        loaded.colorTable_.resize(numColors_ * kTableEntryBytes);
        loaded.entries_.resize(numColors_);
        for (std::size_t index = 0; index < numColors_; ++index) {
            const std::uint8_t* source = &raw[index * kFileEntryBytes];
            std::uint8_t* target = &loaded.colorTable_[index * kTableEntryBytes];
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            target[3] = 0;
            loaded.entries_[index] = {source[0], source[1], source[2]};
        }
        loaded.TakeNearestTable();
        *this = std::move(loaded);
    } catch (const std::exception& error) {
        throw CError(ErrorNumberOf(error), "CPalette:CreatePaletteFromFile",
                     "Cannot load palette file " + path.string() + ": " + LoadFailureReason(error));
    }
}

// The table built with the program when the colours are those of a shipped palette, else one
// worked out now.
void CPalette::TakeNearestTable() {
    for (const BuiltInNearestTable& builtIn : BuiltInNearestTables()) {
        if (std::equal(entries_.begin(), entries_.end(), builtIn.colours.begin(),
                       builtIn.colours.end(), SameColour)) {
            if (auto table = CNearestColourTable::FromLayout(entries_, builtIn.layout)) {
                table_ = std::move(*table);
                builtInTable_ = true;
                return;
            }
        }
    }
    table_ = CNearestColourTable::Build(entries_);
    builtInTable_ = false;
}

std::uint8_t CPalette::BruteForceNearestIndex(std::uint8_t red, std::uint8_t green,
                                              std::uint8_t blue) const {
    std::size_t best = 0;
    std::int32_t bestDistance = std::numeric_limits<std::int32_t>::max();
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        const PaletteColour& entry = entries_[index];
        const std::int32_t distance =
            Square(entry.red - red) + Square(entry.green - green) + Square(entry.blue - blue);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = index;
        }
    }
    return static_cast<std::uint8_t>(best);
}

void CPalette::CopyColorTable(std::vector<std::uint8_t>& destination) const {
    if (destination.size() < colorTable_.size()) {
        destination.resize(colorTable_.size());
    }
    std::copy(colorTable_.begin(), colorTable_.end(), destination.begin());
}

bool CPalette::Convert24BitColor(std::span<const std::uint8_t> bgrPixels,
                                 std::vector<std::uint8_t>& indices) const {
    const std::size_t count = bgrPixels.size() / 3;
    indices.resize(count);
    // Slides are mostly runs of one colour, so the last answer is kept for the next pixel.
    std::uint32_t lastColor = std::numeric_limits<std::uint32_t>::max();
    std::uint8_t lastIndex = 0;
    const std::uint8_t* pixel = bgrPixels.data();
    for (std::size_t at = 0; at < count; ++at, pixel += 3) {
        const std::uint32_t color = BuildColorRef(pixel[2], pixel[1], pixel[0]);
        if (color != lastColor) {
            lastColor = color;
            lastIndex = NearestIndex(pixel[2], pixel[1], pixel[0]);
        }
        indices[at] = lastIndex;
    }
    return true;
}

std::uint8_t CPalette::GetPaletteIndexFromSrcColorTable(
    std::size_t colorIndex, std::span<const std::uint8_t> sourceTable) const {
    const std::size_t entries = sourceTable.size() / kTableEntryBytes +
                                (sourceTable.size() % kTableEntryBytes >= 3 ? 1 : 0);
    if (colorIndex >= entries) {
        throw CError(kErrValueOutOfRange, "CPalette:GetPaletteIndexFromSrcColorTable",
                     "Colour " + std::to_string(colorIndex) + " is outside a colour table of " +
                         std::to_string(entries) + " colours.");
    }
    const std::uint8_t* entry = &sourceTable[colorIndex * kTableEntryBytes];
    return NearestIndex(entry[2], entry[1], entry[0]);
}

std::uint32_t CPalette::BuildColorRef(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
           (static_cast<std::uint32_t>(blue) << 16);
}

}  // namespace trovique
