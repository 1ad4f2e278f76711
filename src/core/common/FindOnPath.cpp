#include "core/common/FindOnPath.h"

#include <cstdlib>
#include <filesystem>

namespace trovique {
namespace {

namespace fs = std::filesystem;

bool IsProgram(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    constexpr fs::perms kRunnable =
        fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return !error && fs::is_regular_file(status) &&
           (status.permissions() & kRunnable) != fs::perms::none;
}

}  // namespace

std::string FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (path == nullptr || program.empty() || program.find('/') != std::string::npos) {
        return {};
    }
#if defined(_WIN32)
    constexpr char kListSeparator = ';';
#else
    constexpr char kListSeparator = ':';
#endif
    const std::string folders(path);
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        std::size_t end = folders.find(kListSeparator, begin);
        if (end == std::string::npos) {
            end = folders.size();
        }
        if (end > begin) {
            const fs::path candidate = fs::u8path(folders.substr(begin, end - begin)) / program;
            if (IsProgram(candidate)) {
                return candidate.string();
            }
        }
        begin = end + 1;
    }
    return {};
}

}  // namespace trovique
