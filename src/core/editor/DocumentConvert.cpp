// Changing the kind of leaves (QAF, FACT, BITMAP) and marking every leaf copy-enabled in one
// stroke. Neither is recorded for undo.

#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

namespace trovique {
namespace {

void SetKind(CLeaf& leaf, LeafKind kind) {
    if (kind == LeafKind::Bitmap) {
        leaf.SetCopyable(false);  // slide pictures are never copied off the handheld
    }
    leaf.SetKind(kind);
}

}  // namespace

bool CDocument::ConvertSelectedLeaf(LeafKind newLeafType) {
    if (!tree_.IsLive(tree_.Selected()) || !tree_.Entry(tree_.Selected()).IsLeaf()) {
        return false;
    }
    return ConvertLeaves({tree_.Selected()}, newLeafType);
}

bool CDocument::ConvertAllLeaves(LeafKind newLeafType) {
    std::vector<int> leaves;
    for (std::size_t page = 1; page <= tree_.LeafCount(); ++page) {
        const int index = tree_.LeafOnPage(page);
        if (index > 0 && !tree_.Entry(index).Deleted && tree_.Entry(index).IsLeaf()) {
            leaves.push_back(index);
        }
    }
    if (leaves.empty()) {
        ReportMessage(services_.ui, "There are no leaves to convert.", kStyleInformation);
        return false;
    }
    return ConvertLeaves(leaves, newLeafType);
}

bool CDocument::ConvertLeaves(const std::vector<int>& leaves, LeafKind newLeafType) {
    CSlideShowTree::BatchScope batch(tree_);
    std::int64_t delta = 0;
    // The size follows every leaf converted, also when a later one fails.
    const auto settle = [&] {
        ForceDirty(true);
        if (!tree_.Reading() && delta != 0) {
            tree_.SetDBSize(tree_.DBSize() + delta);
        }
        if (tree_.IsLive(tree_.Selected())) {
            tree_.NotifyItemChanged(tree_.Selected(), ItemAspect::Content);
        }
    };
    try {
        for (const int index : leaves) {
            const CGenElemInfo& entry = tree_.Entry(index);
            if (!entry.Leaf) {
                throw CError::Object(kErrInvalidValue, "frmDocument:ConvertLeaves");
            }
            const std::int64_t before = CSlideShowTree::SizeContribution(entry);
            SetKind(*entry.Leaf, newLeafType);
            // A removed leaf counts again with its new kind if undo brings it back.
            if (tree_.IsLive(index)) {
                delta += CSlideShowTree::SizeContribution(entry) - before;
                tree_.NotifyItemChanged(index, ItemAspect::Content);
            }
        }
    } catch (const std::exception& error) {
        settle();
        ReportFailure(services_.ui, TrappedErrorText("An error has occurred: ", error),
                      kStyleInformation);
        return false;
    }
    settle();
    return true;
}

bool CDocument::MarkLeavesCopyEnabled(bool copyEnable) {
    CSlideShowTree::BatchScope batch(tree_);
    for (const int index : tree_.Preorder(tree_.GetNodeInfoIndexOfRoot())) {
        const CGenElemInfo& entry = tree_.Entry(index);
        if (entry.Leaf && !entry.Leaf->BITMAPOnly() && entry.Leaf->Copyable() != copyEnable) {
            entry.Leaf->SetCopyable(copyEnable);
            tree_.NotifyItemChanged(index, ItemAspect::Content);
        }
    }
    ForceDirty(true);
    if (tree_.IsLive(tree_.Selected())) {
        tree_.NotifyItemChanged(tree_.Selected(), ItemAspect::Content);
    }
    return true;
}

}  // namespace trovique
