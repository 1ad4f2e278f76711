// Indent: pushing an item, or all children of an item, one level down under a new node.

#include "core/editor/Document.h"
#include "core/model/NodeLevel.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

namespace trovique {

bool CDocument::Indent(IndentScope scope) {
    CBusyScope busy(services_.ui, {});
    CSlideShowTree::BatchScope batch(tree_);
    const int item = tree_.Selected();
    if (!IsIndentOK(item, scope, true)) {
        return false;
    }
    if (scope == IndentScope::Item) {
        int added = 0;
        if (const int next = tree_.NextSibling(item); next != 0) {
            added = AddGenNode(ElementKind::Node, {}, nullptr, next, Relationship::Previous,
                               AddOptions::None);
        } else if (const int previous = tree_.PreviousSibling(item); previous != 0) {
            added = AddGenNode(ElementKind::Node, {}, nullptr, previous, Relationship::Next,
                               AddOptions::None);
        } else {
            added = AddGenNode(ElementKind::Node, {}, nullptr, tree_.Parent(item),
                               Relationship::Child, AddOptions::None);
        }
        if (added == 0) {
            return false;
        }
        tree_.MoveUnder(item, added);
    } else {
        const std::vector<int> moving = tree_.Children(item);
        const int added =
            AddGenNode(ElementKind::Node, {}, nullptr, item, Relationship::Child, AddOptions::None);
        if (added == 0) {
            return false;
        }
        for (const int child : moving) {
            tree_.MoveUnder(child, added);
        }
    }
    ForceDirty(true);
    tree_.Select(item);
    return true;
}

}  // namespace trovique
