#include "platform/TempFolder.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "core/common/Error.h"

namespace trovique {
namespace {

std::filesystem::path TemporaryRoot() {
    const char* configured = std::getenv("TMPDIR");
    if (configured != nullptr && *configured != '\0') {
        return configured;
    }
    return "/tmp";
}

void RemoveTree(const std::filesystem::path& path) noexcept {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::remove_all(path, error);
    if (error) {
        // A helper may have left folders without write permission; open them up and retry.
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (auto it = fs::recursive_directory_iterator(path, ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
        }
        fs::remove_all(path, ignored);
    }
}

// The maker's process number in a name "<prefix><pid>-XXXXXX"; 0 when the name is not one.
pid_t MakerOf(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
        return 0;
    }
    const std::string rest = name.substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || dash > 9 || rest.size() != dash + 7 ||
        rest.find_first_not_of("0123456789") != dash) {
        return 0;
    }
    return static_cast<pid_t>(std::stol(rest.substr(0, dash)));
}

}  // namespace

CTempFolder::CTempFolder(const std::string& prefix) {
    std::string pattern =
        (TemporaryRoot() / (prefix + std::to_string(::getpid()) + "-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) {
        const int error = errno;
        throw CError(kErrPathFileAccess, "CTempFolder",
                     "A temporary folder could not be made in " + TemporaryRoot().string() + ": " +
                         std::strerror(error));
    }
    path_ = buffer.data();
}

CTempFolder::~CTempFolder() {
    Remove();
}

void CTempFolder::Remove() noexcept {
    if (path_.empty()) {
        return;
    }
    RemoveTree(path_);
    path_.clear();
}

std::size_t CTempFolder::RemoveAbandoned(const std::string& prefix) noexcept {
    std::size_t removed = 0;
    try {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(TemporaryRoot(), error)) {
            const pid_t maker = MakerOf(entry.path().filename().string(), prefix);
            struct stat info {};
            if (maker <= 0 || ::lstat(entry.path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
                info.st_uid != ::geteuid()) {
                continue;
            }
            // Gone for certain only when the system says there is no such process.
            if (::kill(maker, 0) != 0 && errno == ESRCH) {
                RemoveTree(entry.path());
                ++removed;
            }
        }
    } catch (...) {
        // A folder that cannot be listed keeps its leftovers; nothing else depends on it.
    }
    return removed;
}

}  // namespace trovique
