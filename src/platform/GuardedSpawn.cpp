#include "platform/GuardedSpawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace trovique {
namespace {

// The death signal of the guard; nobody else sends it to a process group of ours.
constexpr int kParentDied = SIGUSR2;

// Everything below runs in a forked copy of a process that may have other threads, so it keeps
// to async-signal-safe calls: no allocation, no locks.

[[noreturn]] void ReportAndExit(int errorFd) {
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(errorFd, &error, sizeof error);
    ::_exit(127);
}

// Closes every descriptor but the standard ones and the two given.
void CloseOthers(int a, int b) {
    const unsigned low = static_cast<unsigned>(std::min(a, b));
    const unsigned high = static_cast<unsigned>(std::max(a, b));
    if (low > 3) {
        ::close_range(3, low - 1, 0);
    }
    if (high > low + 1) {
        ::close_range(low + 1, high - 1, 0);
    }
    ::close_range(high + 1, ~0U, 0);
}

[[noreturn]] void ExecProgram(const char* program, char* const* argv, char* const* envp,
                              const char* folder, int outputFd, int errorFd) {
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) {
        ::sigaction(signal, &standard, nullptr);
    }
    const int input = ::open("/dev/null", O_RDONLY);
    if (input < 0 || ::dup2(input, STDIN_FILENO) < 0 || ::dup2(outputFd, STDOUT_FILENO) < 0 ||
        ::dup2(outputFd, STDERR_FILENO) < 0) {
        ReportAndExit(errorFd);
    }
    if (folder != nullptr && ::chdir(folder) != 0) {
        ReportAndExit(errorFd);
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execve(program, argv, envp);
    ReportAndExit(errorFd);
}

// Ends the guard the way its program ended, without a core file of its own.
[[noreturn]] void EndLike(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        ::sigaction(signal, &standard, nullptr);
        sigset_t only;
        sigemptyset(&only);
        sigaddset(&only, signal);
        ::kill(::getpid(), signal);
        ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
        ::_exit(128 + signal);
    }
    ::_exit(WEXITSTATUS(status));
}

// Every signal is blocked here (the parent blocked them around fork).
[[noreturn]] void Guard(pid_t parent, const char* program, char* const* argv, char* const* envp,
                        const char* folder, int outputFd, int errorFd) {
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, kParentDied);
    CloseOthers(outputFd, errorFd);
    if (::getppid() != parent) {
        ::kill(0, SIGKILL);  // the parent died before the death signal was armed
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ReportAndExit(errorFd);
    }
    if (child == 0) {
        ExecProgram(program, argv, envp, folder, outputFd, errorFd);
    }
    ::close(errorFd);
    ::close(outputFd);
    sigset_t wanted;
    sigemptyset(&wanted);
    sigaddset(&wanted, SIGCHLD);
    sigaddset(&wanted, kParentDied);
    for (;;) {
        const int signal = ::sigwaitinfo(&wanted, nullptr);
        if (signal == kParentDied) {
            ::kill(0, SIGKILL);
        }
        int status = 0;
        if (signal == SIGCHLD && ::waitpid(child, &status, WNOHANG) == child) {
            EndLike(status);
        }
    }
}

}  // namespace

pid_t SpawnGuarded(const GuardedSpawnPlan& plan, int& errorNumber) {
    errorNumber = 0;
    std::vector<char*> argv;
    for (const auto& argument : plan.arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const auto& entry : plan.environment) {
        envp.push_back(const_cast<char*>(entry.c_str()));
    }
    envp.push_back(nullptr);
    const std::string folder = plan.workingDirectory.string();

    int errorPipe[2];
    if (::pipe2(errorPipe, O_CLOEXEC) != 0) {
        errorNumber = errno;
        return -1;
    }
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t parent = ::getpid();
    const pid_t guard = ::fork();
    if (guard == 0) {
        ::close(errorPipe[0]);
        Guard(parent, plan.program.c_str(), argv.data(), envp.data(),
              folder.empty() ? nullptr : folder.c_str(), plan.outputFd, errorPipe[1]);
    }
    const int forkError = errno;
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ::close(errorPipe[1]);
    if (guard < 0) {
        ::close(errorPipe[0]);
        errorNumber = forkError;
        return -1;
    }
    // Closed at the program's exec: nothing read means it started.
    int execError = 0;
    ssize_t got;
    while ((got = ::read(errorPipe[0], &execError, sizeof execError)) < 0 && errno == EINTR) {
    }
    ::close(errorPipe[0]);
    if (got == static_cast<ssize_t>(sizeof execError)) {
        int status = 0;
        while (::waitpid(guard, &status, 0) < 0 && errno == EINTR) {
        }
        errorNumber = execError;
        return -1;
    }
    return guard;
}

}  // namespace trovique
