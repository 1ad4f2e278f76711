#pragma once

#include <QWidget>

#include "core/validation/DocumentControl.h"

namespace trovique {
class CDocument;
}

namespace trovique::gui {

// What the main window asks of a slide show window (frmDocument). The document holds the
// slide show and runs every command; the window shows it (DocumentWindow).
class IDocumentWindow {
public:
    virtual ~IDocumentWindow() = default;

    virtual CDocument& Document() = 0;
    virtual QWidget& Widget() = 0;
    // Retitles the window from the document (file name part, or the stored caption).
    virtual void UpdateCaption() = 0;
    // Shows the selected item again and lets the menus follow (RefreshActiveNode).
    virtual void RefreshActiveNode() = 0;
    // Starts in-place editing of the selected item's title; false when the window cannot.
    virtual bool RenameNode() = 0;
    // Expands or collapses the selected item and everything below it.
    virtual void BranchExpand(bool expand) = 0;
    // Shows an element chosen from outside (the validation window): "The node has been deleted."
    // for one that is gone, else selects it and gives control the focus (None: the tree keeps it).
    virtual void DisplayItem(int elementIndex, DocumentControl control) = 0;
    // The fact text box, where "Import From Text File..." may put a file; null when none.
    virtual QWidget* FactTextBox() = 0;
};

}  // namespace trovique::gui
