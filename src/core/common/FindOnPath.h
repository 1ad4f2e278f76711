#pragma once

#include <string>

namespace trovique {

// A program's full path when a folder of $PATH holds it as a runnable file, else empty. Only
// bare names are searched; an empty entry of $PATH (the working folder) is skipped, since the
// working folder is no place to take a tool from.
std::string FindOnPath(const std::string& program);

}  // namespace trovique
