#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "core/services/UserInterface.h"

namespace trovique::gui {

class ProgressWindow;
class StatusBarView;

// The windows' side of the user-interface seam: message boxes, frmMsgYN, frmMultiMsg, the file
// dialogs, the text question, the preferences dialog, frmSlideShowDest, frmProgress and the
// main window's status bar. It decides nothing:
// styles, answers, texts and the order of questions come from core.
//
// Top-most windows (the splash and the progress window) are let down while a modal window is
// up. While the hourglass shows, a long operation holds the one thread: the command window
// (the main window) is disabled, so that the events the progress window lets run (for repaints
// and its Cancel button) cannot start a second command.
class CQtUserInterface final : public IUserInterface {
public:
    CQtUserInterface();
    ~CQtUserInterface() override;
    CQtUserInterface(const CQtUserInterface&) = delete;
    CQtUserInterface& operator=(const CQtUserInterface&) = delete;

    // The splash window while it is up; null once it is gone.
    void SetSplash(QWidget* splash) { splash_ = splash; }
    // The window disabled while a long operation runs, and the parent of the dialogs.
    void SetCommandWindow(QWidget* window) { commandWindow_ = window; }
    // Binds the status bar service to the main window's status bar (null unbinds).
    void SetStatusBarView(StatusBarView* view);
    ProgressWindow& ProgressView() { return *progressView_; }

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style,
                              const std::string& title) override;
    ConfirmAnswer AskConfirm(const std::string& text, const std::string& title) override;
    void ShowLongMessage(const std::string& caption, const std::string& header,
                         const std::string& text) override;
    std::string ChooseFile(const FileDialogSpec& spec) override;
    std::optional<std::string> AskText(const TextQuestion& question) override;
    std::optional<std::size_t> AskChoice(const ChoiceQuestion& question) override;
    std::optional<SlideShowPreferences> EditPreferences(
        const SlideShowPreferences& current) override;
    SlideShowDestination ChooseSlideShowDestination() override;
    int ReleaseTopMost() override;
    void RestoreTopMost(int flags) override;
    MousePointer Pointer() const override { return pointer_; }
    void SetPointer(MousePointer pointer) override;
    CStatusBar& StatusBar() override { return statusBar_; }
    CProgress& Progress() override { return *progress_; }

private:
    QWidget* DialogParent() const;

    QPointer<QWidget> splash_;
    QPointer<QWidget> commandWindow_;
    MousePointer pointer_ = MousePointer::Default;
    CStatusBar statusBar_;
    ProgressWindow* progressView_;  // owned by progress_
    std::unique_ptr<CProgress> progress_;
};

// The normal pointer for the life of a modal window the seam opens without core's modal scope
// (file dialogs, the destination window), and the previous pointer back on every way out.
class CNormalPointerScope {
public:
    explicit CNormalPointerScope(IUserInterface& ui) : ui_(ui), pointer_(ui.Pointer()) {
        ui_.SetPointer(MousePointer::Default);
    }
    ~CNormalPointerScope() { ui_.SetPointer(pointer_); }
    CNormalPointerScope(const CNormalPointerScope&) = delete;
    CNormalPointerScope& operator=(const CNormalPointerScope&) = delete;

private:
    IUserInterface& ui_;
    MousePointer pointer_;
};

}  // namespace trovique::gui
