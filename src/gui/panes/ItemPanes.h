#pragma once

#include <QWidget>

#include "core/document/ElementKinds.h"
#include "core/validation/DocumentControl.h"

class QLineEdit;
class QTextEdit;

namespace trovique {
class CDocument;
}

namespace trovique::gui {

// The right-hand side of a slide show window: the root pane (picTitle), the node pane (picNode),
// the leaf pane with its tab strip (picQAF) and the locked notice (lblLocked). It shows the item
// the slide show window selects and forwards every edit to one call of the document. It follows
// the document's own changes to that item (an undo, a conversion, locking).
class ItemPanes : public QWidget {
    Q_OBJECT
public:
    ItemPanes(CDocument& document, QWidget* parent = nullptr);
    ~ItemPanes() override;

    // Fills and shows the pane of the item's kind (DisplayData); 0 shows nothing.
    void DisplayData(int item);
    // Shows the current item again, as after a change from outside the panes.
    void Refresh();
    // Brings the tab holding control into view and gives it the focus; false when there is none.
    bool FocusControl(DocumentControl control);
    // The title box of kind's pane, where an in-place rename puts its text.
    QLineEdit* TitleBox(ElementKind kind);
    // The leaf pane's fact box.
    QTextEdit* FactTextBox();
    // The item shown, 0 for none.
    int CurrentItem() const;

private:
    struct Widgets;
    class Observer;
    void RefreshSummary();
    CDocument& document_;
    Widgets* widgets_;
};

}  // namespace trovique::gui
