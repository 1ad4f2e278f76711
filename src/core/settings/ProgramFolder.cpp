#include "core/settings/ProgramFolder.h"

#include "core/common/Error.h"
#include "core/imaging/PalmPaletteFiles.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>

#include <vector>
#endif

namespace trovique {
namespace {

std::filesystem::path RunningProgramFile() {
#if defined(_WIN32)
    std::wstring buffer(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
#elif defined(__APPLE__)
    std::uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::vector<char> buffer(size + 1, '\0');
    if (_NSGetExecutablePath(buffer.data(), &size) != 0) {
        return {};
    }
    return std::filesystem::path(buffer.data());
#else
    std::error_code error;
    auto file = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : file;
#endif
}

bool IsSeparator(char c) {
#if defined(_WIN32)
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

}  // namespace

std::filesystem::path RunningProgramFolder() {
    std::filesystem::path file = RunningProgramFile();
    std::error_code error;
    if (!file.empty()) {
        auto resolved = std::filesystem::weakly_canonical(file, error);
        if (!error) {
            file = resolved;
        }
    }
    if (file.empty() || !file.has_parent_path()) {
        throw CError(kErrPathFileAccess, "RunningProgramFolder",
                     "The folder of the running program cannot be found.");
    }
    return file.parent_path();
}

std::filesystem::path DataFolderFor(const std::filesystem::path& programFolder) {
    std::error_code error;
    if (std::filesystem::exists(programFolder / PalmPaletteFiles::kColor256File, error)) {
        return programFolder;
    }
    const std::filesystem::path installed = programFolder.parent_path() / "share" / "trovique";
    if (std::filesystem::is_directory(installed, error)) {
        return installed;
    }
    return programFolder;
}

std::filesystem::path ProgramDataFolder() {
    return DataFolderFor(RunningProgramFolder());
}

std::string EnsureTrailingSeparator(std::string folder) {
    if (!folder.empty() && !IsSeparator(folder.back())) {
        folder += static_cast<char>(std::filesystem::path::preferred_separator);
    }
    return folder;
}

}  // namespace trovique
