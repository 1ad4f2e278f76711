#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace trovique {

class CApplication;

// Path texts as the delivery run handles them: UTF-8 text split at the platform's separator
// ("/" here, "\" or "/" on Windows), so that a folder is everything up to and including the
// last separator and a file name can be appended to it directly.

// Everything up to and including the last separator; empty when there is none.
std::string PathFolder(std::string_view path);
// Everything after the last separator; the whole path when there is none.
std::string PathFileName(std::string_view path);
// PathFileName without its last "." and what follows; unchanged when it has no ".".
std::string PathBaseName(std::string_view path);
// Appends the platform's separator unless the text ends in one. An empty text stays empty: it
// names no folder, and a lone separator would name the root.
std::string EnsureTrailingBackslash(std::string text);
// True when the path names an existing ordinary file (a folder does not count); any error
// counts as false.
bool FileExists(const std::string& path);
// The text up to its first NUL character, or all of it: what a fixed buffer filled by the
// system holds.
std::string TrimAtNul(std::string_view text);
// Whether two path texts name the same file by name alone: without regard to case where the
// file system ignores case (Windows), exactly elsewhere.
bool SamePathText(std::string_view first, std::string_view second);

// Path texts are UTF-8 on every platform; these convert at the file system's edge.
std::filesystem::path PathFromText(std::string_view text);
std::string TextFromPath(const std::filesystem::path& path);

// The handheld viewer application that HotSync installs beside every slide show; it ships in
// the DATA folder beside the program.
inline constexpr const char* kViewerAppFileName = "TROVIQUE.PRC";
std::string ViewerAppPath(const CApplication& application);

}  // namespace trovique
