#pragma once

#include <filesystem>
#include <string>

namespace trovique {

// The folder of the running program file, symbolic links resolved, so that the data files that
// ship beside it (palettes, the DATA folder) are found both in the build tree and installed.
// Raises CError when the system cannot say.
std::filesystem::path RunningProgramFolder();

// The folder the program's data files (palettes, help, the DATA folder) are loaded from: the
// program's own folder when the palettes are there (the build tree, a Windows installation),
// else the installed share folder ../share/trovique beside the program's bin folder when it
// exists, else the program's folder again, so that a missing file is named where it was looked
// for first.
std::filesystem::path DataFolderFor(const std::filesystem::path& programFolder);
// DataFolderFor the running program; raises like RunningProgramFolder.
std::filesystem::path ProgramDataFolder();

// Folders are kept as text ending in a path separator, so that a file name can be appended
// directly. Appends the platform's separator unless the text already ends in a separator; an
// empty text stays empty (it names no folder, and "/" would name the root).
std::string EnsureTrailingSeparator(std::string folder);

}  // namespace trovique
