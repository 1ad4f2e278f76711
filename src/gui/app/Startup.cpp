#include "gui/app/Startup.h"

#include <QApplication>

#include "core/app/ImportTimeLimit.h"
#include "core/delivery/AutoImportExportInstall.h"
#include "core/editor/Document.h"
#include "core/services/Messages.h"
#include "core/settings/Application.h"
#include "core/validation/ValidationLimit.h"
#include "gui/app/PrintHooks.h"
#include "gui/app/SingleInstance.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/dialogs/OptionsDialog.h"
#include "gui/ui/QtReportPrinter.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/ui/TopMost.h"
#include "gui/windows/IDocumentWindow.h"
#include "gui/windows/MainWindow.h"
#include "gui/windows/SplashWindow.h"
#include "gui/windows/ValidateWindow.h"
#include "platform/LibreOfficeSource.h"
#include "platform/ProcessRunner.h"
#include "platform/ShortPathName.h"

namespace trovique::gui {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;

// The hourglass from the first step of start-up to its closing steps, whichever way they are
// reached.
class CStartupPointer {
public:
    explicit CStartupPointer(IUserInterface& ui) : ui_(ui) {
        ui_.SetPointer(MousePointer::Hourglass);
    }
    ~CStartupPointer() { ui_.SetPointer(MousePointer::Default); }
    CStartupPointer(const CStartupPointer&) = delete;
    CStartupPointer& operator=(const CStartupPointer&) = delete;

private:
    IUserInterface& ui_;
};

}  // namespace

CStartup::CStartup(StartupSetup setup)
    : setup_(std::move(setup)), ui_(std::make_unique<CQtUserInterface>()) {
    services_ = std::make_unique<CServices>(CServices{setup_.store, *ui_});
}

CStartup::~CStartup() {
    CloseMainWindow();
    server_.reset();
}

std::optional<int> CStartup::Start(const StartupOptions& options) {
    std::optional<int> result;
    try {
        CStartupPointer pointer(*ui_);
        // Only a launch with something to do looks for a running copy.
        const OtherInstance other =
            options.tokenCount == 0 ? OtherInstance::None : CPreviousInstance::Find(setup_.store);
        result = Run(ChooseStartupRun(options, other), options);
    } catch (const std::exception& error) {
        return Fail(StartupErrorText(error));
    }
    if (main_) {
        main_->raise();
    }
    return result;
}

std::optional<int> CStartup::Run(const StartupDecision& decision, const StartupOptions& options) {
    switch (decision.run) {
        case StartupRun::Message:
            ReportMessage(*ui_, decision.text, decision.style);
            return kExitOk;
        case StartupRun::SilentEnd:
            return kExitOk;
        case StartupRun::About:
            CreateApplication(options.showUI);
            return ShowAbout();
        case StartupRun::HandOver:
            if (CPreviousInstance::Send(decision.text)) {
                return kExitOk;
            }
            // The running copy went away meanwhile: this launch becomes the first one.
            CreateApplication(true);
            return Interactive(decision.text);
        case StartupRun::Automatic:
            CreateApplication(options.showUI);
            return Automatic(decision.text);
        case StartupRun::Interactive:
            CreateApplication(true);
            return Interactive(decision.text);
    }
    return kExitOk;
}

void CStartup::CreateApplication(bool allowGui) {
    application_ = std::make_unique<CApplication>(setup_.store, setup_.programFolder);
    application_->SetAllowGUI(allowGui);
}

std::optional<int> CStartup::ShowAbout() {
    ui_->SetPointer(MousePointer::Default);
    auto* about = new AboutDialog;
    about->setModal(false);
    about->show();
    return std::nullopt;
}

int CStartup::Automatic(std::string presentation) {
    // The frame stays hidden and keeps out of the hand-over: an interactive copy may be running.
    CreateMainWindow();
    main_->setEnabled(false);
    CDocument document(*services_, application_->Palettes());
    CProcessRunner runner;
    CLibreOfficeSource source(runner, ImportTimeLimit(setup_.store));
    DeliveryContext context{*application_, source, runner, {}, PlatformShortPathName()};
    const bool delivered = AutoImportExportInstall(document, context, presentation);
    CloseMainWindow();
    return delivered ? kExitOk : kExitFailure;
}

std::optional<int> CStartup::Interactive(const std::string& startFile) {
    server_ = std::make_unique<CInstanceServer>();
    QObject::connect(server_.get(), &CInstanceServer::fileReceived, server_.get(),
                     [this](const QString& file) { ReceiveHandOver(file); });
    // Without the name this copy cannot take hand-overs, but it still works.
    server_->Listen();

    const double start = setup_.clock.Seconds();
    splash_ = new SplashWindow;
    splash_->setAttribute(Qt::WA_DeleteOnClose);
    splash_->show();
    splash_->repaint();
    SetTopMost(*splash_, true);
    ui_->SetSplash(splash_);

    CreateMainWindow();
    main_->SetStartFile(QString::fromStdString(startFile));
    main_->Load();
    main_->setEnabled(false);
    main_->show();

    splash_->raise();
    WaitForSplash(setup_.clock, start, [] { QCoreApplication::processEvents(); });
    splash_->close();
    ui_->SetSplash(nullptr);
    main_->setEnabled(true);
    return std::nullopt;
}

void CStartup::CreateMainWindow() {
    main_ = std::make_unique<MainWindow>(setup_.store, *ui_);
    main_->SetApplication(application_.get());
    if (!printer_) {
        printer_ = std::make_unique<CQtReportPrinter>();
    }
    MainWindowHooks hooks;
    AddPrintHooks(hooks, *printer_, *main_);
    CreateValidateWindow(hooks);
    main_->SetHooks(std::move(hooks));
    if (onMainWindow) {
        onMainWindow(*main_);
    }
}

void CStartup::CreateValidateWindow(MainWindowHooks& hooks) {
    ValidateWindowLinks links;
    links.windowOf = [this](const CDocument* document) -> IDocumentWindow* {
        for (IDocumentWindow* window : main_->Documents()) {
            if (&window->Document() == document) {
                return window;
            }
        }
        return nullptr;
    };
    links.options = [this] { ShowOptions(); };
    links.limit = [this] { return CValidationLimit::FromApplication(*application_); };
    validate_ = std::make_unique<ValidateWindow>(main_->ValidationResults(), setup_.store,
                                                 std::move(links));
    validate_->setWindowIcon(main_->windowIcon());
    hooks.showValidate = [this](bool bringToFront) {
        if (bringToFront) {
            validate_->raise();
            validate_->activateWindow();
        }
    };
    hooks.options = [this] { ShowOptions(); };
}

void CStartup::ShowOptions() {
    OptionsDialog dialog(*application_, *ui_, main_.get());
    dialog.exec();
}

void CStartup::CloseMainWindow() {
    validate_.reset();
    main_.reset();
}

void CStartup::ReceiveHandOver(const QString& file) {
    if (!main_) {
        return;
    }
    if (main_->isMinimized()) {
        main_->showNormal();
    }
    main_->raise();
    main_->activateWindow();
    main_->OpenTimedDocument(file);
}

int CStartup::Fail(const std::string& text) {
    if (splash_) {
        splash_->close();
    }
    ReportMessage(*ui_, text, kStyleCritical);
    return kExitFailure;
}

}  // namespace trovique::gui
