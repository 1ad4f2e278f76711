#include "core/imaging/PalmBitmap.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/codec/UnsignedInt.h"
#include "core/imaging/Bitmap.h"
#include "core/imaging/Palette.h"

namespace trovique {
namespace {

constexpr std::string_view kReadSource = "CPalmBitmap: ReadFromFile";
constexpr std::size_t kEntryBytes = 4;
// The fixed part of the size estimates: header and record fields.
constexpr std::int64_t kEstimateOverhead = 22;
constexpr std::uint8_t kRunLengthCoding = 1;
constexpr std::size_t kMaxField = 0xFFFF;

[[noreturn]] void RaiseFormat(std::string_view source, std::uint32_t number) {
    throw CError(number, std::string(source), std::string(BitmapErrorDescription(number)));
}

[[noreturn]] void RaiseDamaged() {
    RaiseFormat(kReadSource, kErrInvalidBitmapFormat);
}

std::uint16_t ReadU16(CBinaryFile& file) {
    CUnsignedInt value;
    value.ReadFromFile(file);
    return value.Value();
}

void WriteU16(CBinaryFile& file, std::size_t value) {
    CUnsignedInt(static_cast<std::int64_t>(value)).WriteToFile(file);
}

// Appends the run-length code of one row: runs of equal bytes as (count, value) pairs of at
// most 255, single bytes as (1, value), then the row's end pair 0x00 0x00.
void CodeRow(std::span<const std::uint8_t> row, std::vector<std::uint8_t>& out) {
    std::size_t at = 0;
    while (at < row.size()) {
        const std::uint8_t value = row[at];
        std::size_t end = at + 1;
        while (end < row.size() && row[end] == value) {
            ++end;
        }
        for (std::size_t left = end - at; left > 0;) {
            const std::size_t count = std::min<std::size_t>(left, 255);
            out.push_back(static_cast<std::uint8_t>(count));
            out.push_back(value);
            left -= count;
        }
        at = end;
    }
    out.push_back(0);
    out.push_back(0);
}

// Decodes one row's code from block[at..limit) into row; returns where the code ends. Rows
// that end early keep zeros, as the Windows coding lets them; anything running past the row
// or the block, and the escapes 0x00 0x01 and 0x00 0x02 that a row never holds, is damage.
std::size_t DecodeRow(std::span<const std::uint8_t> block, std::size_t at, std::size_t limit,
                      std::span<std::uint8_t> row) {
    std::size_t x = 0;
    for (;;) {
        if (at + 2 > limit) {
            RaiseDamaged();
        }
        const std::uint8_t count = block[at];
        const std::uint8_t value = block[at + 1];
        at += 2;
        if (count > 0) {
            if (x + count > row.size()) {
                RaiseDamaged();
            }
            std::fill_n(row.begin() + static_cast<std::ptrdiff_t>(x), count, value);
            x += count;
        } else if (value == 0) {
            return at;
        } else if (value >= 3) {
            // Absolute mode: value literal bytes, padded to an even count.
            const std::size_t padded = value + (value & 1);
            if (at + padded > limit || x + value > row.size()) {
                RaiseDamaged();
            }
            std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(at), value,
                        row.begin() + static_cast<std::ptrdiff_t>(x));
            x += value;
            at += padded;
        } else {
            RaiseDamaged();
        }
    }
}

const CPalette& PaletteForDepth(const PalmPalettes& palettes, std::uint8_t pixelSize) {
    switch (pixelSize) {
        case 1:
            return palettes.monochrome;
        case 2:
            return palettes.gray4;
        default:
            return palettes.color256;
    }
}

}  // namespace

std::int64_t CPalmBitmap::EstUncompressedSize() const {
    return std::int64_t{rowBytes_} * height_ + kEstimateOverhead;
}

std::int64_t CPalmBitmap::EstRLESize() const {
    return std::int64_t{compressedByteCount_} + kEstimateOverhead;
}

std::int64_t CPalmBitmap::EstFileSize() const {
    return WritesCompressed() ? EstRLESize() : EstUncompressedSize();
}

// The coded form is written when it is smaller and its length fits the block's 16-bit length
// field; a picture too large for that is written plain rather than with a wrong length.
bool CPalmBitmap::WritesCompressed() const {
    return allowCompression_ && compressedByteCount_ >= 1 && EstRLESize() < EstUncompressedSize() &&
           codes_.size() + 2 <= kMaxField && codeStart_.size() == height_;
}

bool CPalmBitmap::ReadFromCBitmap(const CBitmap& bitmap) {
    constexpr std::string_view kSource = "CPalmBitmap:ReadFromCBitmap";
    const bool gray = bitmap.GrayScaleExpanded();
    if (!gray && bitmap.PixelSize() != 1 && bitmap.PixelSize() != 8) {
        RaiseFormat(kSource, kErrUnsupportedBitmapFormat);
    }
    const std::uint8_t pixelSize = gray ? 2 : static_cast<std::uint8_t>(bitmap.PixelSize());
    const std::int64_t rowBytes = std::int64_t{pixelSize} * bitmap.RowBytes() /
                                  std::max<std::uint16_t>(bitmap.PixelSize(), 1);
    // The layout holds sizes in 16 bits.
    if (bitmap.Width() > static_cast<std::int32_t>(kMaxField) ||
        bitmap.Height() > static_cast<std::int32_t>(kMaxField) ||
        rowBytes > static_cast<std::int64_t>(kMaxField)) {
        throw CError::Object(kErrValueOutOfRange, std::string(kSource));
    }

    CPalmBitmap built;
    built.fixedRegionSize_ = fixedRegionSize_;
    built.recordType_ = recordType_;
    built.key_ = key_;
    built.allowCompression_ = allowCompression_;
    built.width_ = static_cast<std::uint16_t>(bitmap.Width());
    built.height_ = static_cast<std::uint16_t>(bitmap.Height());
    built.rowBytes_ = static_cast<std::uint16_t>(rowBytes);
    built.pixelSize_ = pixelSize;
    built.hasColorTable_ = true;
    built.numColors_ = static_cast<std::uint16_t>(1u << pixelSize);
    bitmap.GetColorTable(built.colorTable_, false);
    built.colorTable_.resize(std::size_t{built.numColors_} * kEntryBytes, 0);
    built.flagsHigh_ = kFlagHasColorTable;

    built.pixels_.assign(std::size_t{built.rowBytes_} * built.height_, 0);
    for (std::int32_t row = 1; row <= built.height_; ++row) {
        bitmap.GetRowBytes(row, built.MutableRow(row), false, gray);
    }
    if (!gray) {
        built.Compress();
    }
    *this = std::move(built);
    return true;
}

// Codes every row of an 8-bit picture; 1- and 2-bit pictures are always stored plain.
void CPalmBitmap::Compress() {
    codes_.clear();
    codeStart_.clear();
    compressedByteCount_ = 0;
    if (numColors_ != 256) {
        return;
    }
    codes_.reserve(pixels_.size() / 4 + 2 * std::size_t{height_});
    codeStart_.reserve(height_);
    for (std::int32_t row = 1; row <= height_; ++row) {
        const std::size_t start = codes_.size();
        codeStart_.push_back(static_cast<std::uint32_t>(start));
        const auto pixels = Row(row);
        // Slides repeat whole rows; a repeated row repeats the code before it.
        if (row > 1 && std::equal(pixels.begin(), pixels.end(), Row(row - 1).begin())) {
            const std::size_t previous = codeStart_[static_cast<std::size_t>(row - 2)];
            const std::size_t length = start - previous;
            codes_.resize(start + length);
            std::copy_n(codes_.begin() + static_cast<std::ptrdiff_t>(previous), length,
                        codes_.begin() + static_cast<std::ptrdiff_t>(start));
        } else {
            CodeRow(pixels, codes_);
        }
    }
    compressedByteCount_ = static_cast<std::uint32_t>(codes_.size());
}

bool CPalmBitmap::ReadFromFile(CBinaryFile& file, bool omitRecordFields,
                               const PalmPalettes& palettes) {
    CPalmBitmap loaded;
    loaded.allowCompression_ = allowCompression_;
    loaded.ReadHeader(file, omitRecordFields);
    if ((loaded.flagsHigh_ & kFlagHasColorTable) != 0) {
        loaded.ReadOwnColorTable(file);
    }
    const bool ownColours = loaded.hasColorTable_;
    // An empty table of its own leaves the picture in the handheld's colours for its depth, as
    // one without a table: an 8-bit picture read as two colours would change kind when saved.
    if (!loaded.hasColorTable_) {
        loaded.numColors_ = static_cast<std::uint16_t>(1u << loaded.pixelSize_);
        loaded.colorTable_ = PaletteForDepth(palettes, loaded.pixelSize_).ColorTable();
        loaded.colorTable_.resize(std::size_t{loaded.numColors_} * kEntryBytes, 0);
        loaded.hasColorTable_ = true;
    }
    if ((loaded.flagsHigh_ & kFlagCompressed) != 0) {
        if (loaded.compressionType_ != kRunLengthCoding) {
            throw CError(
                kErrInvalidBitmapCompression, std::string(kReadSource),
                "Invalid bitmap compression (" + std::to_string(loaded.compressionType_) + ")");
        }
        loaded.ReadCodedRows(file);
    } else {
        loaded.ReadPlainRows(file);
    }
    if (ownColours) {
        loaded.ReindexToPalette(palettes);
    }
    *this = std::move(loaded);
    return true;
}

void CPalmBitmap::ReadHeader(CBinaryFile& file, bool omitRecordFields) {
    if (!omitRecordFields) {
        fixedRegionSize_ = ReadU16(file);
        recordType_ = ReadU16(file);
        key_ = ReadU16(file);
    }
    width_ = ReadU16(file);
    height_ = ReadU16(file);
    rowBytes_ = ReadU16(file);
    std::array<std::uint8_t, 4> bytes{};
    file.Read(bytes);
    flagsHigh_ = bytes[0];
    flagsLow_ = bytes[1];
    pixelSize_ = bytes[2];
    version_ = bytes[3];
    nextDepthOffset_ = ReadU16(file);
    file.Read(std::span(bytes).first(2));
    transparentIndex_ = bytes[0];
    compressionType_ = bytes[1];
    reserved_ = ReadU16(file);

    // Only the depths this program makes, with rows long enough for their pixels.
    if (pixelSize_ != 1 && pixelSize_ != 2 && pixelSize_ != 8) {
        RaiseFormat(kReadSource, kErrUnsupportedBitmapFormat);
    }
    if (std::int64_t{rowBytes_} * 8 < std::int64_t{width_} * pixelSize_) {
        RaiseDamaged();
    }
    // The same cap as for desktop pictures, on pixels and on bytes (rows may be padded).
    if (std::int64_t{width_} * height_ > kMaxBitmapPixels ||
        std::int64_t{rowBytes_} * height_ > kMaxBitmapPixels) {
        RaiseFormat(kReadSource, kErrUnsupportedBitmapFormat);
    }
}

void CPalmBitmap::ReadOwnColorTable(CBinaryFile& file) {
    hasColorTable_ = true;
    numColors_ = ReadU16(file);
    if (numColors_ < 1) {
        hasColorTable_ = false;
        return;
    }
    // Stored as (index, red, green, blue); held as (blue, green, red, 0) like every table here.
    std::vector<std::uint8_t> stored(std::size_t{numColors_} * kEntryBytes);
    file.Read(stored);
    colorTable_.resize(stored.size());
    for (std::size_t at = 0; at < stored.size(); at += kEntryBytes) {
        colorTable_[at] = stored[at + 3];
        colorTable_[at + 1] = stored[at + 2];
        colorTable_[at + 2] = stored[at + 1];
        colorTable_[at + 3] = 0;
    }
}

void CPalmBitmap::ReadPlainRows(CBinaryFile& file) {
    const std::uint64_t size = std::uint64_t{rowBytes_} * height_;
    if (size > file.Remaining()) {
        file.Skip(size);  // raises the end-of-file error without allocating for the rows
    }
    pixels_.assign(size, 0);
    file.Read(pixels_);
    Compress();
}

void CPalmBitmap::ReadCodedRows(CBinaryFile& file) {
    // The length counts the rows' codes and the closing 0x00 0x01. Every row needs at least
    // its end pair, so a block too short for the height is refused before any allocation.
    const std::size_t length = ReadU16(file);
    if (length < 2 || 2 * std::size_t{height_} > length - 2) {
        RaiseDamaged();
    }
    std::vector<std::uint8_t> block(length);
    file.Read(block);
    const std::size_t rowsLimit = length - 2;

    pixels_.assign(std::size_t{rowBytes_} * height_, 0);
    codeStart_.clear();
    codeStart_.reserve(height_);
    std::size_t at = 0;
    for (std::int32_t row = 1; row <= height_; ++row) {
        codeStart_.push_back(static_cast<std::uint32_t>(at));
        at = DecodeRow(block, at, rowsLimit, MutableRow(row));
    }
    if (block[at] != 0x00 || block[at + 1] != 0x01) {
        RaiseDamaged();
    }
    codes_.assign(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(at));
    compressedByteCount_ = static_cast<std::uint32_t>(at + 2);
}

// Pixels of a bitmap that brought its own colours are re-indexed to the handheld palette of
// their depth, which then becomes the table, so that every bitmap here uses the standard ones.
void CPalmBitmap::ReindexToPalette(const PalmPalettes& palettes) {
    const CPalette& palette = PaletteForDepth(palettes, pixelSize_);
    std::vector<std::uint8_t> source(256 * kEntryBytes, 0);
    std::copy_n(colorTable_.begin(), std::min(colorTable_.size(), source.size()), source.begin());

    const unsigned fieldMask = (1u << pixelSize_) - 1;
    std::array<std::uint8_t, 256> fieldIndex{};
    for (unsigned value = 0; value <= fieldMask; ++value) {
        fieldIndex[value] = static_cast<std::uint8_t>(
            palette.GetPaletteIndexFromSrcColorTable(value, source) & fieldMask);
    }
    // Each byte holds 8 / PixelSize pixels; every byte value maps the same way.
    std::array<std::uint8_t, 256> byteMap{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned mapped = 0;
        for (unsigned shift = 0; shift < 8; shift += pixelSize_) {
            mapped |= unsigned{fieldIndex[(byte >> shift) & fieldMask]} << shift;
        }
        byteMap[byte] = static_cast<std::uint8_t>(mapped);
    }
    for (auto& byte : pixels_) {
        byte = byteMap[byte];
    }
    numColors_ = static_cast<std::uint16_t>(1u << pixelSize_);
    colorTable_ = palette.ColorTable();
    colorTable_.resize(std::size_t{numColors_} * kEntryBytes, 0);
    Compress();
}

bool CPalmBitmap::WriteToFile(CBinaryFile& file, bool omitRecordFields) const {
    if (!omitRecordFields) {
        WriteU16(file, fixedRegionSize_);
        WriteU16(file, recordType_);
        WriteU16(file, key_);
    }
    WriteU16(file, width_);
    WriteU16(file, height_);
    WriteU16(file, rowBytes_);
    // No colour table is ever written: the handheld uses its own palette of the depth.
    const bool compressed = WritesCompressed();
    const std::array<std::uint8_t, 4> flags = {compressed ? kFlagCompressed : std::uint8_t{0},
                                               flagsLow_, pixelSize_, version_};
    file.Write(flags);
    WriteU16(file, nextDepthOffset_);
    const std::array<std::uint8_t, 2> coding = {transparentIndex_,
                                                compressed ? kRunLengthCoding : std::uint8_t{0}};
    file.Write(coding);
    WriteU16(file, reserved_);
    if (!compressed) {
        file.Write(pixels_);
        return true;
    }
    WriteU16(file, codes_.size() + 2);
    file.Write(codes_);
    const std::array<std::uint8_t, 2> endOfBitmap = {0x00, 0x01};
    file.Write(endOfBitmap);
    return true;
}

void CPalmBitmap::CheckRow(std::int32_t row) const {
    if (row < 1 || row > height_) {
        RaiseFormat("CPalmBitmap:GetRowBytes", kErrBitmapIndexOutOfRange);
    }
}

std::span<const std::uint8_t> CPalmBitmap::Row(std::int32_t row) const {
    CheckRow(row);
    return std::span<const std::uint8_t>(pixels_).subspan(
        static_cast<std::size_t>(row - 1) * rowBytes_, rowBytes_);
}

std::span<std::uint8_t> CPalmBitmap::MutableRow(std::int32_t row) {
    return std::span<std::uint8_t>(pixels_).subspan(static_cast<std::size_t>(row - 1) * rowBytes_,
                                                    rowBytes_);
}

std::span<const std::uint8_t> CPalmBitmap::CompressedRow(std::int32_t row) const {
    CheckRow(row);
    if (codeStart_.size() != height_) {
        return {};
    }
    const std::size_t first = codeStart_[static_cast<std::size_t>(row - 1)];
    const std::size_t last =
        row < height_ ? codeStart_[static_cast<std::size_t>(row)] : codes_.size();
    return std::span<const std::uint8_t>(codes_).subspan(first, last - first);
}

void CPalmBitmap::GetRowBytes(std::int32_t row, std::span<std::uint8_t> destination) const {
    const auto source = Row(row);
    std::copy_n(source.begin(), std::min(source.size(), destination.size()), destination.begin());
}

void CPalmBitmap::GetColorTable(std::vector<std::uint8_t>& destination) const {
    destination = colorTable_;
}

}  // namespace trovique
