#pragma once

#include <filesystem>
#include <string>

namespace trovique {

// The folder of the running program file, symbolic links resolved, so that the data files that
// ship beside it (palettes, the DATA folder) are found both in the build tree and installed.
// Raises CError when the system cannot say.
std::filesystem::path RunningProgramFolder();

// Folders are kept as text ending in a path separator, so that a file name can be appended
// directly. Appends the platform's separator unless the text already ends in a separator; an
// empty text stays empty (it names no folder, and "/" would name the root).
std::string EnsureTrailingSeparator(std::string folder);

}  // namespace trovique
