#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/settings/InstallMethod.h"

namespace trovique {

class IProcessRunner;
struct CServices;

// The install tool in that folder.
inline constexpr const char* kInstallToolName = "InstApp";

// The error raised when the Palm Desktop's folder is not registered.
inline constexpr std::uint32_t kErrHotSyncInstall = 1;
inline constexpr const char* kHotSyncInstallSource = "HotSyncInstall";
inline constexpr const char* kNoInstallToolText =
    "Could not find registry key for HotSync InstallApp";

// The short (8.3) form of an existing path, empty when there is none. Only Windows has short
// names; elsewhere the function is empty and paths are passed whole.
using ShortPathNameFunction = std::function<std::string(const std::string&)>;

// The install tool's file arguments, in the order of files. With short names, a file whose
// name holds a blank is written as its whole short path and any other file as its short folder
// and long name, so that no argument holds a blank; when that makes the list 128 characters or
// longer, every file is written as its whole short path. Without short names every path is
// passed whole: arguments are handed over one by one, never through a shell, so blanks are
// harmless.
std::vector<std::string> InstallToolArguments(const std::vector<std::string>& files,
                                              const ShortPathNameFunction& shortPathName);

// Seconds to wait for the install tool ("Settings"/"MaxInstAppWaitSeconds", 180 by default; 0
// or less waits without limit). A value that does not start with a number reads as the
// default rather than as "no limit".
int InstallToolWaitSeconds(const CServices& services);

// Hands files (full paths) to the Palm Desktop's install tool, which queues them for the next
// HotSync, and waits until the user closes it or the wait runs out. Raises CError
// kErrHotSyncInstall when the Palm Desktop is not registered, and CError 53 when its install
// tool cannot be started.
void InstallWithPalmDesktop(const CServices& services, IProcessRunner& runner,
                            const std::vector<std::string>& files,
                            const ShortPathNameFunction& shortPathName = {});

// Hands files (full paths, the viewer application first) over by the install method the
// settings choose (see InstallTool.h): the Palm Desktop's install tool, pilot-xfer or an
// install folder. Raises CError when they could not be handed over.
void InstallWithHotSync(const CServices& services, IProcessRunner& runner,
                        const std::vector<std::string>& files,
                        const ShortPathNameFunction& shortPathName = {});

}  // namespace trovique
