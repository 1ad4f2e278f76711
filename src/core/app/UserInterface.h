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

// The file dialogs of the program, numbered as the main window numbers them; each has its own
// title (FileDialogTitle), default extension and filters.
enum class FileDialogKind {
    Open = 0,
    SaveAs = 1,
    Import = 2,
    Export = 3,
    ColorBitmap = 4,
    MonochromeBitmap = 5,
    Bitmap = 6,
    ImportText = 7,
    ImportSpreadsheet = 8,
    PowerPoint = 9,
    PrintTo = 10,
};

constexpr const char* FileDialogTitle(FileDialogKind kind) {
    switch (kind) {
        case FileDialogKind::Open:
            return "Open";
        case FileDialogKind::SaveAs:
            return "Save As";
        case FileDialogKind::Import:
            return "Import";
        case FileDialogKind::Export:
            return "Export";
        case FileDialogKind::ColorBitmap:
            return "Open Color Bitmap";
        case FileDialogKind::MonochromeBitmap:
            return "Open Monochrome Bitmap";
        case FileDialogKind::Bitmap:
            return "Open Bitmap";
        case FileDialogKind::ImportText:
        case FileDialogKind::ImportSpreadsheet:
            return "Open Import File";
        case FileDialogKind::PowerPoint:
            return "Open PowerPoint File";
        case FileDialogKind::PrintTo:
            return "Print To";
    }
    return "";
}

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
    // The same for a message that ends an operation with failure (a trapped error). A message
    // box shows it in its given style; a face without icons marks it as an error.
    virtual int ShowFailure(const std::string& text, int style, const std::string& title) {
        return ShowMessage(text, style, title);
    }
    // The modal Yes/No window with its "Do not show this message again" box.
    virtual ConfirmAnswer AskConfirm(const std::string& text, const std::string& title) = 0;
    // The window for long texts such as import reports: a caption, a header line and a
    // scrolling text; returns when the user has closed it.
    virtual void ShowLongMessage(const std::string& caption, const std::string& header,
                                 const std::string& text) = 0;

    // The file dialog of the given kind, opened at initial: a folder, or a file whose name is
    // filled in. Returns the chosen file as a path in the platform's encoding, or an empty text
    // when the user cancels, which is also the answer when nobody can be asked.
    virtual std::string GetFileName(const std::string& initial, FileDialogKind kind) {
        (void)initial;
        (void)kind;
        return {};
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
