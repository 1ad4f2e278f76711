// trovique: the authoring program. Started by the presentation program's add-in with /SHOWUI
// (the authoring windows), /AUTOPDB=<presentation> (one conversion) or /SHOWABOUT.

#include <QApplication>
#include <string>
#include <vector>

#include "core/settings/ProgramFolder.h"
#include "gui/app/MainWindowShots.h"
#include "gui/app/Startup.h"
#include "gui/app/TestHooks.h"
#include "platform/NativeSettingsStore.h"

int main(int argc, char** argv) {
    using namespace trovique;
    QApplication app(argc, argv);
    gui::InstallTestHooks(app);
    if (const auto sampled = gui::RunSampleWindow(app)) {
        return *sampled;
    }

    std::vector<std::string> arguments;
    const QStringList given = QCoreApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i) {
        arguments.push_back(given[i].toStdString());
    }
    std::filesystem::path programFolder;
    try {
        programFolder = ProgramDataFolder();
    } catch (const std::exception&) {
        programFolder = QCoreApplication::applicationDirPath().toStdString();
    }

    NativeSettingsStore store;
    const auto clock = gui::MakeStartupClock();
    gui::CStartup startup({store, programFolder, *clock});
    startup.onMainWindow = [](gui::MainWindow& main) {
        gui::TraceCommands(main);
        gui::InstallMainWindowShots(main);
    };
    const auto exitCode = startup.Start(ReadArguments(arguments));
    return exitCode ? *exitCode : app.exec();
}
