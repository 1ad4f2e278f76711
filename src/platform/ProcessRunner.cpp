#include "platform/ProcessRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <thread>

#include "platform/CancelSignals.h"
#include "platform/GuardedSpawn.h"

extern char** environ;

namespace trovique {
namespace {

using Clock = std::chrono::steady_clock;

// How often the runner looks whether the program has ended while nothing else wakes it.
constexpr std::chrono::milliseconds kPollInterval{20};

// Closes a descriptor when the scope ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    void Reset() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = -1;
    }

private:
    int fd_;
};

// posix_spawn's attribute objects, destroyed on every way out.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;

    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

void KeepOutput(std::string& kept, std::string_view chunk) {
    const std::size_t room =
        CProcessRunner::kKeptOutput - std::min(kept.size(), CProcessRunner::kKeptOutput);
    kept.append(chunk.substr(0, std::min(room, chunk.size())));
}

// Reads what is waiting in the pipe; false once the pipe is closed at the other end or broken.
bool ReadAvailable(int fd, std::string& kept) {
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count > 0) {
            KeepOutput(kept, std::string_view(buffer, static_cast<std::size_t>(count)));
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        return count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

// Waits up to timeout for output; returns at once when the pipe is already closed.
void WaitForOutput(int fd, bool& pipeOpen, std::string& kept, std::chrono::milliseconds timeout) {
    if (!pipeOpen) {
        ::poll(nullptr, 0, static_cast<int>(timeout.count()));
        return;
    }
    pollfd entry{fd, POLLIN, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    if (ready > 0) {
        pipeOpen = ReadAvailable(fd, kept);
    }
}

// True when the child has ended; it stays a zombie (WNOWAIT) so that its process group number
// cannot be reused before the group has been dealt with.
bool HasEnded(pid_t pid) {
    siginfo_t info{};
    for (;;) {
        if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0) {
            return info.si_pid == pid;
        }
        if (errno != EINTR) {
            return true;  // nothing left to wait for
        }
    }
}

int Reap(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// A program left running after its wait is reaped by a thread of its own once it ends, so that
// it leaves no zombie behind however long the user keeps it open.
void ReapLater(pid_t pid) {
    std::thread([pid] { Reap(pid); }).detach();
}

// The moment the time limit runs out; none when the limit is too far off to matter (the
// addition would overflow the clock).
std::optional<Clock::time_point> Deadline(Clock::time_point start,
                                          std::chrono::milliseconds limit) {
    constexpr auto kFarOff = std::chrono::hours(24 * 365 * 100);
    if (limit >= kFarOff) {
        return std::nullopt;
    }
    return start + limit;
}

std::string SpawnFailure(int error, const std::string& program) {
    if (error == ENOENT) {
        return "the program " + program + " was not found";
    }
    if (error == EACCES) {
        return "the program " + program + " cannot be run (permission denied)";
    }
    return "the program " + program + " could not be started: " + std::strerror(error);
}

// Ours with the request's entries on top.
std::vector<std::string> Environment(const std::vector<std::string>& extra) {
    const auto name = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> entries(extra);
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string ours(*entry);
        if (std::none_of(extra.begin(), extra.end(),
                         [&](const std::string& e) { return name(e) == name(ours); })) {
            entries.push_back(ours);
        }
    }
    return entries;
}

// A program the user keeps (an install tool with a window): a process group of its own, output
// to /dev/null, and free to outlive us.
int SpawnLeftRunning(const ProcessRequest& request, pid_t& pid) {
    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // It may outlive the wait, and a pipe nobody reads would stop it or kill it.
    posix_spawn_file_actions_addopen(&setup.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, STDOUT_FILENO, STDERR_FILENO);
    if (!request.workingDirectory.empty()) {
        posix_spawn_file_actions_addchdir_np(&setup.actions, request.workingDirectory.c_str());
    }
    // Signal handlers and masks of this process are not the child's business.
    sigset_t noSignals;
    sigset_t allSignals;
    sigemptyset(&noSignals);
    sigfillset(&allSignals);
    posix_spawnattr_setflags(
        &setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setsigmask(&setup.attributes, &noSignals);
    posix_spawnattr_setsigdefault(&setup.attributes, &allSignals);

    std::vector<char*> argv;
    argv.reserve(request.arguments.size() + 1);
    for (const auto& argument : request.arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const std::vector<std::string> environment = Environment(request.environment);
    std::vector<char*> envp;
    for (const auto& entry : environment) {
        envp.push_back(const_cast<char*>(entry.c_str()));
    }
    envp.push_back(nullptr);
    return ::posix_spawnp(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(),
                          envp.data());
}

// A program that works for us (the office): it and everything it starts go when we go, however
// we end (see SpawnGuarded).
int SpawnTied(const ProcessRequest& request, int outputFd, pid_t& pid) {
    const std::string& name = request.arguments.front();
    GuardedSpawnPlan plan;
    plan.program = name.find('/') != std::string::npos ? name : FindProgramOnPath(name);
    if (plan.program.empty()) {
        return ENOENT;
    }
    plan.arguments = request.arguments;
    plan.workingDirectory = request.workingDirectory;
    plan.outputFd = outputFd;
    plan.environment = Environment(request.environment);
    int error = 0;
    pid = SpawnGuarded(plan, error);
    return pid < 0 ? (error != 0 ? error : ECHILD) : 0;
}

}  // namespace

CProcessRunner::CProcessRunner(std::chrono::milliseconds killGrace) : killGrace_(killGrace) {}

ProcessResult CProcessRunner::Run(const ProcessRequest& request) {
    ProcessResult result;
    if (request.arguments.empty() || request.arguments.front().empty()) {
        result.detail = "no program was named";
        return result;
    }
    // Said here, since a missing folder would otherwise look like a missing program.
    struct stat folder {};
    if (!request.workingDirectory.empty() &&
        (::stat(request.workingDirectory.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))) {
        result.detail =
            "the working folder " + request.workingDirectory.string() + " does not exist";
        return result;
    }

    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        result.detail = std::string("a pipe could not be made: ") + std::strerror(errno);
        return result;
    }
    FileDescriptor reader(pipeEnds[0]);
    FileDescriptor writer(pipeEnds[1]);

    pid_t pid = -1;
    const int spawnError = request.leaveRunning ? SpawnLeftRunning(request, pid)
                                                : SpawnTied(request, writer.Get(), pid);
    writer.Reset();
    if (spawnError != 0) {
        result.detail = SpawnFailure(spawnError, request.arguments.front());
        return result;
    }
    ::fcntl(reader.Get(), F_SETFL, ::fcntl(reader.Get(), F_GETFL) | O_NONBLOCK);

    const auto started = Clock::now();
    const auto deadline = Deadline(started, request.timeLimit);
    auto nextCall = started + request.pollInterval;
    bool pipeOpen = !request.leaveRunning;
    bool timedOut = false;
    while (!HasEnded(pid)) {
        auto now = Clock::now();
        if ((deadline && now >= *deadline) || CancelRequested()) {
            timedOut = true;
            break;
        }
        auto wake = std::min(now + kPollInterval, deadline.value_or(Clock::time_point::max()));
        if (request.whileWaiting) {
            wake = std::min(wake, nextCall);
        }
        const auto slice = std::chrono::ceil<std::chrono::milliseconds>(wake - now);
        WaitForOutput(reader.Get(), pipeOpen, result.output,
                      std::clamp(slice, std::chrono::milliseconds(1), kPollInterval));
        now = Clock::now();
        if (request.whileWaiting && now >= nextCall) {
            if (!request.whileWaiting()) {
                timedOut = true;
                break;
            }
            nextCall = Clock::now() + request.pollInterval;
        }
    }

    if (timedOut && request.leaveRunning) {
        ReapLater(pid);
        result.end = ProcessEnd::TimedOut;
        return result;
    }
    if (timedOut) {
        ::kill(-pid, SIGTERM);
        const auto graceEnd = Clock::now() + killGrace_;
        while (!HasEnded(pid) && Clock::now() < graceEnd) {
            WaitForOutput(reader.Get(), pipeOpen, result.output, kPollInterval);
        }
        // Whatever is left of the group, the program itself included, goes now.
        ::kill(-pid, SIGKILL);
        Reap(pid);
        result.end = ProcessEnd::TimedOut;
        return result;
    }

    // Helpers may still hold the pipe open; take what is there without waiting for them.
    if (pipeOpen) {
        WaitForOutput(reader.Get(), pipeOpen, result.output, std::chrono::milliseconds(0));
    }
    const int status = Reap(pid);
    if (WIFSIGNALED(status)) {
        result.end = ProcessEnd::Signalled;
        result.signal = WTERMSIG(status);
    } else {
        result.end = ProcessEnd::Exited;
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

std::string FindProgramOnPath(const std::string& name) {
    const auto runnable = [](const std::string& candidate) {
        struct stat info {};
        return ::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
               ::access(candidate.c_str(), X_OK) == 0;
    };
    if (name.empty()) {
        return {};
    }
    if (name.find('/') != std::string::npos) {
        return runnable(name) ? name : std::string();
    }
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = folders.find(':', start);
        std::string folder = folders.substr(start, end == std::string::npos ? end : end - start);
        if (folder.empty()) {
            folder = ".";
        }
        const std::string candidate = folder + "/" + name;
        if (runnable(candidate)) {
            return candidate;
        }
        if (end == std::string::npos) {
            return {};
        }
        start = end + 1;
    }
}

}  // namespace trovique
