#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace trovique {

// An open binary file with an explicit position, as every record and container reads and
// writes itself. Reads never go past the data: a read that would raises error 62 ("Input past
// end of file.") and leaves the position where it was.
class CBinaryFile {
public:
    virtual ~CBinaryFile() = default;

    virtual void Read(std::span<std::uint8_t> destination) = 0;
    virtual void Write(std::span<const std::uint8_t> source) = 0;
    virtual std::uint64_t Position() const = 0;
    virtual void Seek(std::uint64_t position) = 0;
    virtual std::uint64_t Size() const = 0;

    std::uint8_t ReadByte();
    void WriteByte(std::uint8_t value);
    void Skip(std::uint64_t count);
    std::uint64_t Remaining() const;
    bool AtEnd() const { return Remaining() == 0; }

protected:
    // Raises the end-of-file error when count bytes are not left from the position.
    void RequireRemaining(std::uint64_t count) const;
};

}  // namespace trovique
