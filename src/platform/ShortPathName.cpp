#include "platform/ShortPathName.h"

#if defined(_WIN32)
#include <windows.h>

#include <string>
#endif

namespace trovique {

#if defined(_WIN32)
namespace {

std::wstring Wide(const std::string& utf8) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

// Empty when the path does not exist or has no short form.
std::string ShortPathName(const std::string& path) {
    const std::wstring longPath = Wide(path);
    const DWORD needed = GetShortPathNameW(longPath.c_str(), nullptr, 0);
    if (needed == 0) {
        return {};
    }
    std::wstring shortPath(needed, L'\0');
    const DWORD written = GetShortPathNameW(longPath.c_str(), shortPath.data(), needed);
    if (written == 0 || written >= needed) {
        return {};
    }
    shortPath.resize(written);
    return Utf8(shortPath);
}

}  // namespace

ShortPathNameFunction PlatformShortPathName() {
    return ShortPathName;
}
#else
ShortPathNameFunction PlatformShortPathName() {
    return {};
}
#endif

}  // namespace trovique
