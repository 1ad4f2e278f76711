#include "core/services/Messages.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/services/MemorySettingsStore.h"
#include "support/ScriptedUserInterface.h"

namespace trovique {
namespace {

using test::CScriptedUserInterface;
using test::ShownMessage;

const std::string kApp = "Norvane Trovique";

TEST(ReportMessageTest, EmptyTitleBecomesTheApplicationTitle) {
    CScriptedUserInterface ui;
    EXPECT_EQ(ReportMessage(ui, "Read error: bad file", kStyleInformation), MessageAnswer::Ok);
    EXPECT_EQ(ReportMessage(ui, "Refused", kStyleExclamation, "Import"), MessageAnswer::Ok);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].title, kApp);
    EXPECT_EQ(ui.Messages()[0].style.WindowsValue(), 64);
    EXPECT_EQ(ui.Messages()[1].title, "Import");
    EXPECT_EQ(ui.Messages()[1].style.WindowsValue(), 48);
}

// Styles are stored and compared with the Windows numbers; the named styles are those numbers.
TEST(MessageStyleTest, WindowsNumbersOfTheNamedStyles) {
    const struct {
        MessageStyle style;
        int windows;
        MessageAnswer safe;
    } cases[] = {
        {kStyleCritical, 16, MessageAnswer::Ok},
        {kStyleExclamation, 48, MessageAnswer::Ok},
        {kStyleInformation, 64, MessageAnswer::Ok},
        {kStyleYesNo, 36, MessageAnswer::No},
        {kStyleYesNoWarning, 52, MessageAnswer::No},
        {kStyleYesNoCancel, 35, MessageAnswer::Cancel},
        {{MessageButtons::OkCancel, MessageIcon::None}, 1, MessageAnswer::Cancel},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.style.WindowsValue(), c.windows);
        EXPECT_EQ(MessageStyle::FromWindows(c.windows), c.style) << c.windows;
        EXPECT_EQ(SafeAnswer(c.style), c.safe) << c.windows;
        EXPECT_EQ(AsksQuestion(c.style), c.safe != MessageAnswer::Ok) << c.windows;
    }
    EXPECT_EQ(static_cast<int>(MessageAnswer::Yes), 6);
    EXPECT_EQ(static_cast<int>(MessageAnswer::No), 7);
    EXPECT_EQ(static_cast<int>(MessageAnswer::Cancel), 2);
}

TEST(AskTextTest, AnswerIsCutToTheCharactersTheEntryTakes) {
    const struct {
        std::optional<std::string> typed;
        std::size_t maxLength;
        std::optional<std::string> expected;
    } cases[] = {
        {"secret-word", 8, "secret-w"},
        {"short", 8, "short"},
        {"caf\u00e9\u00e9\u00e9", 5, "caf\u00e9\u00e9"},  // characters, not bytes
        {"unlimited", 0, "unlimited"},
        {std::nullopt, 8, std::nullopt},
    };
    for (const auto& c : cases) {
        CScriptedUserInterface ui;
        ui.QueueText(c.typed);
        EXPECT_EQ(AskText(ui, TextQuestion{"Enter Password", "Password:", {}, true, c.maxLength}),
                  c.expected);
        ASSERT_EQ(ui.TextQuestions().size(), 1u);
        EXPECT_TRUE(ui.TextQuestions()[0].secret);
    }
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
        MessageAnswer ShowMessage(const std::string&, MessageStyle, const std::string&) override {
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

// A ticked box is remembered with Yes only: a remembered No would later answer Yes unasked.
TEST_F(ConfirmOnceTest, TickedBoxIsRememberedOnlyWithYes) {
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
        if (c.ticked && c.yes) {
            EXPECT_EQ(stored, "1") << "answer yes=" << c.yes;
        } else {
            EXPECT_FALSE(stored.has_value()) << "answer yes=" << c.yes;
        }
    }
}

TEST_F(ConfirmOnceTest, RememberedQuestionAnswersYesWithoutAsking) {
    ui.QueueConfirm(true, true);
    EXPECT_TRUE(ConfirmOnce(services, "Delete?", "", "DeleteNode"));
    EXPECT_TRUE(ConfirmOnce(services, "Delete?", "", "DeleteNode"));
    EXPECT_EQ(ui.Messages().size(), 1u);
    // Another key is still asked.
    ui.QueueConfirm(false);
    EXPECT_FALSE(ConfirmOnce(services, "Convert?", "", "ConvertSelectedLeaf"));
}

TEST_F(ConfirmOnceTest, TickedNoIsAskedAgain) {
    ui.QueueConfirm(false, true);
    ui.QueueConfirm(false);
    EXPECT_FALSE(ConfirmOnce(services, "Delete?", "", "DeleteNode"));
    EXPECT_FALSE(ConfirmOnce(services, "Delete?", "", "DeleteNode"));
    EXPECT_EQ(ui.Messages().size(), 2u);
    EXPECT_FALSE(Memory("DeleteNode").has_value());
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
            EXPECT_EQ(ReportMessage(ui, "Replace existing file?", kStyleYesNo), MessageAnswer::No);
        },
        "no scripted answer: \"Replace existing file?\"");
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedUserInterface ui;
            ui.QueueAnswer(MessageAnswer::Yes);
        },
        "was never asked");
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedUserInterface ui;
            ui.QueueAnswer(MessageAnswer::Yes);
            ReportMessage(ui, "Information only", kStyleInformation);
        },
        "was never asked");
}

}  // namespace
}  // namespace trovique
