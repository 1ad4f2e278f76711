#pragma once

#include "core/delivery/HotSyncInstall.h"

namespace trovique {

// The system's short (8.3) path names for the install tool's arguments: GetShortPathName on
// Windows; elsewhere there are none, and the function is empty so that paths are passed whole.
ShortPathNameFunction PlatformShortPathName();

}  // namespace trovique
