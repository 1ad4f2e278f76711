#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace trovique {

// What the program started by SpawnGuarded gets.
struct GuardedSpawnPlan {
    std::string program;  // a path; not looked up on PATH
    std::vector<std::string> arguments;
    std::filesystem::path workingDirectory;  // empty: ours
    int outputFd = -1;                       // becomes its standard output and error
    std::vector<std::string> environment;    // "NAME=value", all of it
};

// Starts a program that must not outlive this process. The process returned is a small guard,
// a fork of this one that leads a new process group: it starts the program in that group,
// waits for it and ends the way it ended (exit status or signal). When this process dies, even
// by SIGKILL, the kernel tells the guard (PR_SET_PDEATHSIG) and the guard kills the whole group:
// the program and everything it started, such as the office's real binary, which its launcher
// forks and which a death signal on the launcher alone would not reach. Returns -1 with
// errorNumber set when the program could not be started (errno of the failed exec).
pid_t SpawnGuarded(const GuardedSpawnPlan& plan, int& errorNumber);

}  // namespace trovique
