// The destination window and file dialogs of the automatic conversion on a terminal.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/TerminalUserInterface.h"

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

}  // namespace
}  // namespace trovique::cli
