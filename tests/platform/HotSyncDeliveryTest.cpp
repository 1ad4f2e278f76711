// The automatic conversion's HotSync road against a real process: a stand-in install tool, a
// script in a "Palm Desktop" folder registered in the settings, that notes what it was given.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "core/delivery/AutoImportExportInstall.h"
#include "core/editor/Document.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "platform/ProcessRunner.h"
#include "support/DeliveryFixture.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Notes its arguments one a line, whether each was a file then, keeps a copy of the database,
// waits as long as the file "sleep" says, and notes that it ended.
constexpr const char* kInstallTool = R"sh(#!/bin/sh
here=$(dirname "$0")
for file in "$@"; do
    printf '%s\n' "$file" >> "$here/args"
    if [ -f "$file" ]; then echo file >> "$here/seen"; else echo missing >> "$here/seen"; fi
done
cp "$2" "$here/received.pdb"
sleep "$(cat "$here/sleep")"
echo closed > "$here/closed"
)sh";

std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool WaitFor(const fs::path& file, std::chrono::seconds patience) {
    const auto end = std::chrono::steady_clock::now() + patience;
    while (!fs::exists(file) && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(50ms);
    }
    return fs::exists(file);
}

class HotSyncDeliveryTest : public testing::Test, public test::DeliveryFixture {
protected:
    HotSyncDeliveryTest() : palm(desktop / "Palm Desktop") {
        fs::create_directory(palm);
        const std::string script(kInstallTool);
        test::WriteAllBytes(palm / "InstApp", {script.begin(), script.end()});
        ::chmod((palm / "InstApp").c_str(), 0755);
        RegisterPalmDesktop(palm);
    }

    // Runs the HotSync road with a tool that stays open for toolSeconds; returns the seconds
    // the run took.
    double HotSync(const std::string& toolSeconds, bool expected = true) {
        std::ofstream(palm / "sleep") << toolSeconds;
        Ui().QueueDestination(SlideShowDestination::HotSync);
        auto document = NewDocument();
        std::string presentation = Presentation();
        DeliveryContext context = Context(runner);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(AutoImportExportInstall(*document, context, presentation), expected);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        return took.count();
    }

    void TearDown() override {
        // A tool left running past the wait ends on its own; let it, before its folder goes.
        EXPECT_TRUE(WaitFor(palm / "closed", 10s));
    }

    test::ScratchDir desktop;
    fs::path palm;
    CProcessRunner runner;
};

TEST_F(HotSyncDeliveryTest, HandsViewerThenDatabaseToTheToolAndWaitsUntilItCloses) {
    test::WriteAllBytes(TempFolder() / "Talk.PDB", {'o', 'l', 'd'});
    HotSync("0.5");
    EXPECT_TRUE(fs::exists(palm / "closed")) << "the run did not wait for the tool";
    EXPECT_EQ(Lines(palm / "args"),
              (std::vector<std::string>{(TempFolder() / "TROVIQUE.PRC").string(),
                                        (TempFolder() / "Talk.1.PDB").string()}));
    EXPECT_EQ(Lines(palm / "seen"), (std::vector<std::string>{"file", "file"}));
    auto received = NewDocument();
    ASSERT_TRUE(Read(*received, palm / "received.pdb", true));
    EXPECT_EQ(received->Tree().LeafCount(), 2u);
    EXPECT_GT(Ui().CancelPolls(), 0) << "the progress window must be polled while the tool is open";
    // Only the file that was there before remains.
    EXPECT_EQ(test::FileNamesIn(TempFolder()), std::vector<std::string>{"Talk.PDB"});
}

TEST_F(HotSyncDeliveryTest, StopsWaitingAtTheTimeLimitAndLeavesTheToolOpen) {
    SetWaitSeconds("1");
    const double took = HotSync("3");
    EXPECT_FALSE(fs::exists(palm / "closed")) << "the run waited past its limit";
    EXPECT_GE(took, 1.0);
    EXPECT_EQ(test::FileNamesIn(TempFolder()), std::vector<std::string>{});
    EXPECT_TRUE(WaitFor(palm / "closed", 10s)) << "the tool was not left to close by itself";
}

TEST_F(HotSyncDeliveryTest, ZeroWaitsWithoutLimit) {
    SetWaitSeconds("0");
    HotSync("1.5");
    EXPECT_TRUE(fs::exists(palm / "closed"));
    EXPECT_EQ(test::FileNamesIn(TempFolder()), std::vector<std::string>{});
}

}  // namespace
}  // namespace trovique
