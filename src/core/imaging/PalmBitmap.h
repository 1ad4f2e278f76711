#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/common/BinaryFile.h"
#include "core/common/Error.h"

namespace trovique {

class CBitmap;
class CPalette;

// "Invalid bitmap compression (N)": a compressed Palm bitmap of a type other than 1.
inline constexpr std::uint32_t kErrInvalidBitmapCompression = kObjectErrorBase + 1200;

// The handheld's three palettes, as a Palm bitmap without a colour table of its own uses them.
struct PalmPalettes {
    const CPalette& color256;
    const CPalette& monochrome;
    const CPalette& gray4;
};

// One picture in the handheld's bitmap layout (a version 2 bitmap header, then the rows plain
// or run-length coded). 8-bit pictures are coded once, when built or read, so that the size
// estimates cost nothing; WriteToFile writes the coded form when it is smaller.
class CPalmBitmap {
public:
    // Bytes of one bitmap header, without the three record fields.
    static constexpr std::size_t kHeaderBytes = 16;
    // The header flags (high byte).
    static constexpr std::uint8_t kFlagCompressed = 0x80;
    static constexpr std::uint8_t kFlagHasColorTable = 0x40;

    bool HasColorTable() const { return hasColorTable_; }
    std::uint16_t Height() const { return height_; }
    std::uint16_t Key() const { return key_; }
    void SetKey(std::uint16_t key) { key_ = key; }
    // Distance to the next bitmap of the same picture in 4-byte words; 0 = none.
    std::uint16_t NextDepthOffset() const { return nextDepthOffset_; }
    void SetNextDepthOffset(std::uint16_t offset) { nextDepthOffset_ = offset; }
    std::uint16_t NumColors() const { return numColors_; }
    std::uint8_t PixelSize() const { return pixelSize_; }
    std::uint16_t RowBytes() const { return rowBytes_; }
    std::uint16_t Width() const { return width_; }

    // RowBytes x Height + 22.
    std::int64_t EstUncompressedSize() const;
    // The run-length coded byte count + 22.
    std::int64_t EstRLESize() const;
    // The estimate of the form WriteToFile writes.
    std::int64_t EstFileSize() const;
    // Sum of the rows' run-length codes (plus 2 after a coded record was read); 0 when the
    // picture has no coded form (1- and 2-bit pictures).
    std::uint32_t CompressedByteCount() const { return compressedByteCount_; }
    // Whether WriteToFile writes the run-length coded form.
    bool WritesCompressed() const;
    // Lets WriteToFile choose the coded form when it is smaller (the default), or never.
    bool AllowCompression() const { return allowCompression_; }
    void SetAllowCompression(bool allow) { allowCompression_ = allow; }

    // Builds this bitmap from a desktop bitmap of 1 or 8 bits or a grey-expanded one. Raises
    // CError when the picture is too large for the 16-bit fields of the layout.
    bool ReadFromCBitmap(const CBitmap& bitmap);
    // Reads the layout at the file's current position, with the three record fields first
    // unless omitRecordFields. Raises CError for a damaged or unsupported bitmap (0x800404B0
    // for a coding other than 1) and leaves this object as it was.
    bool ReadFromFile(CBinaryFile& file, bool omitRecordFields, const PalmPalettes& palettes);
    // Writes the layout at the file's current position.
    bool WriteToFile(CBinaryFile& file, bool omitRecordFields) const;
    // Copies row (1..Height), as much of it as destination holds. Raises 0x8004044E for a row
    // outside 1..Height.
    void GetRowBytes(std::int32_t row, std::span<std::uint8_t> destination) const;
    // destination becomes a copy of the colour table (blue, green, red, 0 per entry).
    void GetColorTable(std::vector<std::uint8_t>& destination) const;

    // Row 1..Height without copying; raises like GetRowBytes.
    std::span<const std::uint8_t> Row(std::int32_t row) const;
    // The run-length code of row 1..Height (pairs and the closing 0x00 0x00); empty when the
    // picture has no coded form.
    std::span<const std::uint8_t> CompressedRow(std::int32_t row) const;
    const std::vector<std::uint8_t>& ColorTable() const { return colorTable_; }

private:
    void ReadHeader(CBinaryFile& file, bool omitRecordFields);
    void ReadOwnColorTable(CBinaryFile& file);
    void ReadCodedRows(CBinaryFile& file);
    void ReadPlainRows(CBinaryFile& file);
    void ReindexToPalette(const PalmPalettes& palettes);
    void Compress();
    void CheckRow(std::int32_t row) const;
    std::span<std::uint8_t> MutableRow(std::int32_t row);

    // Record fields of a stand-alone bitmap record.
    std::uint16_t fixedRegionSize_ = 4;
    std::uint16_t recordType_ = 4;
    std::uint16_t key_ = 2;

    std::uint16_t width_ = 0;
    std::uint16_t height_ = 0;
    std::uint16_t rowBytes_ = 0;
    std::uint8_t flagsHigh_ = 0;
    std::uint8_t flagsLow_ = 0;
    std::uint8_t pixelSize_ = 1;
    std::uint8_t version_ = 2;
    std::uint16_t nextDepthOffset_ = 0;
    std::uint8_t transparentIndex_ = 0;
    std::uint8_t compressionType_ = 0;
    std::uint16_t reserved_ = 0;
    std::uint16_t numColors_ = 0;
    bool hasColorTable_ = false;
    bool allowCompression_ = true;
    std::vector<std::uint8_t> colorTable_;
    // Height rows of RowBytes bytes, top row first.
    std::vector<std::uint8_t> pixels_;
    // The rows' run-length codes back to back; row r's code starts at codeStart_[r - 1].
    std::vector<std::uint8_t> codes_;
    std::vector<std::uint32_t> codeStart_;
    std::uint32_t compressedByteCount_ = 0;
};

}  // namespace trovique
