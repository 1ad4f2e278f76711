#include "core/common/TempFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/common/Error.h"

#ifdef _WIN32
#include <cstdio>
#include <random>
#else
#include <unistd.h>
#endif

namespace trovique {
namespace {

[[noreturn]] void ThrowCannotCreate(const std::filesystem::path& folder, int error) {
    throw CError(kErrPathFileAccess, "CTemporaryFile",
                 "Path/File access error: " + folder.string() + " (" + std::strerror(error) + ")");
}

#ifdef _WIN32
// Without mkstemp: exclusive creation ("x") under random names until one is free.
std::filesystem::path CreateUnique(const std::filesystem::path& folder, std::string_view prefix) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto name = std::string(prefix) + std::to_string(random() % 1000000000u) + ".tmp";
        const auto path = folder / name;
        if (std::FILE* file = std::fopen(path.string().c_str(), "wbx")) {
            std::fclose(file);
            return path;
        }
        if (errno != EEXIST) {
            ThrowCannotCreate(folder, errno);
        }
    }
    ThrowCannotCreate(folder, EEXIST);
}
#else
// mkstemp picks a name nobody has and creates the file with mode 0600 in one step.
std::filesystem::path CreateUnique(const std::filesystem::path& folder, std::string_view prefix) {
    std::string pattern = (folder / (std::string(prefix) + "XXXXXX")).string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        ThrowCannotCreate(folder, errno);
    }
    ::close(descriptor);
    return pattern;
}
#endif

}  // namespace

std::filesystem::path TemporaryDirectory() {
    std::error_code error;
    if (const char* fromEnvironment = std::getenv("TMPDIR");
        fromEnvironment != nullptr && *fromEnvironment != '\0' &&
        std::filesystem::is_directory(fromEnvironment, error)) {
        return fromEnvironment;
    }
    const auto system = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : system;
}

CTemporaryFile::CTemporaryFile(const std::filesystem::path& folder, std::string_view prefix)
    : path_(CreateUnique(folder, prefix)) {}

CTemporaryFile::~CTemporaryFile() {
    Remove();
}

bool CTemporaryFile::Remove() {
    if (path_.empty()) {
        return true;
    }
    std::error_code error;
    std::filesystem::remove(path_, error);
    if (error) {
        return false;
    }
    path_.clear();
    return true;
}

}  // namespace trovique
