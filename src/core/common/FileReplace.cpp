#include "core/common/FileReplace.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "core/common/Error.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace trovique {
namespace {

constexpr const char* kSource = "ReplaceFile";
constexpr std::size_t kCopyChunk = 64 * 1024;

[[noreturn]] void ThrowAccess(const std::filesystem::path& path, int error) {
    throw CError(kErrPathFileAccess, kSource,
                 "Path/File access error: " + path.string() + " (" + std::strerror(error) + ")");
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    const auto folder = target.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// A name beside target that no file has yet; the file is created by the caller, exclusively.
std::filesystem::path CandidateName(const std::filesystem::path& target, std::mt19937_64& random) {
    return FolderOf(target) /
           ("." + target.filename().string() + ".~TM" + std::to_string(random() % 1000000000u));
}

#ifndef _WIN32

class CReplacement {
public:
    explicit CReplacement(const std::filesystem::path& target) : target_(target) {
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
            path_ = CandidateName(target, random);
            // 0666 as any new file: the user's umask decides, as for a file saved the first time.
            descriptor_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (descriptor_ < 0 && errno != EEXIST) {
                ThrowAccess(target, errno);
            }
        }
        if (descriptor_ < 0) {
            ThrowAccess(target, EEXIST);
        }
        struct stat existing {};
        if (::stat(target.c_str(), &existing) == 0) {
            // Best effort: a replaced file keeps who may read it.
            (void)::fchmod(descriptor_, existing.st_mode & 07777);
        }
    }
    ~CReplacement() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        if (!committed_) {
            ::unlink(path_.c_str());
        }
    }
    CReplacement(const CReplacement&) = delete;
    CReplacement& operator=(const CReplacement&) = delete;

    void Write(std::span<const std::uint8_t> bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                ThrowAccess(target_, written < 0 ? errno : ENOSPC);
            }
            bytes = bytes.subspan(static_cast<std::size_t>(written));
        }
    }

    void Commit() {
        // The data must be on the disk before the name points at it, or a crash could leave a
        // target of the right name and the wrong (empty) content.
        if (::fsync(descriptor_) != 0) {
            ThrowAccess(target_, errno);
        }
        const int closed = ::close(descriptor_);
        descriptor_ = -1;
        if (closed != 0) {
            ThrowAccess(target_, errno);
        }
        if (::rename(path_.c_str(), target_.c_str()) != 0) {
            ThrowAccess(target_, errno);
        }
        committed_ = true;
        // Make the rename itself durable; a failure here loses nothing already written.
        const int folder = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            (void)::fsync(folder);
            ::close(folder);
        }
    }

private:
    std::filesystem::path target_;
    std::filesystem::path path_;
    int descriptor_ = -1;
    bool committed_ = false;
};

#else

// Standard C and C++ only: exclusive creation, a flush and the library's replacing rename.
class CReplacement {
public:
    explicit CReplacement(const std::filesystem::path& target) : target_(target) {
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
            path_ = CandidateName(target, random);
            file_ = std::fopen(path_.string().c_str(), "wbx");
            if (file_ == nullptr && errno != EEXIST) {
                ThrowAccess(target, errno);
            }
        }
        if (file_ == nullptr) {
            ThrowAccess(target, EEXIST);
        }
    }
    ~CReplacement() {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
        if (!committed_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    CReplacement(const CReplacement&) = delete;
    CReplacement& operator=(const CReplacement&) = delete;

    void Write(std::span<const std::uint8_t> bytes) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
            ThrowAccess(target_, errno);
        }
    }

    void Commit() {
        const bool flushed = std::fflush(file_) == 0;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!flushed || !closed) {
            ThrowAccess(target_, errno);
        }
        std::error_code error;
        std::filesystem::rename(path_, target_, error);
        if (error) {
            ThrowAccess(target_, error.value());
        }
        committed_ = true;
    }

private:
    std::filesystem::path target_;
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

#endif

}  // namespace

void CheckReplaceable(const std::filesystem::path& target) {
    std::error_code error;
    const auto status = std::filesystem::status(target, error);
    if (!std::filesystem::exists(status)) {
        return;
    }
    if (std::filesystem::is_directory(status)) {
        ThrowAccess(target, EISDIR);
    }
    // Opening for update neither truncates nor changes the file.
    std::FILE* file = std::fopen(target.string().c_str(), "r+b");
    if (file == nullptr) {
        ThrowAccess(target, errno);
    }
    std::fclose(file);
}

void ReplaceFile(const std::filesystem::path& target,
                 const std::function<void(const WriteBytes& write)>& produce) {
    CReplacement replacement(target);
    produce([&replacement](std::span<const std::uint8_t> bytes) { replacement.Write(bytes); });
    replacement.Commit();
}

void ReplaceFileWithCopyOf(const std::filesystem::path& source,
                           const std::filesystem::path& target) {
    ReplaceFile(target, [&source](const WriteBytes& write) {
        std::FILE* input = std::fopen(source.string().c_str(), "rb");
        if (input == nullptr) {
            ThrowAccess(source, errno);
        }
        std::array<std::uint8_t, kCopyChunk> chunk{};
        try {
            while (true) {
                const std::size_t read = std::fread(chunk.data(), 1, chunk.size(), input);
                if (read > 0) {
                    write(std::span<const std::uint8_t>(chunk.data(), read));
                }
                if (read < chunk.size()) {
                    if (std::ferror(input) != 0) {
                        ThrowAccess(source, EIO);
                    }
                    break;
                }
            }
        } catch (...) {
            std::fclose(input);
            throw;
        }
        std::fclose(input);
    });
}

}  // namespace trovique
