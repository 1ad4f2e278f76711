#include "core/app/Messages.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/app/MemorySettingsStore.h"
#include "support/ScriptedUserInterface.h"

namespace trovique {
namespace {

using test::CScriptedUserInterface;
using test::ShownMessage;

const std::string kApp = "Norvane Trovique";

TEST(ReportMessageTest, EmptyTitleBecomesTheApplicationTitle) {
    CScriptedUserInterface ui;
    EXPECT_EQ(ReportMessage(ui, "Read error: bad file", kStyleInformation), kAnswerOk);
    EXPECT_EQ(ReportMessage(ui, "Refused", kStyleExclamation, "Import"), kAnswerOk);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].title, kApp);
    EXPECT_EQ(ui.Messages()[0].style, 64);
    EXPECT_EQ(ui.Messages()[1].title, "Import");
    EXPECT_EQ(ui.Messages()[1].style, 48);
}

TEST(ReportMessageTest, FailuresKeepTheirStyleAndAreKnownAsFailures) {
    CScriptedUserInterface ui;
    ReportMessage(ui, "The Slide Show is valid.", kStyleInformation);
    ReportFailure(ui, "Read error: bad file", kStyleInformation);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_FALSE(ui.Messages()[0].failure);
    EXPECT_TRUE(ui.Messages()[1].failure);
    EXPECT_EQ(ui.Messages()[1].style, kStyleInformation);
    EXPECT_EQ(ui.Messages()[1].title, kApp);
}

TEST(ReportMessageTest, ShownWithNormalPointerInFrontOfTheSplash) {
    CScriptedUserInterface ui;
    ui.SetSplashVisible(true);
    ui.SetPointer(MousePointer::Hourglass);
    ReportMessage(ui, "Hello", kStyleInformation);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].pointer, MousePointer::Default);
    EXPECT_FALSE(ui.Messages()[0].splashTopMost);
    EXPECT_TRUE(ui.SplashTopMost());
    EXPECT_EQ(ui.Pointer(), MousePointer::Hourglass);
}

// A window implementation that fails while showing must not leave the splash let down or the
// pointer changed.
TEST(ReportMessageTest, PointerAndTopMostComeBackWhenShowingFails) {
    struct Throwing : IUserInterface {
        CScriptedUserInterface inner;
        int restored = -1;
        int ShowMessage(const std::string&, int, const std::string&) override {
            throw std::runtime_error("no display");
        }
        ConfirmAnswer AskConfirm(const std::string&, const std::string&) override {
            throw std::runtime_error("no display");
        }
        void ShowLongMessage(const std::string&, const std::string&, const std::string&) override {}
        int ReleaseTopMost() override { return kTopMostSplash | kTopMostProgress; }
        void RestoreTopMost(int flags) override { restored = flags; }
        MousePointer Pointer() const override { return inner.Pointer(); }
        void SetPointer(MousePointer pointer) override { inner.SetPointer(pointer); }
        CStatusBar& StatusBar() override { return inner.StatusBar(); }
        CProgress& Progress() override { return inner.Progress(); }
    } ui;
    ui.SetPointer(MousePointer::Hourglass);
    EXPECT_THROW(ReportMessage(ui, "x", kStyleInformation), std::runtime_error);
    EXPECT_EQ(ui.restored, 5);
    EXPECT_EQ(ui.Pointer(), MousePointer::Hourglass);
}

class ConfirmOnceTest : public ::testing::Test {
protected:
    std::optional<std::string> Memory(const std::string& key) const {
        return store.Get(kApp, "NoShowAgain", key);
    }

    MemorySettingsStore store;
    CScriptedUserInterface ui;
    CServices services{store, ui};
};

TEST_F(ConfirmOnceTest, TickedBoxIsRememberedWhateverTheAnswer) {
    struct Case {
        bool yes;
        bool ticked;
    };
    for (const Case c :
         {Case{true, false}, Case{false, false}, Case{true, true}, Case{false, true}}) {
        MemorySettingsStore fresh;
        CScriptedUserInterface scripted;
        CServices local{fresh, scripted};
        scripted.QueueConfirm(c.yes, c.ticked);
        EXPECT_EQ(ConfirmOnce(local, "Delete this slide?", "", "DeleteNode"), c.yes);
        const auto stored = fresh.Get(kApp, "NoShowAgain", "DeleteNode");
        if (c.ticked) {
            EXPECT_EQ(stored, "1") << "answer yes=" << c.yes;
        } else {
            EXPECT_FALSE(stored.has_value()) << "answer yes=" << c.yes;
        }
    }
}

TEST_F(ConfirmOnceTest, RememberedQuestionAnswersYesWithoutAsking) {
    ui.QueueConfirm(false, true);
    EXPECT_FALSE(ConfirmOnce(services, "Delete?", "", "DeleteNode"));
    EXPECT_TRUE(ConfirmOnce(services, "Delete?", "", "DeleteNode"));
    EXPECT_EQ(ui.Messages().size(), 1u);
    // Another key is still asked.
    ui.QueueConfirm(false);
    EXPECT_FALSE(ConfirmOnce(services, "Convert?", "", "ConvertSelectedLeaf"));
}

TEST_F(ConfirmOnceTest, StoredValuesReadAsNumbers) {
    struct Case {
        const char* stored;
        bool silenced;
    };
    for (const Case c : {Case{"1", true}, Case{"2", true}, Case{"1abc", true}, Case{"0", false},
                         Case{"", false}, Case{"abc", false}, Case{"-1", true}}) {
        store.Set(kApp, "NoShowAgain", "UseBigBitmap", c.stored);
        if (!c.silenced) {
            ui.QueueConfirm(false);
        }
        EXPECT_EQ(ConfirmOnce(services, "Use the big picture?", "", "UseBigBitmap"), c.silenced)
            << '"' << c.stored << '"';
    }
}

TEST_F(ConfirmOnceTest, EmptyKeyNeverStoresOrConsultsTheMemory) {
    store.Set(kApp, "NoShowAgain", "", "1");
    ui.QueueConfirm(false, true);
    ui.QueueConfirm(true, true);
    EXPECT_FALSE(ConfirmOnce(services, "Go on?", "", ""));
    EXPECT_TRUE(ConfirmOnce(services, "Go on?", "", ""));
    EXPECT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(store.Values(kApp, "NoShowAgain").size(), 1u);  // only the value put there above
}

TEST_F(ConfirmOnceTest, TitleDefaultsToTheApplicationTitle) {
    ui.QueueConfirm(true);
    ui.QueueConfirm(true);
    ConfirmOnce(services, "A?", "", "");
    ConfirmOnce(services, "B?", "Convert Leaf", "");
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].kind, ShownMessage::Kind::Confirm);
    EXPECT_EQ(ui.Messages()[0].title, kApp);
    EXPECT_EQ(ui.Messages()[1].title, "Convert Leaf");
}

// Tests lean on the script to notice a question nobody expected, or one that never came.
TEST(CScriptedUserInterfaceTest, UnscriptedOrMissingQuestionsFailTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedUserInterface ui;
            EXPECT_EQ(ReportMessage(ui, "Replace existing file?", kStyleYesNo), kAnswerNo);
        },
        "no scripted answer: \"Replace existing file?\"");
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedUserInterface ui;
            ui.QueueAnswer(kAnswerYes);
        },
        "was never asked");
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedUserInterface ui;
            ui.QueueAnswer(kAnswerYes);
            ReportMessage(ui, "Information only", kStyleInformation);
        },
        "was never asked");
}

}  // namespace
}  // namespace trovique
