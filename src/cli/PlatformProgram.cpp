#include "cli/PlatformProgram.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>

#include "cli/Command.h"
#include "core/common/Error.h"
#include "core/settings/ProgramFolder.h"

namespace trovique::cli {

int RunPlatformProgram(char** argv) {
    std::filesystem::path program;
    try {
        program = RunningProgramFolder() / kPlatformProgram;
    } catch (const std::exception& error) {
        std::cerr << "trovique-cli: " << DescribeError(error) << "\n";
        return kExitFailure;
    }
    std::cout.flush();
    std::cerr.flush();
    ::execv(program.c_str(), argv);
    const int error = errno;
    std::cerr << "trovique-cli: cannot start " << program.string() << ": " << std::strerror(error)
              << "\n";
    return kExitFailure;
}

}  // namespace trovique::cli
