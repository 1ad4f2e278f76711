#include "core/codec/UnsignedInt.h"

#include <array>
#include <cstddef>
#include <span>

#include "core/common/Error.h"

namespace trovique {
namespace {

// Reads size bytes at once (so a short file raises before anything moves) and assembles them
// in the given byte order.
template <std::size_t Size>
std::uint64_t ReadOrdered(CBinaryFile& file, int processorType) {
    std::array<std::uint8_t, Size> bytes{};
    file.Read(bytes);
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < Size; ++i) {
        const std::size_t index = processorType == kBigEndianProcessor ? i : Size - 1 - i;
        value = (value << 8) | bytes[index];
    }
    return value;
}

template <std::size_t Size>
void WriteOrdered(CBinaryFile& file, std::uint64_t value, int processorType) {
    std::array<std::uint8_t, Size> bytes{};
    for (std::size_t i = 0; i < Size; ++i) {
        const std::size_t index = processorType == kBigEndianProcessor ? Size - 1 - i : i;
        bytes[index] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    file.Write(bytes);
}

}  // namespace

CUnsignedInt::CUnsignedInt(std::int64_t value) {
    SetValue(value);
}

void CUnsignedInt::SetValue(std::int64_t value) {
    if (value < 0 || value > 0xFFFF) {
        throw CError::Object(kErrInvalidValue, "CUnsignedInt");
    }
    value_ = static_cast<std::uint16_t>(value);
}

void CUnsignedInt::ReadFromFile(CBinaryFile& file) {
    value_ = static_cast<std::uint16_t>(ReadOrdered<2>(file, srcProcessorType_));
}

void CUnsignedInt::WriteToFile(CBinaryFile& file) const {
    WriteOrdered<2>(file, value_, dstProcessorType_);
}

CUnsignedLong::CUnsignedLong(std::int64_t value) {
    SetValue(value);
}

void CUnsignedLong::SetValue(std::int64_t value) {
    if (value < 0 || value > 0xFFFFFFFFLL) {
        throw CError::Object(kErrInvalidValue, "CUnsignedLong");
    }
    value_ = static_cast<std::uint32_t>(value);
}

void CUnsignedLong::ReadFromFile(CBinaryFile& file) {
    value_ = static_cast<std::uint32_t>(ReadOrdered<4>(file, srcProcessorType_));
}

void CUnsignedLong::WriteToFile(CBinaryFile& file) const {
    WriteOrdered<4>(file, value_, dstProcessorType_);
}

}  // namespace trovique
