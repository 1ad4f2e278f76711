#include "core/imaging/Bitmap.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <system_error>

#include "core/common/DiskFile.h"
#include "core/common/FileReplace.h"
#include "core/common/MemoryFile.h"
#include "core/imaging/Palette.h"
#include "core/imaging/PalmBitmap.h"

namespace trovique {
namespace {

constexpr std::uint16_t kBitmapFileType = 0x4D42;  // "BM"
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::size_t kHeadersBytes = kFileHeaderBytes + kInfoHeaderBytes;
constexpr std::size_t kEntryBytes = 4;  // blue, green, red, reserved
constexpr std::uint16_t kNoCompression = 255;

[[noreturn]] void Raise(std::uint32_t number, std::string_view operation) {
    throw CError(number, "CBitmap:" + std::string(operation),
                 std::string(BitmapErrorDescription(number)));
}

std::uint16_t Le16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t Le32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutLe16(out, value & 0xFFFF);
    PutLe16(out, value >> 16);
}

void SetLe32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out[at++] = static_cast<std::uint8_t>((value >> shift) & 0xFF);
    }
}

std::int64_t RoundUpToMultiple(std::int64_t value, std::int64_t step) {
    return (value + step - 1) / step * step;
}

// numerator / denominator rounded to the nearest integer, halves to the even neighbour.
std::int32_t RoundHalfEven(std::int32_t numerator, std::int32_t denominator) {
    std::int32_t quotient = numerator / denominator;
    const std::int32_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

struct Rgb {
    std::int32_t red;
    std::int32_t green;
    std::int32_t blue;
};

// Entry index of a (blue, green, red, reserved) table; an entry the table lacks reads as black,
// the way a zero-filled table would answer.
Rgb TableColor(const std::vector<std::uint8_t>& table, std::size_t index) {
    const std::size_t at = index * kEntryBytes;
    if (at + 3 > table.size()) {
        return {0, 0, 0};
    }
    return {table[at + 2], table[at + 1], table[at]};
}

// A table holding at least the 256 entries an 8-bit pixel can name, missing ones black, so that
// palette lookups of any pixel value stay inside it.
std::vector<std::uint8_t> FullTable(const std::vector<std::uint8_t>& table) {
    std::vector<std::uint8_t> full(std::max<std::size_t>(table.size(), 256 * kEntryBytes), 0);
    std::copy(table.begin(), table.end(), full.begin());
    return full;
}

// The colour index of pixel x (0-based) of a row stored at pixelSize bits per pixel, most
// significant bits first.
std::uint8_t PixelIndex(std::span<const std::uint8_t> row, std::int32_t x,
                        std::uint16_t pixelSize) {
    switch (pixelSize) {
        case 1:
            return (row[x / 8] >> (7 - x % 8)) & 1;
        case 4:
            return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
        default:
            return row[x];
    }
}

// The grey value 0 (black) to 3 (white) of a colour on the handheld's four-level screen. Pure
// colours take fixed values so that they stay apart from each other.
std::int32_t GreyLevel(const Rgb& color) {
    const std::uint32_t value = static_cast<std::uint32_t>(color.red) << 16 |
                                static_cast<std::uint32_t>(color.green) << 8 |
                                static_cast<std::uint32_t>(color.blue);
    switch (value) {
        case 0xFF0000:  // red
        case 0xFF00FF:  // magenta
            return 1;
        case 0x00FF00:  // green
        case 0x00FFFF:  // cyan
        case 0xFFFF00:  // yellow
            return 2;
        case 0x000000:  // black
        case 0x0000FF:  // blue
            return 0;
        case 0xFFFFFF:  // white
            return 3;
        default:
            break;
    }
    const std::int32_t average = RoundHalfEven(color.red + color.green + color.blue, 3);
    return RoundHalfEven(average, 85);
}

// The reduced pixel value of a colour: depth 1 gives 1 for white, depth 2 the stored grey
// (0 white .. 3 black, the handheld's order).
std::uint8_t ReducedValue(const Rgb& color, int depth) {
    if (depth == 1) {
        // An average above 127, compared without dividing: (R + G + B) / 3 > 127.
        return color.red + color.green + color.blue > 3 * 127 ? 1 : 0;
    }
    return static_cast<std::uint8_t>(3 - GreyLevel(color));
}

// Re-indexes 24-bit rows against a palette one row at a time: the one road every 24-bit picture
// takes, from a file or from memory. Slides repeat whole rows (page, bands, shapes), so a row
// equal to the one before takes that row's indices without asking the palette again.
class RgbRowIndexer {
public:
    explicit RgbRowIndexer(const CPalette& palette) : palette_(palette) {}

    void Convert(std::span<const std::uint8_t> bgr, std::span<std::uint8_t> indices) {
        if (!haveLast_ || !std::equal(bgr.begin(), bgr.end(), last_.begin(), last_.end())) {
            palette_.Convert24BitColor(bgr, indices_);
            last_.assign(bgr.begin(), bgr.end());
            haveLast_ = true;
        }
        std::copy(indices_.begin(), indices_.end(), indices.begin());
    }

private:
    const CPalette& palette_;
    std::vector<std::uint8_t> last_;
    std::vector<std::uint8_t> indices_;
    bool haveLast_ = false;
};

}  // namespace

std::string_view BitmapErrorDescription(std::uint32_t number) {
    switch (number) {
        case kErrInvalidBitmapFormat:
            return "Invalid bitmap file format.";
        case kErrUnsupportedBitmapFormat:
            return "Unsupported bitmap file format.";
        case kErrBitmapIndexOutOfRange:
            return "Index out of range.";
        default:
            return {};
    }
}

CBitmap::CBitmap(std::int32_t width, std::int32_t height, std::span<const std::uint8_t> bgrRows,
                 std::size_t rowStride, const CPalette& palm256) {
    if (width < 1 || height < 1) {
        Raise(kErrInvalidBitmapFormat, "Create");
    }
    if (static_cast<std::int64_t>(width) * height > kMaxBitmapPixels) {
        Raise(kErrUnsupportedBitmapFormat, "Create");
    }
    const std::size_t rowLength = 3 * static_cast<std::size_t>(width);
    if (rowStride < rowLength ||
        bgrRows.size() < rowStride * static_cast<std::size_t>(height - 1) + rowLength) {
        Raise(kErrInvalidBitmapFormat, "Create");
    }
    width_ = width;
    height_ = height;
    pixelSize_ = 8;
    rowBytes_ = static_cast<std::int32_t>(RoundUpToMultiple(width, 4));
    pixels_.assign(static_cast<std::size_t>(rowBytes_) * height_, 0);
    SetRgbPixels(bgrRows, rowStride, palm256);
}

void CBitmap::SetRgbPixels(std::span<const std::uint8_t> bgrRows, std::size_t rowStride,
                           const CPalette& palm256) {
    const std::size_t rowLength = 3 * static_cast<std::size_t>(width_);
    RgbRowIndexer indexer(palm256);
    for (std::int32_t row = 1; row <= height_; ++row) {
        indexer.Convert(bgrRows.subspan(static_cast<std::size_t>(row - 1) * rowStride, rowLength),
                        MutableRow(row));
    }
    AdoptPaletteTable(palm256);
}

// Pixels that are indices of palette take its colours, in a table of 256 entries.
void CBitmap::AdoptPaletteTable(const CPalette& palette) {
    numColors_ = 256;
    colorTable_.assign(static_cast<std::size_t>(numColors_) * kEntryBytes, 0);
    const auto& table = palette.ColorTable();
    std::copy_n(table.begin(), std::min(table.size(), colorTable_.size()), colorTable_.begin());
}

std::span<const std::uint8_t> CBitmap::Row(std::int32_t row) const {
    if (row < 1 || row > height_) {
        Raise(kErrBitmapIndexOutOfRange, "GetRowBytes");
    }
    return std::span<const std::uint8_t>(pixels_).subspan(
        static_cast<std::size_t>(row - 1) * rowBytes_, static_cast<std::size_t>(rowBytes_));
}

std::span<std::uint8_t> CBitmap::MutableRow(std::int32_t row) {
    return std::span<std::uint8_t>(pixels_).subspan(static_cast<std::size_t>(row - 1) * rowBytes_,
                                                    static_cast<std::size_t>(rowBytes_));
}

void CBitmap::GetRowBytes(std::int32_t row, std::span<std::uint8_t> destination, bool invert,
                          bool grayPack) const {
    const auto source = Row(row);
    const std::uint8_t mask = invert ? 0xFF : 0x00;
    if (!grayPack) {
        const std::size_t count = std::min(destination.size(), source.size());
        std::copy_n(source.begin(), count, destination.begin());
        if (invert) {
            for (std::size_t i = 0; i < count; ++i) {
                destination[i] ^= mask;
            }
        }
        return;
    }
    // Four 2-bit pixels from two bytes of one pixel per nibble, first pixel in the top bits.
    const std::size_t count = std::min(destination.size(), source.size() / 2);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t a = source[2 * i];
        const std::uint8_t b = source[2 * i + 1];
        const auto packed = static_cast<std::uint8_t>((a >> 4 & 3) << 6 | (a & 3) << 4 |
                                                      (b >> 4 & 3) << 2 | (b & 3));
        destination[i] = packed ^ mask;
    }
}

void CBitmap::GetColorTable(std::vector<std::uint8_t>& destination, bool invert) const {
    destination = colorTable_;
    if (invert) {
        for (auto& byte : destination) {
            byte = static_cast<std::uint8_t>(255 - byte);
        }
    }
}

void CBitmap::ReadFile(const std::filesystem::path& path, const CPalette& palm256) {
    CDiskFile file(path, CDiskFile::Mode::Read);
    ReadFile(file, palm256);
}

void CBitmap::ReadFile(CBinaryFile& file, const CPalette& palm256) {
    // Read aside and moved in whole, so a failed read leaves the old picture.
    CBitmap loaded;
    loaded.ReadHeaderAndPixels(file, palm256);
    *this = std::move(loaded);
}

bool CBitmap::ReadFile(const std::filesystem::path& path, const CPalette& palm256,
                       const Report& report) {
    return TrapErrors(
        kReadFileErrorPrefix,
        [&](const std::string& message) {
            if (report) {
                report(message);
            }
        },
        [&] { ReadFile(path, palm256); });
}

void CBitmap::ReadHeaderAndPixels(CBinaryFile& file, const CPalette& palm256) {
    constexpr std::string_view kOperation = "ReadFile";
    const std::uint64_t start = file.Position();
    std::array<std::uint8_t, kHeadersBytes> header{};
    file.Read(std::span(header).first(kFileHeaderBytes + 4));
    if (Le16(&header[0]) != kBitmapFileType) {
        Raise(kErrInvalidBitmapFormat, kOperation);
    }
    if (Le32(&header[kFileHeaderBytes]) != kInfoHeaderBytes) {
        Raise(kErrUnsupportedBitmapFormat, kOperation);
    }
    file.Read(std::span(header).subspan(kFileHeaderBytes + 4));
    const std::uint8_t* info = &header[kFileHeaderBytes];
    const std::uint32_t pixelOffset = Le32(&header[10]);
    const auto width = static_cast<std::int32_t>(Le32(info + 4));
    const auto storedHeight = static_cast<std::int32_t>(Le32(info + 8));
    const std::uint16_t bitCount = Le16(info + 14);
    const std::uint32_t compression = Le32(info + 16);
    const std::uint32_t colorsUsed = Le32(info + 32);

    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) {
        Raise(kErrUnsupportedBitmapFormat, kOperation);
    }
    if (compression != 0) {
        Raise(kErrUnsupportedBitmapFormat, kOperation);
    }
    if (width < 1 || storedHeight == 0 ||
        storedHeight == std::numeric_limits<std::int32_t>::min()) {
        Raise(kErrInvalidBitmapFormat, kOperation);
    }
    isTopDown_ = storedHeight < 0;
    width_ = width;
    height_ = isTopDown_ ? -storedHeight : storedHeight;
    if (static_cast<std::int64_t>(width_) * height_ > kMaxBitmapPixels) {
        Raise(kErrUnsupportedBitmapFormat, kOperation);
    }

    const std::int64_t bitsPerRow =
        static_cast<std::int64_t>(width_) * (bitCount == 24 ? 8 : bitCount);
    rowBytes_ =
        static_cast<std::int32_t>(RoundUpToMultiple(RoundUpToMultiple(bitsPerRow, 8) / 8, 4));
    pixelSize_ = bitCount == 24 ? 8 : bitCount;
    isCompressed_ = false;
    compressionType_ = kNoCompression;
    numColors_ = 1 << pixelSize_;
    colorTable_.assign(static_cast<std::size_t>(numColors_) * kEntryBytes, 0);

    // The pixels must lie after the headers and wholly inside the file.
    const std::int64_t fileStride =
        bitCount == 24 ? RoundUpToMultiple(3 * static_cast<std::int64_t>(width_), 4) : rowBytes_;
    const std::uint64_t fileSize = file.Size() - start;
    if (pixelOffset < kHeadersBytes ||
        pixelOffset + static_cast<std::uint64_t>(fileStride) * height_ > fileSize) {
        Raise(kErrInvalidBitmapFormat, kOperation);
    }

    if (bitCount != 24) {
        // The table directly follows the headers. A file may hold fewer entries than the depth
        // allows (colours-used); entries that would reach into the pixels stay zero.
        std::size_t entries = static_cast<std::size_t>(numColors_);
        if (colorsUsed > 0 && colorsUsed < entries) {
            entries = colorsUsed;
        }
        entries = std::min<std::size_t>(entries, (pixelOffset - kHeadersBytes) / kEntryBytes);
        file.Read(std::span(colorTable_).first(entries * kEntryBytes));
    }

    pixels_.assign(static_cast<std::size_t>(rowBytes_) * height_, 0);
    file.Seek(start + pixelOffset);
    std::vector<std::uint8_t> fileRow(static_cast<std::size_t>(fileStride));
    RgbRowIndexer indexer(palm256);
    for (std::int32_t read = 1; read <= height_; ++read) {
        const std::int32_t row = isTopDown_ ? read : height_ + 1 - read;
        if (bitCount != 24) {
            file.Read(MutableRow(row));
            continue;
        }
        file.Read(fileRow);
        indexer.Convert(std::span(fileRow).first(3 * static_cast<std::size_t>(width_)),
                        MutableRow(row));
    }
    if (bitCount == 24) {
        AdoptPaletteTable(palm256);
    }
    if (pixelSize_ == 4) {
        WidenToEightBits();
    }
}

// The handheld has no 4-bit colour layout, and the reductions and the 256-colour palette work
// on one index per byte, so smaller depths are widened: every pixel becomes a byte.
void CBitmap::WidenToEightBits() {
    if (pixelSize_ == 8) {
        return;
    }
    // A 4-bit row keeps its padding nibbles (twice the bytes); a 1-bit row is padded afresh.
    const std::int32_t wideRowBytes =
        pixelSize_ == 4 ? rowBytes_ * 2 : static_cast<std::int32_t>(RoundUpToMultiple(width_, 4));
    const std::int32_t stored = pixelSize_ == 4 ? wideRowBytes : width_;
    std::vector<std::uint8_t> wide(static_cast<std::size_t>(wideRowBytes) * height_, 0);
    for (std::int32_t row = 1; row <= height_; ++row) {
        const auto in = Row(row);
        std::uint8_t* out = &wide[static_cast<std::size_t>(row - 1) * wideRowBytes];
        for (std::int32_t x = 0; x < stored; ++x) {
            out[x] = PixelIndex(in, x, pixelSize_);
        }
    }
    pixels_ = std::move(wide);
    rowBytes_ = wideRowBytes;
    pixelSize_ = 8;
    numColors_ = 256;
    grayScaleExpanded_ = false;
    colorTable_.resize(static_cast<std::size_t>(numColors_) * kEntryBytes, 0);
}

bool CBitmap::WriteFile(const std::filesystem::path& path) const {
    try {
        CMemoryFile bytes;
        WriteFile(bytes);
        ReplaceFile(path, [&bytes](const WriteBytes& write) { write(bytes.Data()); });
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void CBitmap::WriteFile(CBinaryFile& file) const {
    std::vector<std::uint8_t> out;
    out.reserve(kHeadersBytes + colorTable_.size() + pixels_.size());
    out.insert(out.end(), {'B', 'M'});
    PutLe32(out, 0);  // file size, filled in below
    PutLe32(out, 0);  // reserved
    PutLe32(out, 0);  // pixel-data offset, filled in below
    PutLe32(out, kInfoHeaderBytes);
    PutLe32(out, static_cast<std::uint32_t>(width_));
    PutLe32(out, static_cast<std::uint32_t>(isTopDown_ ? -height_ : height_));
    PutLe16(out, 1);  // planes
    PutLe16(out, pixelSize_);
    PutLe32(out, 0);  // no compression
    PutLe32(out, 0);  // image size, implied
    PutLe32(out, 0);  // horizontal resolution
    PutLe32(out, 0);  // vertical resolution
    // A table shorter than the depth allows must say so, or readers take pixels for colours.
    const auto entries = static_cast<std::int64_t>(colorTable_.size() / kEntryBytes);
    const bool shortTable = pixelSize_ <= 8 && entries < (std::int64_t{1} << pixelSize_);
    PutLe32(out, shortTable ? static_cast<std::uint32_t>(entries) : 0);
    PutLe32(out, 0);  // colours important
    out.insert(out.end(), colorTable_.begin(), colorTable_.end());
    SetLe32(out, 10, static_cast<std::uint32_t>(out.size()));
    for (std::int32_t written = 1; written <= height_; ++written) {
        const auto row = Row(isTopDown_ ? written : height_ + 1 - written);
        out.insert(out.end(), row.begin(), row.end());
    }
    SetLe32(out, 2, static_cast<std::uint32_t>(out.size()));
    file.Write(out);
}

void CBitmap::CreateMonochromeBitmap(const CBitmap& source) {
    Reduce(source, 1);
}

void CBitmap::CreateGrayScale4Bitmap(const CBitmap& source) {
    Reduce(source, 2);
}

// Reduces source to depth 1 (black and white) or 2 (four greys, stored one per nibble). The
// source is read one colour index per pixel whatever its depth, as if widened to 8 bits first.
void CBitmap::Reduce(const CBitmap& source, int depth) {
    CBitmap reduced;
    reduced.width_ = source.width_;
    reduced.height_ = source.height_;
    reduced.grayScaleExpanded_ = depth == 2;
    reduced.pixelSize_ = depth == 2 ? 4 : 1;
    reduced.isCompressed_ = source.isCompressed_;
    reduced.compressionType_ = source.compressionType_;
    const std::int64_t bits =
        RoundUpToMultiple(static_cast<std::int64_t>(source.width_) * reduced.pixelSize_, 32);
    reduced.rowBytes_ = static_cast<std::int32_t>(bits / 8);
    reduced.numColors_ = 1 << reduced.pixelSize_;
    reduced.colorTable_.assign(static_cast<std::size_t>(reduced.numColors_) * kEntryBytes, 0);
    if (depth == 1) {
        std::fill_n(reduced.colorTable_.begin() + kEntryBytes, kEntryBytes, 255);  // white
    } else {
        for (std::size_t entry = 0; entry < 4; ++entry) {
            std::fill_n(reduced.colorTable_.begin() + entry * kEntryBytes, kEntryBytes,
                        static_cast<std::uint8_t>(85 * entry));
        }
    }

    // Every source index reduces the same way, so each is worked out once.
    std::array<std::uint8_t, 256> valueOf{};
    for (std::size_t index = 0; index < valueOf.size(); ++index) {
        valueOf[index] = ReducedValue(TableColor(source.colorTable_, index), depth);
    }
    reduced.pixels_.assign(static_cast<std::size_t>(reduced.rowBytes_) * reduced.height_, 0);
    for (std::int32_t row = 1; row <= reduced.height_; ++row) {
        const auto in = source.Row(row);
        auto out = reduced.MutableRow(row);
        for (std::int32_t x = 0; x < reduced.width_; ++x) {
            const std::uint8_t value = valueOf[PixelIndex(in, x, source.pixelSize_)];
            if (depth == 1) {
                out[x / 8] |= static_cast<std::uint8_t>(value << (7 - x % 8));
            } else {
                out[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? value << 4 : value);
            }
        }
    }
    *this = std::move(reduced);
}

void CBitmap::ConvertPalette(const CPalette& palette) {
    const std::vector<std::uint8_t> table = FullTable(colorTable_);
    if (pixelSize_ == 1) {
        // Each bit names entry 0 or 1 of our table; it is set when the palette's nearest entry
        // to that colour is not the palette's first.
        const bool setFor0 = palette.GetPaletteIndexFromSrcColorTable(0, table) != 0;
        const bool setFor1 = palette.GetPaletteIndexFromSrcColorTable(1, table) != 0;
        const std::uint8_t whenClear = setFor0 ? 0xFF : 0x00;
        const std::uint8_t whenSet = setFor1 ? 0xFF : 0x00;
        for (auto& byte : pixels_) {
            byte = static_cast<std::uint8_t>((byte & whenSet) | (~byte & whenClear));
        }
    } else if (pixelSize_ == 8) {
        std::array<std::uint8_t, 256> indexOf{};
        for (std::size_t index = 0; index < indexOf.size(); ++index) {
            indexOf[index] = palette.GetPaletteIndexFromSrcColorTable(index, table);
        }
        for (auto& byte : pixels_) {
            byte = indexOf[byte];
        }
    }
    // The palette's colours are copied over the start of our table, which keeps its length.
    const auto& paletteTable = palette.ColorTable();
    std::copy_n(paletteTable.begin(), std::min(paletteTable.size(), colorTable_.size()),
                colorTable_.begin());
}

void CBitmap::ReadFromCPalmBitmap(const CPalmBitmap& palm) {
    CBitmap loaded;
    loaded.width_ = palm.Width();
    loaded.height_ = palm.Height();
    loaded.compressionType_ = kNoCompression;
    loaded.isCompressed_ = false;
    loaded.isTopDown_ = false;  // Palm rows are top row first already
    const bool gray = palm.PixelSize() == 2;
    loaded.grayScaleExpanded_ = gray;
    loaded.pixelSize_ = gray ? 4 : palm.PixelSize();
    loaded.numColors_ = gray ? 16 : palm.NumColors();
    // Palm rows are padded to 2 bytes, Windows rows to 4.
    const std::int64_t dataBytes = gray ? 2 * std::int64_t{palm.RowBytes()} : palm.RowBytes();
    loaded.rowBytes_ = static_cast<std::int32_t>(RoundUpToMultiple(dataBytes, 4));
    if (palm.HasColorTable()) {
        palm.GetColorTable(loaded.colorTable_);
    } else if (gray) {
        // Without a table of its own a grey picture still shows its four levels.
        loaded.colorTable_ = {255, 255, 255, 0, 170, 170, 170, 0, 85, 85, 85, 0, 0, 0, 0, 0};
    } else {
        loaded.colorTable_ = {255, 255, 255, 0, 0, 0, 0, 0};
        loaded.numColors_ = 2;
    }
    loaded.colorTable_.resize(static_cast<std::size_t>(loaded.numColors_) * kEntryBytes, 0);

    loaded.pixels_.assign(static_cast<std::size_t>(loaded.rowBytes_) * loaded.height_, 0);
    for (std::int32_t row = 1; row <= loaded.height_; ++row) {
        const auto in = palm.Row(row);
        auto out = loaded.MutableRow(row);
        if (!gray) {
            std::copy(in.begin(), in.end(), out.begin());
            continue;
        }
        for (std::size_t i = 0; i < in.size(); ++i) {
            const std::uint8_t byte = in[i];
            out[2 * i] = static_cast<std::uint8_t>((byte >> 6) << 4 | (byte >> 4 & 3));
            out[2 * i + 1] = static_cast<std::uint8_t>((byte >> 2 & 3) << 4 | (byte & 3));
        }
    }
    *this = std::move(loaded);
}

}  // namespace trovique
