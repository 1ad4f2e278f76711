#include "core/document/SlideShowTree.h"

#include <algorithm>
#include <utility>

#include "core/common/Error.h"

namespace trovique {
namespace {

const std::vector<int> kNoChildren;

}  // namespace

void CSlideShowTree::AddObserver(IDocumentObserver* observer) {
    observers_.push_back(observer);
}

void CSlideShowTree::RemoveObserver(IDocumentObserver* observer) {
    std::erase(observers_, observer);
}

// ---- Element table ----

bool CSlideShowTree::IsNodeIDValid(int index) const {
    return index >= 1 && static_cast<std::size_t>(index) <= capacity_;
}

CGenElemInfo& CSlideShowTree::Entry(int index) {
    return const_cast<CGenElemInfo&>(std::as_const(*this).Entry(index));
}

const CGenElemInfo& CSlideShowTree::Entry(int index) const {
    if (!IsNodeIDValid(index)) {
        throw CError::Object(kErrValueOutOfRange, "frmDocument:Entry");
    }
    return elements_[static_cast<std::size_t>(index)];
}

bool CSlideShowTree::IsLive(int index) const {
    if (!IsNodeIDValid(index)) {
        return false;
    }
    const CGenElemInfo& entry = elements_[static_cast<std::size_t>(index)];
    return entry.Used() && entry.InTree && !entry.Deleted;
}

void CSlideShowTree::EnsureCapacity(std::size_t index) {
    while (capacity_ < index) {
        capacity_ += kTableGrowth;
    }
    elements_.resize(capacity_ + 1);
}

// ---- Tree ----

int CSlideShowTree::Parent(int index) const {
    return IsLive(index) ? Entry(index).Parent : 0;
}

const std::vector<int>& CSlideShowTree::Children(int index) const {
    return IsLive(index) ? Entry(index).Children : kNoChildren;
}

int CSlideShowTree::FirstChild(int index) const {
    const auto& children = Children(index);
    return children.empty() ? 0 : children.front();
}

int CSlideShowTree::LastChild(int index) const {
    const auto& children = Children(index);
    return children.empty() ? 0 : children.back();
}

std::size_t CSlideShowTree::Row(int index) const {
    const auto& siblings = Children(Parent(index));
    const auto it = std::find(siblings.begin(), siblings.end(), index);
    return static_cast<std::size_t>(it - siblings.begin());
}

int CSlideShowTree::NextSibling(int index) const {
    const int parent = Parent(index);
    if (parent == 0) {
        return 0;
    }
    const auto& siblings = Children(parent);
    const std::size_t row = Row(index);
    return row + 1 < siblings.size() ? siblings[row + 1] : 0;
}

int CSlideShowTree::PreviousSibling(int index) const {
    const int parent = Parent(index);
    if (parent == 0) {
        return 0;
    }
    const std::size_t row = Row(index);
    return row > 0 ? Children(parent)[row - 1] : 0;
}

std::string CSlideShowTree::ItemKey(int index) {
    return std::to_string(index) + "a";
}

int CSlideShowTree::IndexOfItemKey(std::string_view key) const {
    if (key.size() < 2 || key.back() != 'a' || key.size() > 7) {
        return 0;
    }
    int index = 0;
    for (const char c : key.substr(0, key.size() - 1)) {
        if (c < '0' || c > '9') {
            return 0;
        }
        index = index * 10 + (c - '0');
    }
    return IsLive(index) ? index : 0;
}

int CSlideShowTree::Level(int index) const {
    if (!IsLive(index) || Entry(index).IsLeaf()) {
        return 0;
    }
    return Entry(index).NodeType;
}

bool CSlideShowTree::IsExpanded(int index) const {
    return IsLive(index) && Entry(index).Expanded;
}

void CSlideShowTree::SetExpanded(int index, bool expanded) {
    if (!IsLive(index)) {
        return;
    }
    CGenElemInfo& entry = Entry(index);
    entry.Expanded = expanded;
    if (entry.Node) {
        entry.Node->SetExpanded(expanded);
    }
    NotifyItemChanged(index, ItemAspect::Expansion);
}

void CSlideShowTree::SetBranchExpanded(int index, bool expanded) {
    for (const int item : Preorder(index)) {
        if (!Entry(item).IsLeaf()) {
            SetExpanded(item, expanded);
        }
    }
}

std::vector<int> CSlideShowTree::Preorder(int index) const {
    std::vector<int> order;
    if (!IsLive(index)) {
        return order;
    }
    std::vector<int> stack = {index};
    while (!stack.empty()) {
        const int current = stack.back();
        stack.pop_back();
        order.push_back(current);
        const auto& children = Entry(current).Children;
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    return order;
}

void CSlideShowTree::Select(int index) {
    selected_ = IsLive(index) ? index : 0;
    if (Silent()) {
        selectionPending_ = true;
        return;
    }
    Tell([this](IDocumentObserver& o) { o.SelectionChanged(selected_); });
}

void CSlideShowTree::GoToRoot() {
    Select(root_);
}

void CSlideShowTree::GoToParent() {
    const int parent = Parent(selected_);
    Select(parent != 0 ? parent : root_);
}

void CSlideShowTree::Clear() {
    ResetScope reset(*this);
    selectionPending_ = true;
    elements_.clear();
    capacity_ = 0;
    nextFreeIndex_ = 1;
    root_ = 0;
    selected_ = 0;
    pages_.clear();
    pageCapacity_ = 0;
    leafCount_ = 0;
    levelCounts_ = {};
    leafCounter_ = 0;
    nodeTitleCounter_ = 0;
    leafTitleCounter_ = 0;
    elementsAdded_ = 0;
    nodesAdded_ = 0;
    dbSize_ = 0;
    seeAlsoChoices_.clear();
}

void CSlideShowTree::InsertItem(int index, Placement placement) {
    CGenElemInfo& entry = Entry(index);
    entry.Parent = placement.parent;
    entry.Children.clear();
    entry.InTree = true;
    if (placement.parent == 0) {
        Tell([&](IDocumentObserver& o) { o.ItemAboutToBeInserted(0, 0); });
        root_ = index;
        Tell([&](IDocumentObserver& o) { o.ItemInserted(0, 0, index); });
        return;
    }
    if (collectingBranch_ && pendingTop_ == 0) {
        // The top of a branch going in is linked, and told, once its whole branch is below it.
        pendingTop_ = index;
        pendingRow_ = placement.row;
        return;
    }
    const bool told = !InPendingBranch(placement.parent);
    if (told) {
        Tell([&](IDocumentObserver& o) {
            o.ItemAboutToBeInserted(placement.parent, placement.row);
        });
    }
    auto& siblings = Entry(placement.parent).Children;
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(placement.row), index);
    if (told) {
        Tell([&](IDocumentObserver& o) { o.ItemInserted(placement.parent, placement.row, index); });
    }
}

bool CSlideShowTree::InPendingBranch(int index) const {
    for (int current = index; pendingTop_ != 0 && current != 0; current = Entry(current).Parent) {
        if (current == pendingTop_) {
            return true;
        }
    }
    return false;
}

void CSlideShowTree::LinkPendingTop() {
    if (pendingTop_ == 0) {
        return;
    }
    const int top = std::exchange(pendingTop_, 0);
    const int parent = Entry(top).Parent;
    const std::size_t row = pendingRow_;
    Tell([&](IDocumentObserver& o) { o.ItemAboutToBeInserted(parent, row); });
    auto& siblings = Entry(parent).Children;
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(row), top);
    Tell([&](IDocumentObserver& o) { o.ItemInserted(parent, row, top); });
}

// ---- Size estimate ----

void CSlideShowTree::SetDBSize(std::int64_t size) {
    dbSize_ = size;
    NotifyDocumentChanged();
}

std::int64_t CSlideShowTree::SizeContribution(const CGenElemInfo& entry) {
    switch (entry.ElemType) {
        case ElementKind::Root:
            return kRootSize;
        case ElementKind::Node:
            return kNodeSize;
        case ElementKind::Leaf:
            if (!entry.Leaf) {
                return 0;
            }
            // BITMAPOnly wins here, whatever FACTOnly says.
            if (entry.Leaf->BITMAPOnly()) {
                return kBitmapLeafBaseSize + entry.Leaf->GetPalmBitmapSize();
            }
            return entry.Leaf->FACTOnly() ? kFactLeafSize : kQAFLeafSize;
        default:
            return 0;
    }
}

std::int64_t CSlideShowTree::ComputeTreeSize() const {
    std::int64_t size = 0;
    for (const int index : Preorder(root_)) {
        size += SizeContribution(Entry(index));
    }
    return size;
}

void CSlideShowTree::AddToDBSize(std::int64_t delta) {
    if (!reading_ && delta != 0) {
        SetDBSize(dbSize_ + delta);
    }
}

// ---- Change protocol ----

void CSlideShowTree::NotifyItemChanged(int index, ItemAspects aspects) {
    if (IsLive(index)) {
        Tell([&](IDocumentObserver& o) { o.ItemChanged(index, aspects); });
    }
}

void CSlideShowTree::NotifyDocumentChanged() {
    if (batchDepth_ > 0 || Silent()) {
        documentChangedPending_ = true;
        return;
    }
    Tell([](IDocumentObserver& o) { o.DocumentChanged(); });
}

void CSlideShowTree::FlushDocumentChanged() {
    if (std::exchange(documentChangedPending_, false)) {
        NotifyDocumentChanged();
    }
}

void CSlideShowTree::BeginBatch() {
    if (batchDepth_++ == 0) {
        batchTold_ = !Silent();
        Tell([](IDocumentObserver& o) { o.BatchBegin(); });
    }
}

void CSlideShowTree::EndBatch() {
    if (--batchDepth_ > 0) {
        return;
    }
    if (!Silent()) {
        FlushDocumentChanged();
    }
    if (std::exchange(batchTold_, false)) {
        Tell([](IDocumentObserver& o) { o.BatchEnd(); });
    }
}

void CSlideShowTree::BeginReset() {
    if (resetDepth_ == 0) {
        Tell([](IDocumentObserver& o) { o.ResetAboutToBegin(); });
    }
    ++resetDepth_;
}

void CSlideShowTree::EndReset() {
    if (--resetDepth_ > 0) {
        return;
    }
    Tell([](IDocumentObserver& o) { o.ResetEnded(); });
    if (std::exchange(selectionPending_, false)) {
        Tell([this](IDocumentObserver& o) { o.SelectionChanged(selected_); });
    }
    if (batchDepth_ == 0) {
        FlushDocumentChanged();
    }
}

}  // namespace trovique
