#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/services/UserInterface.h"

namespace trovique::test {

// One thing the program showed the user.
struct ShownMessage {
    enum class Kind { Message, Confirm, LongMessage };
    Kind kind = Kind::Message;
    std::string text;
    MessageStyle style;  // message style; kStyleYesNo for the confirmation window
    std::string title;   // the caption as shown
    std::string header;  // long messages only
    MessageAnswer answer = MessageAnswer::Ok;      // the button the script pressed
    MousePointer pointer = MousePointer::Default;  // the pointer while it was shown
    bool splashTopMost = false;                    // whether the splash was top-most meanwhile
    bool failure = false;  // shown as the message that ends an operation with failure
};

// A user interface that plays the user from a script: it records every message and answers
// questions from a queue. A question with nothing queued fails the running test loudly (and is
// answered with the answer that loses nothing); answers still queued when the interface goes
// away fail it too, since a question the test expected was never asked.
class CScriptedUserInterface final : public IUserInterface {
public:
    CScriptedUserInterface();
    ~CScriptedUserInterface() override;

    // Queues the button pressed for the next message box that asks a question.
    void QueueAnswer(MessageAnswer button);
    // Queues the answer of the next confirmation window and the state of its box.
    void QueueConfirm(bool yes, bool noShowAgain = false);
    std::size_t PendingAnswers() const { return answers_.size(); }
    // Queues the file the next file dialog returns; an empty one stands for Cancel.
    void QueueFileName(std::string path) { fileNames_.push_back(std::move(path)); }
    // Queues the button pressed in the next destination window.
    void QueueDestination(SlideShowDestination destination) {
        destinations_.push_back(destination);
    }
    // Every file dialog shown, as it was described.
    const std::vector<FileDialogSpec>& FileDialogs() const { return fileDialogs_; }
    int DestinationQuestions() const { return destinationQuestions_; }
    // Queues the answer of the next text question; nothing stands for Cancel.
    void QueueText(std::optional<std::string> text) { texts_.push_back(std::move(text)); }
    const std::vector<TextQuestion>& TextQuestions() const { return textQuestions_; }
    // Queues what the next preferences dialog returns; nothing stands for Cancel.
    void QueuePreferences(std::optional<SlideShowPreferences> values) {
        preferences_.push_back(std::move(values));
    }
    // What each preferences dialog was filled with.
    const std::vector<SlideShowPreferences>& PreferencesShown() const { return preferencesShown_; }

    // How often the progress window's Cancel button was polled, and what else happens then.
    int CancelPolls() const;
    std::function<void()> onCancelPoll;

    const std::vector<ShownMessage>& Messages() const { return messages_; }
    std::vector<std::string> MessageTexts() const;
    void ClearMessages() { messages_.clear(); }

    // The splash window, as ReleaseTopMost and RestoreTopMost see it.
    void SetSplashVisible(bool visible);
    bool SplashTopMost() const { return splashTopMost_; }

    // What the status bar shows now.
    const std::string& StatusText() const { return statusPanels_[0]; }
    const std::string& StatusPercentage() const { return statusPanels_[1]; }

    // The progress window: every display it was given, and its Cancel button.
    const std::vector<ProgressDisplay>& ProgressUpdates() const;
    bool ProgressVisible() const;
    void PressCancel();
    // Closing the window is refused and counts as Cancel.
    void PressCloseBox();
    // Presses Cancel once the progress window has been updated this many more times.
    void CancelAfterUpdates(std::size_t updates);

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style,
                              const std::string& title) override;
    MessageAnswer ShowFailure(const std::string& text, MessageStyle style,
                              const std::string& title) override;
    ConfirmAnswer AskConfirm(const std::string& text, const std::string& title) override;
    void ShowLongMessage(const std::string& caption, const std::string& header,
                         const std::string& text) override;
    std::string ChooseFile(const FileDialogSpec& spec) override;
    std::optional<std::string> AskText(const TextQuestion& question) override;
    std::optional<SlideShowPreferences> EditPreferences(
        const SlideShowPreferences& current) override;
    SlideShowDestination ChooseSlideShowDestination() override;
    int ReleaseTopMost() override;
    void RestoreTopMost(int flags) override;
    MousePointer Pointer() const override { return pointer_; }
    void SetPointer(MousePointer pointer) override { pointer_ = pointer; }
    CStatusBar& StatusBar() override { return statusBar_; }
    CProgress& Progress() override { return *progress_; }

private:
    class StatusView;
    class ProgressView;
    struct Queued {
        bool confirm = false;
        MessageAnswer button = MessageAnswer::Ok;
        bool noShowAgain = false;
    };

    Queued TakeAnswer(bool confirm, const std::string& text, MessageAnswer safeButton);
    void Record(ShownMessage message);

    std::deque<Queued> answers_;
    std::deque<std::string> fileNames_;
    std::deque<SlideShowDestination> destinations_;
    std::vector<FileDialogSpec> fileDialogs_;
    int destinationQuestions_ = 0;
    std::deque<std::optional<std::string>> texts_;
    std::vector<TextQuestion> textQuestions_;
    std::deque<std::optional<SlideShowPreferences>> preferences_;
    std::vector<SlideShowPreferences> preferencesShown_;
    std::vector<ShownMessage> messages_;
    MousePointer pointer_ = MousePointer::Default;
    bool splashVisible_ = false;
    bool splashTopMost_ = false;
    std::string statusPanels_[2];
    std::unique_ptr<StatusView> statusView_;
    CStatusBar statusBar_;
    ProgressView* progressView_ = nullptr;  // owned by progress_
    std::unique_ptr<CProgress> progress_;
};

}  // namespace trovique::test
