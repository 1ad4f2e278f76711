#pragma once

#include <cstdint>
#include <vector>

#include "core/common/BinaryFile.h"

namespace trovique {

// A binary file held in memory: for records built in memory, tests and fuzzing.
class CMemoryFile final : public CBinaryFile {
public:
    CMemoryFile() = default;
    explicit CMemoryFile(std::vector<std::uint8_t> data) : data_(std::move(data)) {}

    void Read(std::span<std::uint8_t> destination) override;
    void Write(std::span<const std::uint8_t> source) override;
    std::uint64_t Position() const override { return position_; }
    void Seek(std::uint64_t position) override { position_ = position; }
    std::uint64_t Size() const override { return data_.size(); }

    const std::vector<std::uint8_t>& Data() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
    std::uint64_t position_ = 0;
};

}  // namespace trovique
