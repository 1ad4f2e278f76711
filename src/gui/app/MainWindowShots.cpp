#include "gui/app/MainWindowShots.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

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
        } else if (kind == QLatin1String("pane")) {
            ShowPaneShot(main, value);
        } else if (kind == QLatin1String("dialog")) {
            ShowPaneDialogShot(main, value);
        }
    });
}

}  // namespace trovique::gui
