// Indent: pushing an item, or all children of an item, one level down under a new node.

#include "core/app/MessageStyle.h"
#include "core/app/Messages.h"
#include "core/editor/Document.h"
#include "core/model/NodeLevel.h"

namespace trovique {

bool CDocument::Indent(bool children) {
    CBusyScope busy(services_.ui, {});
    const int item = selected_;
    if (!IsIndentOK(item, children, true)) {
        return false;
    }
    if (!children) {
        int added = 0;
        if (const int next = NextSibling(item); next != 0) {
            added = AddGenNode(kKindNode, {}, nullptr, next, Relationship::Previous, false, false);
        } else if (const int previous = PreviousSibling(item); previous != 0) {
            added = AddGenNode(kKindNode, {}, nullptr, previous, Relationship::Next, false, false);
        } else {
            added =
                AddGenNode(kKindNode, {}, nullptr, Parent(item), Relationship::Child, false, false);
        }
        if (added == 0) {
            return false;
        }
        MoveUnder(item, added);
    } else {
        const std::vector<int> moving = Children(item);
        const int added =
            AddGenNode(kKindNode, {}, nullptr, item, Relationship::Child, false, false);
        if (added == 0) {
            return false;
        }
        for (const int child : moving) {
            MoveUnder(child, added);
        }
    }
    Select(item);
    return true;
}

// Moves a branch to the end of newParent's children and pushes its nodes one level down. Pages
// do not change: the branch keeps its place in tree order.
void CDocument::MoveUnder(int item, int newParent) {
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
    ForceDirty(true);
}

void CDocument::ShiftBranchLevels(int item, int delta) {
    for (const int index : Preorder(item)) {
        CGenElemInfo& entry = Entry(index);
        if (entry.IsLeaf()) {
            continue;
        }
        const auto count = [this](int level) -> int* {
            return level >= kLevelSlideShow && level <= kLevelSubTopic
                       ? &levelCounts_[static_cast<std::size_t>(level - kLevelSlideShow)]
                       : nullptr;
        };
        if (int* old = count(entry.NodeType)) {
            --*old;
        }
        entry.NodeType += delta;
        if (int* now = count(entry.NodeType)) {
            ++*now;
        }
    }
    NotifyDocumentChanged();
}

}  // namespace trovique
