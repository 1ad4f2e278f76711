#pragma once

#include <cstddef>
#include <cstdint>

namespace trovique {

// What changed about an item, as ItemChanged tells it.
enum class ItemAspect : std::uint8_t {
    Title = 1,      // the tree label
    Image = 2,      // the tree picture (validity, highlight, protection, re-edit)
    Content = 4,    // anything the panes show: texts, pictures, kind, switches, lock
    Expansion = 8,  // expanded or collapsed
};

class ItemAspects {
public:
    constexpr ItemAspects() = default;
    constexpr ItemAspects(ItemAspect aspect) : bits_(static_cast<std::uint8_t>(aspect)) {}
    constexpr bool Has(ItemAspect aspect) const {
        return (bits_ & static_cast<std::uint8_t>(aspect)) != 0;
    }
    constexpr ItemAspects operator|(ItemAspects other) const {
        ItemAspects both;
        both.bits_ = static_cast<std::uint8_t>(bits_ | other.bits_);
        return both;
    }
    constexpr bool operator==(const ItemAspects&) const = default;

private:
    std::uint8_t bits_ = 0;
};

constexpr ItemAspects operator|(ItemAspect a, ItemAspect b) {
    return ItemAspects(a) | ItemAspects(b);
}

// One item moving with its branch, in the terms of QAbstractItemModel::beginMoveRows: the
// destination row counts the destination parent's children before the move, so moving an item
// one place down under its own parent gives destinationRow = sourceRow + 2. The destination
// parent is never the item or one of its descendants, and a move that would leave the item where
// it is (same parent, destinationRow equal to sourceRow or sourceRow + 1) is not told at all.
struct ItemMove {
    int index = 0;
    int sourceParent = 0;
    std::size_t sourceRow = 0;
    int destinationParent = 0;
    std::size_t destinationRow = 0;
};

// Told of every change of a document's tree, so that a view (a tree widget's item model, the
// validation list, the menus) follows the tree without keeping state of its own. Items are named
// by element index; parent 0 is the invisible parent of the root (which is its only child, row
// 0). Rows are positions among the parent's children, counted from 0.
//
// Structural changes come as pairs, "about to" before the tree changes and the other after it,
// never nested in one another, with exactly the data QAbstractItemModel's begin/end calls need:
// - Insert: at ItemAboutToBeInserted the item is not yet in the tree; at ItemInserted it is the
//   child at row of parent. An item comes in with its whole branch: its descendants are already
//   below it at ItemInserted and are not told separately (as rowsInserted of a subtree).
// - Remove: at ItemAboutToBeRemoved the item and its branch are still fully in the tree
//   (Parent(), Row(), Children() and IsLive() answer for them); at ItemRemoved they are gone.
// - Move: see ItemMove. At ItemAboutToBeMoved the item is still at its source; at ItemMoved it
//   is at its destination, its branch with it. Moves come from Move, its undo and redo, and from
//   Indent, which is told as the insertion of the new node followed by one move per item pushed
//   under it.
// - Reset: between ResetAboutToBegin and ResetEnded the tree is replaced (emptied, or read from
//   a file) and nothing else is told; the tree must not be read before ResetEnded.
// - Batch: BatchBegin and BatchEnd bracket a run of changes (an import, a paste, an undo, a
//   conversion of every leaf). Everything inside is still told as it happens, except that
//   DocumentChanged is told at most once, just before BatchEnd; observers may defer their own
//   work to BatchEnd. Batches nest: only the outermost pair is told.
class IDocumentObserver {
public:
    virtual ~IDocumentObserver() = default;

    virtual void ItemAboutToBeInserted(int parent, std::size_t row) { (void)parent, (void)row; }
    virtual void ItemInserted(int parent, std::size_t row, int index) {
        (void)parent, (void)row, (void)index;
    }
    virtual void ItemAboutToBeRemoved(int parent, std::size_t row, int index) {
        (void)parent, (void)row, (void)index;
    }
    virtual void ItemRemoved(int parent, std::size_t row, int index) {
        (void)parent, (void)row, (void)index;
    }
    virtual void ItemAboutToBeMoved(const ItemMove& move) { (void)move; }
    virtual void ItemMoved(const ItemMove& move) { (void)move; }
    virtual void ResetAboutToBegin() {}
    virtual void ResetEnded() {}
    virtual void BatchBegin() {}
    virtual void BatchEnd() {}
    // Title, picture, content or expansion of a live item changed.
    virtual void ItemChanged(int index, ItemAspects aspects) { (void)index, (void)aspects; }
    // The selection moved (0: nothing selected).
    virtual void SelectionChanged(int index) { (void)index; }
    // Dirty flag, caption, file name, size, counters, switches or the Undo item changed.
    virtual void DocumentChanged() {}
};

}  // namespace trovique
