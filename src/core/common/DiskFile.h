#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/common/BinaryFile.h"

namespace trovique {

// A binary file on disk. Opening for reading fails with error 53 when the file is missing;
// opening for writing creates or truncates it.
class CDiskFile final : public CBinaryFile {
public:
    enum class Mode { Read, Create, Update };

    CDiskFile(const std::filesystem::path& path, Mode mode);
    ~CDiskFile() override;
    CDiskFile(const CDiskFile&) = delete;
    CDiskFile& operator=(const CDiskFile&) = delete;

    void Read(std::span<std::uint8_t> destination) override;
    void Write(std::span<const std::uint8_t> source) override;
    std::uint64_t Position() const override { return position_; }
    void Seek(std::uint64_t position) override;
    std::uint64_t Size() const override { return size_; }

    // Flushes and closes; raises when the data could not be written. The destructor closes too
    // but cannot report, so writers call Close before they trust the file.
    void Close();

    const std::filesystem::path& Path() const { return path_; }

private:
    void SeekHandle(std::uint64_t position, bool forWrite);

    std::filesystem::path path_;
    std::FILE* handle_ = nullptr;
    std::uint64_t position_ = 0;
    std::uint64_t size_ = 0;
    bool handlePositioned_ = true;
    bool lastWasWrite_ = false;
};

}  // namespace trovique
