#include "gui/panes/ItemPanes.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/editor/Document.h"
#include "core/editor/DocumentPresentation.h"

namespace trovique::gui {

// Interim panes: the item's title only, until the full panes arrive.
struct ItemPanes::Widgets {
    QLabel* title = nullptr;
    QLineEdit* titleBox = nullptr;
    QTextEdit* fact = nullptr;
    int item = 0;
};

ItemPanes::ItemPanes(CDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), widgets_(new Widgets) {
    auto* layout = new QVBoxLayout(this);
    widgets_->title = new QLabel(this);
    widgets_->titleBox = new QLineEdit(this);
    widgets_->fact = new QTextEdit(this);
    layout->addWidget(widgets_->title);
    layout->addWidget(widgets_->titleBox);
    layout->addWidget(widgets_->fact);
}

ItemPanes::~ItemPanes() {
    delete widgets_;
}

void ItemPanes::DisplayData(int item) {
    widgets_->item = item;
    Refresh();
}

void ItemPanes::Refresh() {
    const CSlideShowTree& tree = document_.Tree();
    const bool live = widgets_->item != 0 && tree.IsLive(widgets_->item);
    widgets_->title->setText(live ? QString::fromStdString(tree.Entry(widgets_->item).Title())
                                  : QString());
}

bool ItemPanes::FocusControl(DocumentControl control) {
    (void)control;
    return false;
}

QLineEdit* ItemPanes::TitleBox(ElementKind kind) {
    (void)kind;
    return widgets_->titleBox;
}

QTextEdit* ItemPanes::FactTextBox() {
    return widgets_->fact;
}

}  // namespace trovique::gui
