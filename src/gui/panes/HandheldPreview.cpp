#include "gui/panes/HandheldPreview.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/editor/Document.h"

namespace trovique::gui {

// Interim preview: the slide's title only, until the drawn preview arrives.
struct HandheldPreview::Widgets {
    QLabel* title = nullptr;
};

HandheldPreview::HandheldPreview(CDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), widgets_(new Widgets) {
    auto* layout = new QVBoxLayout(this);
    widgets_->title = new QLabel(this);
    layout->addWidget(widgets_->title);
}

HandheldPreview::~HandheldPreview() {
    delete widgets_;
}

void HandheldPreview::ShowItem(int item) {
    const CSlideShowTree& tree = document_.Tree();
    const bool leaf = item != 0 && tree.IsLive(item) && tree.Entry(item).IsLeaf();
    widgets_->title->setText(leaf ? QString::fromStdString(tree.Entry(item).Title()) : QString());
}

}  // namespace trovique::gui
