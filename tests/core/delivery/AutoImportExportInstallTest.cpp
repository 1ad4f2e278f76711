#include "core/delivery/AutoImportExportInstall.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>

#include "FakeInstallRunner.h"
#include "core/delivery/PathOps.h"
#include "core/editor/Document.h"
#include "core/services/MessageStyle.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "support/DeliveryFixture.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;
using test::FileNamesIn;
using test::ShownMessage;

constexpr const char* kRunError = "An error has occurred creating Palm Slide Show from file ";
constexpr const char* kWaitText =
    "Norvane Trovique will now wait until you complete and close Palm Install Tool.";

class AutoImportExportInstallTest : public testing::Test, public test::DeliveryFixture {
protected:
    AutoImportExportInstallTest() : document(NewDocument()), presentation(Presentation()) {}

    bool RunIt() {
        DeliveryContext context = Context(runner);
        return AutoImportExportInstall(*document, context, presentation);
    }

    std::vector<ShownMessage> Criticals() {
        std::vector<ShownMessage> shown;
        for (const auto& message : Ui().Messages()) {
            if (message.style == kStyleCritical) {
                shown.push_back(message);
            }
        }
        return shown;
    }

    std::size_t SlidesIn(const fs::path& file) {
        auto reader = NewDocument();
        EXPECT_TRUE(Read(*reader, file, true));
        return reader->Tree().LeafCount();
    }

    // What every road leaves behind: nothing in the temporary folder, the shipped viewer
    // untouched, a clean slide show and no progress window.
    void ExpectCleanedUp() {
        EXPECT_EQ(FileNamesIn(TempFolder()), std::vector<std::string>{});
        EXPECT_EQ(test::ReadAllBytes(ViewerPath()), ViewerBytes());
        EXPECT_FALSE(document->Dirty());
        EXPECT_FALSE(Ui().ProgressVisible());
    }

public:
    test::FakeInstallRunner runner;
    std::unique_ptr<CDocument> document;
    std::string presentation;
};

// Every way a run can end, and what it leaves behind.
struct RoadCase {
    const char* name;
    SlideShowDestination destination;
    std::function<void(AutoImportExportInstallTest&)> arrange;
    bool result;
    std::size_t installRuns;
    const char* criticalEnd;  // the run's critical message ends so; nullptr: none
};

void PrintTo(const RoadCase& road, std::ostream* out) {
    *out << road.name;
}

const fs::path kPalm = "/opt/Palm Desktop";

const RoadCase kRoads[] = {
    {"cancel", SlideShowDestination::Cancel, [](auto&) {}, false, 0, nullptr},
    {"hotsync", SlideShowDestination::HotSync,
     [](AutoImportExportInstallTest& t) { t.RegisterPalmDesktop(kPalm); }, true, 1, nullptr},
    {"hotsync without the Palm Desktop", SlideShowDestination::HotSync, [](auto&) {}, false, 0,
     "Could not find registry key for HotSync InstallApp"},
    {"hotsync, tool cannot start", SlideShowDestination::HotSync,
     [](AutoImportExportInstallTest& t) {
         t.RegisterPalmDesktop(kPalm);
         t.runner.startFails = true;
     },
     false, 1, "The program /opt/Palm Desktop/InstApp was not found."},
    {"hotsync, presentation unreadable", SlideShowDestination::HotSync,
     [](AutoImportExportInstallTest& t) {
         t.RegisterPalmDesktop(kPalm);
         t.Source().FailOpen("The presentation is damaged.");
     },
     false, 0, nullptr},
    {"hotsync, import cancelled", SlideShowDestination::HotSync,
     [](AutoImportExportInstallTest& t) {
         t.RegisterPalmDesktop(kPalm);
         t.Source().onSlide = [&t](std::size_t) { t.Ui().PressCancel(); };
     },
     false, 0, nullptr},
    {"hotsync, no slides", SlideShowDestination::HotSync,
     [](AutoImportExportInstallTest& t) {
         t.RegisterPalmDesktop(kPalm);
         t.Source() = test::ScriptedPresentationSource();
     },
     false, 0, "No slide of the presentation could be converted."},
    {"hotsync, viewer application missing", SlideShowDestination::HotSync,
     [](AutoImportExportInstallTest& t) {
         t.RegisterPalmDesktop(kPalm);
         fs::remove(t.ViewerPath());
     },
     false, 0, "was not found."},
};

class AutoImportExportInstallRoadTest : public AutoImportExportInstallTest,
                                        public testing::WithParamInterface<RoadCase> {};

TEST_P(AutoImportExportInstallRoadTest, EndsAsExpectedAndLeavesNothingBehind) {
    const RoadCase& road = GetParam();
    Ui().QueueDestination(road.destination);
    road.arrange(*this);
    const bool viewerShipped = fs::exists(ViewerPath());

    EXPECT_EQ(RunIt(), road.result);
    EXPECT_EQ(runner.requests.size(), road.installRuns);
    const auto criticals = Criticals();
    if (road.criticalEnd == nullptr) {
        EXPECT_TRUE(criticals.empty()) << criticals.front().text;
    } else {
        ASSERT_EQ(criticals.size(), 1u);
        const std::string& text = criticals.front().text;
        EXPECT_EQ(text.rfind(kRunError + presentation + ": ", 0), 0u) << text;
        EXPECT_TRUE(text.ends_with(road.criticalEnd)) << text;
    }
    if (road.destination == SlideShowDestination::Cancel) {
        EXPECT_TRUE(Ui().Messages().empty());
        EXPECT_EQ(Source().OpenCount(), 0) << "nothing may be imported after Cancel";
    }
    if (viewerShipped) {
        ExpectCleanedUp();
    } else {
        EXPECT_EQ(Source().OpenCount(), 0) << "the missing viewer is known before the import";
        EXPECT_EQ(FileNamesIn(TempFolder()), std::vector<std::string>{});
    }
}

INSTANTIATE_TEST_SUITE_P(Roads, AutoImportExportInstallRoadTest, testing::ValuesIn(kRoads),
                         [](const testing::TestParamInfo<RoadCase>& road) {
                             std::string name;
                             for (const char c : std::string(road.param.name)) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

TEST_F(AutoImportExportInstallTest, HotSyncHandsTheViewerCopyAndTheDatabaseToTheTool) {
    RegisterPalmDesktop(kPalm);
    Ui().QueueDestination(SlideShowDestination::HotSync);
    const fs::path database = TempFolder() / "Talk.PDB";
    const fs::path copy = TempFolder() / "TROVIQUE.PRC";
    runner.whileRunning = [&](const ProcessRequest&) {
        EXPECT_EQ(test::ReadAllBytes(copy), ViewerBytes());
        const CProgress& progress = Ui().Progress();
        EXPECT_TRUE(progress.Visible());
        EXPECT_EQ(progress.Text(), kWaitText);
        EXPECT_EQ(progress.Top(), 0);
        EXPECT_FALSE(progress.AllowCancel());
        EXPECT_FALSE(progress.OnTop());
        // Last: reading shows the progress window of its own.
        EXPECT_EQ(SlidesIn(database), 2u);
    };
    EXPECT_TRUE(RunIt());
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(
        runner.requests.front().arguments,
        (std::vector<std::string>{(kPalm / "InstApp").string(), copy.string(), database.string()}));
    ExpectCleanedUp();
}

TEST_F(AutoImportExportInstallTest, HotSyncIntoAnInstallFolderKeepsOnlyTheCopiesThere) {
    test::ScratchDir inbox;
    Settings().Set("Norvane Trovique", "Settings", "InstallFolder", inbox.Path().string());
    Ui().QueueDestination(SlideShowDestination::HotSync);
    EXPECT_TRUE(RunIt());
    EXPECT_TRUE(runner.requests.empty());
    EXPECT_EQ(FileNamesIn(inbox.Path()), (std::vector<std::string>{"TROVIQUE.PRC", "Talk.PDB"}));
    EXPECT_EQ(test::ReadAllBytes(inbox / "TROVIQUE.PRC"), ViewerBytes());
    EXPECT_EQ(SlidesIn(inbox / "Talk.PDB"), 2u);
    EXPECT_TRUE(Criticals().empty());
    ExpectCleanedUp();
}

TEST_F(AutoImportExportInstallTest, AnInstallFolderThatIsNotThereStopsTheRunBeforeTheImport) {
    Settings().Set("Norvane Trovique", "Settings", "InstallMethod", "InstallFolder");
    Ui().QueueDestination(SlideShowDestination::HotSync);
    EXPECT_FALSE(RunIt());
    EXPECT_EQ(Source().OpenCount(), 0);
    ASSERT_EQ(Criticals().size(), 1u);
    EXPECT_NE(Criticals().front().text.find("No install folder is set"), std::string::npos);
    ExpectCleanedUp();
}

TEST_F(AutoImportExportInstallTest, TheShippedViewerIsNeitherCopiedOverNorDeleted) {
    // The database goes into the DATA folder itself: the "copy" is the viewer.
    RegisterPalmDesktop(kPalm);
    Ui().QueueDestination(SlideShowDestination::HotSync);
    DeliveryContext context = Context(runner);
    context.tempFolder = ViewerPath().parent_path().string();
    EXPECT_TRUE(AutoImportExportInstall(*document, context, presentation));
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests.front().arguments[1], ViewerPath().string());
    EXPECT_EQ(FileNamesIn(ViewerPath().parent_path()), std::vector<std::string>{"TROVIQUE.PRC"});
    EXPECT_EQ(test::ReadAllBytes(ViewerPath()), ViewerBytes());
}

TEST_F(AutoImportExportInstallTest, ALinkInTheTemporaryFolderIsNotCopiedThrough) {
    RegisterPalmDesktop(kPalm);
    Ui().QueueDestination(SlideShowDestination::HotSync);
    const fs::path victim = FilesFolder() / "victim";
    test::WriteAllBytes(victim, {'m', 'i', 'n', 'e'});
    fs::create_symlink(victim, TempFolder() / "TROVIQUE.PRC");
    EXPECT_TRUE(RunIt());
    EXPECT_EQ(test::ReadAllBytes(victim), (std::vector<unsigned char>{'m', 'i', 'n', 'e'}));
    ExpectCleanedUp();
}

TEST_F(AutoImportExportInstallTest, SaveProposesThePresentationsNameAndWritesTheChosenFile) {
    Ui().QueueDestination(SlideShowDestination::Save);
    const fs::path chosen = FilesFolder() / "chosen.pdb";
    Ui().QueueFileName(chosen.string());
    EXPECT_TRUE(RunIt());
    ASSERT_EQ(Ui().FileDialogs().size(), 1u);
    EXPECT_EQ(Ui().FileDialogs().front().initial, (FilesFolder() / "Talk.pdb").string());
    EXPECT_EQ(Ui().FileDialogs().front().kind, FileDialogKind::Export);
    EXPECT_EQ(SlidesIn(chosen), 2u);
    EXPECT_TRUE(runner.requests.empty());
    ExpectCleanedUp();
}

TEST_F(AutoImportExportInstallTest, SaveDialogCancelledImportsNothing) {
    Ui().QueueDestination(SlideShowDestination::Save);
    Ui().QueueFileName("");
    EXPECT_FALSE(RunIt());
    EXPECT_EQ(Source().OpenCount(), 0);
    EXPECT_TRUE(Ui().Messages().empty());
    EXPECT_EQ(FileNamesIn(FilesFolder()), std::vector<std::string>{"Talk.ppt"});
}

TEST_F(AutoImportExportInstallTest, AsksForThePresentationWhenToldTo) {
    presentation = kAskForPresentation;
    Ui().QueueFileName(Presentation());
    Ui().QueueDestination(SlideShowDestination::Cancel);
    EXPECT_FALSE(RunIt());
    EXPECT_EQ(presentation, Presentation());
    ASSERT_EQ(Ui().FileDialogs().size(), 1u);
    EXPECT_EQ(Ui().FileDialogs().front().initial, Application().LastDataPath());
    EXPECT_EQ(Ui().FileDialogs().front().kind, FileDialogKind::PowerPoint);

    // No file chosen: the run ends before the destination window.
    presentation = kAskForPresentation;
    Ui().QueueFileName("");
    EXPECT_FALSE(RunIt());
    EXPECT_EQ(Ui().DestinationQuestions(), 1);
}

TEST(TempPdbNameTest, NumbersTheNameUntilOneIsFree) {
    const test::ScratchDir temp;
    const std::string folder = temp.Path().string();
    EXPECT_EQ(TempPdbName("/decks/Talk.ppt", folder), folder + "/Talk.PDB");
    test::WriteAllBytes(temp / "Talk.PDB", {});
    EXPECT_EQ(TempPdbName("/decks/Talk.ppt", folder + "/"), folder + "/Talk.1.PDB");
    fs::create_symlink(temp / "nowhere", temp / "Talk.1.PDB");
    EXPECT_EQ(TempPdbName("/decks/Talk.ppt", folder), folder + "/Talk.2.PDB");
    EXPECT_EQ(TempPdbName("/decks/Talk.ppt", ""), "");
}

}  // namespace
}  // namespace trovique
