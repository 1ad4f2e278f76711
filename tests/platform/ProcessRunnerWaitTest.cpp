// The runner's wait as a caller with windows uses it: a call-back at every poll that may end
// the wait, no time limit, and a program left running when the wait ends.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "ProcessProbe.h"
#include "platform/ProcessRunner.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds patience = 10s) {
    const auto end = std::chrono::steady_clock::now() + patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    return text;
}

// No entry at all: ended and reaped, not a zombie.
bool Reaped(int pid) {
    return !fs::exists("/proc/" + std::to_string(pid));
}

TEST(ProcessRunnerWaitTest, CallsBackAtEveryPollUntilTheProgramEnds) {
    CProcessRunner runner;
    ProcessRequest request{{"sleep", "0.6"}, {}, ProcessRequest::kNoTimeLimit};
    int calls = 0;
    request.whileWaiting = [&calls] {
        ++calls;
        return true;
    };
    request.pollInterval = 100ms;
    const auto result = runner.Run(request);
    EXPECT_TRUE(result.Succeeded()) << result.detail;
    // Six intervals pass; a loaded machine may let a few go by unseen, but never all of them,
    // and never many more than the program ran.
    EXPECT_GE(calls, 2);
    EXPECT_LE(calls, 8);
}

// Ending the wait from the call-back, by a program that keeps running: killed with its
// helpers, or left to end on its own.
class ProcessRunnerStopTest : public testing::TestWithParam<bool> {};

TEST_P(ProcessRunnerStopTest, EndingTheWaitKillsOrLeavesTheProgram) {
    const bool leaveRunning = GetParam();
    const test::ScratchDir scratch;
    const fs::path pidFile = scratch / "pid";
    const fs::path doneFile = scratch / "done";
    CProcessRunner runner(200ms);
    ProcessRequest request{{"sh", "-c", "echo $$ > \"$1\"; sleep 1; echo yes > \"$2\"", "sh",
                            pidFile.string(), doneFile.string()},
                           {},
                           ProcessRequest::kNoTimeLimit};
    request.leaveRunning = leaveRunning;
    request.whileWaiting = [&pidFile] { return !fs::exists(pidFile); };
    request.pollInterval = 50ms;

    const auto start = std::chrono::steady_clock::now();
    const auto result = runner.Run(request);
    EXPECT_EQ(result.end, ProcessEnd::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 900ms);
    EXPECT_FALSE(fs::exists(doneFile));
    ASSERT_TRUE(WaitFor([&] { return !ReadText(pidFile).empty(); }));
    const int pid = std::stoi(ReadText(pidFile));

    if (leaveRunning) {
        EXPECT_FALSE(test::ProcessGone(pid)) << "the program should still run";
        EXPECT_TRUE(WaitFor([&] { return fs::exists(doneFile); })) << "it was not left to finish";
        EXPECT_TRUE(WaitFor([&] { return Reaped(pid); })) << "it ended but was never reaped";
    } else {
        EXPECT_TRUE(WaitFor([&] { return Reaped(pid); }));
        std::this_thread::sleep_for(1200ms);
        EXPECT_FALSE(fs::exists(doneFile)) << "the program outlived its wait";
    }
}

INSTANTIATE_TEST_SUITE_P(KillOrLeave, ProcessRunnerStopTest, testing::Bool());

}  // namespace
}  // namespace trovique
