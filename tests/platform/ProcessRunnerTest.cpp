#include "platform/ProcessRunner.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "ProcessProbe.h"
#include "platform/CancelSignals.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

using namespace std::chrono_literals;

ProcessResult RunShell(const std::string& script, std::chrono::milliseconds limit = 10s,
                       std::chrono::milliseconds grace = 2000ms) {
    CProcessRunner runner(grace);
    return runner.Run({{"sh", "-c", script}, {}, limit});
}

struct EndCase {
    const char* script;
    ProcessEnd end;
    int exitCode;
    int signal;
};

void PrintTo(const EndCase& end, std::ostream* out) {
    *out << end.script;
}

class ProcessRunnerEndTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(ProcessRunnerEndTest, ReportsHowTheProgramEnded) {
    const auto& expected = GetParam();
    const auto result = RunShell(expected.script);
    EXPECT_EQ(result.end, expected.end);
    EXPECT_EQ(result.exitCode, expected.exitCode);
    EXPECT_EQ(result.signal, expected.signal);
    EXPECT_EQ(result.Succeeded(), expected.end == ProcessEnd::Exited && expected.exitCode == 0);
}

INSTANTIATE_TEST_SUITE_P(Ends, ProcessRunnerEndTest,
                         ::testing::Values(EndCase{"exit 0", ProcessEnd::Exited, 0, 0},
                                           EndCase{"exit 3", ProcessEnd::Exited, 3, 0},
                                           EndCase{"exit 255", ProcessEnd::Exited, 255, 0},
                                           EndCase{"kill -SEGV $$", ProcessEnd::Signalled, -1,
                                                   SIGSEGV}));

TEST(ProcessRunnerTest, TimeOutArrivesOnTime) {
    const auto start = std::chrono::steady_clock::now();
    const auto result = RunShell("sleep 30", 300ms);
    EXPECT_EQ(result.end, ProcessEnd::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(ProcessRunnerTest, TimeOutKillsEverythingTheProgramStarted) {
    // The helper ignores SIGTERM, so only the final SIGKILL to the whole group stops it.
    const auto result =
        RunShell("(trap '' TERM; sleep 30) & echo $!; trap '' TERM; wait", 500ms, 200ms);
    ASSERT_EQ(result.end, ProcessEnd::TimedOut);
    const int helper = std::stoi(result.output);
    for (int i = 0; i < 100 && !test::ProcessGone(helper); ++i) {
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_TRUE(test::ProcessGone(helper)) << "helper " << helper << " still runs";
}

TEST(ProcessRunnerTest, ArgumentsReachTheProgramUntouched) {
    const std::vector<std::string> odd = {"with blank",
                                          "quote\"d 'both'",
                                          "semi;colon && rm -rf x",
                                          "-leading-dash",
                                          "$(not run) `nor this`",
                                          "*",
                                          "",
                                          "new\nline"};
    std::vector<std::string> arguments = {"printf", "[%s]"};
    arguments.insert(arguments.end(), odd.begin(), odd.end());
    CProcessRunner runner;
    const auto result = runner.Run({arguments, {}, 10s});
    ASSERT_TRUE(result.Succeeded()) << result.detail;
    std::string expected;
    for (const auto& argument : odd) {
        expected += "[" + argument + "]";
    }
    EXPECT_EQ(result.output, expected);
}

TEST(ProcessRunnerTest, MissingProgramCannotStart) {
    CProcessRunner runner;
    const auto result = runner.Run({{"trovique-no-such-program"}, {}, 10s});
    EXPECT_EQ(result.end, ProcessEnd::CouldNotStart);
    EXPECT_NE(result.detail.find("trovique-no-such-program"), std::string::npos);
    EXPECT_EQ(runner.Run({{}, {}, 10s}).end, ProcessEnd::CouldNotStart);
    const auto nowhere = runner.Run({{"true"}, "/trovique-no-such-folder", 10s});
    EXPECT_EQ(nowhere.end, ProcessEnd::CouldNotStart);
    EXPECT_NE(nowhere.detail.find("working folder"), std::string::npos);
}

TEST(ProcessRunnerTest, RunsInTheWorkingFolderAndKeepsOnlyTheStartOfLongOutput) {
    const test::ScratchDir scratch;
    CProcessRunner runner;
    const auto here = runner.Run({{"pwd"}, scratch.Path(), 10s});
    EXPECT_EQ(here.output, scratch.Path().string() + "\n");

    // Far more than a pipe holds: the program must not block on it.
    const auto chatty = RunShell("head -c 3000000 /dev/zero | tr '\\0' x; echo end >&2");
    ASSERT_TRUE(chatty.Succeeded());
    EXPECT_EQ(chatty.output, std::string(CProcessRunner::kKeptOutput, 'x'));
}

TEST(ProcessRunnerTest, FindsProgramsOnThePath) {
    const test::ScratchDir scratch;
    test::WriteAllBytes(scratch / "data", {'#', '!'});
    EXPECT_FALSE(FindProgramOnPath("sh").empty());
    EXPECT_EQ(FindProgramOnPath("/bin/sh"), "/bin/sh");
    EXPECT_TRUE(FindProgramOnPath("trovique-no-such-program").empty());
    EXPECT_TRUE(FindProgramOnPath((scratch / "data").string()).empty());  // not executable
    EXPECT_TRUE(FindProgramOnPath(scratch.Path().string()).empty());      // a folder
    EXPECT_TRUE(FindProgramOnPath("").empty());
}

// Runs body in a child process and returns its exit status, or -signal when a signal ended it.
template <class Body>
int InChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

std::string ReadPid(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string pid;
    std::getline(in, pid);
    return pid;
}

TEST(ProcessRunnerTest, WhatItStartedDiesWithItEvenByKill) {
    const test::ScratchDir scratch;
    const auto marker = scratch / "helper";
    const pid_t child = ::fork();
    if (child == 0) {
        CProcessRunner runner;
        runner.Run({{"sh", "-c", "sleep 30 & echo $! > '" + marker.string() + "'; wait"}, {}, 60s});
        ::_exit(0);
    }
    for (int i = 0; i < 200 && ReadPid(marker).empty(); ++i) {
        std::this_thread::sleep_for(20ms);
    }
    const std::string helper = ReadPid(marker);
    ASSERT_FALSE(helper.empty());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    for (int i = 0; i < 100 && !test::ProcessGone(std::stoi(helper)); ++i) {
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_TRUE(test::ProcessGone(std::stoi(helper))) << "helper " << helper << " outlived us";
}

TEST(ProcessRunnerTest, ACancelSignalEndsTheWaitAndThenTheProgram) {
    // In a child, since the handlers stay for the rest of the process.
    const int status = InChild([] {
        InstallCancelSignals();
        std::thread([] {
            std::this_thread::sleep_for(200ms);
            ::kill(::getpid(), SIGTERM);
        }).detach();
        const auto start = std::chrono::steady_clock::now();
        const auto result = RunShell("sleep 30", 60s, 200ms);
        const bool quick = std::chrono::steady_clock::now() - start < 10s;
        return result.end == ProcessEnd::TimedOut && quick && CancelRequested() ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace trovique
