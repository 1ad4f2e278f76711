#include "gui/models/SlideShowTreeModel.h"

#include "core/codec/Windows1252.h"
#include "core/document/SlideShowTree.h"
#include "core/editor/DocumentPresentation.h"
#include "core/editor/DocumentWindowRules.h"
#include "gui/ui/TreeImages.h"

namespace trovique::gui {

SlideShowTreeModel::SlideShowTreeModel(CSlideShowTree& tree, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree) {
    tree_.AddObserver(this);
}

SlideShowTreeModel::~SlideShowTreeModel() {
    tree_.RemoveObserver(this);
}

int SlideShowTreeModel::ElementOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<int>(index.internalId()) : 0;
}

const std::vector<int>& SlideShowTreeModel::ChildrenOf(int element) const {
    // The root is the only child of the invisible top.
    static thread_local std::vector<int> top;
    if (element == 0) {
        const int root = tree_.GetNodeInfoIndexOfRoot();
        top.assign(root != 0 ? 1 : 0, root);
        return top;
    }
    return tree_.Children(element);
}

QModelIndex SlideShowTreeModel::IndexOf(int element) const {
    if (element == 0 || !tree_.IsLive(element)) {
        return {};
    }
    const int row =
        element == tree_.GetNodeInfoIndexOfRoot() ? 0 : static_cast<int>(tree_.Row(element));
    return createIndex(row, 0, static_cast<quintptr>(element));
}

QModelIndex SlideShowTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || (parent.isValid() && parent.column() != 0)) {
        return {};
    }
    const std::vector<int>& children = ChildrenOf(ElementOf(parent));
    if (static_cast<std::size_t>(row) >= children.size()) {
        return {};
    }
    return createIndex(row, 0, static_cast<quintptr>(children[static_cast<std::size_t>(row)]));
}

QModelIndex SlideShowTreeModel::parent(const QModelIndex& child) const {
    const int element = ElementOf(child);
    return element == 0 ? QModelIndex() : IndexOf(tree_.Parent(element));
}

int SlideShowTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0) {
        return 0;
    }
    return static_cast<int>(ChildrenOf(ElementOf(parent)).size());
}

int SlideShowTreeModel::columnCount(const QModelIndex& parent) const {
    (void)parent;
    return 1;
}

bool SlideShowTreeModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant SlideShowTreeModel::data(const QModelIndex& index, int role) const {
    const int element = ElementOf(index);
    if (!tree_.IsLive(element)) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(Windows1252ToUtf8(tree_.Entry(element).Title()));
        case Qt::DecorationRole:
            return TreeImage(ItemImage(tree_, element, tree_.IsExpanded(element)));
        case Qt::ToolTipRole: {
            const std::string tip = ItemToolTip(tree_, element);
            return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
        }
        case kElementIndexRole:
            return element;
        case kImageRole:
            return ItemImage(tree_, element, tree_.IsExpanded(element));
        default:
            return {};
    }
}

Qt::ItemFlags SlideShowTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    const int element = ElementOf(index);
    if (tree_.IsLive(element) && tree_.Entry(element).IsLeaf()) {
        flags |= Qt::ItemNeverHasChildren;
    }
    return flags;
}

void SlideShowTreeModel::ItemAboutToBeInserted(int parent, std::size_t row) {
    changing_ = true;
    beginInsertRows(IndexOf(parent), static_cast<int>(row), static_cast<int>(row));
}

void SlideShowTreeModel::ItemInserted(int parent, std::size_t row, int index) {
    (void)parent, (void)row, (void)index;
    endInsertRows();
    Finished();
}

void SlideShowTreeModel::ItemAboutToBeRemoved(int parent, std::size_t row, int index) {
    (void)index;
    changing_ = true;
    beginRemoveRows(IndexOf(parent), static_cast<int>(row), static_cast<int>(row));
}

void SlideShowTreeModel::ItemRemoved(int parent, std::size_t row, int index) {
    (void)parent, (void)row, (void)index;
    endRemoveRows();
    Finished();
}

void SlideShowTreeModel::ItemAboutToBeMoved(const ItemMove& move) {
    changing_ = true;
    const int row = static_cast<int>(move.sourceRow);
    beginMoveRows(IndexOf(move.sourceParent), row, row, IndexOf(move.destinationParent),
                  static_cast<int>(move.destinationRow));
}

void SlideShowTreeModel::ItemMoved(const ItemMove& move) {
    (void)move;
    endMoveRows();
    Finished();
}

void SlideShowTreeModel::ResetAboutToBegin() {
    changing_ = true;
    beginResetModel();
}

void SlideShowTreeModel::ResetEnded() {
    endResetModel();
    Finished();
}

void SlideShowTreeModel::Finished() {
    changing_ = false;
    emit structureChanged();
}

void SlideShowTreeModel::BatchEnd() {
    emit batchEnded();
}

void SlideShowTreeModel::ItemChanged(int index, ItemAspects aspects) {
    const QModelIndex changed = IndexOf(index);
    if (!changed.isValid()) {
        return;
    }
    QList<int> roles;
    if (aspects.Has(ItemAspect::Title)) {
        roles << Qt::DisplayRole << Qt::EditRole;
    }
    if (aspects.Has(ItemAspect::Image) || aspects.Has(ItemAspect::Expansion)) {
        roles << Qt::DecorationRole << kImageRole;
    }
    if (aspects.Has(ItemAspect::Content)) {
        roles << Qt::ToolTipRole;
    }
    if (!roles.isEmpty()) {
        emit dataChanged(changed, changed, roles);
    }
    if (aspects.Has(ItemAspect::Expansion)) {
        emit expansionChanged(index);
    }
}

void SlideShowTreeModel::SelectionChanged(int index) {
    emit selectionMoved(index);
}

void SlideShowTreeModel::DocumentChanged() {
    emit documentChanged();
}

}  // namespace trovique::gui
