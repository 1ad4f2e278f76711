#include "core/delivery/ShellAndWait.h"

#include <cctype>
#include <chrono>
#include <cmath>

#include "core/common/Error.h"
#include "core/common/ProcessRunner.h"
#include "core/services/UserInterface.h"

namespace trovique {

double ClockSeconds() {
    const std::chrono::duration<double> sinceStart =
        std::chrono::steady_clock::now().time_since_epoch();
    return std::fmod(sinceStart.count(), kSecondsPerDay);
}

double ElapsedSeconds(double start, double now) {
    return now < start ? now + kSecondsPerDay - start : now - start;
}

double ElapsedSeconds(double start) {
    return ElapsedSeconds(start, ClockSeconds());
}

namespace {

ProcessResult Wait(IProcessRunner& runner, IUserInterface& ui,
                   const std::vector<std::string>& arguments, int timeoutSeconds,
                   bool leaveRunning) {
    ProcessRequest request(arguments, {}, ProcessRequest::kNoTimeLimit);
    request.pollInterval = std::chrono::milliseconds(100);
    request.leaveRunning = leaveRunning;
    const double start = ClockSeconds();
    CProgress& progress = ui.Progress();
    request.whileWaiting = [&progress, start, timeoutSeconds] {
        // Polling the progress window keeps it alive; a Cancel it allows ends the wait.
        if (progress.UserCancel() && progress.AllowCancel()) {
            return false;
        }
        return timeoutSeconds <= 0 || ElapsedSeconds(start) <= timeoutSeconds;
    };
    ProcessResult result = runner.Run(request);
    if (result.end == ProcessEnd::CouldNotStart) {
        std::string reason = result.detail;
        if (!reason.empty()) {
            reason.front() =
                static_cast<char>(std::toupper(static_cast<unsigned char>(reason.front())));
        }
        throw CError(kErrFileNotFound, "ShellAndWait", reason + ".");
    }
    return result;
}

}  // namespace

bool ShellAndWait(IProcessRunner& runner, IUserInterface& ui,
                  const std::vector<std::string>& arguments, int timeoutSeconds) {
    return Wait(runner, ui, arguments, timeoutSeconds, true).end != ProcessEnd::TimedOut;
}

ProcessResult RunAndWait(IProcessRunner& runner, IUserInterface& ui,
                         const std::vector<std::string>& arguments, int timeoutSeconds) {
    return Wait(runner, ui, arguments, timeoutSeconds, false);
}

}  // namespace trovique
