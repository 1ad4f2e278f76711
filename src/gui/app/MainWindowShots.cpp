#include "gui/app/MainWindowShots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include "core/editor/Document.h"
#include "gui/panes/HandheldPreview.h"
#include "gui/windows/IDocumentWindow.h"
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

// "SCALE:FILE": opens FILE and shows its first slide with a colour picture (else its first
// leaf) in the handheld preview, at 1x or 2x, as a window of its own that the screenshot hooks save
// as picHandheld.
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
        } else if (kind == QLatin1String("preview")) {
            ShowHandheldPreview(main, value);
        }
    });
}

}  // namespace trovique::gui
