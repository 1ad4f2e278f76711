#pragma once

#include <QMainWindow>
#include <QTimer>

namespace trovique {
class ISettingsStore;
}

namespace trovique::gui {

class CQtUserInterface;
class StatusBarView;

// frmMain: the program's frame, captioned with the application title, with its two-panel
// status bar. Every command goes through DoCmd; the menus that issue them come with the
// document windows.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Command numbers of the dispatcher.
    static constexpr int kCmdNew = 0;
    static constexpr int kCmdOpen = 1;
    static constexpr int kOpenDelayMilliseconds = 100;

    MainWindow(ISettingsStore& store, CQtUserInterface& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    void SetStartFile(const QString& file) { startFile_ = file; }
    const QString& StartFile() const { return startFile_; }

    // The load step: caption, the stored placement, the status bar bound to the services, the
    // window's id under "Settings"/"MWH", then the start file (an existing file is opened, any
    // other name starts a new slide show).
    void Load();
    // Opens file shortly after the call returns, so that whoever handed it over is not held up;
    // a call while an open is pending is ignored. An empty file asks for one.
    void OpenTimedDocument(const QString& file);
    // The dispatcher. Commands the frame cannot carry out yet are announced through
    // commandIssued for whoever implements them.
    void DoCmd(int command, const QString& parameter);

    StatusBarView& StatusBarPanels() { return *statusBar_; }

signals:
    void commandIssued(int command, const QString& parameter);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RestorePlacement();
    void SavePlacement();
    void Unload();

    ISettingsStore& store_;
    CQtUserInterface& ui_;
    StatusBarView* statusBar_;
    QTimer openTimer_;
    QString pendingOpen_;
    QString startFile_;
    bool loaded_ = false;
};

}  // namespace trovique::gui
