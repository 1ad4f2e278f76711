#pragma once

#include <optional>
#include <string>

#include "core/services/ChoiceQuestion.h"
#include "core/services/FileDialogSpec.h"
#include "core/services/MessageStyle.h"
#include "core/services/Progress.h"
#include "core/services/SlideShowPreferences.h"
#include "core/services/StatusBar.h"
#include "core/services/TextQuestion.h"

namespace trovique {

// The mouse pointer of the windows: normal, or the hourglass while a long operation runs.
enum class MousePointer { Default, Hourglass };

// What the confirmation window returns: the answer and the state of its "Do not show this
// message again" box when it closed.
struct ConfirmAnswer {
    bool yes = false;
    bool noShowAgain = false;
};

// Where the automatic conversion sends the slide show, as its destination window asks.
enum class SlideShowDestination {
    Cancel,   // nothing: the run ends without import
    HotSync,  // to the handheld through the Palm install tool, no file kept
    Save,     // to a Palm database file the user names
};

// Flags of ReleaseTopMost: which top-most windows were visible and were let down.
inline constexpr int kTopMostSplash = 1;
inline constexpr int kTopMostProgress = 4;

// Everything core operations show to the user or ask of the user: message boxes, the
// confirmation window, the long-message window, file dialogs, text questions, the preferences
// dialog, the status bar, the progress window and the mouse pointer. The windows implement it
// with dialogs, trovique-cli with a terminal, tests with a script. Every text is UTF-8; core
// converts the records' Windows-1252 where it composes a text.
//
// Operations call the free functions of Messages.h and FileDialog.h rather than these directly,
// so that the title default, the top-most windows and the pointer are looked after in one
// place. Nothing here lets events run in the middle of an operation: long operations update the
// progress window and poll its Cancel button, and the face's progress view decides how its
// windows stay responsive meanwhile.
class IUserInterface {
public:
    virtual ~IUserInterface() = default;

    // Shows a message box with the given style and caption and returns the pressed button
    // (MessageAnswer::Ok for a message without a question).
    virtual MessageAnswer ShowMessage(const std::string& text, MessageStyle style,
                                      const std::string& title) = 0;
    // The same for a message that ends an operation with failure (a trapped error). A message
    // box shows it in its given style; a face without icons marks it as an error.
    virtual MessageAnswer ShowFailure(const std::string& text, MessageStyle style,
                                      const std::string& title) {
        return ShowMessage(text, style, title);
    }
    // The modal Yes/No window with its "Do not show this message again" box.
    virtual ConfirmAnswer AskConfirm(const std::string& text, const std::string& title) = 0;
    // The window for long texts such as import reports: a caption, a header line and a
    // scrolling text; returns when the user has closed it.
    virtual void ShowLongMessage(const std::string& caption, const std::string& header,
                                 const std::string& text) = 0;

    // The file dialog as described, once: returns the file the user chose or typed, as it was
    // given, or an empty text when the user cancels, which is also the answer when nobody can be
    // asked. The default extension and the replace question are GetFileName's (FileDialog.h).
    virtual std::string ChooseFile(const FileDialogSpec& spec) {
        (void)spec;
        return {};
    }

    // A line of text (a password, a term); nothing when the user cancels or nobody can be asked.
    virtual std::optional<std::string> AskText(const TextQuestion& question) {
        (void)question;
        return std::nullopt;
    }

    // The preferences dialog of a slide show ("Settings for Dictionary"), filled with current;
    // what the user confirmed with OK, or nothing for Cancel (also when nobody can be asked).
    virtual std::optional<SlideShowPreferences> EditPreferences(
        const SlideShowPreferences& current) {
        (void)current;
        return std::nullopt;
    }

    // One of a question's choices; nothing when the user closes the question without one. A face
    // without a dialog for it asks it as a message box with a button per choice.
    virtual std::optional<std::size_t> AskChoice(const ChoiceQuestion& question) {
        return question.ChoiceOf(
            ShowMessage(question.MessageText(), question.Style(), question.title));
    }

    // The destination window of the automatic conversion ("Choose Slide Show Destination").
    // Nobody to ask means Cancel, which loses nothing.
    virtual SlideShowDestination ChooseSlideShowDestination() {
        return SlideShowDestination::Cancel;
    }

    // Lets the splash and progress windows down from top-most so that a message box is never
    // hidden behind them; returns kTopMost flags of the windows that were visible.
    virtual int ReleaseTopMost() { return 0; }
    // Makes the windows named by the flags top-most again.
    virtual void RestoreTopMost(int flags) { (void)flags; }

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
