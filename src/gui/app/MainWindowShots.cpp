#include "gui/app/MainWindowShots.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include "core/app/Commands.h"
#include "core/editor/Document.h"
#include "gui/windows/DocumentWindow.h"
#include "gui/windows/MainWindow.h"

namespace trovique::gui {
namespace {

constexpr int kSettleMilliseconds = 600;

void OpenMenu(MainWindow& main, const QString& name) {
    QMenu* menu = main.MenuNamed(name);
    if (!menu) {
        return;
    }
    main.menuBar()->setActiveAction(menu->menuAction());
    QTimer::singleShot(kSettleMilliseconds, &main, [name] {
        const QString folder = qEnvironmentVariable("TROVIQUE_GRAB_DIR");
        if (!folder.isEmpty()) {
            QGuiApplication::primaryScreen()->grabWindow(0).save(
                QDir(folder).filePath(name + QStringLiteral(".png")));
        }
    });
}

void AnswerSaveAs(MainWindow& main, const QString& file) {
    auto* poll = new QTimer(&main);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, file] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        dialog->selectFile(file);
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->setText(file);
        }
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    poll->start(50);
    main.DoCmd(0, {});
    main.DoCmd(4, {});
}

// The slide show of a converted deck, made to hold every kind of item: its slides go under a
// Major Category of their own, and a second category gets a QAF and a FACT leaf.
void AddEveryKind(MainWindow& main, CDocument& document) {
    CSlideShowTree& tree = document.Tree();
    const int root = tree.GetNodeInfoIndexOfRoot();
    tree.Select(root);
    main.DoCmd(cmd::kIndentChildren, {});
    document.SetFieldText(tree.FirstChild(root), TextField::NodeTitle, "Slides of the deck");
    tree.Select(root);
    main.DoCmd(cmd::kAddNode, {});
    document.SetFieldText(tree.Selected(), TextField::NodeTitle, "Questions");
    main.DoCmd(cmd::kAddLeaf, QStringLiteral("QAF"));
    document.SetFieldText(tree.Selected(), TextField::LeafTitle, "Which planet is largest?");
    main.DoCmd(cmd::kGoToParent, {});
    main.DoCmd(cmd::kAddLeaf, QStringLiteral("FACT"));
    document.SetFieldText(tree.Selected(), TextField::LeafTitle, "Jupiter");
    tree.SetBranchExpanded(root, true);
}

// The first item of kind below the root (for a leaf: of that leaf kind).
int FirstOfKind(const CDocument& document, const QString& what) {
    const CSlideShowTree& tree = document.Tree();
    for (const int item : tree.Preorder(tree.GetNodeInfoIndexOfRoot())) {
        const CGenElemInfo& entry = tree.Entry(item);
        const bool isLeaf = entry.IsLeaf();
        if ((what == QLatin1String("node") && entry.ElemType == ElementKind::Node) ||
            (what == QLatin1String("bitmap") && isLeaf && entry.Leaf->BITMAPOnly()) ||
            (what == QLatin1String("fact") && isLeaf && entry.Leaf->FACTOnly() &&
             !entry.Leaf->BITMAPOnly()) ||
            (what == QLatin1String("qaf") && isLeaf && !entry.Leaf->FACTOnly() &&
             !entry.Leaf->BITMAPOnly())) {
            return item;
        }
    }
    return tree.GetNodeInfoIndexOfRoot();
}

// Opens file and selects what: root, node, qaf, fact, bitmap, locked (a protected leaf of a
// locked show) or big (the file as it is, its root selected).
void ShowSlideShow(MainWindow& main, const QString& what, const QString& file) {
    main.DoCmd(cmd::kOpen, file);
    auto* window = dynamic_cast<DocumentWindow*>(main.ActiveDocument());
    if (!window) {
        return;
    }
    window->parentWidget()->showMaximized();
    CDocument& document = window->Document();
    if (what != QLatin1String("big")) {
        AddEveryKind(main, document);
    }
    if (what == QLatin1String("locked")) {
        const int leaf = FirstOfKind(document, QStringLiteral("bitmap"));
        document.SetPrefs({"secret", "secret", true, false});
        document.SetLeafSwitch(leaf, CDocument::LeafSwitch::PasswordProtect, true);
        document.LockDB();
        document.Tree().Select(leaf);
    } else {
        document.Tree().Select(FirstOfKind(document, what));
    }
    window->RefreshActiveNode();
    document.ForceDirty(false);
    QTimer::singleShot(kSettleMilliseconds, &main, [&main] {
        const QString folder = qEnvironmentVariable("TROVIQUE_GRAB_DIR");
        if (!folder.isEmpty()) {
            main.grab().save(QDir(folder).filePath(QStringLiteral("frmDocument.png")));
        }
    });
}

}  // namespace

void InstallMainWindowShots(MainWindow& main) {
    const QString shot = qEnvironmentVariable("TROVIQUE_SHOT");
    const qsizetype colon = shot.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        return;
    }
    const QString kind = shot.left(colon);
    const QString value = shot.mid(colon + 1);
    QTimer::singleShot(kSettleMilliseconds, &main, [&main, kind, value] {
        if (kind == QLatin1String("menu")) {
            // With a slide show open, so that the document's menus can open too.
            main.DoCmd(0, {});
            OpenMenu(main, value);
        } else if (kind == QLatin1String("command")) {
            main.DoCmd(value.toInt(), {});
        } else if (kind == QLatin1String("replace")) {
            AnswerSaveAs(main, value);
        } else if (kind == QLatin1String("show")) {
            const qsizetype split = value.indexOf(QLatin1Char(':'));
            ShowSlideShow(main, value.left(split), value.mid(split + 1));
        }
    });
}

}  // namespace trovique::gui
