#pragma once

#include <string>
#include <vector>

#include "core/document/GenElemInfo.h"

namespace trovique {

class CSlideShowTree;

// Structural operations, as recorded for undo and named in the Undo menu.
inline constexpr int kOpNone = 0;
inline constexpr int kOpCut = 1;
inline constexpr int kOpCopy = 2;
inline constexpr int kOpPaste = 3;
inline constexpr int kOpDelete = 4;
inline constexpr int kOpMove = 6;
inline constexpr int kOpUndo = 7;
inline constexpr int kOpRedo = 8;

// A copy of one branch of a slide show: the node clipboard of cut, copy and paste (one for the
// whole application, so a branch can be pasted into another slide show), the undo record of each
// document, and a scratch copy during a move.
//
// Its items are numbered 1..n in the order they were copied (depth first); each entry holds a
// clone of the copied record, the copied element's index as SourceKey, and its place in the
// clipboard's own tree (Parent, Children, Expanded). Items of the source document are named by
// element index in the LastOp* references.
class CElementClipboard {
public:
    void Clear();
    // Copies the branch of item; an operation other than kOpNone is recorded with the place the
    // branch stood at that moment.
    void Copy(const CSlideShowTree& tree, int item, int operation);

    bool ContainsData() const { return !entries_.empty(); }
    int LastOperation() const { return lastOperation_; }
    int LastOpParent() const { return lastOpParent_; }
    int LastOpSelf() const { return lastOpSelf_; }
    int LastOpPrevSibling() const { return lastOpPrevSibling_; }
    int LastOpNextSibling() const { return lastOpNextSibling_; }
    int NumNodes() const { return numNodes_; }
    int NumLeaves() const { return numLeaves_; }
    // Depth of the shallowest and deepest node and leaf, the copied item at depth 1; 0 when the
    // branch holds none of that kind.
    int MinNodelevel() const { return minNodeLevel_; }
    int MaxNodelevel() const { return maxNodeLevel_; }
    int MinLeafLevel() const { return minLeafLevel_; }
    int MaxLeafLevel() const { return maxLeafLevel_; }

    // The top item of the branch, 0 when empty.
    int FirstNode() const { return ContainsData() ? 1 : 0; }
    std::size_t NumItems() const { return entries_.size(); }
    // Entry of a clipboard item (1-based); raises outside the branch.
    const CGenElemInfo& Entry(int item) const;
    // The element index the item was copied from.
    int SourceIndex(int item) const;

private:
    void CopyItem(const CSlideShowTree& tree, int index, int parentItem, int depth);

    std::vector<CGenElemInfo> entries_;
    int lastOperation_ = kOpNone;
    int lastOpParent_ = 0;
    int lastOpSelf_ = 0;
    int lastOpPrevSibling_ = 0;
    int lastOpNextSibling_ = 0;
    int numNodes_ = 0;
    int numLeaves_ = 0;
    int minNodeLevel_ = 0;
    int maxNodeLevel_ = 0;
    int minLeafLevel_ = 0;
    int maxLeafLevel_ = 0;
};

}  // namespace trovique
