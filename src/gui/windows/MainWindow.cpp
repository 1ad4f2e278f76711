#include "gui/windows/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QToolBar>

#include "core/app/RecentFiles.h"
#include "core/app/Twips.h"
#include "core/document/ElementClipboard.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/SettingNames.h"
#include "core/services/SettingsStore.h"
#include "core/settings/WindowPlacement.h"
#include "core/validation/ValidationResults.h"
#include "gui/ui/QtUserInterface.h"
#include "gui/ui/StatusBarView.h"

namespace trovique::gui {
namespace {

const std::string kTitle(kApplicationTitle);

}  // namespace

MainWindow::MainWindow(ISettingsStore& store, CQtUserInterface& ui, QWidget* parent)
    : QMainWindow(parent),
      store_(store),
      ui_(ui),
      services_{store, ui},
      nodeClipboard_(std::make_unique<CElementClipboard>()),
      validation_(std::make_unique<CValidationResults>(ui)),
      recent_(std::make_unique<CRecentFiles>(store)),
      statusBar_(new StatusBarView(this)),
      mdi_(new QMdiArea(this)),
      toolBar_(new QToolBar(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setStatusBar(statusBar_);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);
    setAcceptDrops(true);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
        UpdateMenuStatus(ActiveDocument() != nullptr);
        ApplyNodeMenu();
    });
    BuildMenus();
    BuildToolBar();
    openTimer_.setObjectName(QStringLiteral("tmrOpen"));
    openTimer_.setSingleShot(true);
    openTimer_.setInterval(kOpenDelayMilliseconds);
    connect(&openTimer_, &QTimer::timeout, this, [this] {
        // A long operation (an import letting events run) holds the frame disabled: the file
        // waits for it rather than starting a second command in the middle of it.
        if (!isEnabled()) {
            openTimer_.start();
            return;
        }
        DoCmd(kCmdOpen, pendingOpen_);
    });
}

MainWindow::~MainWindow() {
    // The documents refer to the services and the clipboard, which go before the children.
    closingAll_ = true;
    disconnect(mdi_, nullptr, this, nullptr);
    delete mdi_;
    mdi_ = nullptr;
    Unload();
}

void MainWindow::Load() {
    setWindowTitle(QString::fromStdString(kTitle));
    resize(800, 600);
    RestorePlacement();
    ui_.SetStatusBarView(statusBar_);
    ui_.SetCommandWindow(this);
    qulonglong id = static_cast<qulonglong>(winId());
    if (id == 0) {
        id = static_cast<qulonglong>(QCoreApplication::applicationPid());
    }
    store_.Set(kTitle, settings::kSettings, settings::kMainWindowHandle, std::to_string(id));
    loaded_ = true;
    RebuildRecentFiles();
    UpdateMenuStatus(false);
    HideItemsWithoutWork();
    if (!startFile_.isEmpty()) {
        DoCmd(QFileInfo(startFile_).isFile() ? kCmdOpen : kCmdNew, startFile_);
    }
}

void MainWindow::OpenTimedDocument(const QString& file) {
    if (openTimer_.isActive()) {
        return;
    }
    pendingOpen_ = file;
    openTimer_.start();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!CloseAllDocuments()) {
        event->ignore();
        return;
    }
    Unload();
    QMainWindow::closeEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        validation_->Hide();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::Unload() {
    if (!loaded_) {
        return;
    }
    loaded_ = false;
    openTimer_.stop();
    // The settings file may have gone (a full disk); closing must go on regardless.
    try {
        SavePlacement();
        store_.Set(kTitle, settings::kSettings, settings::kMainWindowHandle,
                   settings::kMainWindowHandleDefault);
    } catch (const std::exception&) {
    }
    ui_.SetStatusBarView(nullptr);
    ui_.SetCommandWindow(nullptr);
}

void MainWindow::RestorePlacement() {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    WindowGeometry geometry{TwipsFromPixels(x(), dpiX), TwipsFromPixels(y(), dpiY),
                            TwipsFromPixels(width(), dpiX), TwipsFromPixels(height(), dpiY),
                            WindowState::Normal};
    RestoreWindowPlacement(store_, settings::kMainWindow, geometry, WindowState::Maximised);
    if (geometry.state == WindowState::Maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    move(PixelsFromTwips(geometry.left, dpiX), PixelsFromTwips(geometry.top, dpiY));
    resize(PixelsFromTwips(geometry.width, dpiX), PixelsFromTwips(geometry.height, dpiY));
}

void MainWindow::SavePlacement() {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const WindowState state = isMinimized()   ? WindowState::Minimised
                              : isMaximized() ? WindowState::Maximised
                                              : WindowState::Normal;
    SaveWindowPlacement(store_, settings::kMainWindow,
                        {TwipsFromPixels(x(), dpiX), TwipsFromPixels(y(), dpiY),
                         TwipsFromPixels(width(), dpiX), TwipsFromPixels(height(), dpiY), state});
}

}  // namespace trovique::gui
