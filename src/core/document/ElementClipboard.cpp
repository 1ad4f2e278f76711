#include "core/document/ElementClipboard.h"

#include <algorithm>

#include "core/common/Error.h"
#include "core/document/SlideShowTree.h"

namespace trovique {
namespace {

void Widen(int& minimum, int& maximum, int depth) {
    minimum = minimum == 0 ? depth : std::min(minimum, depth);
    maximum = std::max(maximum, depth);
}

}  // namespace

void CElementClipboard::Clear() {
    *this = CElementClipboard{};
}

void CElementClipboard::Copy(const CSlideShowTree& tree, int item, int operation) {
    Clear();
    if (!tree.IsLive(item)) {
        return;
    }
    // Walk with an explicit stack: a branch can hold thousands of leaves.
    struct Pending {
        int index;
        int parentItem;
        int depth;
    };
    std::vector<Pending> stack = {{item, 0, 1}};
    while (!stack.empty()) {
        const Pending current = stack.back();
        stack.pop_back();
        CopyItem(tree, current.index, current.parentItem, current.depth);
        const int copied = static_cast<int>(entries_.size());
        const auto& children = tree.Children(current.index);
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            stack.push_back({*it, copied, current.depth + 1});
        }
    }
    if (operation != kOpNone) {
        lastOperation_ = operation;
        lastOpParent_ = tree.Parent(item);
        lastOpSelf_ = item;
        lastOpPrevSibling_ = tree.PreviousSibling(item);
        lastOpNextSibling_ = tree.NextSibling(item);
    }
}

void CElementClipboard::CopyItem(const CSlideShowTree& tree, int index, int parentItem, int depth) {
    const CGenElemInfo& source = tree.Entry(index);
    CGenElemInfo entry;
    entry.ElemType = source.ElemType;
    entry.NodeType = source.NodeType;
    if (source.Leaf) {
        entry.Leaf = source.Leaf->Clone();
        ++numLeaves_;
        Widen(minLeafLevel_, maxLeafLevel_, depth);
    } else if (source.Node) {
        entry.Node = source.Node->Clone();
        ++numNodes_;
        Widen(minNodeLevel_, maxNodeLevel_, depth);
    }
    entry.SourceKey = std::to_string(index);
    entry.Visited = true;
    entry.Parent = parentItem;
    entry.Expanded = source.Expanded;
    entry.InTree = true;
    entries_.push_back(std::move(entry));
    const int item = static_cast<int>(entries_.size());
    if (parentItem != 0) {
        entries_[static_cast<std::size_t>(parentItem - 1)].Children.push_back(item);
    }
}

const CGenElemInfo& CElementClipboard::Entry(int item) const {
    if (item < 1 || static_cast<std::size_t>(item) > entries_.size()) {
        throw CError::Object(kErrValueOutOfRange, "CElementClipboard:Entry");
    }
    return entries_[static_cast<std::size_t>(item - 1)];
}

int CElementClipboard::SourceIndex(int item) const {
    int index = 0;
    for (const char c : Entry(item).SourceKey) {
        index = index * 10 + (c - '0');
    }
    return index;
}

}  // namespace trovique
