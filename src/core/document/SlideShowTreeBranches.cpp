// Whole branches leaving, coming back to and moving within the tree, with their counts, pages
// and size.

#include <algorithm>
#include <unordered_set>

#include "core/common/Error.h"
#include "core/document/ElementClipboard.h"
#include "core/document/SlideShowTree.h"
#include "core/model/NodeLevel.h"

namespace trovique {

void CSlideShowTree::PurgeNodes(int item, const std::vector<int>& keys) {
    if (!IsLive(item)) {
        return;
    }
    const int parent = Parent(item);
    const std::size_t row = parent != 0 ? Row(item) : 0;
    Tell([&](IDocumentObserver& o) { o.ItemAboutToBeRemoved(parent, row, item); });
    std::int64_t removed = 0;
    std::vector<int> leaves;
    for (const int index : keys) {
        if (!IsLive(index)) {
            continue;
        }
        CGenElemInfo& entry = Entry(index);
        if (entry.IsLeaf()) {
            leaves.push_back(index);
            --leafCounter_;
        } else if (int* counter = LevelCounter(entry.NodeType)) {
            --*counter;
        }
        removed += SizeContribution(entry);
        entry.Deleted = true;
    }
    RemovePages(leaves);
    const std::unordered_set<int> leavesRemoved(leaves.begin(), leaves.end());
    std::erase_if(seeAlsoChoices_, [&](int index) { return leavesRemoved.contains(index); });
    dbSize_ -= removed;
    DetachBranch(item, parent, row);
    Tell([&](IDocumentObserver& o) { o.ItemRemoved(parent, row, item); });
    NotifyDocumentChanged();
}

void CSlideShowTree::DetachBranch(int item, int parent, std::size_t row) {
    std::vector<int> branch = {item};
    for (std::size_t i = 0; i < branch.size(); ++i) {
        CGenElemInfo& entry = Entry(branch[i]);
        entry.InTree = false;
        branch.insert(branch.end(), entry.Children.begin(), entry.Children.end());
    }
    if (parent != 0) {
        auto& siblings = Entry(parent).Children;
        siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(row));
    } else {
        root_ = 0;
    }
    if (selected_ != 0 && !IsLive(selected_)) {
        selected_ = parent;
    }
}

int CSlideShowTree::MoveBranch(int item, int destination, Relationship relationship,
                               const CElementClipboard& branch) {
    const int parent = relationship == Relationship::Child ? destination : Parent(destination);
    for (int above = parent; above != 0; above = Parent(above)) {
        if (above == item) {
            throw CError::Object(kErrInvalidValue, "frmDocument:MoveNode");  // into itself
        }
    }
    const ItemMove move{item, Parent(item), Row(item), parent,
                        PlaceFor(destination, relationship, parent).row};
    const bool stays =
        move.sourceParent == move.destinationParent &&
        (move.destinationRow == move.sourceRow || move.destinationRow == move.sourceRow + 1);
    if (!stays) {
        Tell([&](IDocumentObserver& o) { o.ItemAboutToBeMoved(move); });
    }
    int moved = 0;
    ++quietDepth_;
    try {
        PurgeNodes(item, Preorder(item));
        moved = ReinsertBranch(branch, branch.FirstNode(), destination, relationship);
    } catch (...) {
        // The views cannot follow a move that stopped half-way: they start again.
        --quietDepth_;
        BeginReset();
        EndReset();
        throw;
    }
    --quietDepth_;
    if (!stays) {
        Tell([&](IDocumentObserver& o) { o.ItemMoved(move); });
    }
    FlushDocumentChanged();
    return moved;
}

int CSlideShowTree::ReinsertBranch(const CElementClipboard& clipboard, int clipboardItem,
                                   int destination, Relationship relationship) {
    return InsertBranch([&](int& top) {
        return ReinsertItem(clipboard, clipboardItem, destination, relationship, top);
    });
}

int CSlideShowTree::ReinsertItem(const CElementClipboard& clipboard, int clipboardItem,
                                 int destination, Relationship relationship, int& top) {
    const CGenElemInfo& item = clipboard.Entry(clipboardItem);
    const int index = clipboard.SourceIndex(clipboardItem);
    if (!IsNodeIDValid(index) || !Entry(index).Used() || IsLive(index)) {
        throw CError::Object(kErrInvalidValue, "frmDocument:ReinsertBranch");
    }
    const int parent = relationship == Relationship::Child ? destination : Parent(destination);
    ReenterElement(index, parent, PlaceFor(destination, relationship, parent), item.Expanded);
    top = top != 0 ? top : index;
    for (const int child : item.Children) {
        ReinsertItem(clipboard, child, index, Relationship::Child, top);
    }
    return index;
}

void CSlideShowTree::ReenterElement(int index, int parent, Placement placement, bool expanded) {
    CGenElemInfo& entry = Entry(index);
    entry.Deleted = false;
    entry.Expanded = expanded;
    if (entry.IsLeaf()) {
        if (!deferPages_) {
            const int page = PageAt(placement);
            EnsurePageCapacity(leafCount_ + 1);
            AdjustLPIForInsert(page, index);
            ++leafCount_;
        }
        ++leafCounter_;
        seeAlsoChoices_.push_back(index);
    } else {
        const int level = parent == root_ ? kLevelMajorCategory : Entry(parent).NodeType + 1;
        entry.NodeType = level;
        if (int* counter = LevelCounter(level)) {
            ++*counter;
        }
        entry.Node->SetExpanded(expanded);
    }
    dbSize_ += SizeContribution(entry);
    InsertItem(index, placement);
}

void CSlideShowTree::MoveUnder(int item, int newParent) {
    const int oldParent = Parent(item);
    const std::size_t row = Row(item);
    auto& children = Entry(newParent).Children;
    const ItemMove move{item, oldParent, row, newParent, children.size()};
    Tell([&](IDocumentObserver& o) { o.ItemAboutToBeMoved(move); });
    auto& siblings = Entry(oldParent).Children;
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(row));
    children.push_back(item);
    Entry(item).Parent = newParent;
    ShiftBranchLevels(item, 1);
    Tell([&](IDocumentObserver& o) { o.ItemMoved(move); });
}

void CSlideShowTree::ShiftBranchLevels(int item, int delta) {
    for (const int index : Preorder(item)) {
        CGenElemInfo& entry = Entry(index);
        if (entry.IsLeaf()) {
            continue;
        }
        if (int* old = LevelCounter(entry.NodeType)) {
            --*old;
        }
        entry.NodeType += delta;
        if (int* now = LevelCounter(entry.NodeType)) {
            ++*now;
        }
    }
    NotifyDocumentChanged();
}

}  // namespace trovique
