#include "gui/app/TestHooks.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "gui/dialogs/ConfirmDialog.h"
#include "gui/dialogs/MultiMessageDialog.h"
#include "gui/ui/ProgressWindow.h"
#include "gui/windows/MainWindow.h"

namespace trovique::gui {
namespace {

constexpr int kGrabDelayMilliseconds = 400;

void Print(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

bool IsWatchedWindow(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (!widget || !widget->isWindow() || widget->objectName().isEmpty()) {
        return false;
    }
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::SplashScreen;
}

class CWindowWatcher : public QObject {
public:
    explicit CWindowWatcher(QObject* parent) : QObject(parent) {
        trace_ = qEnvironmentVariableIntValue("TROVIQUE_TRACE") != 0;
        grabDir_ = qEnvironmentVariable("TROVIQUE_GRAB_DIR");
        bool ok = false;
        autoClose_ = qEnvironmentVariableIntValue("TROVIQUE_AUTOCLOSE", &ok);
        if (!ok) {
            autoClose_ = -1;
        }
    }

    bool Active() const { return trace_ || !grabDir_.isEmpty() || autoClose_ >= 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && IsWatchedWindow(watched)) {
            Shown(static_cast<QWidget*>(watched));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Shown(QWidget* window) {
        if (trace_) {
            const auto* box = qobject_cast<const QMessageBox*>(window);
            Print(QStringLiteral("shown ") + window->objectName() +
                  (box ? QStringLiteral(": ") + box->text() : QString()));
        }
        if (!grabDir_.isEmpty()) {
            const QString file = QDir(grabDir_).filePath(window->objectName() + ".png");
            QTimer::singleShot(kGrabDelayMilliseconds, window,
                               [window, file] { window->grab().save(file); });
        }
        if (autoClose_ >= 0) {
            QTimer::singleShot(autoClose_, window, [window] {
                if (auto* dialog = qobject_cast<QDialog*>(window)) {
                    dialog->reject();
                } else if (qobject_cast<QMainWindow*>(window)) {
                    window->close();
                }
            });
        }
    }

    bool trace_ = false;
    QString grabDir_;
    int autoClose_ = -1;
};

// Moves only when slept on, so that the splash wait takes no real time.
class CFakeClock : public IStartupClock {
public:
    double Seconds() override { return now_; }
    void Sleep(int milliseconds) override { now_ += milliseconds / 1000.0; }

private:
    double now_ = 0;
};

class CSteadyClock : public IStartupClock {
public:
    CSteadyClock() { timer_.start(); }
    double Seconds() override { return static_cast<double>(timer_.elapsed()) / 1000.0; }
    void Sleep(int milliseconds) override { QThread::msleep(static_cast<unsigned>(milliseconds)); }

private:
    QElapsedTimer timer_;
};

}  // namespace

void InstallTestHooks(QApplication& app) {
    auto* watcher = new CWindowWatcher(&app);
    if (watcher->Active()) {
        app.installEventFilter(watcher);
    } else {
        delete watcher;
    }
}

void TraceCommands(MainWindow& main) {
    if (qEnvironmentVariableIntValue("TROVIQUE_TRACE") == 0) {
        return;
    }
    QObject::connect(&main, &MainWindow::commandIssued, &main,
                     [](int command, const QString& parameter) {
                         Print(QStringLiteral("command %1: %2").arg(command).arg(parameter));
                     });
}

std::unique_ptr<IStartupClock> MakeStartupClock() {
    if (qEnvironmentVariableIntValue("TROVIQUE_FAKE_CLOCK") != 0) {
        return std::make_unique<CFakeClock>();
    }
    return std::make_unique<CSteadyClock>();
}

std::optional<int> RunSampleWindow(QApplication& app) {
    const QString name = qEnvironmentVariable("TROVIQUE_SHOW_WINDOW");
    if (name.isEmpty()) {
        return std::nullopt;
    }
    if (name == QLatin1String("frmMsgYN")) {
        ConfirmDialog dialog;
        dialog.SetTitle(QStringLiteral("Norvane Trovique"));
        dialog.SetText(QStringLiteral(
            "Deleting this node will also remove all of its sub-nodes:\n2 nodes\n14 QAF "
            "leaves\n\nAre you sure you want to delete the node Chapter 3?"));
        dialog.exec();
        return 0;
    }
    if (name == QLatin1String("frmMultiMsg")) {
        MultiMessageDialog dialog;
        dialog.SetWindowCaption(QStringLiteral("Trovique Warnings"));
        dialog.SetHeaderText(
            QStringLiteral("The following warnings were issued for file Quarterly review.pptx:"));
        QString text;
        for (int slide = 2; slide <= 40; slide += 3) {
            text += QStringLiteral(
                        "Slide %1: Rejecting slide: Invalid bitmap: the slide could "
                        "not be rendered at 160 x 120\n")
                        .arg(slide);
        }
        dialog.SetMsgText(text);
        dialog.exec();
        return 0;
    }
    if (name == QLatin1String("frmProgress")) {
        auto view = std::make_unique<ProgressWindow>();
        ProgressWindow* window = view.get();
        CProgress progress(std::move(view));
        progress.SetNumItems(12);
        progress.SetNumItemsComplete(5);
        progress.SetText("Reading Slide 6");
        progress.Show();
        QObject::connect(window, &QDialog::rejected, &app, &QApplication::quit);
        QTimer::singleShot(qEnvironmentVariableIntValue("TROVIQUE_AUTOCLOSE") + 200, &app,
                           &QApplication::quit);
        return app.exec();
    }
    Print(QStringLiteral("no sample window ") + name);
    return 2;
}

}  // namespace trovique::gui
