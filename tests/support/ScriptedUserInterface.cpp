#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

namespace trovique::test {

class CScriptedUserInterface::StatusView final : public IStatusBarView {
public:
    explicit StatusView(std::string (&panels)[2]) : panels_(panels) {}
    void SetPanelText(int panel, const std::string& text) override {
        ASSERT_TRUE(panel == 1 || panel == 2) << "status bar has no panel " << panel;
        panels_[panel - 1] = text;
    }

private:
    std::string (&panels_)[2];
};

class CScriptedUserInterface::ProgressView final : public IProgressView {
public:
    explicit ProgressView(std::function<void()>& onCancelPoll) : onCancelPoll_(onCancelPoll) {}

    void Update(const ProgressDisplay& display) override {
        updates_.push_back(display);
        if (cancelCountdown_ > 0 && --cancelCountdown_ == 0) {
            cancelled_ = true;
        }
    }
    void Show() override { visible_ = true; }
    void Hide() override { visible_ = false; }
    bool Visible() const override { return visible_; }
    int Top() const override { return top_; }
    void SetTop(int top) override { top_ = top; }
    bool UserCancel() override {
        ++cancelPolls_;
        if (onCancelPoll_) {
            onCancelPoll_();
        }
        return cancelled_;
    }
    int CancelPolls() const { return cancelPolls_; }
    void Reset() override { cancelled_ = false; }

    void PressCancel() {
        // A disabled button cannot be pressed.
        if (updates_.empty() || updates_.back().allowCancel) {
            cancelled_ = true;
        }
    }
    void PressCloseBox() { cancelled_ = true; }
    void CancelAfter(std::size_t updates) { cancelCountdown_ = updates; }
    const std::vector<ProgressDisplay>& Updates() const { return updates_; }

private:
    std::function<void()>& onCancelPoll_;
    int cancelPolls_ = 0;
    std::vector<ProgressDisplay> updates_;
    bool visible_ = false;
    bool cancelled_ = false;
    int top_ = 0;
    std::size_t cancelCountdown_ = 0;
};

CScriptedUserInterface::CScriptedUserInterface()
    : statusView_(std::make_unique<StatusView>(statusPanels_)), statusBar_(statusView_.get()) {
    auto view = std::make_unique<ProgressView>(onCancelPoll);
    progressView_ = view.get();
    progress_ = std::make_unique<CProgress>(std::move(view));
}

CScriptedUserInterface::~CScriptedUserInterface() {
    progress_.reset();
    EXPECT_TRUE(answers_.empty()) << answers_.size()
                                  << " scripted answer(s) left: a question the test expected "
                                     "was never asked";
    EXPECT_TRUE(fileNames_.empty()) << fileNames_.size() << " scripted file name(s) left";
    EXPECT_TRUE(destinations_.empty()) << destinations_.size() << " scripted destination(s) left";
    EXPECT_TRUE(texts_.empty()) << texts_.size() << " scripted text answer(s) left";
    EXPECT_TRUE(preferences_.empty()) << preferences_.size() << " scripted preference(s) left";
}

void CScriptedUserInterface::QueueAnswer(MessageAnswer button) {
    answers_.push_back({false, button, false});
}

void CScriptedUserInterface::QueueConfirm(bool yes, bool noShowAgain) {
    answers_.push_back({true, yes ? MessageAnswer::Yes : MessageAnswer::No, noShowAgain});
}

std::vector<std::string> CScriptedUserInterface::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : messages_) {
        texts.push_back(message.text);
    }
    return texts;
}

void CScriptedUserInterface::SetSplashVisible(bool visible) {
    splashVisible_ = visible;
    splashTopMost_ = visible;
}

const std::vector<ProgressDisplay>& CScriptedUserInterface::ProgressUpdates() const {
    return progressView_->Updates();
}

int CScriptedUserInterface::CancelPolls() const {
    return progressView_->CancelPolls();
}

bool CScriptedUserInterface::ProgressVisible() const {
    return progressView_->Visible();
}
void CScriptedUserInterface::PressCancel() {
    progressView_->PressCancel();
}
void CScriptedUserInterface::PressCloseBox() {
    progressView_->PressCloseBox();
}
void CScriptedUserInterface::CancelAfterUpdates(std::size_t updates) {
    progressView_->CancelAfter(updates);
}

CScriptedUserInterface::Queued CScriptedUserInterface::TakeAnswer(bool confirm,
                                                                  const std::string& text,
                                                                  MessageAnswer safeButton) {
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question with no scripted answer: \"" << text << "\"";
        return {confirm, safeButton, false};
    }
    Queued answer = answers_.front();
    answers_.pop_front();
    if (answer.confirm != confirm) {
        ADD_FAILURE() << "scripted " << (answer.confirm ? "confirmation" : "message answer")
                      << " met a " << (confirm ? "confirmation" : "message box") << ": \"" << text
                      << "\"";
    }
    return answer;
}

void CScriptedUserInterface::Record(ShownMessage message) {
    message.pointer = pointer_;
    message.splashTopMost = splashTopMost_;
    messages_.push_back(std::move(message));
}

MessageAnswer CScriptedUserInterface::ShowMessage(const std::string& text, MessageStyle style,
                                                  const std::string& title) {
    MessageAnswer answer = MessageAnswer::Ok;
    if (AsksQuestion(style)) {
        answer = TakeAnswer(false, text, SafeAnswer(style)).button;
    }
    Record({ShownMessage::Kind::Message, text, style, title, {}, answer});
    return answer;
}

ConfirmAnswer CScriptedUserInterface::AskConfirm(const std::string& text,
                                                 const std::string& title) {
    const Queued answer = TakeAnswer(true, text, MessageAnswer::No);
    Record({ShownMessage::Kind::Confirm, text, kStyleYesNo, title, {}, answer.button});
    return ConfirmAnswer{answer.button == MessageAnswer::Yes, answer.noShowAgain};
}

void CScriptedUserInterface::ShowLongMessage(const std::string& caption, const std::string& header,
                                             const std::string& text) {
    Record({ShownMessage::Kind::LongMessage, text, kStyleInformation, caption, header,
            MessageAnswer::Ok});
}

std::string CScriptedUserInterface::ChooseFile(const FileDialogSpec& spec) {
    fileDialogs_.push_back(spec);
    if (fileNames_.empty()) {
        ADD_FAILURE() << "unexpected \"" << spec.title << "\" file dialog with no scripted file";
        return {};
    }
    std::string path = std::move(fileNames_.front());
    fileNames_.pop_front();
    return path;
}

std::optional<std::string> CScriptedUserInterface::AskText(const TextQuestion& question) {
    textQuestions_.push_back(question);
    if (texts_.empty()) {
        ADD_FAILURE() << "unexpected text question \"" << question.prompt
                      << "\" with no scripted answer";
        return std::nullopt;
    }
    std::optional<std::string> text = std::move(texts_.front());
    texts_.pop_front();
    return text;
}

std::optional<SlideShowPreferences> CScriptedUserInterface::EditPreferences(
    const SlideShowPreferences& current) {
    preferencesShown_.push_back(current);
    if (preferences_.empty()) {
        ADD_FAILURE() << "unexpected preferences dialog with no scripted values";
        return std::nullopt;
    }
    std::optional<SlideShowPreferences> values = std::move(preferences_.front());
    preferences_.pop_front();
    return values;
}

SlideShowDestination CScriptedUserInterface::ChooseSlideShowDestination() {
    ++destinationQuestions_;
    if (destinations_.empty()) {
        ADD_FAILURE() << "unexpected destination window with no scripted choice";
        return SlideShowDestination::Cancel;
    }
    const SlideShowDestination destination = destinations_.front();
    destinations_.pop_front();
    return destination;
}

int CScriptedUserInterface::ReleaseTopMost() {
    int flags = 0;
    if (splashVisible_) {
        flags |= kTopMostSplash;
        splashTopMost_ = false;
    }
    if (progressView_->Visible()) {
        flags |= kTopMostProgress;
    }
    return flags;
}

void CScriptedUserInterface::RestoreTopMost(int flags) {
    if ((flags & kTopMostSplash) != 0) {
        splashTopMost_ = true;
    }
}

}  // namespace trovique::test
