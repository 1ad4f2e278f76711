// The dispatcher: one core operation per command, on the active slide show window.
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QUrl>
#include <type_traits>

#include "core/app/Commands.h"
#include "core/app/DroppedFiles.h"
#include "core/app/ImportTimeLimit.h"
#include "core/app/RecentFiles.h"
#include "core/app/TextEditCommands.h"
#include "core/document/ElementClipboard.h"
#include "core/editor/Document.h"
#include "core/editor/DocumentWindowRules.h"
#include "core/editor/LeafCommands.h"
#include "core/import/PowerPointImport.h"
#include "core/import/UnstructuredImport.h"
#include "core/import/UnstructuredSettings.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/FileDialog.h"
#include "core/services/Messages.h"
#include "core/settings/Application.h"
#include "core/settings/ProgramFolder.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "core/validation/ExportGate.h"
#include "core/validation/Validate.h"
#include "core/validation/ValidationResults.h"
#include "gui/dialogs/UnstructuredOptionsDialog.h"
#include "gui/ui/ProgressWindow.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/windows/DocumentWindow.h"
#include "gui/windows/MainWindow.h"
#include "gui/windows/PresentationImportRun.h"
#include "platform/LibreOfficeSource.h"
#include "platform/ProcessRunner.h"

namespace trovique::gui {
namespace {

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The finishing steps of every command, on every way out: the frame enabled again and the
// pointer as it was.
class CCommandScope {
public:
    CCommandScope(QWidget& frame, IUserInterface& ui)
        : frame_(frame), ui_(ui), pointer_(ui.Pointer()) {}
    ~CCommandScope() {
        frame_.setEnabled(true);
        ui_.SetPointer(pointer_);
    }
    CCommandScope(const CCommandScope&) = delete;
    CCommandScope& operator=(const CCommandScope&) = delete;

private:
    QWidget& frame_;
    IUserInterface& ui_;
    MousePointer pointer_;
};

}  // namespace

void MainWindow::SetApplication(CApplication* application) {
    application_ = application;
}

void MainWindow::SetHooks(MainWindowHooks hooks) {
    hooks_ = std::move(hooks);
    if (loaded_) {
        HideItemsWithoutWork();
    }
}

IDocumentWindow* MainWindow::ActiveDocument() const {
    QMdiSubWindow* active = mdi_->activeSubWindow();
    if (!active && closingAll_ == false && !mdi_->subWindowList().isEmpty()) {
        active = mdi_->currentSubWindow();
    }
    return active ? dynamic_cast<IDocumentWindow*>(active->widget()) : nullptr;
}

QList<IDocumentWindow*> MainWindow::Documents() const {
    QList<IDocumentWindow*> documents;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (auto* document = dynamic_cast<IDocumentWindow*>(window->widget())) {
            documents << document;
        }
    }
    return documents;
}

bool MainWindow::DoCmd(int command, const QString& parameter) {
    emit commandIssued(command, parameter);
    CCommandScope scope(*this, ui_);
    IDocumentWindow* target = ActiveDocument();
    if (!target && CommandNeedsSlideShow(command)) {
        return false;
    }
    try {
        return RunCommand(command, parameter, target);
    } catch (const std::exception& error) {
        ReportMessage(ui_, std::string(kCommandErrorPrefix) + error.what(), kStyleInformation);
        return false;
    }
}

bool MainWindow::RunCommand(int command, const QString& parameter, IDocumentWindow* target) {
    CDocument* document = target ? &target->Document() : nullptr;
    const auto refreshed = [this, target](bool result) {
        target->RefreshActiveNode();
        ApplyNodeMenu();
        return result;
    };
    switch (command) {
        case cmd::kNew:
            if (!application_) {
                return false;
            }
            LoadNewDoc();
            return true;
        case cmd::kOpen:
        case cmd::kImport:
        case cmd::kImportUnstructured:
            return OpenOrImport(command, parameter);
        case cmd::kClose: {
            ui_.SetPointer(MousePointer::Hourglass);
            auto* window = dynamic_cast<DocumentWindow*>(target);
            const bool closed = window && window->CloseThroughCommand();
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            if (mdi_->subWindowList().isEmpty()) {
                UpdateMenuStatus(false);
            }
            return closed;
        }
        case cmd::kSave:
            return Save(*target, document->FileName().empty());
        case cmd::kSaveAs:
            return Save(*target, true);
        case cmd::kExport:
            return Export(*target);
        case cmd::kValidate:
            return Validate(*target);
        case cmd::kGoToRoot:
            document->Tree().GoToRoot();
            return refreshed(true);
        case cmd::kGoToParent:
            document->Tree().GoToParent();
            return refreshed(true);
        case cmd::kAddNode:
            return refreshed(document->AddNode() != 0);
        case cmd::kAddLeaf: {
            // The leaf kind travels as the parameter; a new leaf is made and given that kind.
            const int leaf = document->AddQAF();
            const auto kind = LeafKindOfParameter(parameter.toStdString());
            if (leaf != 0 && kind) {
                document->ConvertLeaves({leaf}, *kind);
            }
            return refreshed(leaf != 0);
        }
        case cmd::kDelete:
            return refreshed(document->Delete());
        case cmd::kRename:
            return target->RenameNode();
        case cmd::kNodeMenuOpening:
            ApplyNodeMenu();
            return true;
        case cmd::kCut:
            return refreshed(document->CutNode());
        case cmd::kCopy:
            return refreshed(document->CopyNode());
        case cmd::kPaste:
            return refreshed(document->PasteNode());
        case cmd::kClearClipboard:
            nodeClipboard_->Clear();
            ApplyNodeMenu();
            return true;
        case cmd::kImportPowerPoint: {
            std::string file = parameter.toStdString();
            if (file.empty()) {
                file = AskFile(static_cast<int>(FileDialogKind::PowerPoint), DataFolder());
            }
            if (file.empty()) {
                return false;
            }
            CProcessRunner runner;
            CLibreOfficeSource source(runner, ImportTimeLimit(store_));
            return refreshed(
                ImportPresentationInBackground(*document, source, PathOf(file), &ui_.ProgressView())
                    .succeeded);
        }
        case cmd::kMainWindowLoad:
            Load();
            return true;
        case cmd::kRecentFile: {
            QAction* item = Action(QStringLiteral("mnuFileMRU_%1").arg(parameter));
            return item && DoCmd(cmd::kOpen, item->data().toString());
        }
        case cmd::kBranchCollapse:
        case cmd::kBranchExpand:
            ui_.SetPointer(MousePointer::Hourglass);
            target->BranchExpand(command == cmd::kBranchExpand);
            return true;
        case cmd::kLock:
            return refreshed(document->LockDB());
        case cmd::kUnlock:
            // The document asks for the password ("Enter Password").
            return refreshed(document->UnlockDB());
        case cmd::kPrintDirect:
        case cmd::kPrint:
            if (!hooks_.print) {
                return false;
            }
            hooks_.print(*document, command == cmd::kPrint);
            return true;
        case cmd::kMove: {
            const int direction = parameter.toInt();
            return direction >= 0 && direction <= 3 &&
                   refreshed(document->MoveNode(static_cast<MoveDirection>(direction)));
        }
        case cmd::kUndoRedo:
            return refreshed(document->UndoMenu().tag == kOpUndo ? document->Undo()
                                                                 : document->Redo());
        case cmd::kRedo:
            return RedoOffered(document->UndoMenu()) && refreshed(document->Redo());
        case cmd::kTextCut:
        case cmd::kTextCopy:
        case cmd::kTextPaste:
        case cmd::kTextDelete:
        case cmd::kTextSelectAll:
        case cmd::kTextUndo:
            return TextCommand(command);
        case cmd::kTextImportFromFile:
            return ImportTextIntoField();
        case cmd::kEditMenuOpening:
            ApplyTextEditItems(false);
            return true;
        case cmd::kContextMenuOpening:
            ApplyTextEditItems(true);
            return true;
        case cmd::kHelpContents:
            OpenHelp(false);
            return true;
        case cmd::kConvertAllLeaves:
        case cmd::kConvertLeaf:
        case cmd::kMarkCopyEnabled:
            // Confirmations included.
            return refreshed(RunLeafCommand(*document, command, parameter.toStdString()));
        case cmd::kIndent:
            return refreshed(document->Indent(IndentScope::Item));
        case cmd::kIndentChildren:
            return refreshed(document->Indent(IndentScope::Children));
        case cmd::kOptions:
            if (hooks_.options) {
                hooks_.options();
            }
            return static_cast<bool>(hooks_.options);
        case cmd::kTermAdd: {
            // The term dialog gives the term as the record keeps it.
            const std::string term = document->AskTerm(false);
            return !term.empty() && refreshed(document->AddTerm(term) != 0);
        }
        case cmd::kTermEdit: {
            const int item = document->Tree().Selected();
            const std::string term =
                document->AskTerm(true, FieldText(*document, item, TextField::LeafTitle));
            return !term.empty() && refreshed(document->RenameTerm(item, term));
        }
        case cmd::kTermDelete:
            return refreshed(document->Delete());
        default:
            return false;
    }
}

DocumentWindow* MainWindow::MakeDocumentWindow() {
    auto* window = new DocumentWindow(services_, application_->Palettes());
    window->Document().SetNodeClipboard(nodeClipboard_.get());
    window->askClose = [this](DocumentWindow& closing) { return AskCloseDocument(closing); };
    QMdiSubWindow* child = mdi_->addSubWindow(window);
    // The panes need room: a new window takes the whole frame when it can, else its own size.
    const QSize smallest(640, 420);
    const QSize area = mdi_->viewport()->size();
    child->resize(area.width() >= smallest.width() && area.height() >= smallest.height()
                      ? area
                      : child->sizeHint().expandedTo(smallest));
    // The close box and Ctrl+F4 come back here, so that every close runs the close command.
    connect(window, &DocumentWindow::closeRequested, this, [this](DocumentWindow* closing) {
        mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(closing->parentWidget()));
        if (ActiveDocument() == closing) {
            DoCmd(cmd::kClose, {});
        }
    });
    connect(window, &DocumentWindow::nextWindowRequested, mdi_, &QMdiArea::activateNextSubWindow);
    connect(window, &DocumentWindow::textContextRequested, this, &MainWindow::ShowFactContext);
    connect(window, &DocumentWindow::selectionShown, this, [this, window] {
        if (ActiveDocument() == window) {
            ApplyNodeMenu();
        }
    });
    child->setAttribute(Qt::WA_DeleteOnClose);
    connect(child, &QObject::destroyed, this, [this] {
        if (!closingAll_ && mdi_->subWindowList().isEmpty()) {
            UpdateMenuStatus(false);
        }
    });
    return window;
}

void MainWindow::LoadNewDoc() {
    ++newDocumentCounter_;
    DocumentWindow* window = MakeDocumentWindow();
    window->Document().InitialCaption(NewSlideShowCaption(newDocumentCounter_));
    window->Document().ForceDirty(false);
    window->UpdateCaption();
    if (application_->AllowGUI() || isVisible()) {
        window->parentWidget()->show();
        mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
    }
    UpdateMenuStatus(true);
    ApplyNodeMenu();
}

IDocumentWindow* MainWindow::FindOpen(const std::string& file) const {
    for (IDocumentWindow* window : Documents()) {
        if (SameFileName(window->Document().FileName(), file)) {
            return window;
        }
    }
    return nullptr;
}

std::string MainWindow::DataFolder() const {
    return application_ ? application_->LastDataPath() : std::string();
}

std::string MainWindow::AskFile(int kind, const std::string& initial) {
    return GetFileName(services_, DescribeFileDialog(static_cast<FileDialogKind>(kind), initial));
}

bool MainWindow::OpenOrImport(int command, const QString& parameter) {
    if (!application_) {
        return false;
    }
    std::string file = parameter.toStdString();
    if (file.empty()) {
        const FileDialogKind kind = command == cmd::kImport ? FileDialogKind::Import
                                    : command == cmd::kImportUnstructured
                                        ? FileDialogKind::ImportText
                                        : FileDialogKind::Open;
        file = AskFile(static_cast<int>(kind), DataFolder());
    }
    if (file.empty()) {
        return false;
    }
    if (IDocumentWindow* open = FindOpen(file)) {
        mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(open->Widget().parentWidget()));
        open->Widget().setFocus();
        if (command != cmd::kImport) {
            MRUSet(QString::fromStdString(file));
        }
        return true;
    }
    DocumentWindow* window = MakeDocumentWindow();
    QWidget* child = window->parentWidget();
    QCoreApplication::processEvents();
    setEnabled(false);
    child->setEnabled(false);
    child->repaint();
    ui_.ReleaseTopMost();  // a splash still up must not cover the reading step's messages
    if (!ReadInto(*window, command, file)) {
        delete child;
        if (mdi_->subWindowList().isEmpty()) {
            UpdateMenuStatus(false);
        }
        return false;
    }
    window->UpdateCaption();
    child->show();
    child->setEnabled(true);
    setEnabled(true);
    mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child));
    QCoreApplication::processEvents();
    UpdateMenuStatus(true);
    ApplyNodeMenu();
    if (command == cmd::kOpen) {
        MRUSet(QString::fromStdString(file));
    }
    return true;
}

bool MainWindow::ReadInto(DocumentWindow& window, int command, const std::string& file) {
    CDocument& document = window.Document();
    if (command != cmd::kImportUnstructured) {
        return Read(document, PathOf(file), command == cmd::kImport);
    }
    if (application_->ImportUnstructuredShowDlg()) {
        UnstructuredOptionsDialog options(store_, ui_, file, this);
        if (options.exec() != QDialog::Accepted) {
            return false;
        }
    }
    // What the dialog stored, or the stored options when it is not shown.
    const UnstructuredSettings settings = LoadUnstructuredSettings(store_);
    ++newDocumentCounter_;
    document.InitialCaption(NewSlideShowCaption(newDocumentCounter_));
    return ReadUnstructured(document, PathOf(file), settings.DelimiterStrings(),
                            settings.TitleChars(), settings.TitleDelimiterString());
}

bool MainWindow::Save(IDocumentWindow& target, bool askName) {
    CDocument& document = target.Document();
    std::string file = document.FileName();
    if (askName) {
        file =
            AskFile(static_cast<int>(FileDialogKind::SaveAs), file.empty() ? DataFolder() : file);
        if (file.empty()) {
            return false;
        }
    }
    const bool saved = trovique::Save(document, PathOf(file));
    target.UpdateCaption();
    if (QWidget* child = target.Widget().parentWidget()) {
        child->setWindowTitle(target.Widget().windowTitle());
    }
    return saved;
}

bool MainWindow::Export(IDocumentWindow& target) {
    CDocument& document = target.Document();
    const std::string initial = application_ ? application_->LastExportPath() : DataFolder();
    const ExportOutcome outcome = ExportValidSlideShow(
        document, *validation_,
        application_ ? CValidationLimit::FromApplication(*application_) : CValidationLimit(),
        initial);
    if (outcome == ExportOutcome::Invalid) {
        ShowValidate(true);
    }
    return outcome == ExportOutcome::Exported;
}

bool MainWindow::Validate(IDocumentWindow& target) {
    const bool valid = trovique::Validate(
        target.Document(), *validation_,
        application_ ? CValidationLimit::FromApplication(*application_) : CValidationLimit());
    if (validation_->Visible() && !valid) {
        ShowValidate(true);
    }
    target.RefreshActiveNode();
    return valid;
}

void MainWindow::ShowValidate(bool bringToFront) {
    validation_->Show(bringToFront);
    if (hooks_.showValidate) {
        hooks_.showValidate(bringToFront);
    }
}

namespace {

// The text commands on a one-line or a many-line text box.
template <class Box>
void RunTextCommand(Box& box, int command) {
    switch (command) {
        case cmd::kTextCut:
            box.cut();
            break;
        case cmd::kTextCopy:
            box.copy();
            break;
        case cmd::kTextPaste:
            box.paste();
            break;
        case cmd::kTextDelete:
            if constexpr (std::is_same_v<Box, QLineEdit>) {
                box.del();
            } else {
                box.textCursor().removeSelectedText();
            }
            break;
        case cmd::kTextSelectAll:
            box.selectAll();
            break;
        default:
            box.undo();
            break;
    }
}

}  // namespace

bool MainWindow::TextCommand(int command) {
    QWidget* focus = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        RunTextCommand(*line, command);
    } else if (auto* text = qobject_cast<QTextEdit*>(focus)) {
        RunTextCommand(*text, command);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        RunTextCommand(*plain, command);
    } else {
        return false;
    }
    return true;
}

bool MainWindow::ImportTextIntoField() {
    IDocumentWindow* target = ActiveDocument();
    QWidget* field = target ? target->FactTextBox() : nullptr;
    auto* text = qobject_cast<QTextEdit*>(field);
    auto* plain = qobject_cast<QPlainTextEdit*>(field);
    if ((!text && !plain) || (text ? text->isReadOnly() : plain->isReadOnly())) {
        return false;
    }
    const std::string file = AskFile(static_cast<int>(FileDialogKind::ImportText), DataFolder());
    if (file.empty()) {
        return false;
    }
    QFile input(QString::fromStdString(file));
    if (!input.open(QIODevice::ReadOnly)) {
        ReportMessage(ui_, std::string(kCommandErrorPrefix) + input.errorString().toStdString(),
                      kStyleInformation);
        return false;
    }
    const std::size_t limit = TextFieldLimit(TextField::Fact);
    const QByteArray bytes = input.read(static_cast<qint64>(BytesToReadForField(limit)));
    const ImportedFieldText imported = TextForField(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), limit);
    const QString content = QString::fromStdString(imported.text);
    text ? text->setPlainText(content) : plain->setPlainText(content);
    if (imported.truncated) {
        ReportMessage(ui_, ImportedTextTruncatedText(limit), kStyleInformation);
    }
    return true;
}

bool MainWindow::AskCloseDocument(DocumentWindow& window) {
    CDocument& document = window.Document();
    const bool close = QueryCloseDocument(
        document, [this, &window] { return Save(window, window.Document().FileName().empty()); });
    if (close) {
        validation_->DocumentClosing(&document);
    }
    return close;
}

bool MainWindow::CloseAllDocuments() {
    for (QMdiSubWindow* child : mdi_->subWindowList()) {
        auto* window = dynamic_cast<DocumentWindow*>(child->widget());
        if (!(window ? window->CloseThroughCommand() : child->close())) {
            return false;
        }
    }
    return true;
}

bool MainWindow::SaveAll() {
    for (IDocumentWindow* window : Documents()) {
        if (!Save(*window, window->Document().FileName().empty())) {
            return false;
        }
    }
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    HandleDragDropFile(event->mimeData());
}

void MainWindow::HandleDragDropFile(const QMimeData* dropped) {
    raise();
    activateWindow();
    if (!dropped || !dropped->hasUrls()) {
        ReportMessage(ui_, kUnsupportedDropTarget, kStyleExclamation);
        return;
    }
    for (const QUrl& url : dropped->urls()) {
        const QString file = url.toLocalFile();
        switch (ClassifyDroppedFile(file.toStdString())) {
            case DropAction::Open:
                DoCmd(cmd::kOpen, file);
                break;
            case DropAction::Import:
                DoCmd(cmd::kImport, file);
                break;
            case DropAction::Refuse:
                ReportMessage(ui_, UnrecognizedFileTypeText(file.toStdString()), kStyleExclamation);
                break;
        }
    }
}

void MainWindow::OpenHelp(bool index) {
    // The help pages ship in share/trovique/help, found beside the program in the build tree.
    QStringList candidates;
    try {
        const QString folder = QString::fromStdString(RunningProgramFolder().string());
        candidates << folder + QStringLiteral("/help/index.html")
                   << folder + QStringLiteral("/../../share/trovique/help/index.html")
                   << folder + QStringLiteral("/../share/trovique/help/index.html");
    } catch (const std::exception&) {
    }
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate)) {
            QUrl url = QUrl::fromLocalFile(QFileInfo(candidate).canonicalFilePath());
            if (index) {
                url.setFragment(QStringLiteral("index"));
            }
            QDesktopServices::openUrl(url);
            return;
        }
    }
    ReportMessage(ui_, kNoHelpText, kStyleInformation);
}

}  // namespace trovique::gui
