#include "platform/TempFolder.h"

#include <stdlib.h>

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

}  // namespace

CTempFolder::CTempFolder(const std::string& prefix) {
    std::string pattern = (TemporaryRoot() / (prefix + "XXXXXX")).string();
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
    std::error_code error;
    std::filesystem::remove_all(path_, error);
    if (error) {
        // A helper may have left folders without write permission; open them up and retry.
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (auto it = fs::recursive_directory_iterator(path_, ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
        }
        fs::remove_all(path_, ignored);
    }
    path_.clear();
}

}  // namespace trovique
