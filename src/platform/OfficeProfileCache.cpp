#include "platform/OfficeProfileCache.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

namespace trovique {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStampFile = "stamp";
constexpr const char* kProfileFolder = "profile";

std::string ReadStamp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string stamp;
    std::getline(in, stamp);
    return stamp;
}

}  // namespace

COfficeProfileCache::COfficeProfileCache(fs::path folder) : folder_(std::move(folder)) {}

fs::path COfficeProfileCache::DefaultFolder() {
    fs::path base;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && *cache == '/') {
        base = cache;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
        base = fs::path(home) / ".cache";
    } else {
        return {};
    }
    return base / "trovique" / "libreoffice-profile";
}

std::string COfficeProfileCache::InstallationStamp(const fs::path& program) {
    std::error_code error;
    fs::path resolved = fs::canonical(program, error);
    if (error) {
        return {};
    }
    // The launcher script rarely changes; the binary beside it does with every release.
    if (const fs::path binary = resolved.parent_path() / "soffice.bin"; fs::exists(binary, error)) {
        resolved = binary;
    }
    const auto size = fs::file_size(resolved, error);
    if (error) {
        return {};
    }
    const auto time = fs::last_write_time(resolved, error);
    if (error) {
        return {};
    }
    std::ostringstream stamp;
    stamp << resolved.string() << ' ' << size << ' ' << time.time_since_epoch().count();
    return stamp.str();
}

bool COfficeProfileCache::CopyTo(const fs::path& profile, const std::string& stamp) const {
    if (folder_.empty() || stamp.empty() || ReadStamp(folder_ / kStampFile) != stamp) {
        return false;
    }
    std::error_code error;
    fs::copy(folder_ / kProfileFolder, profile, fs::copy_options::recursive, error);
    if (error) {
        fs::remove_all(profile, error);
        return false;
    }
    return true;
}

void COfficeProfileCache::Keep(const fs::path& profile, const std::string& stamp) const noexcept {
    if (folder_.empty() || stamp.empty()) {
        return;
    }
    try {
        std::error_code error;
        fs::create_directories(folder_.parent_path(), error);
        fs::permissions(folder_.parent_path(), fs::perms::owner_all, fs::perm_options::replace,
                        error);
        // Built beside the cache and renamed into place, so a reader never sees half a copy.
        const fs::path building =
            folder_.string() + ".new-" + std::to_string(::getpid()) + "-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
        fs::create_directories(building, error);
        fs::copy(profile, building / kProfileFolder, fs::copy_options::recursive, error);
        if (!error) {
            std::ofstream(building / kStampFile, std::ios::binary) << stamp << '\n';
            fs::remove_all(folder_, error);
            fs::rename(building, folder_, error);
        }
        fs::remove_all(building, error);  // left only when another import got there first
    } catch (...) {
        // A cache that cannot be written costs time, nothing else.
    }
}

void COfficeProfileCache::Discard() const noexcept {
    if (!folder_.empty()) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
}

}  // namespace trovique
