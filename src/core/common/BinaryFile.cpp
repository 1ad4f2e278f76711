#include "core/common/BinaryFile.h"

#include "core/common/Error.h"

namespace trovique {

std::uint8_t CBinaryFile::ReadByte() {
    std::uint8_t value = 0;
    Read(std::span<std::uint8_t>(&value, 1));
    return value;
}

void CBinaryFile::WriteByte(std::uint8_t value) {
    Write(std::span<const std::uint8_t>(&value, 1));
}

void CBinaryFile::Skip(std::uint64_t count) {
    RequireRemaining(count);
    Seek(Position() + count);
}

std::uint64_t CBinaryFile::Remaining() const {
    const std::uint64_t size = Size();
    const std::uint64_t position = Position();
    return position < size ? size - position : 0;
}

void CBinaryFile::RequireRemaining(std::uint64_t count) const {
    if (count > Remaining()) {
        throw CError(kErrInputPastEnd, "CBinaryFile:Read", "Input past end of file.");
    }
}

}  // namespace trovique
