#include "gui/ui/QtUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "gui/dialogs/ConfirmDialog.h"
#include "gui/dialogs/MultiMessageDialog.h"
#include "gui/dialogs/SlideShowDestinationDialog.h"
#include "gui/ui/GuiText.h"
#include "gui/ui/MessageBox.h"
#include "gui/ui/ProgressWindow.h"
#include "gui/ui/StatusBarView.h"
#include "gui/ui/TopMost.h"

namespace trovique::gui {

CQtUserInterface::CQtUserInterface() {
    auto view = std::make_unique<ProgressWindow>();
    progressView_ = view.get();
    progress_ = std::make_unique<CProgress>(std::move(view));
}

CQtUserInterface::~CQtUserInterface() {
    SetPointer(MousePointer::Default);
    statusBar_.SetStatusBar(nullptr);
}

void CQtUserInterface::SetStatusBarView(StatusBarView* view) {
    statusBar_.SetStatusBar(view);
}

QWidget* CQtUserInterface::DialogParent() const {
    return commandWindow_ && commandWindow_->isVisible() ? commandWindow_.data() : nullptr;
}

int CQtUserInterface::ShowMessage(const std::string& text, int style, const std::string& title) {
    return ShowMessageBox(FromCore(text), style, FromCore(title));
}

ConfirmAnswer CQtUserInterface::AskConfirm(const std::string& text, const std::string& title) {
    ConfirmDialog dialog(DialogParent());
    dialog.SetTitle(FromCore(title));
    dialog.SetText(FromCore(text));
    dialog.exec();
    return {dialog.Answer() == ConfirmDialog::kAnswerYes, dialog.NoShowAgain()};
}

void CQtUserInterface::ShowLongMessage(const std::string& caption, const std::string& header,
                                       const std::string& text) {
    MultiMessageDialog dialog(DialogParent());
    dialog.SetWindowCaption(FromCore(caption));
    dialog.SetHeaderText(FromCore(header));
    dialog.SetMsgText(FromCore(text));
    dialog.exec();
}

std::string CQtUserInterface::GetFileName(const std::string& initial, FileDialogKind kind) {
    CNormalPointerScope pointer(*this);
    const int flags = ReleaseTopMost();
    const bool save = kind == FileDialogKind::SaveAs || kind == FileDialogKind::Export ||
                      kind == FileDialogKind::PrintTo;
    QFileDialog dialog(DialogParent(), QString::fromLatin1(FileDialogTitle(kind)));
    dialog.setObjectName(QStringLiteral("dlgFile"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QFileInfo start(FromPath(initial));
    if (start.isDir()) {
        dialog.setDirectory(start.filePath());
    } else if (!initial.empty()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    RestoreTopMost(flags);
    return chosen ? ToPath(dialog.selectedFiles().constFirst()) : std::string();
}

SlideShowDestination CQtUserInterface::ChooseSlideShowDestination() {
    CNormalPointerScope pointer(*this);
    const int flags = ReleaseTopMost();
    SlideShowDestinationDialog dialog(DialogParent());
    dialog.exec();
    RestoreTopMost(flags);
    return dialog.Choice();
}

int CQtUserInterface::ReleaseTopMost() {
    int flags = 0;
    if (splash_ && splash_->isVisible()) {
        flags |= kTopMostSplash;
        SetTopMost(*splash_, false);
    }
    if (progressView_->isVisible()) {
        flags |= kTopMostProgress;
        SetTopMost(*progressView_, false);
    }
    return flags;
}

void CQtUserInterface::RestoreTopMost(int flags) {
    if ((flags & kTopMostSplash) && splash_) {
        SetTopMost(*splash_, true);
    }
    // The progress window goes back to what its owner asked: the install wait lets others
    // cover it.
    if (flags & kTopMostProgress) {
        SetTopMost(*progressView_, progressView_->WantsOnTop());
    }
}

void CQtUserInterface::PumpEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void CQtUserInterface::SetPointer(MousePointer pointer) {
    if (pointer == pointer_) {
        return;
    }
    pointer_ = pointer;
    const bool busy = pointer == MousePointer::Hourglass;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
    if (commandWindow_) {
        commandWindow_->setEnabled(!busy);
    }
}

}  // namespace trovique::gui
