// Page numbers of the leaves: dense 1..n in tree order, with the page table mapping each page to
// the element index of its leaf.

#include <algorithm>
#include <unordered_set>

#include "core/document/SlideShowTree.h"

namespace trovique {

void CSlideShowTree::EnsurePageCapacity(std::size_t pages) {
    while (pageCapacity_ < pages) {
        pageCapacity_ += kTableGrowth;
    }
    pages_.resize(pageCapacity_ + 1, 0);
}

int CSlideShowTree::LeafOnPage(std::size_t page) const {
    return page >= 1 && page <= leafCount_ ? pages_[page] : 0;
}

int CSlideShowTree::LastLeafInBranch(int index) const {
    if (Entry(index).IsLeaf()) {
        return index;
    }
    const auto& children = Entry(index).Children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (const int leaf = LastLeafInBranch(*it); leaf != 0) {
            return leaf;
        }
    }
    return 0;
}

// The last leaf at or before the end of index's branch in tree order: first inside the branch,
// then in the branches of earlier siblings, then further up.
int CSlideShowTree::LastLeafUpTo(int index) const {
    if (const int leaf = LastLeafInBranch(index); leaf != 0) {
        return leaf;
    }
    for (int current = index; current != 0; current = Parent(current)) {
        for (int sibling = PreviousSibling(current); sibling != 0;
             sibling = PreviousSibling(sibling)) {
            if (const int leaf = LastLeafInBranch(sibling); leaf != 0) {
                return leaf;
            }
        }
    }
    return 0;
}

int CSlideShowTree::PageAt(Placement placement) const {
    int before = 0;
    if (placement.row > 0) {
        before = LastLeafUpTo(Children(placement.parent)[placement.row - 1]);
    } else {
        for (int current = placement.parent; current != 0 && before == 0;
             current = Parent(current)) {
            for (int sibling = PreviousSibling(current); sibling != 0 && before == 0;
                 sibling = PreviousSibling(sibling)) {
                before = LastLeafInBranch(sibling);
            }
        }
    }
    return before == 0 ? 1 : Entry(before).Leaf->LPI() + 1;
}

int CSlideShowTree::GetNextLPIForParent(int parent) const {
    if (!IsLive(parent)) {
        return static_cast<int>(leafCount_) + 1;
    }
    return PageAt({parent, Children(parent).size()});
}

void CSlideShowTree::AdjustLPIForInsert(int lpi, int elementIndex) {
    EnsurePageCapacity(leafCount_ + 1);
    for (std::size_t page = leafCount_; page >= static_cast<std::size_t>(lpi) && page >= 1;
         --page) {
        const int moved = pages_[page];
        pages_[page + 1] = moved;
        if (moved != 0 && Entry(moved).Leaf) {
            Entry(moved).Leaf->SetLPI(static_cast<std::int64_t>(page + 1));
        }
    }
    pages_[static_cast<std::size_t>(lpi)] = elementIndex;
    if (Entry(elementIndex).Leaf) {
        Entry(elementIndex).Leaf->SetLPI(lpi);
    }
}

void CSlideShowTree::AdjustLPIForDelete(int lpi) {
    if (lpi < 1 || static_cast<std::size_t>(lpi) > leafCount_) {
        return;
    }
    for (std::size_t page = static_cast<std::size_t>(lpi); page < leafCount_; ++page) {
        const int moved = pages_[page + 1];
        pages_[page] = moved;
        if (moved != 0 && Entry(moved).Leaf) {
            Entry(moved).Leaf->SetLPI(static_cast<std::int64_t>(page));
        }
    }
    pages_[leafCount_] = 0;
}

// Runs insert (which reports the branch's top item as soon as it is in) with the pages of its
// leaves held back, then numbers them all at once, also when insert fails half-way.
int CSlideShowTree::InsertBranch(const std::function<int(int& top)>& insert) {
    int top = 0;
    if (deferPages_) {
        return insert(top);
    }
    BatchScope batch(*this);
    deferPages_ = true;
    collectingBranch_ = true;
    const auto finish = [&] {
        deferPages_ = false;
        collectingBranch_ = false;
        LinkPendingTop();
        EnterBranchPages(top);
    };
    try {
        insert(top);
    } catch (...) {
        finish();
        throw;
    }
    finish();
    NotifyDocumentChanged();
    return top;
}

// The leaves of top's branch, in the tree but without pages, take the pages after the last leaf
// before the branch; every later page moves on by their number.
void CSlideShowTree::EnterBranchPages(int top) {
    if (!IsLive(top)) {
        return;
    }
    std::vector<int> leaves;
    for (const int index : Preorder(top)) {
        if (Entry(index).IsLeaf()) {
            leaves.push_back(index);
        }
    }
    if (leaves.empty()) {
        return;
    }
    const std::size_t first = static_cast<std::size_t>(PageAt({Parent(top), Row(top)}));
    const std::size_t count = leaves.size();
    EnsurePageCapacity(leafCount_ + count);
    for (std::size_t page = leafCount_; page >= first; --page) {
        const int moved = pages_[page];
        pages_[page + count] = moved;
        Entry(moved).Leaf->SetLPI(static_cast<std::int64_t>(page + count));
    }
    for (std::size_t i = 0; i < count; ++i) {
        pages_[first + i] = leaves[i];
        Entry(leaves[i]).Leaf->SetLPI(static_cast<std::int64_t>(first + i));
    }
    leafCount_ += count;
}

// Takes the pages of the listed leaves out and closes the gaps, keeping the order of the rest.
void CSlideShowTree::RemovePages(const std::vector<int>& leaves) {
    if (leaves.empty()) {
        return;
    }
    const std::unordered_set<int> removed(leaves.begin(), leaves.end());
    std::size_t from = leafCount_;
    for (const int index : leaves) {
        from = std::min<std::size_t>(from, Entry(index).Leaf->LPI());
    }
    from = std::max<std::size_t>(from, 1);
    std::size_t kept = from - 1;
    for (std::size_t page = from; page <= leafCount_; ++page) {
        const int index = pages_[page];
        if (removed.contains(index)) {
            continue;
        }
        pages_[++kept] = index;
        if (kept != page) {
            Entry(index).Leaf->SetLPI(static_cast<std::int64_t>(kept));
        }
    }
    for (std::size_t page = kept + 1; page <= leafCount_; ++page) {
        pages_[page] = 0;
    }
    leafCount_ = kept;
}

void CSlideShowTree::RenumberPages() {
    std::size_t page = 0;
    for (const int index : Preorder(root_)) {
        CGenElemInfo& entry = Entry(index);
        if (entry.IsLeaf()) {
            ++page;
            EnsurePageCapacity(page);
            pages_[page] = index;
            entry.Leaf->SetLPI(static_cast<std::int64_t>(page));
        }
    }
    for (std::size_t rest = page + 1; rest < pages_.size(); ++rest) {
        pages_[rest] = 0;
    }
    leafCount_ = page;
}

}  // namespace trovique
