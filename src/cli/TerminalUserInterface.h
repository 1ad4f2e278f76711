#pragma once

#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/services/UserInterface.h"

namespace trovique::cli {

// How questions are answered when a command runs.
enum class AnswerPolicy {
    Ask,  // ask on the terminal; without one, take the answer that loses nothing
    Yes,  // --yes: Yes (or OK) to every question
    No,   // --no: No (or Cancel) to every question
};

struct TerminalOptions {
    bool inputIsTerminal = false;  // questions may be asked on the input stream
    bool errorIsTerminal = false;  // a live status and progress line may be drawn
    AnswerPolicy answers = AnswerPolicy::Ask;
    int width = 80;               // columns of the live line
    bool catchInterrupt = false;  // Ctrl-C cancels a running progress instead of killing us
};

// The user interface of trovique-cli. Messages and questions go to the error stream, one line
// each, led by a word for their style ("error:", "warning:", "note:", "question:"); questions
// are answered by the policy, by the user when the input is a terminal, or else by the answer
// that loses nothing. Status texts and the progress bar share one line that is redrawn in
// place, and only when the error stream is a terminal, so logs stay clean.
class CTerminalUserInterface final : public IUserInterface {
public:
    CTerminalUserInterface(std::istream& in, std::ostream& err, TerminalOptions options);
    ~CTerminalUserInterface() override;
    CTerminalUserInterface(const CTerminalUserInterface&) = delete;
    CTerminalUserInterface& operator=(const CTerminalUserInterface&) = delete;

    // The options for the real standard streams of this process.
    static TerminalOptions ProcessOptions(AnswerPolicy answers);

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style,
                              const std::string& title) override;
    MessageAnswer ShowFailure(const std::string& text, MessageStyle style,
                              const std::string& title) override;
    ConfirmAnswer AskConfirm(const std::string& text, const std::string& title) override;
    void ShowLongMessage(const std::string& caption, const std::string& header,
                         const std::string& text) override;
    // A command that names the destination and the file on its command line sets them here:
    // the destination window, and the next file dialog of the kind, then answer without asking;
    // the question whether that file may be replaced is answered Yes.
    void PresetDestination(SlideShowDestination destination) { presetDestination_ = destination; }
    void PresetFileName(FileDialogKind kind, std::string path);
    // A file name typed on the terminal, the initial file when the reply is empty; empty
    // (cancelled) when nobody can be asked.
    std::string ChooseFile(const FileDialogSpec& spec) override;
    // A line typed on the terminal (without echo for a secret), the initial text when the reply
    // is empty; nothing when nobody can be asked.
    std::optional<std::string> AskText(const TextQuestion& question) override;
    // The password twice (when it may be changed) and the two switches, one question each;
    // nothing when any of them is cancelled or nobody can be asked.
    std::optional<SlideShowPreferences> EditPreferences(
        const SlideShowPreferences& current) override;
    // HotSync, Save or Cancel typed on the terminal; Cancel when nobody can be asked.
    SlideShowDestination ChooseSlideShowDestination() override;
    CStatusBar& StatusBar() override { return statusBar_; }
    CProgress& Progress() override { return *progress_; }

private:
    class StatusView;
    class ProgressView;
    struct ProgressLine {
        bool visible = false;
        ProgressDisplay display;
    };

    MessageAnswer Answer(const std::string& line, MessageStyle style);
    // One line typed after prompt (not echoed when secret); nothing at the end of the input or
    // when nobody can be asked (the prompt is then shown with "cancel" and the reason).
    std::optional<std::string> AskLine(const std::string& prompt, bool secret = false);
    MessageAnswer ReadAnswer(const std::string& prompt, MessageStyle style);
    void Print(const std::string& utf8Line);
    std::string LiveLine() const;
    void DrawLiveLine();
    void ClearLiveLine();

    std::istream& in_;
    std::ostream& err_;
    TerminalOptions options_;
    std::string statusText_;
    std::string statusPercentage_;
    ProgressLine progressLine_;
    std::string drawn_;  // the live line on screen, empty when none
    std::optional<SlideShowDestination> presetDestination_;
    std::map<FileDialogKind, std::string> presetFiles_;
    std::string presetReplace_;  // the replace question a preset file has answered
    std::unique_ptr<StatusView> statusView_;
    CStatusBar statusBar_;
    std::unique_ptr<CProgress> progress_;  // last: its view calls back into the members above
};

// Text of the program (UTF-8, CR LF line breaks) as the terminal gets it: LF line breaks, and
// every other control character and every byte that is not UTF-8 shown as "?", so that text
// read from a file cannot move the cursor or change the terminal's settings.
std::string TerminalText(std::string_view utf8);

// Takes --yes/-y and --no/-n out of a command's arguments (up to a "--") and returns the
// policy they ask for. Raises std::invalid_argument when both are given.
AnswerPolicy TakeAnswerFlags(std::vector<std::string>& args);

}  // namespace trovique::cli
