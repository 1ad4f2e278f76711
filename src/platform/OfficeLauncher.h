#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace trovique {

// How to start the office: the program to run and what its environment needs besides ours.
struct OfficeLaunch {
    std::string program;
    std::vector<std::string> environment;  // NAME=value
};

// On Linux `soffice` is a shell script that looks for its own folder (half a dozen small
// programs), sets SAL_ENABLE_FILE_LOCKING and starts `oosplash` beside it, which starts the
// office and starts it again when it asks to be restarted. Starting `oosplash` directly with
// that variable is the same office some 30 ms sooner. Any other program (another office, a
// stand-in, Windows' soffice.exe) is run as it is.
OfficeLaunch OfficeLaunchFor(const std::filesystem::path& program);

}  // namespace trovique
