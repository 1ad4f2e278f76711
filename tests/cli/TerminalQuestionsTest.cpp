// The questions of a terminal: the destination window and file dialogs of the automatic
// conversion, text questions and the preferences dialog.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/TerminalUserInterface.h"
#include "core/services/FileDialog.h"
#include "core/services/MemorySettingsStore.h"
#include "support/TestPaths.h"

namespace trovique::cli {
namespace {

struct Terminal {
    explicit Terminal(const std::string& input, bool inputIsTerminal = true,
                      AnswerPolicy answers = AnswerPolicy::Ask)
        : in(input), ui(in, err, Options(inputIsTerminal, answers)) {}
    static TerminalOptions Options(bool inputIsTerminal, AnswerPolicy answers) {
        TerminalOptions options;
        options.inputIsTerminal = inputIsTerminal;
        options.answers = answers;
        return options;
    }
    std::istringstream in;
    std::ostringstream err;
    CTerminalUserInterface ui;
};

TEST(TerminalDeliveryQuestionsTest, DestinationFromTheTerminalOrCancel) {
    const struct {
        std::string input;
        bool inputIsTerminal;
        AnswerPolicy answers;
        SlideShowDestination expected;
    } cases[] = {
        {"h\n", true, AnswerPolicy::Ask, SlideShowDestination::HotSync},
        {" HotSync \r\n", true, AnswerPolicy::Ask, SlideShowDestination::HotSync},
        {"s\n", true, AnswerPolicy::Ask, SlideShowDestination::Save},
        {"what\nsave\n", true, AnswerPolicy::Ask, SlideShowDestination::Save},
        {"\n", true, AnswerPolicy::Ask, SlideShowDestination::Cancel},
        {"", true, AnswerPolicy::Ask, SlideShowDestination::Cancel},
        {"h\n", false, AnswerPolicy::Ask, SlideShowDestination::Cancel},
        {"h\n", true, AnswerPolicy::Yes, SlideShowDestination::Cancel},
    };
    for (const auto& c : cases) {
        Terminal terminal(c.input, c.inputIsTerminal, c.answers);
        EXPECT_EQ(terminal.ui.ChooseSlideShowDestination(), c.expected) << c.input;
        EXPECT_NE(terminal.err.str().find("Choose the Slide Show destination"), std::string::npos);
    }
}

TEST(TerminalDeliveryQuestionsTest, FileNamesTypedOrProposedOrPreset) {
    const struct {
        std::string input;
        std::string initial;
        std::string expected;
    } cases[] = {
        {"/home/ann/other.pdb\n", "/home/ann/Talk.pdb", "/home/ann/other.pdb"},
        {"\n", "/home/ann/Talk.pdb", "/home/ann/Talk.pdb"},  // Enter takes the proposal
        {"\n", "/home/ann/", ""},                            // a folder is no file
        {"", "/home/ann/Talk.pdb", ""},                      // end of input cancels
    };
    for (const auto& c : cases) {
        Terminal terminal(c.input);
        EXPECT_EQ(terminal.ui.ChooseFile(DescribeFileDialog(FileDialogKind::Export, c.initial)),
                  c.expected)
            << c.input << c.initial;
    }
    Terminal notAsked("/x.pdb\n", false);
    EXPECT_EQ(notAsked.ui.ChooseFile(DescribeFileDialog(FileDialogKind::Export, "/a/Talk.pdb")),
              "");

    // A preset answers once, and only its own kind of dialog.
    Terminal preset("", false);
    preset.ui.PresetDestination(SlideShowDestination::Save);
    preset.ui.PresetFileName(FileDialogKind::Export, "/out/show.pdb");
    EXPECT_EQ(preset.ui.ChooseSlideShowDestination(), SlideShowDestination::Save);
    EXPECT_EQ(preset.ui.ChooseFile(DescribeFileDialog(FileDialogKind::PowerPoint, "/a/")), "");
    EXPECT_EQ(preset.ui.ChooseFile(DescribeFileDialog(FileDialogKind::Export, "/a/Talk.pdb")),
              "/out/show.pdb");
    EXPECT_EQ(preset.ui.ChooseFile(DescribeFileDialog(FileDialogKind::Export, "/a/Talk.pdb")), "");
}

TEST(TerminalTextQuestionsTest, TypedTextOrTheInitialOneOrCancel) {
    const struct {
        std::string input;
        bool inputIsTerminal;
        bool secret;
        std::optional<std::string> expected;
    } cases[] = {
        {"Mars\n", true, false, "Mars"},
        {"\n", true, false, "Jupiter"},  // Enter keeps the initial text
        {"\n", true, true, ""},          // a secret has no initial text to keep
        {"", true, false, std::nullopt},
        {"Mars\n", false, false, std::nullopt},
    };
    for (const auto& c : cases) {
        Terminal terminal(c.input, c.inputIsTerminal);
        const TextQuestion question{"Rename Term", "Enter New Term:", "Jupiter", c.secret, 255};
        EXPECT_EQ(terminal.ui.AskText(question), c.expected) << c.input;
        EXPECT_NE(terminal.err.str().find("question: Rename Term: Enter New Term:"),
                  std::string::npos);
        EXPECT_EQ(terminal.err.str().find("[Jupiter]") != std::string::npos, !c.secret);
    }
}

TEST(TerminalTextQuestionsTest, PreferencesAskedOneValueAtATime) {
    const SlideShowPreferences current{"old", "old", false, true, true};
    Terminal typed("new\nnew\ny\nn\n");
    EXPECT_EQ(typed.ui.EditPreferences(current),
              (SlideShowPreferences{"new", "new", true, false, true}));

    SlideShowPreferences locked = current;
    locked.passwordEditable = false;
    Terminal keepsPassword("\n\n");  // Enter takes the safe answer: Cancel
    EXPECT_EQ(keepsPassword.ui.EditPreferences(locked), std::nullopt);
    Terminal switchesOnly("y\ny\n");
    EXPECT_EQ(switchesOnly.ui.EditPreferences(locked),
              (SlideShowPreferences{"old", "old", true, true, false}));

    Terminal notAsked("new\nnew\ny\nn\n", false);
    EXPECT_EQ(notAsked.ui.EditPreferences(current), std::nullopt);
    Terminal policy("new\nnew\ny\nn\n", true, AnswerPolicy::Yes);
    EXPECT_EQ(policy.ui.EditPreferences(current), std::nullopt);
}

TEST(TerminalTextQuestionsTest, AFileNamedOnTheCommandLineMayBeReplaced) {
    const test::ScratchDir scratch;
    const std::string taken = (scratch / "show.pdb").string();
    std::ofstream(taken) << "old";
    MemorySettingsStore store;
    Terminal terminal("", false);
    const CServices services{store, terminal.ui};
    terminal.ui.PresetFileName(FileDialogKind::Export, taken);
    EXPECT_EQ(GetFileName(services, DescribeFileDialog(FileDialogKind::Export, "/x/")), taken);
    EXPECT_NE(
        terminal.err.str().find("Replace existing file? [y/N] yes (named on the command line)"),
        std::string::npos)
        << terminal.err.str();
    // A name typed later is asked about as usual; here nobody can answer, so nothing is chosen.
    EXPECT_EQ(GetFileName(services, DescribeFileDialog(FileDialogKind::Export, taken)), "");
}

}  // namespace
}  // namespace trovique::cli
