// Text questions, the preferences dialog and preset file names on a terminal.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/TerminalUserInterface.h"
#include "core/app/FileDialog.h"
#include "core/app/MemorySettingsStore.h"
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
