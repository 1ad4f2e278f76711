// The interactive start-up in this process: the splash wait on a fake clock, the main window's
// load and unload (placement, "MWH"), and the deferred open of a handed-over file.

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "core/services/ApplicationTitle.h"
#include "core/services/MemorySettingsStore.h"
#include "gui/app/Startup.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/windows/MainWindow.h"
#include "support/GuiTestSupport.h"

using namespace trovique;
using namespace trovique::gui;

namespace {

const std::string kTitle(kApplicationTitle);

// Moves only when slept on, and notes what the windows look like at each step.
class WatchingClock : public IStartupClock {
public:
    double Seconds() override { return now; }
    void Sleep(int milliseconds) override {
        now += milliseconds / 1000.0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("frmSplash") && window->isVisible()) {
                ++splashSteps;
            }
            if (window->objectName() == QLatin1String("frmMain") && window->isVisible() &&
                !window->isEnabled()) {
                ++disabledMainSteps;
            }
        }
    }
    double now = 50.0;
    int splashSteps = 0;
    int disabledMainSteps = 0;
};

std::string Stored(const MemorySettingsStore& store, const std::string& key) {
    return store.Get(kTitle, "Settings", key).value_or("<missing>");
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void SplashStaysFourSecondsOverTheDisabledMainWindow();
    void MainWindowKeepsItsPlacementAndRegistersItself();
    void OpenTimedDocumentOpensOnceAbout100msLater();

private:
    QTemporaryDir runtime_;
};

void StartupTest::initTestCase() {
    // The single-instance server listens in here, away from a running copy of the program.
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
}

void StartupTest::SplashStaysFourSecondsOverTheDisabledMainWindow() {
    MemorySettingsStore store;
    WatchingClock clock;
    CStartup startup({store, guitest::BinDir(), clock});
    QStringList commands;
    startup.onMainWindow = [&](MainWindow& main) {
        QObject::connect(&main, &MainWindow::commandIssued, [&](int command, const QString& file) {
            commands << QStringLiteral("%1 %2").arg(command).arg(file);
        });
    };
    StartupOptions options;
    options.tokenCount = 2;
    options.showUI = true;
    options.startFile = "missing.sdb";
    QVERIFY(!startup.Start(options).has_value());
    QCOMPARE(clock.now, 54.0);
    QCOMPARE(clock.splashSteps, 8);
    QCOMPARE(clock.disabledMainSteps, 8);
    // A start file that does not exist starts a new slide show, while the splash was up.
    QCOMPARE(commands, QStringList{QStringLiteral("0 missing.sdb")});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QVERIFY(window->objectName() != QLatin1String("frmSplash") || !window->isVisible());
    }
    MainWindow* main = startup.Main();
    QVERIFY(main->isVisible() && main->isEnabled());
    QCOMPARE(main->windowTitle(), QStringLiteral("Norvane Trovique"));
    QVERIFY(!QApplication::overrideCursor());
}

void StartupTest::MainWindowKeepsItsPlacementAndRegistersItself() {
    MemorySettingsStore store;
    CQtUserInterface ui;
    {
        MainWindow main(store, ui);
        main.Load();
        QVERIFY(main.windowState() & Qt::WindowMaximized);  // nothing stored yet
        QVERIFY(Stored(store, "MWH") != "0");
        main.setWindowState(Qt::WindowNoState);
        main.show();
        main.setGeometry(40, 60, 640, 480);
        QCoreApplication::processEvents();
        main.close();
        QCOMPARE(Stored(store, "MWH"), std::string("0"));
    }
    QVERIFY(std::stoi(Stored(store, "MainWidth")) > 0);
    MainWindow again(store, ui);
    again.Load();
    QVERIFY(!(again.windowState() & Qt::WindowMaximized));
    QCOMPARE(again.size(), QSize(640, 480));
}

void StartupTest::OpenTimedDocumentOpensOnceAbout100msLater() {
    MemorySettingsStore store;
    CQtUserInterface ui;
    MainWindow main(store, ui);
    main.Load();
    QSignalSpy commands(&main, &MainWindow::commandIssued);
    QElapsedTimer timer;
    timer.start();
    main.OpenTimedDocument(QStringLiteral("x.sdb"));
    main.OpenTimedDocument(QStringLiteral("ignored.sdb"));
    QCOMPARE(commands.count(), 0);
    QVERIFY(commands.wait(2000));
    QVERIFY(timer.elapsed() >= 90);
    QCOMPARE(commands.count(), 1);
    QCOMPARE(commands.at(0).at(0).toInt(), MainWindow::kCmdOpen);
    QCOMPARE(commands.at(0).at(1).toString(), QStringLiteral("x.sdb"));
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
