#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "gui/windows/IDocumentWindow.h"

class QSplitter;
class QTreeView;

namespace trovique {
class CServices;
struct PalmPalettes;
}  // namespace trovique

namespace trovique::gui {

class ItemPanes;
class SlideShowTreeModel;

// frmDocument: an MDI child that owns one slide show. On the left the tree tvCourse over the
// document's tree, on the right the panes of the selected item. Selecting, expanding and
// renaming in the tree go to the document; whatever the document changes comes back through
// the tree model and the selection it tells.
class DocumentWindow : public QWidget, public IDocumentWindow {
    Q_OBJECT
public:
    DocumentWindow(CServices& services, const PalmPalettes& palettes, QWidget* parent = nullptr);
    ~DocumentWindow() override;

    CDocument& Document() override { return *document_; }
    QWidget& Widget() override { return *this; }
    void UpdateCaption() override;
    void RefreshActiveNode() override;
    bool RenameNode() override;
    void BranchExpand(bool expand) override;
    void DisplayItem(int elementIndex, DocumentControl control) override;
    QWidget* FactTextBox() override;

    QTreeView& Tree() { return *tree_; }
    SlideShowTreeModel& Model() { return *model_; }
    ItemPanes& Panes() { return *panes_; }

    // Closes the window as the main window's close command does, with the save question
    // (askClose); false when the close was cancelled. Any other close, such as the window's
    // own close box, is turned into a request to the main window (closeRequested), so that
    // every close takes that one path.
    bool CloseThroughCommand();

    // Asked when the window is to close: true lets it close.
    std::function<bool(DocumentWindow&)> askClose;

signals:
    // The close box was used: the main window is to run its close command on this window.
    void closeRequested(DocumentWindow* window);
    // Ctrl+F6 or Ctrl+Tab in the tree or a tab strip: the next slide show window.
    void nextWindowRequested();
    // A context menu was asked for over a text box of the panes.
    void textContextRequested();
    // The selection was shown: the menus follow it.
    void selectionShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTree();
    void WatchTextBoxes();
    void OnCurrentChanged(const QModelIndex& current);
    void ShowSelection();
    void SyncExpansion(int top);
    void FinishRename(const QString& text);

    std::unique_ptr<CDocument> document_;
    SlideShowTreeModel* model_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTreeView* tree_ = nullptr;
    ItemPanes* panes_ = nullptr;
    QTimer autoClose_;
    bool closingByCommand_ = false;
    bool syncing_ = false;
    int renaming_ = 0;
};

}  // namespace trovique::gui
