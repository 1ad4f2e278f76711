#include "core/delivery/PilotXferInstall.h"

#include "core/codec/Windows1252.h"
#include "core/common/Error.h"
#include "core/common/FindOnPath.h"
#include "core/delivery/HotSyncInstall.h"
#include "core/delivery/ShellAndWait.h"
#include "core/services/Services.h"

namespace trovique {
namespace {

constexpr const char* kSource = "PilotXferInstall";
// What pilot-xfer said is shown to help the user; a chatty run must not fill the screen.
constexpr std::size_t kMostOutputShown = 400;

std::string LastWords(std::string output) {
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    if (output.size() > kMostOutputShown) {
        output = "..." + output.substr(output.size() - kMostOutputShown);
    }
    return Utf8ToWindows1252(output);
}

std::string PilotXferProgram() {
    std::string program = FindOnPath(kPilotXferProgram);
    if (program.empty()) {
        throw CError(kErrFileNotFound, kSource,
                     "pilot-xfer was not found on the PATH; install pilot-link or choose another "
                     "\"Settings\"/\"InstallMethod\".");
    }
    return program;
}

}  // namespace

PilotXferInstall::PilotXferInstall(const CServices& services, IProcessRunner& runner,
                                   std::string port)
    : services_(services), runner_(runner), port_(std::move(port)) {}

std::vector<std::string> PilotXferInstall::Command(const std::string& program,
                                                   const std::vector<std::string>& files) const {
    std::vector<std::string> command = {program, "-p", port_, "-i"};
    command.insert(command.end(), files.begin(), files.end());
    return command;
}

std::string PilotXferInstall::Destination() const {
    return std::string(kPilotXferProgram) + " on " + port_;
}

void PilotXferInstall::CheckReady() const {
    (void)PilotXferProgram();
}

void PilotXferInstall::Install(const std::vector<std::string>& files) {
    const std::string program = PilotXferProgram();
    const int seconds = InstallToolWaitSeconds(services_);
    const ProcessResult result =
        RunAndWait(runner_, services_.ui, Command(program, files), seconds);
    if (result.Succeeded()) {
        return;
    }
    std::string why;
    if (result.end == ProcessEnd::TimedOut) {
        why = "no handheld answered on " + Utf8ToWindows1252(port_) + " within " +
              std::to_string(seconds) + " seconds";
    } else if (result.end == ProcessEnd::Signalled) {
        why = "pilot-xfer was ended by signal " + std::to_string(result.signal);
    } else {
        why = "pilot-xfer ended with status " + std::to_string(result.exitCode);
    }
    const std::string said = LastWords(result.output);
    throw CError(kErrPathFileAccess, kSource,
                 "The slide show was not installed: " + why + (said.empty() ? "." : ": " + said));
}

}  // namespace trovique
