// Whole branches leaving, coming back to and moving within the tree, with their counts, pages
// and size.

#include <algorithm>
#include <unordered_set>

#include "core/common/Error.h"
#include "core/editor/ElementClipboard.h"
#include "core/editor/SlideShowTree.h"
#include "core/model/NodeLevel.h"

namespace trovique {

void CSlideShowTree::PurgeNodes(int item, const std::vector<int>& keys) {
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
    DetachBranch(item);
    NotifyDocumentChanged();
}

void CSlideShowTree::DetachBranch(int item) {
    // The branch may already be marked Deleted, so its place is read from the entries.
    const int parent = Entry(item).Parent;
    std::size_t row = 0;
    if (parent != 0) {
        const auto& siblings = Entry(parent).Children;
        row = static_cast<std::size_t>(std::find(siblings.begin(), siblings.end(), item) -
                                       siblings.begin());
    }
    for (auto* observer : observers_) {
        observer->ItemAboutToBeRemoved(item);
    }
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
    for (auto* observer : observers_) {
        observer->ItemRemoved(parent, row);
    }
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
    for (auto* observer : observers_) {
        observer->ItemAboutToBeRemoved(item);
    }
    auto& siblings = Entry(oldParent).Children;
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(row));
    for (auto* observer : observers_) {
        observer->ItemRemoved(oldParent, row);
    }
    auto& children = Entry(newParent).Children;
    for (auto* observer : observers_) {
        observer->ItemAboutToBeInserted(newParent, children.size());
    }
    children.push_back(item);
    Entry(item).Parent = newParent;
    ShiftBranchLevels(item, 1);
    for (auto* observer : observers_) {
        observer->ItemInserted(item);
    }
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
