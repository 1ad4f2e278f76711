#include "core/delivery/HotSyncInstall.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "FakeInstallRunner.h"
#include "core/common/Error.h"
#include "core/delivery/ShellAndWait.h"
#include "core/services/MemorySettingsStore.h"
#include "support/DeliveryFixture.h"
#include "support/ScriptedUserInterface.h"

namespace trovique {
namespace {

using namespace std::chrono_literals;

// Short names the way the system makes them: a part with a blank or more than eight
// characters before its extension becomes its first six letters and "~1".
std::string FakeShortName(const std::string& path) {
    std::stringstream parts(path);
    std::string shortPath;
    std::string part;
    bool first = true;
    while (std::getline(parts, part, '/')) {
        if (!first) {
            shortPath += '/';
        }
        first = false;
        const std::size_t dot = part.rfind('.');
        const std::string stem = part.substr(0, dot);
        const std::string extension = dot == std::string::npos ? "" : part.substr(dot);
        if (stem.find(' ') != std::string::npos || stem.size() > 8) {
            std::string letters;
            for (const char c : stem) {
                if (c != ' ' && letters.size() < 6) {
                    letters += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                }
            }
            part = letters + "~1" + extension;
        }
        shortPath += part;
    }
    return shortPath;
}

struct ArgumentsCase {
    const char* name;
    std::vector<std::string> files;
    std::vector<std::string> expected;
};

TEST(InstallToolArgumentsTest, ShortNamesKeepBlanksOutOfTheArguments) {
    const std::string longName(45, 'q');
    const ArgumentsCase cases[] = {
        {"long folder, plain name: short folder and long name",
         {"/Program Files/Trovique/DATA/TROVIQUE.PRC", "/tmp/Talk.PDB"},
         {"/PROGRA~1/Trovique/DATA/TROVIQUE.PRC", "/tmp/Talk.PDB"}},
        {"blank in the name: the whole short path", {"/tmp/My Talk.PDB"}, {"/tmp/MYTALK~1.PDB"}},
        {"128 characters or more: every file whole and short",
         {"/Palm Desktop/" + longName + ".PRC", "/tmp/" + longName + ".PDB", "/tmp/Talk.PDB"},
         {"/PALMDE~1/QQQQQQ~1.PRC", "/tmp/QQQQQQ~1.PDB", "/tmp/Talk.PDB"}},
        {"a name without a folder stays as it is", {"Talk.PDB"}, {"Talk.PDB"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InstallToolArguments(c.files, FakeShortName), c.expected) << c.name;
    }
    // Just under the limit the long names stay.
    const std::vector<std::string> justUnder = {"/tmp/" + std::string(120, 'a') + ".P"};
    ASSERT_EQ(justUnder.front().size(), 127u);
    EXPECT_EQ(InstallToolArguments(justUnder, FakeShortName), justUnder);
}

TEST(InstallToolArgumentsTest, WithoutShortNamesPathsPassWhole) {
    const std::vector<std::string> files = {"/home/ann/Palm Desktop/TROVIQUE.PRC",
                                            "/tmp/My Talk.PDB"};
    EXPECT_EQ(InstallToolArguments(files, {}), files);
    // A path the system has no short form for is passed long rather than lost.
    const auto none = [](const std::string&) { return std::string(); };
    EXPECT_EQ(InstallToolArguments(files, none), files);
}

TEST(InstallToolWaitSecondsTest, ReadsTheSettingWithItsDefault) {
    const std::pair<const char*, int> cases[] = {
        {nullptr, 180}, {"", 180},    {"0", 0},     {"-5", -5},
        {"30", 30},     {" 12x", 12}, {"abc", 180}, {"1e9", 1000000000},
    };
    for (const auto& [stored, seconds] : cases) {
        test::DeliveryFixture fixture;
        if (stored != nullptr) {
            fixture.SetWaitSeconds(stored);
        }
        EXPECT_EQ(InstallToolWaitSeconds(fixture.Services()), seconds)
            << (stored ? stored : "(missing)");
    }
}

class InstallWithHotSyncTest : public testing::Test, public test::DeliveryFixture {
protected:
    test::FakeInstallRunner runner;
    const std::vector<std::string> files = {"/tmp/TROVIQUE.PRC", "/tmp/Talk.PDB"};
};

TEST_F(InstallWithHotSyncTest, MissingPalmDesktopKeyRaisesWithoutStartingAnything) {
    try {
        InstallWithHotSync(Services(), runner, files);
        FAIL() << "no error";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), 1u);
        EXPECT_EQ(error.Source(), "HotSyncInstall");
        EXPECT_EQ(error.Description(), "Could not find registry key for HotSync InstallApp");
    }
    EXPECT_TRUE(runner.requests.empty());
}

TEST_F(InstallWithHotSyncTest, StartsInstAppInTheRegisteredFolderWithTheFilesInOrder) {
    RegisterPalmDesktop("/opt/Palm Desktop");
    InstallWithHotSync(Services(), runner, files);
    ASSERT_EQ(runner.requests.size(), 1u);
    const ProcessRequest& request = runner.requests.front();
    EXPECT_EQ(request.arguments, (std::vector<std::string>{"/opt/Palm Desktop/InstApp",
                                                           "/tmp/TROVIQUE.PRC", "/tmp/Talk.PDB"}));
    // The tool is the user's window: never killed, and the wait is timed by the caller.
    EXPECT_TRUE(request.leaveRunning);
    EXPECT_EQ(request.timeLimit, ProcessRequest::kNoTimeLimit);
    EXPECT_EQ(request.pollInterval, 100ms);
    // The progress window was polled, so that it stays responsive, at every poll.
    EXPECT_EQ(Ui().CancelPolls(), runner.polls);
}

// A Cancel ends the wait only where the progress window allows it; the program keeps running.
TEST(ShellAndWaitTest, CancelEndsTheWaitOnlyWhenAllowed) {
    for (const bool allowed : {false, true}) {
        test::CScriptedUserInterface ui;
        test::FakeInstallRunner runner;
        runner.polls = 5;
        ui.Progress().SetAllowCancel(allowed);
        ui.PressCancel();
        EXPECT_EQ(ShellAndWait(runner, ui, {"tool"}, 0), !allowed) << allowed;
        EXPECT_EQ(ui.CancelPolls(), allowed ? 1 : 5);
        EXPECT_TRUE(runner.requests.at(0).leaveRunning);
    }
}

TEST(ElapsedSecondsTest, CountsAcrossMidnight) {
    const struct {
        double start;
        double now;
        double elapsed;
    } cases[] = {
        {100, 105, 5}, {100, 100, 0}, {86399, 1, 2}, {86399.5, 0.25, 0.75}, {0, 86399, 86399},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ElapsedSeconds(c.start, c.now), c.elapsed) << c.start << " " << c.now;
    }
    const double now = ClockSeconds();
    EXPECT_GE(now, 0);
    EXPECT_LT(now, kSecondsPerDay);
    EXPECT_LT(ElapsedSeconds(now), 60);
}

}  // namespace
}  // namespace trovique
