#include "gui/ui/QtUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>

#include "gui/dialogs/ChoiceQuestionDialog.h"
#include "gui/dialogs/ConfirmDialog.h"
#include "gui/dialogs/MultiMessageDialog.h"
#include "gui/dialogs/PreferencesDialog.h"
#include "gui/dialogs/SlideShowDestinationDialog.h"
#include "gui/dialogs/TextQuestionDialog.h"
#include "gui/ui/GuiText.h"
#include "gui/ui/MessageBox.h"
#include "gui/ui/ProgressWindow.h"
#include "gui/ui/StatusBarView.h"
#include "gui/ui/TopMost.h"

namespace trovique::gui {
namespace {

// "Trovique files (*.sdb)" as the dialog lists it: the name, then the patterns in brackets
// unless the name already shows them.
QStringList NameFilters(const std::vector<FileFilter>& filters) {
    QStringList list;
    for (const auto& filter : filters) {
        QStringList patterns;
        for (const auto& pattern : filter.patterns) {
            // "*.*" means every file, also those without a dot in their name here.
            patterns << (pattern == "*.*" ? QStringLiteral("*") : FromCore(pattern));
        }
        const QString name = FromCore(filter.name);
        const QString shown = patterns.join(QLatin1Char(' '));
        list << (name.contains(QLatin1Char('('))
                     ? name.left(name.indexOf(QLatin1Char('('))).trimmed()
                     : name) +
                    QStringLiteral(" (") + shown + QLatin1Char(')');
    }
    return list;
}

}  // namespace

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

MessageAnswer CQtUserInterface::ShowMessage(const std::string& text, MessageStyle style,
                                            const std::string& title) {
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

std::string CQtUserInterface::ChooseFile(const FileDialogSpec& spec) {
    QFileDialog dialog(DialogParent(), FromCore(spec.title));
    dialog.setObjectName(QStringLiteral("dlgFile"));
    dialog.resize(780, 460);
    dialog.setAcceptMode(spec.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(spec.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Core adds the extension and asks before replacing a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // Qt's own dialog unless asked otherwise: the same everywhere, and tests can drive it.
    dialog.setOption(QFileDialog::DontUseNativeDialog,
                     qEnvironmentVariableIntValue("TROVIQUE_NATIVE_DIALOGS") == 0);
    dialog.setNameFilters(NameFilters(spec.filters));
    const FileDialogStart start = StartOf(spec);
    if (!start.folder.empty()) {
        dialog.setDirectory(FromPath(start.folder));
    }
    if (!start.fileName.empty()) {
        dialog.selectFile(FromPath(start.fileName));
    }
    // The list's columns start at fixed widths that cut the modification dates short.
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return ToPath(dialog.selectedFiles().constFirst());
}

std::optional<std::string> CQtUserInterface::AskText(const TextQuestion& question) {
    TextQuestionDialog dialog(DialogParent());
    dialog.SetQuestion(question);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Answer();
}

std::optional<std::size_t> CQtUserInterface::AskChoice(const ChoiceQuestion& question) {
    ChoiceQuestionDialog dialog(question, DialogParent());
    dialog.exec();
    return dialog.Choice();
}

std::optional<SlideShowPreferences> CQtUserInterface::EditPreferences(
    const SlideShowPreferences& current) {
    PreferencesDialog dialog(DialogParent());
    dialog.SetPreferences(current);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Preferences();
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
