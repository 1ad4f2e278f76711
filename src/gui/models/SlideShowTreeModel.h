#pragma once

#include <QAbstractItemModel>

#include "core/document/DocumentObserver.h"

namespace trovique {
class CSlideShowTree;
}

namespace trovique::gui {

// The tree of one slide show as a Qt item model: one column, the element index as each item's
// internal id, and no copy of the tree. Every question is answered from the tree, and every
// change the tree tells is passed on as the matching begin/end pair, so that a view keeps its
// selection and expansion through pastes, removals, moves and undo.
class SlideShowTreeModel : public QAbstractItemModel, private IDocumentObserver {
    Q_OBJECT
public:
    // The element index of an item, and its picture number in the window's image list.
    static constexpr int kElementIndexRole = Qt::UserRole;
    static constexpr int kImageRole = Qt::UserRole + 1;

    explicit SlideShowTreeModel(CSlideShowTree& tree, QObject* parent = nullptr);
    ~SlideShowTreeModel() override;

    // The model index of an element, invalid for 0 or an item not in the tree.
    QModelIndex IndexOf(int element) const;
    static int ElementOf(const QModelIndex& index);
    // True from a change's "about to" until its end has been passed on: the view's selection
    // model moves on its own meanwhile, and the tree must not be changed from there.
    bool Changing() const { return changing_; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The tree's selection moved (0: none).
    void selectionMoved(int element);
    // An item's expansion changed in the tree.
    void expansionChanged(int element);
    // A structural change has been passed on completely (the view may sync with the tree).
    void structureChanged();
    void documentChanged();
    void batchEnded();

private:
    void ItemAboutToBeInserted(int parent, std::size_t row) override;
    void ItemInserted(int parent, std::size_t row, int index) override;
    void ItemAboutToBeRemoved(int parent, std::size_t row, int index) override;
    void ItemRemoved(int parent, std::size_t row, int index) override;
    void ItemAboutToBeMoved(const ItemMove& move) override;
    void ItemMoved(const ItemMove& move) override;
    void ResetAboutToBegin() override;
    void ResetEnded() override;
    void BatchEnd() override;
    void ItemChanged(int index, ItemAspects aspects) override;
    void SelectionChanged(int index) override;
    void DocumentChanged() override;

    const std::vector<int>& ChildrenOf(int element) const;
    void Finished();

    CSlideShowTree& tree_;
    bool changing_ = false;
};

}  // namespace trovique::gui
