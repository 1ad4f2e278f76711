#include "gui/panes/ItemPanes.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/editor/Document.h"
#include "core/editor/PaneContent.h"
#include "gui/panes/FieldBoxes.h"
#include "gui/panes/LeafPane.h"
#include "gui/panes/NodePane.h"
#include "gui/panes/RootPane.h"

namespace trovique::gui {

// Follows the document's changes to the item shown. Changes that a text box of the panes hands
// over are already on screen and are not shown again (the box being typed in keeps its cursor).
class ItemPanes::Observer : public IDocumentObserver {
public:
    explicit Observer(ItemPanes& panes) : panes_(panes) {}

    void ItemChanged(int index, ItemAspects aspects) override {
        if (index != panes_.CurrentItem() || Forwarding() ||
            !(aspects.Has(ItemAspect::Content) || aspects.Has(ItemAspect::Title))) {
            return;
        }
        if (batch_ > 0) {
            pending_ = true;
        } else {
            panes_.Refresh();
        }
    }
    void ItemRemoved(int, std::size_t, int) override { Later(); }
    void ResetEnded() override { Later(); }
    void BatchBegin() override { ++batch_; }
    void BatchEnd() override {
        batch_ = 0;
        if (pending_) {
            pending_ = false;
            panes_.Refresh();
        }
    }
    void DocumentChanged() override {
        if (!Forwarding()) {
            panes_.RefreshSummary();
        }
    }

private:
    bool Forwarding() const;
    // A structural change: the item may be gone; looked at once the change is whole.
    void Later() {
        if (batch_ > 0) {
            pending_ = true;
        } else {
            panes_.Refresh();
        }
    }

    ItemPanes& panes_;
    int batch_ = 0;
    bool pending_ = false;
};

struct ItemPanes::Widgets {
    int item = 0;
    FieldBoxes* boxes = nullptr;
    QScrollArea* scroll = nullptr;
    QStackedWidget* stack = nullptr;
    QWidget* empty = nullptr;
    RootPane* root = nullptr;
    NodePane* node = nullptr;
    LeafPane* leaf = nullptr;
    QLabel* locked = nullptr;
    std::unique_ptr<Observer> observer;
};

bool ItemPanes::Observer::Forwarding() const {
    return panes_.widgets_->boxes->Forwarding();
}

ItemPanes::ItemPanes(CDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), widgets_(new Widgets) {
    Widgets& w = *widgets_;
    w.boxes = new FieldBoxes(
        document, [this] { return widgets_->item; }, this);
    w.stack = new QStackedWidget;
    w.empty = new QWidget(w.stack);
    w.root = new RootPane(document, *w.boxes, w.stack);
    w.node = new NodePane(*w.boxes, w.stack);
    w.leaf = new LeafPane(document, *w.boxes, w.stack);
    w.locked = new QLabel(QString::fromLatin1(CDocument::kLockedLeafNotice), w.stack);
    w.locked->setObjectName(QStringLiteral("lblLocked"));
    w.locked->setWordWrap(true);
    w.locked->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    w.locked->setMargin(12);
    for (QWidget* page : {w.empty, static_cast<QWidget*>(w.root), static_cast<QWidget*>(w.node),
                          static_cast<QWidget*>(w.leaf), static_cast<QWidget*>(w.locked)}) {
        w.stack->addWidget(page);
    }
    // A window smaller than a pane scrolls it rather than crushing its controls.
    w.scroll = new QScrollArea(this);
    w.scroll->setObjectName(QStringLiteral("scrRightPane"));
    w.scroll->setWidgetResizable(true);
    w.scroll->setFrameShape(QFrame::NoFrame);
    w.scroll->setWidget(w.stack);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(w.scroll);
    w.observer = std::make_unique<Observer>(*this);
    document_.Tree().AddObserver(w.observer.get());
    DisplayData(0);
}

ItemPanes::~ItemPanes() {
    document_.Tree().RemoveObserver(widgets_->observer.get());
    delete widgets_;
}

int ItemPanes::CurrentItem() const {
    return widgets_->item;
}

void ItemPanes::DisplayData(int item) {
    widgets_->item = item;
    Refresh();
    widgets_->scroll->verticalScrollBar()->setValue(0);
    widgets_->scroll->horizontalScrollBar()->setValue(0);
    // A fresh item takes the focus to its title box once.
    if (TakeFirstDisplay(document_, item)) {
        const ElementKind kind = document_.Tree().Entry(item).ElemType;
        if (kind == ElementKind::Leaf) {
            widgets_->leaf->Reveal(DocumentControl::LeafTitle);
        }
        TitleBox(kind)->setFocus();
    }
}

void ItemPanes::Refresh() {
    Widgets& w = *widgets_;
    const PaneContent content = DescribePane(document_, w.item);
    if (content.kind == PaneKind::None) {
        w.item = 0;
    }
    switch (content.kind) {
        case PaneKind::Root:
            w.root->Show(content);
            w.stack->setCurrentWidget(w.root);
            break;
        case PaneKind::Node:
            w.node->Show(content);
            w.stack->setCurrentWidget(w.node);
            break;
        case PaneKind::Leaf:
            w.leaf->Show(w.item, content);
            w.stack->setCurrentWidget(w.leaf);
            break;
        case PaneKind::LockedLeaf:
            w.stack->setCurrentWidget(w.locked);
            break;
        case PaneKind::None:
            w.stack->setCurrentWidget(w.empty);
            break;
    }
}

void ItemPanes::RefreshSummary() {
    Widgets& w = *widgets_;
    const PaneContent content = DescribePane(document_, w.item);
    if (content.kind == PaneKind::Root && w.stack->currentWidget() == w.root) {
        w.root->ShowSummary(content);
    } else if (content.kind == PaneKind::Node && w.stack->currentWidget() == w.node) {
        w.node->ShowSummary(content);
    }
}

bool ItemPanes::FocusControl(DocumentControl control) {
    Widgets& w = *widgets_;
    QWidget* widget = nullptr;
    const auto rootBox = [&](TextField field) {
        return w.stack->currentWidget() == w.root ? w.boxes->Box(field) : nullptr;
    };
    switch (control) {
        case DocumentControl::SlideShowTitle:
            widget = rootBox(TextField::SlideShowTitle);
            break;
        case DocumentControl::CreatorID:
            widget = rootBox(TextField::CreatorID);
            break;
        case DocumentControl::LabelOnPalm:
            widget = rootBox(TextField::ProgramIconName);
            break;
        case DocumentControl::SplashText:
            widget = rootBox(TextField::SplashComments);
            break;
        case DocumentControl::ContactText:
            widget = rootBox(TextField::AboutComments);
            break;
        case DocumentControl::NodeTitle:
            widget =
                w.stack->currentWidget() == w.node ? w.boxes->Box(TextField::NodeTitle) : nullptr;
            break;
        default:
            widget = w.stack->currentWidget() == w.leaf ? w.leaf->Reveal(control) : nullptr;
            break;
    }
    if (widget == nullptr) {
        return false;
    }
    w.scroll->ensureWidgetVisible(widget);
    widget->setFocus(Qt::OtherFocusReason);
    return true;
}

QLineEdit* ItemPanes::TitleBox(ElementKind kind) {
    const TextField field = kind == ElementKind::Root   ? TextField::SlideShowTitle
                            : kind == ElementKind::Node ? TextField::NodeTitle
                                                        : TextField::LeafTitle;
    return qobject_cast<QLineEdit*>(widgets_->boxes->Box(field));
}

QTextEdit* ItemPanes::FactTextBox() {
    return qobject_cast<QTextEdit*>(widgets_->boxes->Box(TextField::Fact));
}

}  // namespace trovique::gui
