#include "cli/TerminalUserInterface.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <stdexcept>

#include "core/services/MemorySettingsStore.h"
#include "core/services/Messages.h"

namespace trovique::cli {
namespace {

const std::string kNotAsked = " (not asked: input is not a terminal)\n";

struct Terminal {
    explicit Terminal(TerminalOptions options, const std::string& input = {})
        : in(input), ui(in, err, options) {}
    std::istringstream in;
    std::ostringstream err;
    CTerminalUserInterface ui;
};

TerminalOptions Options(AnswerPolicy answers = AnswerPolicy::Ask, bool inputIsTerminal = false,
                        bool errorIsTerminal = false) {
    TerminalOptions options;
    options.answers = answers;
    options.inputIsTerminal = inputIsTerminal;
    options.errorIsTerminal = errorIsTerminal;
    return options;
}

TEST(CTerminalUserInterfaceTest, MessageFormatting) {
    struct Case {
        std::string text;
        MessageStyle style;
        std::string title;
        std::string expected;
    };
    const Case cases[] = {
        {"Export error: disk full", kStyleCritical, "", "error: Export error: disk full\n"},
        {"Refused", kStyleExclamation, "Import", "warning: Import: Refused\n"},
        {"Read error: bad", kStyleInformation, "Norvane Trovique", "note: Read error: bad\n"},
        {"Plain", {}, "", "Plain\n"},
        {"Caf\u00e9 \u201cquoted\u201d \u20ac", kStyleInformation, "",
         "note: Caf\u00e9 \u201cquoted\u201d \u20ac\n"},
        {"a\x1b[2Jb\x9D\x07", kStyleInformation, "", "note: a?[2Jb??\n"},
        // C1 controls written as UTF-8, a cut sequence and an overlong one are not passed on.
        {"a\u009bb\xE2\x82 \xC0\xAF", kStyleInformation, "", "note: a?b?? ??\n"},
        {"first\r\nsecond\r\n\r\nfourth\r\n", kStyleExclamation, "",
         "warning: first\n  second\n\n  fourth\n"},
        {"C:\\a.sdb\r\nThis file already exists.\r\n\r\nReplace existing file?", kStyleYesNoWarning,
         "",
         "warning: C:\\a.sdb\n  This file already exists.\n\n  Replace existing file? [y/N] no" +
             kNotAsked},
        {"Save changes?", kStyleYesNoCancel, "Close",
         "question: Close: Save changes? [y/n/C] cancel" + kNotAsked},
    };
    for (const auto& c : cases) {
        Terminal terminal(Options());
        ReportMessage(terminal.ui, c.text, c.style, c.title);
        EXPECT_EQ(terminal.err.str(), c.expected) << c.text;
    }
}

// The terminal has no icons: a message that ends an operation with failure reads as an error.
TEST(CTerminalUserInterfaceTest, FailuresAreErrorsWhateverTheirStyle) {
    for (const MessageStyle style : {kStyleInformation, kStyleExclamation, kStyleCritical}) {
        Terminal terminal(Options());
        ReportFailure(terminal.ui, "ImportFromPowerPoint error: File not found: a.ppt", style);
        EXPECT_EQ(terminal.err.str(), "error: ImportFromPowerPoint error: File not found: a.ppt\n")
            << style.WindowsValue();
    }
}

TEST(CTerminalUserInterfaceTest, AnswersWithoutATerminal) {
    struct Case {
        AnswerPolicy policy;
        MessageStyle style;
        MessageAnswer answer;
        const char* word;
    };
    using enum AnswerPolicy;
    const Case cases[] = {
        {Ask, kStyleYesNo, MessageAnswer::No, " no (not asked"},
        {Ask, kStyleYesNoWarning, MessageAnswer::No, " no (not asked"},
        {Ask, kStyleYesNoCancel, MessageAnswer::Cancel, " cancel (not asked"},
        {Ask,
         {MessageButtons::OkCancel, MessageIcon::Exclamation},
         MessageAnswer::Cancel,
         " cancel (not asked"},
        {Ask, kStyleInformation, MessageAnswer::Ok, "note: Go on?\n"},
        {Yes, kStyleYesNo, MessageAnswer::Yes, " yes (--yes)"},
        {Yes, kStyleYesNoCancel, MessageAnswer::Yes, " yes (--yes)"},
        {Yes, MessageStyle{MessageButtons::OkCancel}, MessageAnswer::Ok, "[o/C] ok (--yes)"},
        {No, kStyleYesNo, MessageAnswer::No, " no (--no)"},
        {No, kStyleYesNoCancel, MessageAnswer::No, "[y/n/C] no (--no)"},
        {No, MessageStyle{MessageButtons::OkCancel}, MessageAnswer::Cancel, " cancel (--no)"},
    };
    for (const auto& c : cases) {
        // Even with a terminal on the input, a policy answers without reading it.
        Terminal terminal(Options(c.policy, c.policy != Ask), "y\n");
        EXPECT_EQ(ReportMessage(terminal.ui, "Go on?", c.style), c.answer)
            << c.style.WindowsValue();
        EXPECT_NE(terminal.err.str().find(c.word), std::string::npos) << terminal.err.str();
    }
}

TEST(CTerminalUserInterfaceTest, ReadsRepliesFromATerminal) {
    struct Case {
        std::string input;
        MessageStyle style;
        MessageAnswer answer;
        int prompts;
    };
    const Case cases[] = {
        {"y\n", kStyleYesNo, MessageAnswer::Yes, 1},
        {"  YES \n", kStyleYesNo, MessageAnswer::Yes, 1},
        {"\n", kStyleYesNo, MessageAnswer::No, 1},
        {"maybe\nc\nn\n", kStyleYesNo, MessageAnswer::No, 3},  // Cancel is not offered by Yes/No
        {"c\n", kStyleYesNoCancel, MessageAnswer::Cancel, 1},
        {"\n", kStyleYesNoCancel, MessageAnswer::Cancel, 1},
        {"", kStyleYesNoCancel, MessageAnswer::Cancel, 1},  // end of input
        {"what\n", kStyleYesNo, MessageAnswer::No, 2},      // then end of input
        {"o\n", MessageStyle{MessageButtons::OkCancel}, MessageAnswer::Ok, 1},
    };
    for (const auto& c : cases) {
        Terminal terminal(Options(AnswerPolicy::Ask, true), c.input);
        EXPECT_EQ(ReportMessage(terminal.ui, "Delete?", c.style), c.answer) << c.input;
        const std::string out = terminal.err.str();
        int prompts = 0;
        for (auto at = out.find("Delete? ["); at != std::string::npos;
             at = out.find("Delete? [", at + 1)) {
            ++prompts;
        }
        EXPECT_EQ(prompts, c.prompts) << out;
    }
}

TEST(CTerminalUserInterfaceTest, ConfirmationNeverSilencesTheQuestion) {
    MemorySettingsStore store;
    Terminal terminal(Options(AnswerPolicy::Yes));
    const CServices services{store, terminal.ui};
    EXPECT_TRUE(ConfirmOnce(services, "Delete this slide?", "", "DeleteNode"));
    EXPECT_FALSE(store.Get("Norvane Trovique", "NoShowAgain", "DeleteNode").has_value());
    EXPECT_EQ(terminal.err.str(), "question: Delete this slide? [y/N] yes (--yes)\n");
}

TEST(CTerminalUserInterfaceTest, LongMessageIndentsItsText) {
    Terminal terminal(Options());
    ShowLongMessage(terminal.ui, "Import Report", "3 slides imported",
                    "Slide 1: ok\r\n\r\nSlide 2: title cut");
    EXPECT_EQ(terminal.err.str(),
              "note: Import Report: 3 slides imported\n  Slide 1: ok\n\n  Slide 2: title cut\n");
}

TEST(CTerminalUserInterfaceTest, NoLiveLineUnlessTheErrorStreamIsATerminal) {
    Terminal terminal(Options());
    CStatusTextScope status(terminal.ui.StatusBar(), "Reading");
    CProgressScope progress(terminal.ui.Progress(), "Importing", 4);
    terminal.ui.Progress().IncNumItemsComplete();
    EXPECT_EQ(terminal.err.str(), "");
}

TEST(CTerminalUserInterfaceTest, LiveLineIsRedrawnAroundMessages) {
    auto options = Options(AnswerPolicy::Ask, false, true);
    options.width = 40;
    std::ostringstream err;
    std::istringstream in;
    {
        CTerminalUserInterface ui(in, err, options);
        ui.StatusBar().PushText("Reading deck.sdb");
        EXPECT_EQ(err.str(),
                  "\r"
                  "Reading deck.sdb\x1b[K");
        err.str("");
        ui.StatusBar().SetNumItems(9);
        ui.StatusBar().SetNumItemsComplete(7);
        EXPECT_EQ(err.str(),
                  "\r"
                  "Reading deck.sdb (77%)\x1b[K");
        err.str("");

        CProgress& progress = ui.Progress();
        progress.SetNumItems(10);
        progress.SetNumItemsComplete(7);
        progress.SetText("Converting slides of a rather long presentation");
        progress.Show();
        // 40 columns leave 39 characters: the text is cut, the bar is whole.
        EXPECT_EQ(err.str(),
                  "\r"
                  "[##############------]  70% Converting\x1b[K");
        err.str("");
        progress.SetNumItemsComplete(7);  // the same line is not drawn again
        EXPECT_EQ(err.str(), "");

        ReportMessage(ui, "Slide 3 has no title", kStyleExclamation);
        EXPECT_EQ(err.str(),
                  "\r\x1b[K"
                  "warning: Slide 3 has no title\n"
                  "\r"
                  "[##############------]  70% Converting\x1b[K");
        err.str("");
        progress.Hide();
        EXPECT_EQ(err.str(),
                  "\r"
                  "Reading deck.sdb (77%)\x1b[K");
        err.str("");
    }
    EXPECT_EQ(err.str(), "\r\x1b[K");  // nothing left behind on the terminal
}

volatile std::sig_atomic_t gTestHandlerCalls = 0;
extern "C" void CountInterrupt(int) {
    gTestHandlerCalls = gTestHandlerCalls + 1;
}

TEST(CTerminalUserInterfaceTest, InterruptCancelsARunningProgressOnly) {
    auto options = Options();
    options.catchInterrupt = true;
    Terminal terminal(options);
    const auto previous = std::signal(SIGINT, CountInterrupt);
    CProgress& progress = terminal.ui.Progress();
    {
        CProgressScope scope(progress, "Importing", 3);
        EXPECT_FALSE(progress.UserCancel());
        std::raise(SIGINT);
        EXPECT_TRUE(progress.UserCancel());
        EXPECT_EQ(gTestHandlerCalls, 0);
    }
    EXPECT_FALSE(progress.UserCancel());
    std::raise(SIGINT);  // the handler from before is back
    EXPECT_EQ(gTestHandlerCalls, 1);
    std::signal(SIGINT, previous);
}

TEST(TakeAnswerFlagsTest, RemovesTheFlags) {
    struct Case {
        std::vector<std::string> args;
        AnswerPolicy policy;
        std::vector<std::string> rest;
    };
    using enum AnswerPolicy;
    const Case cases[] = {
        {{"a.sdb"}, Ask, {"a.sdb"}},
        {{"--yes", "a.sdb"}, Yes, {"a.sdb"}},
        {{"a.sdb", "-n"}, No, {"a.sdb"}},
        {{"-y", "--yes"}, Yes, {}},
        {{"a", "--", "--no"}, Ask, {"a", "--", "--no"}},
    };
    for (auto c : cases) {
        EXPECT_EQ(TakeAnswerFlags(c.args), c.policy);
        EXPECT_EQ(c.args, c.rest);
    }
    std::vector<std::string> both{"--yes", "--no"};
    EXPECT_THROW(TakeAnswerFlags(both), std::invalid_argument);
}

}  // namespace
}  // namespace trovique::cli
