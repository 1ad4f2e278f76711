#include "core/delivery/PathOps.h"

#include <algorithm>
#include <cctype>

#include "core/settings/Application.h"
#include "core/settings/ProgramFolder.h"

namespace trovique {
namespace {

#if defined(_WIN32)
constexpr std::string_view kSeparators = "\\/";
#else
constexpr std::string_view kSeparators = "/";
#endif

std::size_t AfterLastSeparator(std::string_view path) {
    const std::size_t last = path.find_last_of(kSeparators);
    return last == std::string_view::npos ? 0 : last + 1;
}

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::string PathFolder(std::string_view path) {
    return std::string(path.substr(0, AfterLastSeparator(path)));
}

std::string PathFileName(std::string_view path) {
    return std::string(path.substr(AfterLastSeparator(path)));
}

std::string PathBaseName(std::string_view path) {
    std::string name = PathFileName(path);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

std::string EnsureTrailingBackslash(std::string text) {
    return EnsureTrailingSeparator(std::move(text));
}

bool FileExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    std::error_code error;
    return std::filesystem::is_regular_file(PathFromText(path), error) && !error;
}

std::string TrimAtNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

bool SamePathText(std::string_view first, std::string_view second) {
#if defined(_WIN32)
    return std::equal(first.begin(), first.end(), second.begin(), second.end(),
                      [](char a, char b) { return Lower(a) == Lower(b); });
#else
    (void)Lower;
    return first == second;
#endif
}

std::filesystem::path PathFromText(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string TextFromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string ViewerAppPath(const CApplication& application) {
    return application.AppDataPath() + kViewerAppFileName;
}

}  // namespace trovique
