#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/document/ElementKinds.h"
#include "core/model/Leaf.h"
#include "core/model/Node.h"

namespace trovique {

// One entry of a document's element table: the record of one element of the tree, what kind it
// is, and where its item stands in the tree. Entries of removed items stay (marked Deleted) so
// that undo can bring the same element back.
struct CGenElemInfo {
    ElementKind ElemType = ElementKind::Unset;
    // Level 11 to 15 for the root and nodes; leaves carry 12, which means nothing for them.
    int NodeType = 12;
    // The record: Node for the root and nodes, Leaf for leaves.
    std::shared_ptr<CNode> Node;
    std::shared_ptr<CLeaf> Leaf;
    // In a clipboard: the element index (as text) of the item that was copied.
    std::string SourceKey;
    bool Visited = false;
    bool Deleted = false;
    // The key the element gets in the file while the slide show is being written.
    std::int64_t SaveID = 0;

    // The tree item of the element: its parent's index (0 for the root), its children in
    // order and whether it is shown expanded. InTree is false until the item is inserted and
    // again after it is removed.
    int Parent = 0;
    std::vector<int> Children;
    bool Expanded = false;
    bool InTree = false;

    bool Used() const { return ElemType != ElementKind::Unset; }
    bool IsLeaf() const { return ElemType == ElementKind::Leaf; }
    bool IsNodeOrRoot() const {
        return ElemType == ElementKind::Root || ElemType == ElementKind::Node;
    }
    IElement* Element() const;
    const std::string& Title() const;
    void SetTitle(std::string title);
};

}  // namespace trovique
