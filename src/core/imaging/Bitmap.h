#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/BinaryFile.h"
#include "core/common/Error.h"

namespace trovique {

class CPalette;
class CPalmBitmap;

inline constexpr std::uint32_t kErrInvalidBitmapFormat = kObjectErrorBase + 1100;
inline constexpr std::uint32_t kErrUnsupportedBitmapFormat = kObjectErrorBase + 1101;
inline constexpr std::uint32_t kErrBitmapIndexOutOfRange = kObjectErrorBase + 1102;

// Pictures larger than this are refused when read: slides are a few hundred pixels across, and
// the cap keeps a hostile header from asking for gigabytes.
inline constexpr std::int64_t kMaxBitmapPixels = 64LL * 1024 * 1024;

// "Invalid bitmap file format.", "Unsupported bitmap file format.", "Index out of range." for
// the three bitmap errors; empty for any other number.
std::string_view BitmapErrorDescription(std::uint32_t number);

// One Windows device-independent bitmap held at 1, 4 (grey-expanded only) or 8 bits per pixel.
// Row 1 is always the top row, whatever order the file stored its rows in; every row is
// RowBytes() long, a multiple of 4 as Windows bitmap rows are.
class CBitmap {
public:
    // What a trapped ReadFile failure is reported with, followed by the error's description.
    static constexpr std::string_view kReadFileErrorPrefix = "CBitmap ReadFile error: ";
    // Reports a message to the user; an empty function reports nothing.
    using Report = std::function<void(const std::string& message)>;

    CBitmap() = default;
    // A picture from 24-bit pixels in memory, the way a 24-bit file is read: rows top row first,
    // rowStride bytes apart, each starting with width pixels of blue, green, red. The pixels
    // become indices of palm256 and the colour table a copy of its table.
    CBitmap(std::int32_t width, std::int32_t height, std::span<const std::uint8_t> bgrRows,
            std::size_t rowStride, const CPalette& palm256);

    std::uint16_t CompressionType() const { return compressionType_; }
    // A 2-bit grey picture stored as one 4-bit pixel (values 0..3) per nibble.
    bool GrayScaleExpanded() const { return grayScaleExpanded_; }
    bool HasColorTable() const { return true; }
    std::int32_t Height() const { return height_; }
    bool IsCompressed() const { return isCompressed_; }
    bool IsTopDown() const { return isTopDown_; }
    std::int32_t NumColors() const { return numColors_; }
    std::uint16_t PixelSize() const { return pixelSize_; }
    std::int32_t RowBytes() const { return rowBytes_; }
    std::int32_t Width() const { return width_; }

    // Makes this object a 2-bit grey copy of source (stored grey-expanded, white 0, black 3).
    void CreateGrayScale4Bitmap(const CBitmap& source);
    // Makes this object a 1-bit black (0) and white (1) copy of source.
    void CreateMonochromeBitmap(const CBitmap& source);
    // destination becomes a copy of the colour table (blue, green, red, 0 per entry), every byte
    // complemented when invert is set.
    void GetColorTable(std::vector<std::uint8_t>& destination, bool invert) const;
    // Copies row (1..Height) into destination, as much as it holds. grayPack packs every two
    // grey-expanded bytes into one byte of four 2-bit pixels. Raises 0x8004044E for a row
    // outside 1..Height.
    void GetRowBytes(std::int32_t row, std::span<std::uint8_t> destination, bool invert,
                     bool grayPack) const;

    // Loads a .bmp file of 1, 4, 8 or 24 bits; 24-bit pixels are re-indexed against palm256.
    // Raises CError (0x8004044C, 0x8004044D or a file error) and keeps the old picture.
    void ReadFile(const std::filesystem::path& path, const CPalette& palm256);
    void ReadFile(CBinaryFile& file, const CPalette& palm256);
    // The trapping form: false on any failure, after handing report
    // kReadFileErrorPrefix + description when report is set.
    bool ReadFile(const std::filesystem::path& path, const CPalette& palm256, const Report& report);

    // Writes a .bmp file; false when it cannot be written (no partial file is left behind).
    bool WriteFile(const std::filesystem::path& path) const;
    void WriteFile(CBinaryFile& file) const;

    void ReadFromCPalmBitmap(const CPalmBitmap& palm);
    // Re-indexes the pixels against palette and adopts its colour table. Grey-expanded pixels
    // are already the palette's indices and stay as they are.
    void ConvertPalette(const CPalette& palette);
    // Holds a 1- or 4-bit picture at 8 bits per pixel, one colour index per byte, with a table
    // of 256 entries (the old ones first, the rest zero). 4-bit rows double in length.
    void WidenToEightBits();

    // Row 1..Height without copying; raises like GetRowBytes.
    std::span<const std::uint8_t> Row(std::int32_t row) const;
    const std::vector<std::uint8_t>& ColorTable() const { return colorTable_; }

private:
    void ReadHeaderAndPixels(CBinaryFile& file, const CPalette& palm256);
    void SetRgbPixels(std::span<const std::uint8_t> bgrRows, std::size_t rowStride,
                      const CPalette& palm256);
    void AdoptPaletteTable(const CPalette& palette);
    void Reduce(const CBitmap& source, int depth);
    std::span<std::uint8_t> MutableRow(std::int32_t row);

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t rowBytes_ = 0;
    std::uint16_t pixelSize_ = 0;
    bool isTopDown_ = false;
    bool isCompressed_ = false;
    std::uint16_t compressionType_ = 255;
    std::int32_t numColors_ = 0;
    bool grayScaleExpanded_ = false;
    std::vector<std::uint8_t> colorTable_;
    // Height rows of RowBytes bytes, top row first.
    std::vector<std::uint8_t> pixels_;
};

}  // namespace trovique
