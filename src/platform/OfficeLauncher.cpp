#include "platform/OfficeLauncher.h"

#include <system_error>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace trovique {

namespace fs = std::filesystem;

OfficeLaunch OfficeLaunchFor(const fs::path& program) {
    OfficeLaunch launch{program.string(), {}};
#if !defined(_WIN32)
    std::error_code error;
    const fs::path script = fs::canonical(program, error);
    if (error || script.filename() != "soffice") {
        return launch;
    }
    // The script's own check that it is one: an office installation has its binary beside it.
    const fs::path splash = script.parent_path() / "oosplash";
    if (!fs::exists(script.parent_path() / "soffice.bin", error) ||
        ::access(splash.c_str(), X_OK) != 0) {
        return launch;
    }
    launch.program = splash.string();
    launch.environment = {"SAL_ENABLE_FILE_LOCKING=1"};
#endif
    return launch;
}

}  // namespace trovique
