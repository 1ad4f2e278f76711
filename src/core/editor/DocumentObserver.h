#pragma once

#include <cstddef>

namespace trovique {

// Told of every change of a document, so that a view (the tree widget's item model, the
// validation list, the menus) follows the model without keeping state of its own. Items are
// named by element index; the root's parent is 0.
class IDocumentObserver {
public:
    virtual ~IDocumentObserver() = default;

    virtual void ItemAboutToBeInserted(int parent, std::size_t row) { (void)parent, (void)row; }
    virtual void ItemInserted(int index) { (void)index; }
    // The item and its whole branch are about to leave the tree.
    virtual void ItemAboutToBeRemoved(int index) { (void)index; }
    virtual void ItemRemoved(int parent, std::size_t row) { (void)parent, (void)row; }
    // Title, images, expansion or content of an item changed.
    virtual void ItemChanged(int index) { (void)index; }
    // The selection moved.
    virtual void SelectionChanged(int index) { (void)index; }
    // Dirty flag, caption, file name, size, counters or switches changed.
    virtual void DocumentChanged() {}
    // The whole tree was emptied.
    virtual void TreeCleared() {}
};

}  // namespace trovique
