#pragma once

#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/app/SplashWait.h"
#include "core/app/StartupOptions.h"
#include "core/services/Services.h"

namespace trovique {
class CApplication;
}

namespace trovique::gui {

class CInstanceServer;
class CQtReportPrinter;
class CQtUserInterface;
class MainWindow;
class SplashWindow;
class ValidateWindow;
struct MainWindowHooks;

// What start-up runs with; tests give their own settings, program folder and clock.
struct StartupSetup {
    ISettingsStore& store;
    std::filesystem::path programFolder;
    IStartupClock& clock;
};

// The program's start-up: chooses the run from the command line (core decides) and acts on it
// with the windows. Owns the objects the program keeps for its whole life: the user interface,
// the settings object, the single-instance server and the main window.
class CStartup {
public:
    explicit CStartup(StartupSetup setup);
    ~CStartup();
    CStartup(const CStartup&) = delete;
    CStartup& operator=(const CStartup&) = delete;

    // Runs start-up. The exit code when the process ends now; nothing when a window stays open
    // and the event loop is to run (the process ends when the last window closes).
    std::optional<int> Start(const StartupOptions& options);

    // Called with the main window as soon as it exists, before it loads.
    std::function<void(MainWindow&)> onMainWindow;

    CQtUserInterface& Ui() { return *ui_; }
    MainWindow* Main() { return main_.get(); }

private:
    std::optional<int> Run(const StartupDecision& decision, const StartupOptions& options);
    void CreateApplication(bool allowGui);
    std::optional<int> ShowAbout();
    int Automatic(std::string presentation);
    std::optional<int> Interactive(const std::string& startFile);
    void CreateMainWindow();
    // Makes the validation window and adds its hooks and the options dialog's to hooks.
    void CreateValidateWindow(MainWindowHooks& hooks);
    void ShowOptions();
    // The validation window goes first: it lists the main window's findings.
    void CloseMainWindow();
    void ReceiveHandOver(const QString& file);
    int Fail(const std::string& text);

    StartupSetup setup_;
    std::unique_ptr<CQtUserInterface> ui_;
    std::unique_ptr<CServices> services_;
    std::unique_ptr<CApplication> application_;
    std::unique_ptr<CInstanceServer> server_;
    std::unique_ptr<CQtReportPrinter> printer_;
    std::unique_ptr<MainWindow> main_;
    // Created hidden with the main window and gone before it, since it lists the main window's
    // findings.
    std::unique_ptr<ValidateWindow> validate_;
    QPointer<SplashWindow> splash_;
};

}  // namespace trovique::gui
