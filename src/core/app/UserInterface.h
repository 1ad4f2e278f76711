#pragma once

#include <string>

#include "core/app/MessageStyle.h"
#include "core/app/Progress.h"
#include "core/app/StatusBar.h"

namespace trovique {

// The mouse pointer of the windows: normal, or the hourglass while a long operation runs.
enum class MousePointer { Default, Hourglass };

// What the confirmation window returns: the answer and the state of its "Do not show this
// message again" box when it closed.
struct ConfirmAnswer {
    bool yes = false;
    bool noShowAgain = false;
};

// Flags of ReleaseTopMost: which top-most windows were visible and were let down.
inline constexpr int kTopMostSplash = 1;
inline constexpr int kTopMostProgress = 4;

// Everything core operations show to the user or ask of the user: message boxes, the
// confirmation window, the long-message window, the status bar, the progress window and the
// mouse pointer. The windows implement it with dialogs, trovique-cli with a terminal, tests
// with a script. Texts are Windows-1252, as the records hold them; each face converts.
//
// Operations call the free functions of Messages.h rather than ShowMessage directly, so that
// the title default, the top-most windows and the pointer are looked after in one place.
class IUserInterface {
public:
    virtual ~IUserInterface() = default;

    // Shows a message box with the given style and caption and returns the pressed button
    // (kAnswerOk for a message without a question).
    virtual int ShowMessage(const std::string& text, int style, const std::string& title) = 0;
    // The modal Yes/No window with its "Do not show this message again" box.
    virtual ConfirmAnswer AskConfirm(const std::string& text, const std::string& title) = 0;
    // The window for long texts such as import reports: a caption, a header line and a
    // scrolling text; returns when the user has closed it.
    virtual void ShowLongMessage(const std::string& caption, const std::string& header,
                                 const std::string& text) = 0;

    // Lets the splash and progress windows down from top-most so that a message box is never
    // hidden behind them; returns kTopMost flags of the windows that were visible.
    virtual int ReleaseTopMost() { return 0; }
    // Makes the windows named by the flags top-most again.
    virtual void RestoreTopMost(int flags) { (void)flags; }

    // Lets pending window events run (repaints, the progress window's Cancel button) in the
    // middle of a long operation; the program has one thread, so long loops call this.
    virtual void PumpEvents() {}

    virtual MousePointer Pointer() const { return MousePointer::Default; }
    virtual void SetPointer(MousePointer pointer) { (void)pointer; }

    // The status bar and the progress window; they live as long as the interface.
    virtual CStatusBar& StatusBar() = 0;
    virtual CProgress& Progress() = 0;
};

// The hourglass and a status text for the life of a long operation; both are put back on
// every way out.
class CBusyScope {
public:
    CBusyScope(IUserInterface& ui, const std::string& statusText)
        : ui_(ui), pointer_(ui.Pointer()), status_(ui.StatusBar(), statusText) {
        ui_.SetPointer(MousePointer::Hourglass);
    }
    ~CBusyScope() { ui_.SetPointer(pointer_); }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

private:
    IUserInterface& ui_;
    MousePointer pointer_;
    CStatusTextScope status_;
};

}  // namespace trovique
