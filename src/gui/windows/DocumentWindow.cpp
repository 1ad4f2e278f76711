#include "gui/windows/DocumentWindow.h"

#include <QAbstractScrollArea>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTextEdit>
#include <QTreeView>

#include "core/editor/Document.h"
#include "gui/models/SlideShowTreeModel.h"
#include "gui/panes/ItemPanes.h"

namespace trovique::gui {
namespace {

constexpr int kAutoCloseMilliseconds = 10;

// In-place renaming: the edited text goes to the window (and from there into the title box of
// the item's pane) instead of into the model, which only shows the tree.
class RenameDelegate : public QStyledItemDelegate {
public:
    RenameDelegate(std::function<void(const QString&)> finished, QObject* parent)
        : QStyledItemDelegate(parent), finished_(std::move(finished)) {}

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        (void)model, (void)index;
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            finished_(line->text());
        }
    }

private:
    std::function<void(const QString&)> finished_;
};

bool IsTextBox(const QObject* object) {
    return qobject_cast<const QLineEdit*>(object) || qobject_cast<const QTextEdit*>(object) ||
           qobject_cast<const QPlainTextEdit*>(object);
}

bool IsNextWindowKey(const QKeyEvent& key) {
    return key.modifiers() == Qt::ControlModifier &&
           (key.key() == Qt::Key_F6 || key.key() == Qt::Key_Tab);
}

}  // namespace

DocumentWindow::DocumentWindow(CServices& services, const PalmPalettes& palettes, QWidget* parent)
    : QWidget(parent), document_(std::make_unique<CDocument>(services, palettes)) {
    setObjectName(QStringLiteral("frmDocument"));
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("splDocument"));
    splitter_->setChildrenCollapsible(false);
    BuildTree();
    panes_ = new ItemPanes(*document_, splitter_);
    panes_->setObjectName(QStringLiteral("picPanes"));
    splitter_->addWidget(tree_);
    splitter_->addWidget(panes_);
    splitter_->setStretchFactor(0, 2);
    splitter_->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    WatchTextBoxes();

    autoClose_.setObjectName(QStringLiteral("timAutoClose"));
    autoClose_.setSingleShot(true);
    autoClose_.setInterval(kAutoCloseMilliseconds);
    connect(&autoClose_, &QTimer::timeout, this, [this] { emit closeRequested(this); });
    resize(640, 420);
    UpdateCaption();
    SyncExpansion(document_->Tree().GetNodeInfoIndexOfRoot());
    ShowSelection();
}

DocumentWindow::~DocumentWindow() {
    // The panes and the model refer to the document, which goes before the child widgets would.
    delete splitter_;
    splitter_ = nullptr;
    delete model_;
    model_ = nullptr;
}

void DocumentWindow::BuildTree() {
    model_ = new SlideShowTreeModel(document_->Tree());
    tree_ = new QTreeView(splitter_);
    tree_->setObjectName(QStringLiteral("tvCourse"));
    tree_->setHeaderHidden(true);
    tree_->setUniformRowHeights(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    tree_->setModel(model_);
    tree_->setItemDelegate(
        new RenameDelegate([this](const QString& text) { FinishRename(text); }, tree_));
    tree_->installEventFilter(this);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnCurrentChanged(current); });
    connect(tree_, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (!syncing_) {
            document_->Tree().SetExpanded(SlideShowTreeModel::ElementOf(index), true);
        }
    });
    connect(tree_, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (!syncing_) {
            document_->Tree().SetExpanded(SlideShowTreeModel::ElementOf(index), false);
        }
    });
    // The context-menu key in the tree refreshes the menus for the selected item.
    connect(tree_, &QWidget::customContextMenuRequested, this, [this] { emit selectionShown(); });

    connect(model_, &SlideShowTreeModel::selectionMoved, this, [this] { ShowSelection(); });
    connect(model_, &SlideShowTreeModel::expansionChanged, this,
            [this](int element) { SyncExpansion(element); });
    connect(model_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first) {
                SyncExpansion(SlideShowTreeModel::ElementOf(model_->index(first, 0, parent)));
            });
    connect(model_, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int, int, const QModelIndex& destination, int row) {
                // The moved item sits just before row now, or at row when it came from above.
                for (const int candidate : {row - 1, row}) {
                    SyncExpansion(
                        SlideShowTreeModel::ElementOf(model_->index(candidate, 0, destination)));
                }
            });
    connect(model_, &QAbstractItemModel::modelReset, this,
            [this] { SyncExpansion(document_->Tree().GetNodeInfoIndexOfRoot()); });
    connect(model_, &SlideShowTreeModel::structureChanged, this, [this] {
        // The view's selection model moves on its own when rows go; the tree's selection wins.
        if (SlideShowTreeModel::ElementOf(tree_->currentIndex()) != document_->Tree().Selected()) {
            ShowSelection();
        }
    });
    connect(model_, &SlideShowTreeModel::documentChanged, this, [this] { UpdateCaption(); });
}

void DocumentWindow::WatchTextBoxes() {
    // Every control that can take the focus, for the window keys; text boxes and their
    // viewports for the context menu as well.
    for (QWidget* child : panes_->findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus || IsTextBox(child)) {
            child->installEventFilter(this);
        }
        if (auto* area = qobject_cast<QAbstractScrollArea*>(child); area && IsTextBox(child)) {
            area->viewport()->installEventFilter(this);
        }
    }
}

bool DocumentWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if ((watched == tree_ || qobject_cast<QTabBar*>(watched)) && IsNextWindowKey(key)) {
            emit nextWindowRequested();
            return true;
        }
        // Ctrl+F4 is the window's own close, as its close box.
        if (key.modifiers() == Qt::ControlModifier && key.key() == Qt::Key_F4) {
            (parentWidget() ? parentWidget() : this)->close();
            return true;
        }
    }
    if (event->type() == QEvent::ContextMenu) {
        QObject* box = IsTextBox(watched) ? watched : watched->parent();
        if (IsTextBox(box)) {
            static_cast<QWidget*>(box)->setFocus(Qt::OtherFocusReason);
            emit textContextRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DocumentWindow::UpdateCaption() {
    setWindowTitle(QString::fromStdString(document_->WindowTitle()));
}

void DocumentWindow::OnCurrentChanged(const QModelIndex& current) {
    if (syncing_ || model_->Changing()) {
        return;
    }
    const int element = SlideShowTreeModel::ElementOf(current);
    if (element != document_->Tree().Selected()) {
        document_->Tree().Select(element);  // told back as selectionMoved
    }
}

void DocumentWindow::ShowSelection() {
    if (model_->Changing()) {
        return;  // structureChanged brings the view back in step
    }
    const int selected = document_->Tree().Selected();
    const QModelIndex index = model_->IndexOf(selected);
    syncing_ = true;
    if (tree_->currentIndex() != index) {
        tree_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
    if (index.isValid()) {
        tree_->scrollTo(index);
    }
    syncing_ = false;
    panes_->DisplayData(selected);
    emit selectionShown();
}

void DocumentWindow::SyncExpansion(int top) {
    const CSlideShowTree& tree = document_->Tree();
    if (!tree.IsLive(top) || tree.Entry(top).IsLeaf()) {
        return;
    }
    syncing_ = true;
    for (const int item : tree.Preorder(top)) {
        if (!tree.Entry(item).IsLeaf()) {
            tree_->setExpanded(model_->IndexOf(item), tree.IsExpanded(item));
        }
    }
    syncing_ = false;
}

void DocumentWindow::RefreshActiveNode() {
    UpdateCaption();
    ShowSelection();
}

bool DocumentWindow::RenameNode() {
    const int selected = document_->Tree().Selected();
    const QModelIndex index = model_->IndexOf(selected);
    if (!index.isValid()) {
        return false;
    }
    renaming_ = selected;
    tree_->setFocus(Qt::OtherFocusReason);
    tree_->edit(index);
    return true;
}

void DocumentWindow::FinishRename(const QString& text) {
    const CSlideShowTree& tree = document_->Tree();
    const int item = renaming_;
    renaming_ = 0;
    // An edit of an item that is gone, or no longer the selected one, is cancelled.
    if (item == 0 || item != tree.Selected() || !tree.IsLive(item)) {
        return;
    }
    QLineEdit* box = panes_->TitleBox(tree.Entry(item).ElemType);
    if (!box) {
        return;
    }
    box->setText(text);
    emit box->editingFinished();
}

void DocumentWindow::BranchExpand(bool expand) {
    CSlideShowTree& tree = document_->Tree();
    const int top = tree.Selected() != 0 ? tree.Selected() : tree.GetNodeInfoIndexOfRoot();
    tree.SetBranchExpanded(top, expand);
}

void DocumentWindow::DisplayItem(int elementIndex, DocumentControl control) {
    if (!document_->DisplayItem(elementIndex)) {
        return;
    }
    ShowSelection();
    if (control != DocumentControl::None && control != DocumentControl::Tree) {
        panes_->FocusControl(control);
    } else {
        tree_->setFocus(Qt::OtherFocusReason);
    }
}

QWidget* DocumentWindow::FactTextBox() {
    return panes_->FactTextBox();
}

bool DocumentWindow::CloseThroughCommand() {
    closingByCommand_ = true;
    const bool closed = (parentWidget() ? parentWidget() : this)->close();
    closingByCommand_ = false;
    return closed;
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    if (!closingByCommand_) {
        event->ignore();
        autoClose_.start();
        return;
    }
    if (askClose && !askClose(*this)) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace trovique::gui
