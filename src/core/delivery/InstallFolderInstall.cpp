#include "core/delivery/InstallFolderInstall.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>

#include "core/codec/Windows1252.h"
#include "core/common/Error.h"
#include "core/common/FileReplace.h"
#include "core/delivery/PathOps.h"
#include "core/palmdb/DBHeader.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSource = "InstallFolderInstall";
// Where the Palm database header keeps its version and modification time.
constexpr std::size_t kVersionOffset = 34;
constexpr std::size_t kModifyOffset = 40;
constexpr std::size_t kTypeOffset = 60;

// (version, modification time) from a Palm application's header; none when the file is shorter
// than a header or is no application.
std::optional<std::pair<std::uint16_t, std::uint32_t>> ViewerStamp(const std::string& path) {
    std::ifstream in(PathFromText(path), std::ios::binary);
    std::array<unsigned char, CDBHeader::kSize> header{};
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) {
        return std::nullopt;
    }
    if (std::string(header.begin() + kTypeOffset, header.begin() + kTypeOffset + 4) != "appl") {
        return std::nullopt;
    }
    const auto at = [&header](std::size_t offset) { return std::uint32_t{header[offset]}; };
    const auto version =
        static_cast<std::uint16_t>(at(kVersionOffset) << 8 | at(kVersionOffset + 1));
    const std::uint32_t modified = at(kModifyOffset) << 24 | at(kModifyOffset + 1) << 16 |
                                   at(kModifyOffset + 2) << 8 | at(kModifyOffset + 3);
    return std::pair{version, modified};
}

bool IsViewer(const std::string& file) {
    return SamePathText(PathFileName(file), kViewerAppFileName);
}

[[noreturn]] void Fail(const std::string& text) {
    throw CError(kErrPathFileAccess, kSource, Utf8ToWindows1252(text));
}

}  // namespace

bool ViewerIsNewer(const std::string& candidate, const std::string& installed) {
    if (!FileExists(installed)) {
        return true;
    }
    const auto ours = ViewerStamp(candidate);
    const auto theirs = ViewerStamp(installed);
    if (ours && theirs) {
        return *ours > *theirs;
    }
    if (ours) {
        return true;  // what is there is no viewer application at all
    }
    std::error_code error;
    const auto ourTime = fs::last_write_time(PathFromText(candidate), error);
    const auto theirTime = fs::last_write_time(PathFromText(installed), error);
    return !error && ourTime > theirTime;
}

InstallFolderInstall::InstallFolderInstall(std::string folder) : folder_(std::move(folder)) {}

std::string InstallFolderInstall::Destination() const {
    return "the install folder " + folder_;
}

void InstallFolderInstall::CheckReady() const {
    if (folder_.empty()) {
        Fail(
            "No install folder is set: store one as \"Settings\"/\"InstallFolder\", or choose "
            "another \"Settings\"/\"InstallMethod\".");
    }
    std::error_code error;
    if (!fs::is_directory(PathFromText(folder_), error)) {
        Fail("The install folder " + folder_ + " does not exist.");
    }
}

void InstallFolderInstall::Install(const std::vector<std::string>& files) {
    CheckReady();
    const std::string folder = EnsureTrailingBackslash(folder_);
    for (const std::string& file : files) {
        const std::string target = folder + PathFileName(file);
        if (IsViewer(file) && !ViewerIsNewer(file, target)) {
            continue;
        }
        try {
            ReplaceFileWithCopyOf(PathFromText(file), PathFromText(target));
        } catch (const std::exception& failure) {
            Fail(PathFileName(file) + " could not be copied into the install folder " + folder_ +
                 ": " + failure.what());
        }
    }
}

}  // namespace trovique
