#pragma once

#include <chrono>
#include <cstddef>

#include "core/common/ProcessRunner.h"

namespace trovique {

// Starts a program in a process group of its own, with standard input from /dev/null and
// standard output and error gathered through one pipe. On time-out, or when a cancel signal
// arrives (see CancelSignals), the whole group gets SIGTERM, then SIGKILL after a grace period,
// so helpers the program forked (an office suite forks its real binary) do not outlive it. The
// group also dies with this process, however it ends (see SpawnGuarded). A request may instead
// ask for the program to be left running (the user's install tool); such a program writes to
// /dev/null, outlives us if it likes, and is reaped in the background when it ends.
class CProcessRunner : public IProcessRunner {
public:
    // How much of the program's output is kept for the result; the rest is read and dropped
    // so that a chatty program never blocks on a full pipe.
    static constexpr std::size_t kKeptOutput = 16 * 1024;

    explicit CProcessRunner(std::chrono::milliseconds killGrace = std::chrono::milliseconds(2000));

    ProcessResult Run(const ProcessRequest& request) override;

private:
    std::chrono::milliseconds killGrace_;
};

// The full path of an executable program found on PATH (or the name itself when it holds a
// slash and is executable); empty when there is none.
std::string FindProgramOnPath(const std::string& name);

}  // namespace trovique
