#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace trovique {

// One program to start: its argument vector (the program first, found on the path when it has
// no folder), handed over as it is, never through a shell.
struct ProcessRequest {
    ProcessRequest(std::vector<std::string> programAndArguments = {},
                   std::filesystem::path workingFolder = {},
                   std::chrono::milliseconds limit = std::chrono::seconds(60))
        : arguments(std::move(programAndArguments)),
          workingDirectory(std::move(workingFolder)),
          timeLimit(limit) {}

    std::vector<std::string> arguments;
    // Empty: the caller's working folder.
    std::filesystem::path workingDirectory;
    // The program and everything it started are killed when it runs longer than this.
    std::chrono::milliseconds timeLimit;
    // Called about every pollInterval while the program runs, on the caller's thread, so that
    // a program with windows can let its events run during a long wait. Returning false ends
    // the wait as the time limit would.
    std::function<bool()> whileWaiting;
    std::chrono::milliseconds pollInterval{100};
    // Leaves a program whose wait ended early running on its own instead of killing it: for
    // programs that belong to the user (an install tool with a window). Its output is then not
    // gathered at all, since no one would be reading the pipe once the wait is over.
    bool leaveRunning = false;
    // "NAME=value" entries that the program gets on top of our environment, replacing ours of
    // the same name.
    std::vector<std::string> environment;

    // A timeLimit that never arrives: the program runs until it ends or whileWaiting says stop.
    static constexpr std::chrono::milliseconds kNoTimeLimit = std::chrono::milliseconds::max();
};

enum class ProcessEnd {
    Exited,         // ended by itself; exitCode holds its status
    Signalled,      // ended by a signal it did not expect (a crash); signal holds it
    TimedOut,       // ran past the time limit or whileWaiting ended the wait; killed with
                    // everything it started unless the request asked to leave it running
    CouldNotStart,  // the program is missing or cannot be run; detail says why
};

struct ProcessResult {
    ProcessEnd end = ProcessEnd::CouldNotStart;
    int exitCode = -1;
    int signal = 0;
    // Why the program could not be started, in words.
    std::string detail;
    // The start of what it wrote to its standard output and error, for diagnostics.
    std::string output;

    bool Succeeded() const { return end == ProcessEnd::Exited && exitCode == 0; }
};

// Starts programs and waits for them. Core code reaches outside programs (the office suite,
// the handheld's install tool) only through this, so tests can script it.
class IProcessRunner {
public:
    virtual ~IProcessRunner() = default;
    // Runs the program to its end or its time limit. Never raises for the program's own
    // failures; those are in the result.
    virtual ProcessResult Run(const ProcessRequest& request) = 0;
};

}  // namespace trovique
