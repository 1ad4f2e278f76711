#pragma once

#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/services/Services.h"

class QMimeData;

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace trovique {
class CApplication;
class CElementClipboard;
class CRecentFiles;
class CDocument;
class CValidationResults;
struct MenuEntry;
}  // namespace trovique

namespace trovique::gui {

class CQtUserInterface;
class DocumentWindow;
class IDocumentWindow;
class StatusBarView;

// Work that lives in windows of later issues (the validation window, printing, the options
// window). A menu item whose hook is missing is hidden rather than left doing nothing.
struct MainWindowHooks {
    std::function<void(bool bringToFront)> showValidate;  // the validation window
    std::function<void(CDocument&, bool withDialog)> print;
    std::function<void(CDocument&)> printPreview;
    std::function<void()> pageSetup;
    std::function<void()> options;
};

// frmMain: the program's multiple-document frame, captioned with the application title, with
// its menus, toolbar and two-panel status bar. Every menu item and toolbar button goes through
// DoCmd to one core operation on the active slide show window.
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
    // The settings object the documents and dialogs use; without one (window tests of the
    // frame alone) the commands that make slide show windows only announce themselves.
    void SetApplication(CApplication* application);
    void SetHooks(MainWindowHooks hooks);

    // The dispatcher: every command is announced through commandIssued, then run.
    bool DoCmd(int command, const QString& parameter = {});

    StatusBarView& StatusBarPanels() { return *statusBar_; }
    QMdiArea& MdiArea() { return *mdi_; }
    QToolBar& ToolBar() { return *toolBar_; }
    QAction* Action(const QString& name) const { return actions_.value(name); }
    QMenu* MenuNamed(const QString& name) const;
    QMenu& TextBoxContextMenu() { return *contextMenu_; }
    CValidationResults& ValidationResults() { return *validation_; }
    IDocumentWindow* ActiveDocument() const;
    QList<IDocumentWindow*> Documents() const;

    // Public operations of the frame.
    void LoadNewDoc();
    bool CloseActiveDocument() { return DoCmd(2, {}); }
    void UpdateMenuStatus(bool enabled);
    void SetTBButtonEnable(int position, bool enabled);
    void TBUpdateText();
    void MRUSet(const QString& file);
    void ShowFactContext();
    void ShowValidate(bool bringToFront);
    void HandleDragDropFile(const QMimeData* data);
    void ImportPowerPointDocument(const QString& file) { DoCmd(20, file); }
    // Closes every slide show window with its save question; false when one was cancelled.
    bool CloseAllDocuments();
    bool SaveAll();

signals:
    void commandIssued(int command, const QString& parameter);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Menus and toolbar (MainWindowMenus.cpp).
    void BuildMenus();
    void AddEntries(QMenu& menu, const std::vector<MenuEntry>& entries);
    QAction* MakeAction(const MenuEntry& entry, QObject* parent);
    void BuildToolBar();
    void FrameHandler(const QString& name);
    void RebuildRecentFiles();
    void RebuildWindowMenu();
    void ApplyNodeMenu();
    void ApplyTextEditItems(bool contextMenu);
    void HideItemsWithoutWork();
    void OpenHelp(bool index);

    // Commands (MainWindowCommands.cpp).
    bool RunCommand(int command, const QString& parameter, IDocumentWindow* target);
    bool OpenOrImport(int command, const QString& parameter);
    bool ReadInto(DocumentWindow& window, int command, const std::string& file);
    bool Save(IDocumentWindow& target, bool askName);
    bool Export(IDocumentWindow& target);
    bool Validate(IDocumentWindow& target);
    bool TextCommand(int command);
    bool ImportTextIntoField();
    bool AskCloseDocument(DocumentWindow& window);
    DocumentWindow* MakeDocumentWindow();
    IDocumentWindow* FindOpen(const std::string& file) const;
    std::string AskFile(int kind, const std::string& initial);
    std::string DataFolder() const;

    void RestorePlacement();
    void SavePlacement();
    void Unload();

    ISettingsStore& store_;
    CQtUserInterface& ui_;
    CServices services_;
    CApplication* application_ = nullptr;
    MainWindowHooks hooks_;
    std::unique_ptr<CElementClipboard> nodeClipboard_;
    std::unique_ptr<CValidationResults> validation_;
    std::unique_ptr<CRecentFiles> recent_;
    StatusBarView* statusBar_;
    QMdiArea* mdi_;
    QToolBar* toolBar_;
    QMenu* contextMenu_ = nullptr;
    QHash<QString, QAction*> actions_;
    QHash<int, QAction*> toolButtons_;
    int newDocumentCounter_ = 0;
    bool closingAll_ = false;
    QTimer openTimer_;
    QString pendingOpen_;
    QString startFile_;
    bool loaded_ = false;
};

}  // namespace trovique::gui
