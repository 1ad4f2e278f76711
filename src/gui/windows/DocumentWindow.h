#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <memory>

#include "gui/windows/IDocumentWindow.h"

namespace trovique {
class CServices;
struct PalmPalettes;
}  // namespace trovique

namespace trovique::gui {

// frmDocument, for now: an MDI child that owns one slide show and shows its caption, its file
// and its size, so that the main window's commands work on it end to end. Closing asks the
// save question through askClose (the main window's close step).
class DocumentWindow : public QWidget, public IDocumentWindow {
    Q_OBJECT
public:
    DocumentWindow(CServices& services, const PalmPalettes& palettes, QWidget* parent = nullptr);
    ~DocumentWindow() override;

    CDocument& Document() override { return *document_; }
    QWidget& Widget() override { return *this; }
    void UpdateCaption() override;
    void RefreshActiveNode() override;
    bool RenameNode() override { return false; }
    void BranchExpand(bool expand) override;
    void DisplayItem(int elementIndex, DocumentControl control) override;
    QWidget* FactTextBox() override { return nullptr; }

    // Asked when the window is to close: true lets it close.
    std::function<bool(DocumentWindow&)> askClose;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CDocument> document_;
    QLabel* summary_;
};

}  // namespace trovique::gui
