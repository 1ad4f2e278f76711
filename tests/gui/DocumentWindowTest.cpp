// The slide show window inside the main window: what a new window shows, the tree's pictures and
// expansion, renaming in place, the Redo item, the close question, paste between two windows and
// a whole session of edits through the commands, saved and read back.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

#include "core/app/Commands.h"
#include "core/codec/Windows1252.h"
#include "core/editor/Document.h"
#include "core/services/MemorySettingsStore.h"
#include "core/settings/Application.h"
#include "gui/models/SlideShowTreeModel.h"
#include "gui/panes/ItemPanes.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/windows/DocumentWindow.h"
#include "gui/windows/MainWindow.h"
#include "support/GuiTestSupport.h"
#include "support/ModalScript.h"
#include "support/ProgramFixture.h"

using namespace trovique;
using namespace trovique::gui;
using guitest::ModalScript;

namespace {

// Every item, depth first: level, kind, title, page and leaf kind, as the file keeps them.
QStringList Describe(const CDocument& document) {
    const CSlideShowTree& tree = document.Tree();
    QStringList lines;
    for (const int item : tree.Preorder(tree.GetNodeInfoIndexOfRoot())) {
        const CGenElemInfo& entry = tree.Entry(item);
        QString line = QStringLiteral("%1 %2 %3")
                           .arg(tree.Level(item))
                           .arg(static_cast<int>(entry.ElemType))
                           .arg(QString::fromStdString(Windows1252ToUtf8(entry.Title())));
        if (entry.IsLeaf()) {
            line += QStringLiteral(" p%1 fact%2 bitmap%3")
                        .arg(entry.Leaf->LPI())
                        .arg(entry.Leaf->FACTOnly())
                        .arg(entry.Leaf->BITMAPOnly());
        }
        lines << line;
    }
    return lines;
}

}  // namespace

class DocumentWindowTest : public QObject, public guitest::ProgramFixture {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void NewWindowShowsTheRootAloneExpanded();
    void RenameInPlaceFillsTheTitleBoxOfTheItemsKind();
    void RedoFollowsTheUndoRecord();
    void DisplayItemOfADeletedLeafSaysSo();
    void CloseBoxYesThenNoNameKeepsTheWindow();
    void PasteReachesAnotherWindow();
    void SessionThroughTheCommandsReadsBackTheSame();
    void WindowKeysSwitchAndClose();
    void ImportedTextFillsTheFactBoxUpToItsLimit();
    void LockAndUnlockThroughTheFileMenu();

private:
    DocumentWindow& NewWindow();
    bool Run(int command, const QString& parameter = {}) {
        return main_->DoCmd(command, parameter);
    }

    QTemporaryDir folder_;
};

void DocumentWindowTest::init() {
    StartProgram(folder_.path(), {{"NoShowAgain", "DeleteNode", "1"}});
}

void DocumentWindowTest::cleanup() {
    for (IDocumentWindow* window : main_->Documents()) {
        window->Document().ForceDirty(false);
    }
    main_.reset();
}

DocumentWindow& DocumentWindowTest::NewWindow() {
    Run(cmd::kNew);
    return *dynamic_cast<DocumentWindow*>(main_->ActiveDocument());
}

void DocumentWindowTest::NewWindowShowsTheRootAloneExpanded() {
    DocumentWindow& window = NewWindow();
    QCOMPARE(window.parentWidget()->windowTitle(), QStringLiteral("New Slide Show 1"));
    SlideShowTreeModel& model = window.Model();
    QCOMPARE(model.rowCount(), 1);
    const QModelIndex root = model.index(0, 0);
    QCOMPARE(root.data().toString(), QStringLiteral("New Slide Show"));
    QCOMPARE(model.rowCount(root), 0);
    const int element = SlideShowTreeModel::ElementOf(root);
    QCOMPARE(window.Document().Tree().Selected(), element);
    QCOMPARE(window.Tree().currentIndex(), root);
    // Images 6 closed and 14 open; closing it in the tree is written back to the record.
    QVERIFY(window.Tree().isExpanded(root));
    QCOMPARE(root.data(SlideShowTreeModel::kImageRole).toInt(), 14);
    window.Tree().collapse(root);
    QCOMPARE(root.data(SlideShowTreeModel::kImageRole).toInt(), 6);
    QVERIFY(!window.Document().Tree().Entry(element).Node->Expanded());
    QVERIFY(!root.data(Qt::DecorationRole).value<QIcon>().isNull());
    if (QWidget* rootPane = window.findChild<QWidget*>(QStringLiteral("picTitle"))) {
        QVERIFY(rootPane->isVisible());
    }
}

void DocumentWindowTest::RenameInPlaceFillsTheTitleBoxOfTheItemsKind() {
    DocumentWindow& window = NewWindow();
    const struct {
        int command;
        ElementKind kind;
    } cases[] = {{cmd::kAddNode, ElementKind::Node}, {cmd::kAddLeaf, ElementKind::Leaf}};
    for (const auto& c : cases) {
        QVERIFY(Run(c.command));
        QVERIFY(Run(cmd::kRename));
        auto* editor = window.Tree().findChild<QLineEdit*>();
        QVERIFY(editor && editor->isVisible());
        editor->setText(QStringLiteral("Renamed \u00e9"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(window.Panes().TitleBox(c.kind)->text(), QStringLiteral("Renamed \u00e9"));
    }
    QVERIFY(main_->Action(QStringLiteral("mnuNodeRename"))->isVisible());
}

void DocumentWindowTest::RedoFollowsTheUndoRecord() {
    NewWindow();
    QAction* redo = main_->Action(QStringLiteral("mnuEditRedo"));
    QAction* undo = main_->Action(QStringLiteral("mnuNodeUndo"));
    QVERIFY(!redo->isEnabled());
    QVERIFY(!Run(cmd::kRedo));
    const struct {
        int command;
        QString undoCaption;
        bool redoEnabled;
    } steps[] = {{cmd::kAddNode, QStringLiteral("&Undo "), false},
                 {cmd::kDelete, QStringLiteral("&Undo Delete"), false},
                 {cmd::kUndoRedo, QStringLiteral("&Redo Delete"), true},
                 {cmd::kRedo, QStringLiteral("&Undo Delete"), false}};
    for (const auto& step : steps) {
        QVERIFY(Run(step.command));
        QCOMPARE(undo->text(), step.undoCaption);
        QCOMPARE(redo->isEnabled(), step.redoEnabled);
    }
}

void DocumentWindowTest::DisplayItemOfADeletedLeafSaysSo() {
    DocumentWindow& window = NewWindow();
    Run(cmd::kAddNode);
    Run(cmd::kAddLeaf);
    const int leaf = window.Document().Tree().Selected();
    QVERIFY(Run(cmd::kDelete));
    const int selected = window.Document().Tree().Selected();
    QString text;
    ModalScript script({ModalScript::Press(QMessageBox::Ok, &text)});
    window.DisplayItem(leaf, DocumentControl::None);
    QVERIFY(script.Done());
    QCOMPARE(text, QStringLiteral("The node has been deleted."));
    QCOMPARE(window.Document().Tree().Selected(), selected);
}

void DocumentWindowTest::CloseBoxYesThenNoNameKeepsTheWindow() {
    DocumentWindow& window = NewWindow();
    Run(cmd::kAddNode);
    QVERIFY(window.Document().Dirty());
    QString question;
    ModalScript script(
        {ModalScript::Press(QMessageBox::Yes, &question), ModalScript::ChooseFile({})});
    QVERIFY(!window.parentWidget()->close());  // the close box only starts the close command
    QTRY_VERIFY(script.Done());
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QTest::qWait(50);
    QCOMPARE(question, QStringLiteral("Data has changed for:\nNew Slide Show 1.\n\nSave it now?"));
    QCOMPARE(main_->MdiArea().subWindowList().size(), 1);
    // Answered No, the window goes.
    ModalScript no({ModalScript::Press(QMessageBox::No)});
    QVERIFY(Run(cmd::kClose));
    QTRY_COMPARE(main_->MdiArea().subWindowList().size(), 0);
}

void DocumentWindowTest::PasteReachesAnotherWindow() {
    DocumentWindow& first = NewWindow();
    Run(cmd::kAddNode);
    Run(cmd::kAddLeaf, QStringLiteral("QAF"));
    Run(cmd::kGoToParent);
    QVERIFY(Run(cmd::kCopy));
    const QStringList copied = Describe(first.Document());
    DocumentWindow& second = NewWindow();
    QVERIFY(&second != &first);
    QVERIFY(main_->Action(QStringLiteral("mnuNodePaste"))->isEnabled());
    QVERIFY(Run(cmd::kPaste));
    QCOMPARE(Describe(second.Document()).mid(1), copied.mid(1));
    QCOMPARE(Describe(first.Document()), copied);
    // The pasted branch shows in the second window's tree, selected.
    const int pasted = second.Document().Tree().Selected();
    QCOMPARE(SlideShowTreeModel::ElementOf(second.Tree().currentIndex()), pasted);
    QCOMPARE(second.Model().rowCount(second.Model().index(0, 0)), 1);
}

void DocumentWindowTest::SessionThroughTheCommandsReadsBackTheSame() {
    DocumentWindow& window = NewWindow();
    const struct {
        int command;
        const char* parameter;
    } session[] = {
        {cmd::kAddNode, ""},       {cmd::kAddNode, ""},      {cmd::kAddLeaf, "QAF"},
        {cmd::kGoToParent, ""},    {cmd::kAddLeaf, "FACT"},  {cmd::kGoToParent, ""},
        {cmd::kAddLeaf, "BITMAP"}, {cmd::kMove, "0"},        {cmd::kGoToParent, ""},
        {cmd::kIndent, ""},        {cmd::kGoToRoot, ""},     {cmd::kAddNode, ""},
        {cmd::kDelete, ""},        {cmd::kUndoRedo, ""},     {cmd::kUndoRedo, ""},
        {cmd::kUndoRedo, ""},      {cmd::kBranchExpand, ""}, {cmd::kConvertAllLeaves, "0"},
    };
    for (const auto& step : session) {
        // Conversions confirm; everything else runs without a question.
        ModalScript yes({ModalScript::Press(QMessageBox::Yes)});
        QVERIFY2(Run(step.command, QString::fromLatin1(step.parameter)),
                 QByteArray::number(step.command).constData());
    }
    {
        ModalScript rename({ModalScript::TypeText(QStringLiteral("Gr\u00fcn"))});
        Run(cmd::kGoToRoot);
        CSlideShowTree& tree = window.Document().Tree();
        tree.Select(tree.LeafOnPage(1));
        QVERIFY(Run(cmd::kTermEdit));
    }
    const QStringList before = Describe(window.Document());
    QVERIFY(before.join('\n').contains(QStringLiteral(" Gr\u00fcn p")));
    const QString file = folder_.filePath(QStringLiteral("session.sdb"));
    {
        ModalScript saveAs({ModalScript::ChooseFile(file)});
        QVERIFY(Run(cmd::kSaveAs));
    }
    QVERIFY(Run(cmd::kClose));
    QTRY_COMPARE(main_->MdiArea().subWindowList().size(), 0);
    QVERIFY(Run(cmd::kOpen, file));
    auto* reopened = dynamic_cast<DocumentWindow*>(main_->ActiveDocument());
    QVERIFY(reopened);
    QCOMPARE(Describe(reopened->Document()), before);
    QCOMPARE(reopened->Model().rowCount(), 1);
}

void DocumentWindowTest::WindowKeysSwitchAndClose() {
    DocumentWindow& first = NewWindow();
    DocumentWindow& second = NewWindow();
    for (const Qt::Key key : {Qt::Key_F6, Qt::Key_Tab}) {
        IDocumentWindow* before = main_->ActiveDocument();
        QTest::keyClick(&dynamic_cast<DocumentWindow*>(before)->Tree(), key, Qt::ControlModifier);
        QTRY_VERIFY(main_->ActiveDocument() != before);
    }
    QCOMPARE(main_->ActiveDocument(), &second);
    // Ctrl+F4 is the close box: the close command runs, and an unchanged show just goes.
    QTest::keyClick(&second.Tree(), Qt::Key_F4, Qt::ControlModifier);
    QTRY_COMPARE(main_->MdiArea().subWindowList().size(), 1);
    QCOMPARE(main_->Documents().front(), &first);
}

void DocumentWindowTest::ImportedTextFillsTheFactBoxUpToItsLimit() {
    DocumentWindow& window = NewWindow();
    Run(cmd::kAddNode);
    Run(cmd::kAddLeaf, QStringLiteral("FACT"));
    const QString file = folder_.filePath(QStringLiteral("long.txt"));
    QFile text(file);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(10050, 'x'));
    text.close();
    QString message;
    ModalScript script(
        {ModalScript::ChooseFile(file), ModalScript::Press(QMessageBox::Ok, &message)});
    QVERIFY(Run(cmd::kTextImportFromFile));
    QVERIFY(script.Done());
    QCOMPARE(message,
             QStringLiteral("The imported text is longer than the 10000 characters allowed "
                            "and has been truncated."));
    auto* fact = qobject_cast<QTextEdit*>(window.FactTextBox());
    QVERIFY(fact);
    QCOMPARE(fact->toPlainText(), QString(10000, QLatin1Char('x')));
    // A context menu over the box is the main window's text-box menu.
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5),
                           fact->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(fact->viewport(), &menu);
    QTRY_VERIFY(main_->TextBoxContextMenu().isVisible());
    main_->TextBoxContextMenu().hide();
}

void DocumentWindowTest::LockAndUnlockThroughTheFileMenu() {
    DocumentWindow& window = NewWindow();
    CDocument& document = window.Document();
    QVERIFY(document.SetPrefs({"secret", "secret", true, false}));
    QVERIFY(Run(cmd::kLock));
    QVERIFY(document.Properties().Locked());
    const struct {
        QString typed;
        bool locked;
    } answers[] = {{QStringLiteral("wrong"), true}, {QStringLiteral("secret"), false}};
    for (const auto& answer : answers) {
        QString title;
        ModalScript script({[&](QWidget* modal) {
                                title = modal->windowTitle();
                                ModalScript::TypeText(answer.typed)(modal);
                            },
                            ModalScript::Press(QMessageBox::Ok)});
        Run(cmd::kUnlock);
        QCOMPARE(title, QStringLiteral("Enter Password"));
        QCOMPARE(document.Properties().Locked(), answer.locked);
    }
}

QTEST_MAIN(DocumentWindowTest)
#include "DocumentWindowTest.moc"
