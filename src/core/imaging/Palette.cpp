#include "core/imaging/Palette.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <new>
#include <string>

#include "core/common/DiskFile.h"
#include "core/common/Error.h"

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
    candidates_.clear();
    // Every cell empty: lookups stay in bounds and answer 0 until a palette is loaded.
    cellStart_.assign(kCellCount + 1, 0);
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
        loaded.BuildCells();
        *this = std::move(loaded);
    } catch (const std::exception& error) {
        throw CError(ErrorNumberOf(error), "CPalette:CreatePaletteFromFile",
                     "Cannot load palette file " + path.string() + ": " + LoadFailureReason(error));
    }
}

// For each cell, keeps the entries whose nearest possible distance to the cell does not exceed
// the smallest farthest distance any entry has to it: every other entry is beaten, strictly, by
// that one for every colour in the cell. Distances split by channel, so the per-channel parts
// are worked out once per axis slice.
void CPalette::BuildCells() {
    const std::size_t count = entries_.size();
    struct AxisDistances {
        std::vector<std::int32_t> nearest;   // [slice * count + entry]
        std::vector<std::int32_t> farthest;  // [slice * count + entry]
    };
    auto axisDistances = [&](std::int32_t Entry::*channel) {
        AxisDistances axis{std::vector<std::int32_t>(kCellsPerAxis * count),
                           std::vector<std::int32_t>(kCellsPerAxis * count)};
        constexpr std::int32_t kWidth = 256 / kCellsPerAxis;
        for (std::int32_t slice = 0; slice < kCellsPerAxis; ++slice) {
            const std::int32_t low = slice * kWidth;
            const std::int32_t high = low + kWidth - 1;
            for (std::size_t entry = 0; entry < count; ++entry) {
                const std::int32_t value = entries_[entry].*channel;
                const std::int32_t gap = value < low    ? low - value
                                         : value > high ? value - high
                                                        : 0;
                const std::size_t at = static_cast<std::size_t>(slice) * count + entry;
                axis.nearest[at] = Square(gap);
                axis.farthest[at] = std::max(Square(value - low), Square(value - high));
            }
        }
        return axis;
    };
    const AxisDistances red = axisDistances(&Entry::red);
    const AxisDistances green = axisDistances(&Entry::green);
    const AxisDistances blue = axisDistances(&Entry::blue);

    cellStart_.assign(kCellCount + 1, 0);
    candidates_.clear();
    std::vector<std::int32_t> nearestRG(count);
    std::vector<std::int32_t> farthestRG(count);
    for (std::size_t r = 0; r < kCellsPerAxis; ++r) {
        for (std::size_t g = 0; g < kCellsPerAxis; ++g) {
            for (std::size_t entry = 0; entry < count; ++entry) {
                nearestRG[entry] =
                    red.nearest[r * count + entry] + green.nearest[g * count + entry];
                farthestRG[entry] =
                    red.farthest[r * count + entry] + green.farthest[g * count + entry];
            }
            for (std::size_t b = 0; b < kCellsPerAxis; ++b) {
                const std::int32_t* nearestB = &blue.nearest[b * count];
                const std::int32_t* farthestB = &blue.farthest[b * count];
                std::int32_t bound = std::numeric_limits<std::int32_t>::max();
                for (std::size_t entry = 0; entry < count; ++entry) {
                    bound = std::min(bound, farthestRG[entry] + farthestB[entry]);
                }
                const std::size_t cell = (r << (2 * kCellBits)) | (g << kCellBits) | b;
                cellStart_[cell] = static_cast<std::uint32_t>(candidates_.size());
                for (std::size_t entry = 0; entry < count; ++entry) {
                    if (nearestRG[entry] + nearestB[entry] <= bound) {
                        candidates_.push_back(static_cast<std::uint8_t>(entry));
                    }
                }
            }
        }
    }
    cellStart_[kCellCount] = static_cast<std::uint32_t>(candidates_.size());
}

std::uint8_t CPalette::NearestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
    if (cellStart_.empty()) {
        return 0;  // never loaded
    }
    constexpr int kShift = 8 - kCellBits;
    const std::size_t cell = (static_cast<std::size_t>(red >> kShift) << (2 * kCellBits)) |
                             (static_cast<std::size_t>(green >> kShift) << kCellBits) |
                             static_cast<std::size_t>(blue >> kShift);
    const std::uint32_t first = cellStart_[cell];
    const std::uint32_t last = cellStart_[cell + 1];
    if (last - first <= 1) {
        return first == last ? 0 : candidates_[first];
    }
    std::uint8_t best = candidates_[first];
    std::int32_t bestDistance = std::numeric_limits<std::int32_t>::max();
    for (std::uint32_t at = first; at < last; ++at) {
        const Entry& entry = entries_[candidates_[at]];
        const std::int32_t distance =
            Square(entry.red - red) + Square(entry.green - green) + Square(entry.blue - blue);
        // Strictly smaller: candidates are in index order, so the first of equals wins.
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidates_[at];
        }
    }
    return best;
}

std::uint8_t CPalette::BruteForceNearestIndex(std::uint8_t red, std::uint8_t green,
                                              std::uint8_t blue) const {
    std::size_t best = 0;
    std::int32_t bestDistance = std::numeric_limits<std::int32_t>::max();
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        const Entry& entry = entries_[index];
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
