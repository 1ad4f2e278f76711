#include "core/common/DiskFile.h"

#include <cerrno>
#include <cstring>

#include "core/common/Error.h"

namespace trovique {
namespace {

const char* ModeText(CDiskFile::Mode mode) {
    switch (mode) {
        case CDiskFile::Mode::Read:
            return "rb";
        case CDiskFile::Mode::Create:
            return "w+b";
        case CDiskFile::Mode::Update:
            return "r+b";
    }
    return "rb";
}

int SeekTo(std::FILE* handle, std::uint64_t position) {
#ifdef _WIN32
    return _fseeki64(handle, static_cast<long long>(position), SEEK_SET);
#else
    return fseeko(handle, static_cast<off_t>(position), SEEK_SET);
#endif
}

std::uint64_t SizeOf(std::FILE* handle) {
#ifdef _WIN32
    _fseeki64(handle, 0, SEEK_END);
    const auto size = _ftelli64(handle);
#else
    fseeko(handle, 0, SEEK_END);
    const auto size = ftello(handle);
#endif
    return size < 0 ? 0 : static_cast<std::uint64_t>(size);
}

[[noreturn]] void ThrowAccess(const std::filesystem::path& path, int error) {
    throw CError(kErrPathFileAccess, "CDiskFile",
                 "Path/File access error: " + path.string() + " (" + std::strerror(error) + ")");
}

}  // namespace

CDiskFile::CDiskFile(const std::filesystem::path& path, Mode mode) : path_(path) {
    // A folder opens for reading as a stream of unbounded size; refuse it here so the user
    // hears what is wrong instead of a read past the end.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        ThrowAccess(path, EISDIR);
    }
    handle_ = std::fopen(path.string().c_str(), ModeText(mode));
    if (handle_ == nullptr) {
        if (errno == ENOENT && mode != Mode::Create) {
            throw CError(kErrFileNotFound, "CDiskFile", "File not found: " + path.string());
        }
        ThrowAccess(path, errno);
    }
    size_ = SizeOf(handle_);
    handlePositioned_ = false;
}

CDiskFile::~CDiskFile() {
    if (handle_ != nullptr) {
        std::fclose(handle_);
    }
}

void CDiskFile::Close() {
    if (handle_ == nullptr) {
        return;
    }
    const bool failed = std::fflush(handle_) != 0 || std::ferror(handle_) != 0;
    const int error = errno;
    const bool closeFailed = std::fclose(handle_) != 0;
    handle_ = nullptr;
    if (failed || closeFailed) {
        ThrowAccess(path_, error);
    }
}

void CDiskFile::SeekHandle(std::uint64_t position, bool forWrite) {
    if (handle_ == nullptr) {
        ThrowAccess(path_, EBADF);
    }
    // C streams need a seek between a read and a write, so a change of direction seeks too.
    if (!handlePositioned_ || forWrite != lastWasWrite_) {
        if (SeekTo(handle_, position) != 0) {
            ThrowAccess(path_, errno);
        }
    }
    handlePositioned_ = true;
    lastWasWrite_ = forWrite;
}

void CDiskFile::Read(std::span<std::uint8_t> destination) {
    RequireRemaining(destination.size());
    SeekHandle(position_, false);
    if (std::fread(destination.data(), 1, destination.size(), handle_) != destination.size()) {
        handlePositioned_ = false;
        throw CError(kErrInputPastEnd, "CDiskFile:Read", "Input past end of file.");
    }
    position_ += destination.size();
}

void CDiskFile::Write(std::span<const std::uint8_t> source) {
    SeekHandle(position_, true);
    if (std::fwrite(source.data(), 1, source.size(), handle_) != source.size()) {
        handlePositioned_ = false;
        ThrowAccess(path_, errno);
    }
    position_ += source.size();
    if (position_ > size_) {
        size_ = position_;
    }
}

void CDiskFile::Seek(std::uint64_t position) {
    if (position != position_) {
        handlePositioned_ = false;  // the handle moves lazily, on the next read or write
    }
    position_ = position;
}

}  // namespace trovique
