// The main window: its menu tree against the captions it must carry, the enabling without a
// slide show, opening, dropping, saving, exporting and exiting through the dispatcher.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QtTest>
#include <deque>
#include <filesystem>

#include "core/editor/Document.h"
#include "core/services/MemorySettingsStore.h"
#include "core/settings/Application.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "core/validation/ValidationResults.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/windows/IDocumentWindow.h"
#include "gui/windows/MainWindow.h"
#include "support/GuiTestSupport.h"
#include "support/ProgramFixture.h"

using namespace trovique;
using namespace trovique::gui;

namespace {

// Answers the modal windows that open, in order, each once.
class CModalScript : public QObject {
public:
    using Step = std::function<void(QWidget*)>;
    explicit CModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_.start(10);
    }
    bool Done() const { return steps_.empty(); }

private:
    void Tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("answered").toBool() ||
            steps_.empty()) {
            return;
        }
        modal->setProperty("answered", true);
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(modal);
    }
    std::deque<Step> steps_;
    QTimer timer_;
};

CModalScript::Step Answer(QMessageBox::StandardButton button, QString* text = nullptr) {
    return [=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        if (text) {
            *text = box->text();
        }
        box->button(button)->click();
    };
}

CModalScript::Step TypeFile(const QString& path, QString* title = nullptr) {
    return [=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        if (title) {
            *title = dialog->windowTitle();
        }
        dialog->selectFile(path);
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->setText(path);
        }
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    };
}

// One line per menu entry: depth, object name and caption; "-" for separators.
QStringList Describe(const QMenu& menu, int depth) {
    QStringList lines;
    for (QAction* action : menu.actions()) {
        const QString indent(depth * 2, QLatin1Char(' '));
        if (action->isSeparator()) {
            lines << indent + QStringLiteral("- ") + action->objectName();
            continue;
        }
        lines << indent + action->objectName() + QStringLiteral(" ") + action->text();
        if (action->menu()) {
            lines << Describe(*action->menu(), depth + 1);
        }
    }
    return lines;
}

}  // namespace

class MainWindowTest : public QObject, public guitest::ProgramFixture {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void MenuTreeCarriesEveryNameAndCaption();
    void WithoutSlideShowOnlyTheWaysInWork();
    void OpeningAnOpenFileInOtherLettersActivatesIt();
    void DroppedFilesOpenImportOrAreRefused();
    void SaveAsAsksBeforeReplacingAndAddsTheExtension();
    void ExportOfAnInvalidSlideShowShowsTheValidationWindow();
    void ExitAnsweredCancelKeepsTheProgramOpen();

private:
    IDocumentWindow& NewDocument();
    std::string SavedFile(const QString& name);

    QTemporaryDir folder_;
};

void MainWindowTest::init() {
    StartProgram(folder_.path());
}

void MainWindowTest::cleanup() {
    main_.reset();
}

IDocumentWindow& MainWindowTest::NewDocument() {
    main_->DoCmd(0);
    return *main_->ActiveDocument();
}

// A slide show saved under name in the test's folder, not open in any window.
std::string MainWindowTest::SavedFile(const QString& name) {
    MemorySettingsStore store;
    CServices services{store, *ui_};
    CDocument document(services, application_->Palettes());
    const std::string path = folder_.filePath(name).toStdString();
    const bool written = name.endsWith(QLatin1String("pdb"), Qt::CaseInsensitive)
                             ? Export(document, path)
                             : Save(document, path);
    return written ? path : std::string();
}

void MainWindowTest::MenuTreeCarriesEveryNameAndCaption() {
    const QStringList expected{
        // clang-format off
        "mnuFile &File", "mnuFileNew &New", "mnuFileOpen &Open...", "mnuFileClose &Close", "-",
        "mnuFileSave &Save", "mnuFileSaveAs Save &As...", "mnuFileSaveAll Save A&ll", "-",
        "mnuFilePageSetup Page Set&up...", "mnuFilePrintPreview Print Pre&view",
        "mnuFilePrint &Print...", "-", "mnuFileProperties Propert&ies",
        "mnuFileValidate &Validate", "mnuFileImport &Import...",
        "mnuFileImportUnstructured Import Unstructured...",
        "mnuFileImportFromPowerPoint Import Into Current Slide Show From PowerPoint...",
        "mnuFileExport &Export To Palm Format...", "-", "mnuFileLock &Lock",
        "mnuFileUnlock &Unlock...", "-", "mnuFileSend Sen&d...", "- mnuFileMRUSep",
        "mnuFileMRU_1", "mnuFileMRU_2", "mnuFileMRU_3", "mnuFileMRU_4", "mnuFileMRU_5", "-",
        "mnuFileExit E&xit",
        "mnuEdit &Edit", "mnuEditUndoText &Undo Text", "mnuEditUndoOld &Undo",
        "mnuEditRedo &Redo", "-", "mnuEditCut Cu&t", "mnuEditCopy &Copy", "mnuEditPaste &Paste",
        "mnuEditDelete &Delete", "-", "mnuEditSelectAll Select &All", "-",
        "mnuEditImportFromFile Import From Text File...",
        "mnuView &View", "mnuViewToolbar &Toolbar", "mnuViewStatusBar Status &Bar", "-",
        "mnuViewGotoValidation Go To &Validation Window", "-",
        "mnuViewOptions Application &Options...", "mnuViewRefresh &Refresh",
        "mnuTerm &Term", "mnuTermUndo &Undo", "-", "mnuTermAdd &Add Term...",
        "mnuTermEdit &Rename Term...", "mnuTermDelete &Delete Term...", "-",
        "mnuTermCollapse Collapse", "mnuTermExpand Expand", "-",
        "mnuTermMarkAllTermsCopyEnabled_0 Mark All Terms Copy-Enabled",
        "mnuTermMarkAllTermsCopyEnabled_1 Remove Copy-Enable From All Terms",
        "mnuNode &Slide", "mnuNodeUndo &Undo", "-", "mnuNodeAddNode A&dd Node",
        "mnuSlideAdd Add &Slide", "mnuNodeAddLeaf Add &Leaf", "  mnuNodeAddQAF Add &QAF",
        "  mnuNodeAddFact Add &FACT", "  mnuNodeAddBitmap Add &BITMAP",
        "mnuNodeDelete Delete Slide...", "mnuNodeRename Re&name Slide", "-",
        "mnuNodeCut Cu&t Slide...", "mnuNodeCopy &Copy Slide", "mnuNodePaste &Paste At Slide",
        "mnuNodeClearClipboard Clear Slide Clipboard", "-", "mnuNodeMove_0 Move Up",
        "mnuNodeMove_1 Move Down", "mnuNodeMove_2 Move First", "mnuNodeMove_3 Move Last", "-",
        "mnuNodeIndent Indent", "mnuNodeIndentChildren Indent All Children", "-",
        "mnuNodeCollapse Collapse", "mnuNodeExpand Expand", "-",
        "mnuNodeGoToParent &Go To Parent", "mnuNodeGoToRoot Go To &Root", "-",
        "mnuNodeConvertLeaf Convert Leaf", "  mnuNodeConvertLeafTo_0 To QAF",
        "  mnuNodeConvertLeafTo_1 To FACT", "  mnuNodeConvertLeafTo_2 To BITMAP",
        "mnuNodeConvertAllLeaves Convert All Leaves", "  mnuNodeConvertAllLeavesTo_0 To QAF...",
        "  mnuNodeConvertAllLeavesTo_1 To FACT...", "  mnuNodeConvertAllLeavesTo_2 To BITMAP...",
        "-", "mnuNodeMarkAllLeavesCopyEnabled_0 Mark All Leaves Copy-Enabled",
        "mnuNodeMarkAllLeavesCopyEnabled_1 Remove Copy-Enable From All Leaves",
        "mnuWindow &Window", "mnuWindowCascade &Cascade",
        "mnuWindowTileHorizontal Tile &Horizontal", "mnuWindowTileVertical Tile &Vertical",
        "mnuWindowArrangeIcons &Arrange Icons",
        "mnuHelp &Help", "mnuHelpContents &Help for Pellomar",
        "mnuHelpSearch &Search For Help On...", "-", "mnuHelpAbout &About...",
        "mnuContextTextBox TextBox Context Menu", "mnuContextTextUndo Undo", "-",
        "mnuContextTextCut Cut", "mnuContextTextCopy Copy", "mnuContextTextPaste Paste",
        "mnuContextTextDelete Delete", "-", "mnuContextTextSelectAll Select All", "-",
        "mnuContextTextImportFromFile Import From Text File...",
        // clang-format on
    };
    // Indents in the table show the sub-menus; the comparison is by order, name and caption.
    QStringList actual;
    const auto add = [&actual](const QMenu& menu) {
        actual << menu.objectName() + QStringLiteral(" ") + menu.title();
        for (const QString& line : Describe(menu, 0)) {
            actual << line.trimmed();
        }
    };
    for (QAction* top : main_->menuBar()->actions()) {
        add(*top->menu());
    }
    add(main_->TextBoxContextMenu());
    QStringList wanted;
    for (const QString& line : expected) {
        wanted << line.trimmed();
    }
    QCOMPARE(actual, wanted);
    QCOMPARE(main_->Action(QStringLiteral("mnuFileNew"))->shortcut(), QKeySequence::New);
    QCOMPARE(main_->Action(QStringLiteral("mnuViewGotoValidation"))->shortcut(),
             QKeySequence(Qt::Key_F2));
    QCOMPARE(main_->Action(QStringLiteral("mnuViewRefresh"))->shortcut(), QKeySequence(Qt::Key_F5));
}

void MainWindowTest::WithoutSlideShowOnlyTheWaysInWork() {
    for (const char* name :
         {"mnuFileNew", "mnuFileOpen", "mnuFileImport", "tbNew", "tbOpen", "tbImport"}) {
        QAction* action = main_->Action(QLatin1String(name));
        if (!action) {
            action = main_->ToolBar().findChild<QAction*>(QLatin1String(name));
        }
        QVERIFY2(action && action->isEnabled(), name);
    }
    for (const char* name : {"mnuFileSave", "mnuFileClose", "mnuFileValidate", "mnuFileExport",
                             "mnuEdit", "mnuNode"}) {
        QVERIFY2(!main_->Action(QLatin1String(name))->isEnabled(), name);
    }
    for (const char* name : {"tbSave", "tbExport", "tbValidate", "tbCut"}) {
        QVERIFY2(!main_->ToolBar().findChild<QAction*>(QLatin1String(name))->isEnabled(), name);
    }
    for (const int command : {2, 3, 4, 5, 6, 9, 11, 14}) {
        QVERIFY(!main_->DoCmd(command));
    }
    // Every command ends by enabling the frame; the group stays as it was.
    QVERIFY(!main_->menuBar()->actions().at(1)->isEnabled());  // mnuEdit
    QVERIFY(main_->MdiArea().subWindowList().isEmpty());
    NewDocument();
    QVERIFY(main_->Action(QStringLiteral("mnuFileSave"))->isEnabled());
    QVERIFY(main_->DoCmd(2));
    QVERIFY(!main_->Action(QStringLiteral("mnuFileSave"))->isEnabled());
}

void MainWindowTest::OpeningAnOpenFileInOtherLettersActivatesIt() {
    const std::string file = SavedFile(QStringLiteral("deck.sdb"));
    QVERIFY(!file.empty());
    QVERIFY(main_->DoCmd(1, QString::fromStdString(file)));
    NewDocument();
    QCOMPARE(main_->MdiArea().subWindowList().size(), 2);
    const QString upper = folder_.path() + QStringLiteral("/DECK.SDB");
    QVERIFY(main_->DoCmd(1, upper));
    QCOMPARE(main_->MdiArea().subWindowList().size(), 2);
    QCOMPARE(main_->ActiveDocument()->Document().FileName(), file);
    QCOMPARE(main_->Action(QStringLiteral("mnuFileMRU_1"))->text(), QStringLiteral("&1 ") + upper);
    QVERIFY(main_->Action(QStringLiteral("mnuFileMRU_1"))->isVisible());
    QVERIFY(!main_->Action(QStringLiteral("mnuFileMRU_2"))->isVisible());
}

void MainWindowTest::DroppedFilesOpenImportOrAreRefused() {
    const std::string palm = SavedFile(QStringLiteral("handheld.pdb"));
    const std::string working = SavedFile(QStringLiteral("WORK.SDB"));
    QVERIFY(!palm.empty() && !working.empty());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(palm)),
                  QUrl::fromLocalFile(folder_.filePath(QStringLiteral("notes.txt"))),
                  QUrl::fromLocalFile(QString::fromStdString(working))});
    QString refused;
    CModalScript script({Answer(QMessageBox::Ok, &refused)});
    main_->HandleDragDropFile(&data);
    QVERIFY(script.Done());
    QCOMPARE(refused, QStringLiteral("Norvane Trovique does not recognize the file type for ") +
                          folder_.filePath(QStringLiteral("notes.txt")) +
                          QStringLiteral(".  This file will not be processed."));
    const QList<IDocumentWindow*> documents = main_->Documents();
    QCOMPARE(documents.size(), 2);
    QVERIFY(documents[0]->Document().FileName().empty());  // imported as a new slide show
    QCOMPARE(documents[1]->Document().FileName(), working);

    QMimeData empty;
    QString unsupported;
    CModalScript again({Answer(QMessageBox::Ok, &unsupported)});
    main_->HandleDragDropFile(&empty);
    QCOMPARE(unsupported, QStringLiteral("Unsupported drop target."));
}

void MainWindowTest::SaveAsAsksBeforeReplacingAndAddsTheExtension() {
    const std::string existing = SavedFile(QStringLiteral("taken.sdb"));
    NewDocument();
    QString firstTitle;
    QString question;
    const QString fresh = folder_.filePath(QStringLiteral("fresh"));
    CModalScript script({TypeFile(QString::fromStdString(existing), &firstTitle),
                         Answer(QMessageBox::No, &question), TypeFile(fresh)});
    QVERIFY(main_->DoCmd(4));
    QVERIFY(script.Done());
    QCOMPARE(firstTitle, QStringLiteral("Save As"));
    QVERIFY(
        question.endsWith(QStringLiteral("This file already exists.\n\nReplace existing file?")) ||
        question.endsWith(
            QStringLiteral("This file already exists.\r\n\r\nReplace existing file?")));
    QCOMPARE(main_->ActiveDocument()->Document().FileName(), (fresh + ".sdb").toStdString());
    QVERIFY(std::filesystem::exists((fresh + ".sdb").toStdString()));
}

void MainWindowTest::ExportOfAnInvalidSlideShowShowsTheValidationWindow() {
    NewDocument();  // a slide show without slides does not pass validation
    QString text;
    QString seen;
    CModalScript script({[&](QWidget* modal) {
        seen = modal->metaObject()->className();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        } else {
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
        }
    }});
    QVERIFY(!main_->DoCmd(5));
    QCOMPARE(seen, QStringLiteral("QMessageBox"));
    QCOMPARE(text, QStringLiteral("The document must be valid before export."));
    QVERIFY(main_->ValidationResults().Visible());
    QVERIFY(!main_->ValidationResults().Empty());
}

void MainWindowTest::ExitAnsweredCancelKeepsTheProgramOpen() {
    IDocumentWindow& document = NewDocument();
    document.Document().ForceDirty(true);
    QString question;
    CModalScript script({Answer(QMessageBox::Cancel, &question)});
    main_->Action(QStringLiteral("mnuFileExit"))->trigger();
    QVERIFY(script.Done());
    QVERIFY(question.startsWith(QStringLiteral("Data has changed for:")));
    QVERIFY(main_->isVisible());
    QCOMPARE(main_->MdiArea().subWindowList().size(), 1);
    document.Document().ForceDirty(false);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
