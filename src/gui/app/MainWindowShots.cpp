#include "gui/app/MainWindowShots.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "core/app/Commands.h"
#include "core/editor/Document.h"
#include "gui/panes/HandheldPreview.h"
#include "gui/windows/DocumentWindow.h"
#include "gui/windows/IDocumentWindow.h"
#include "gui/app/PaneShots.h"
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

void SaveGrab(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("TROVIQUE_GRAB_DIR");
    if (!folder.isEmpty()) {
        window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    }
}

// A new slide show with findings of several kinds: the root, a category without a title and
// a leaf without a question or answers, then Validate, which shows the findings.
void ValidateWithFindings(MainWindow& main) {
    main.DoCmd(0, {});
    IDocumentWindow* window = main.ActiveDocument();
    if (!window) {
        return;
    }
    CDocument& document = window->Document();
    document.Tree().Select(document.Tree().GetNodeInfoIndexOfRoot());
    const int category = document.AddNode();
    document.Tree().Entry(category).Node->SetTitle("");
    document.Tree().Select(category);
    const int leaf = document.AddQAF();
    document.Tree().Entry(leaf).Leaf->SetFACTOnly(false);
    main.DoCmd(6, {});
}

// Runs action on the dialog named name once it shows.
void OnDialog(MainWindow& main, const QString& name, std::function<void(QWidget&)> action) {
    auto* poll = new QTimer(&main);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, name, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != name || !modal->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        action(*modal);
    });
    poll->start(50);
}

// The options of a text import, then "Add..." with a line break built in "Build Delimiter".
void BuildDelimiter(MainWindow& main, const QString& file) {
    OnDialog(main, QStringLiteral("frmImportUnstructured"), [&main](QWidget& options) {
        OnDialog(main, QStringLiteral("frmBuildDelim"), [](QWidget& builder) {
            auto* codes = builder.findChild<QTreeWidget*>(QStringLiteral("lstChars"));
            auto* add = builder.findChild<QPushButton*>(QStringLiteral("cmdAdd"));
            for (const int code : {13, 10}) {
                codes->setCurrentItem(codes->topLevelItem(code));
                add->click();
            }
        });
        if (auto* add = options.findChild<QPushButton*>(QStringLiteral("cmdAdd"))) {
            QMetaObject::invokeMethod(add, "click", Qt::QueuedConnection);
        }
    });
    main.DoCmd(19, file);
}

// "SCALE:FILE": opens FILE and shows its first slide with a colour picture (else its first
// leaf) in the handheld preview, at 1x or 2x, as a window of its own that the screenshot hooks
// save as picHandheld.
void ShowHandheldPreview(MainWindow& main, const QString& value) {
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    if (colon < 0 || !main.DoCmd(1, value.mid(colon + 1)) || !main.ActiveDocument()) {
        return;
    }
    CDocument& document = main.ActiveDocument()->Document();
    const CSlideShowTree& tree = document.Tree();
    int slide = 0;
    for (const int index : tree.Preorder(tree.GetNodeInfoIndexOfRoot())) {
        if (tree.Entry(index).IsLeaf() && (slide == 0 || tree.Entry(index).Leaf->ColorBitmap())) {
            slide = index;
            if (tree.Entry(index).Leaf->ColorBitmap()) {
                break;
            }
        }
    }
    auto* preview = new HandheldPreview(document, &main);
    preview->setWindowFlag(Qt::Window);
    preview->setWindowTitle(QStringLiteral("Handheld preview"));
    preview->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* zoom = preview->findChild<QCheckBox*>(QStringLiteral("chkHandheldZoom"))) {
        zoom->setChecked(value.left(colon) == QLatin1String("2"));
    }
    preview->ShowItem(slide);
    preview->resize(720, 620);
    preview->show();
    // Closed once pictured, while its slide show is still open.
    QTimer::singleShot(3 * kSettleMilliseconds, preview, &QWidget::close);
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
        } else if (kind == QLatin1String("validate")) {
            ValidateWithFindings(main);
        } else if (kind == QLatin1String("unstructured")) {
            // With titles from the pieces, so that the preview shows them.
            OnDialog(main, QStringLiteral("frmImportUnstructured"), [](QWidget& options) {
                if (auto* useFirst =
                        options.findChild<QAbstractButton*>(QStringLiteral("optTitle_1"))) {
                    useFirst->click();
                }
            });
            main.DoCmd(19, value);
        } else if (kind == QLatin1String("delimiter")) {
            BuildDelimiter(main, value);
        } else if (kind == QLatin1String("presentation")) {
            main.DoCmd(0, {});
            main.DoCmd(20, value);
            SaveGrab(main, QStringLiteral("frmMain-imported"));
            if (IDocumentWindow* window = main.ActiveDocument()) {
                window->Document().ForceDirty(false);
            }
            main.close();
        } else if (kind == QLatin1String("preview")) {
            ShowHandheldPreview(main, value);
        } else if (kind == QLatin1String("print") || kind == QLatin1String("printpreview")) {
            // The slide show value names, then the Print dialog or the print preview over it.
            main.DoCmd(1, value);
            if (kind == QLatin1String("print")) {
                main.DoCmd(28, {});
            } else if (QAction* preview = main.Action(QStringLiteral("mnuFilePrintPreview"))) {
                preview->trigger();
            }
        } else if (kind == QLatin1String("show")) {
            const qsizetype split = value.indexOf(QLatin1Char(':'));
            ShowSlideShow(main, value.left(split), value.mid(split + 1));
        } else if (kind == QLatin1String("pane")) {
            ShowPaneShot(main, value);
        } else if (kind == QLatin1String("dialog")) {
            ShowPaneDialogShot(main, value);
        }
    });
}

}  // namespace trovique::gui
