#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace trovique {

// One program to start: its argument vector (the program first, found on the path when it has
// no folder), handed over as it is, never through a shell.
struct ProcessRequest {
    std::vector<std::string> arguments;
    // Empty: the caller's working folder.
    std::filesystem::path workingDirectory;
    // The program and everything it started are killed when it runs longer than this.
    std::chrono::milliseconds timeLimit{std::chrono::seconds(60)};
};

enum class ProcessEnd {
    Exited,         // ended by itself; exitCode holds its status
    Signalled,      // ended by a signal it did not expect (a crash); signal holds it
    TimedOut,       // ran past the time limit and was killed with everything it started
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
