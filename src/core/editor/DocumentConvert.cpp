// Changing the kind of leaves (QAF, FACT, BITMAP) and marking every leaf copy-enabled in one
// stroke. Neither is recorded for undo.

#include "core/app/MessageStyle.h"
#include "core/app/Messages.h"
#include "core/common/Error.h"
#include "core/editor/Document.h"

namespace trovique {
namespace {

// The flags of the new kind; any other kind leaves the leaf as it was.
void SetKind(CLeaf& leaf, int newLeafType) {
    switch (newLeafType) {
        case CDocument::kLeafKindQAF:
            leaf.SetFACTOnly(false);
            leaf.SetBITMAPOnly(false);
            break;
        case CDocument::kLeafKindBitmap:
            // Slide pictures are never copied off the handheld.
            leaf.SetCopyable(false);
            leaf.SetFACTOnly(false);
            leaf.SetBITMAPOnly(true);
            break;
        case CDocument::kLeafKindFact:
            leaf.SetBITMAPOnly(false);
            leaf.SetFACTOnly(true);
            break;
        default:
            break;
    }
}

}  // namespace

bool CDocument::ConvertSelectedLeaf(int newLeafType) {
    if (!IsLive(selected_) || !Entry(selected_).IsLeaf()) {
        return false;
    }
    return ConvertLeaves({selected_}, newLeafType);
}

bool CDocument::ConvertAllLeaves(int newLeafType) {
    std::vector<int> leaves;
    for (std::size_t page = 1; page <= leafCount_; ++page) {
        const int index = pages_[page];
        if (index > 0 && !Entry(index).Deleted && Entry(index).IsLeaf()) {
            leaves.push_back(index);
        }
    }
    if (leaves.empty()) {
        ReportMessage(services_.ui, "There are no leaves to convert.", kStyleInformation);
        return false;
    }
    return ConvertLeaves(leaves, newLeafType);
}

bool CDocument::ConvertLeaves(const std::vector<int>& leaves, int newLeafType) {
    std::int64_t delta = 0;
    // The size follows every leaf converted, also when a later one fails.
    const auto settle = [&] {
        ForceDirty(true);
        if (!reading_ && delta != 0) {
            SetDBSize(dbSize_ + delta);
        }
        if (IsLive(selected_)) {
            NotifyItemChanged(selected_);
        }
    };
    try {
        for (const int index : leaves) {
            const CGenElemInfo& entry = Entry(index);
            if (!entry.Leaf) {
                throw CError::Object(kErrInvalidValue, "frmDocument:ConvertLeaves");
            }
            const std::int64_t before = SizeContribution(entry);
            SetKind(*entry.Leaf, newLeafType);
            // A removed leaf counts again with its new kind if undo brings it back.
            if (IsLive(index)) {
                delta += SizeContribution(entry) - before;
                NotifyItemChanged(index);
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
    for (const int index : Preorder(root_)) {
        const CGenElemInfo& entry = Entry(index);
        if (entry.Leaf && !entry.Leaf->BITMAPOnly() && entry.Leaf->Copyable() != copyEnable) {
            entry.Leaf->SetCopyable(copyEnable);
            NotifyItemChanged(index);
        }
    }
    ForceDirty(true);
    if (IsLive(selected_)) {
        NotifyItemChanged(selected_);
    }
    return true;
}

}  // namespace trovique
