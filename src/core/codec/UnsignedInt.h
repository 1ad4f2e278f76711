#pragma once

#include <cstdint>

#include "core/common/BinaryFile.h"

namespace trovique {

// Processor type of the handheld: numbers in its files are big-endian. Any other processor
// type means little-endian.
inline constexpr int kBigEndianProcessor = 1;

// A 16-bit unsigned number of a Palm database that knows the byte order of the file it is read
// from and of the file it is written to.
class CUnsignedInt {
public:
    CUnsignedInt() = default;
    explicit CUnsignedInt(std::int64_t value);

    std::uint16_t Value() const { return value_; }
    // Raises 0x80040002 (source "CUnsignedInt") outside 0..65535 and keeps the old value.
    void SetValue(std::int64_t value);

    int SrcProcessorType() const { return srcProcessorType_; }
    void SetSrcProcessorType(int type) { srcProcessorType_ = type; }
    int DstProcessorType() const { return dstProcessorType_; }
    void SetDstProcessorType(int type) { dstProcessorType_ = type; }

    void ReadFromFile(CBinaryFile& file);
    void WriteToFile(CBinaryFile& file) const;

private:
    std::uint16_t value_ = 0;
    int srcProcessorType_ = kBigEndianProcessor;
    int dstProcessorType_ = kBigEndianProcessor;
};

// The 32-bit counterpart of CUnsignedInt, covering 0..4294967295.
class CUnsignedLong {
public:
    CUnsignedLong() = default;
    explicit CUnsignedLong(std::int64_t value);

    std::uint32_t Value() const { return value_; }
    // Raises 0x80040002 (source "CUnsignedLong") outside 0..4294967295 and keeps the old value.
    void SetValue(std::int64_t value);

    int SrcProcessorType() const { return srcProcessorType_; }
    void SetSrcProcessorType(int type) { srcProcessorType_ = type; }
    int DstProcessorType() const { return dstProcessorType_; }
    void SetDstProcessorType(int type) { dstProcessorType_ = type; }

    void ReadFromFile(CBinaryFile& file);
    void WriteToFile(CBinaryFile& file) const;

private:
    std::uint32_t value_ = 0;
    int srcProcessorType_ = kBigEndianProcessor;
    int dstProcessorType_ = kBigEndianProcessor;
};

}  // namespace trovique
