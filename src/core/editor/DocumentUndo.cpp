// Undo and redo of the last structural edit, and the Undo menu item that describes it.

#include "core/app/MessageStyle.h"
#include "core/editor/Document.h"

namespace trovique {
namespace {

const char* OperationName(int operation) {
    switch (operation) {
        case kOpCut:
            return "Cut";
        case kOpPaste:
            return "Paste";
        case kOpDelete:
            return "Delete";
        case kOpMove:
            return "Move";
        default:
            return "";
    }
}

}  // namespace

bool CDocument::Undo() {
    const bool done = RunEditEngine(kOpUndo, 0, 0, Relationship::Child) != 0;
    if (done) {
        UpdateEditMenu(kOpRedo);
    }
    return done;
}

bool CDocument::Redo() {
    const bool done = RunEditEngine(kOpRedo, 0, 0, Relationship::Child) != 0;
    if (done) {
        UpdateEditMenu(undoClipboard_.LastOperation());
    }
    return done;
}

// Where a recorded branch stood: before its next sibling, else after its previous sibling, else
// under its parent; 0 when none of them is left in the tree.
int CDocument::RecordedDestination(const CElementClipboard& record,
                                   Relationship& relationship) const {
    const int parent = record.LastOpParent();
    if (!IsLive(parent)) {
        return 0;
    }
    if (const int next = record.LastOpNextSibling(); IsLive(next) && Parent(next) == parent) {
        relationship = Relationship::Previous;
        return next;
    }
    if (const int previous = record.LastOpPrevSibling();
        IsLive(previous) && Parent(previous) == parent) {
        relationship = Relationship::Next;
        return previous;
    }
    relationship = Relationship::Child;
    return parent;
}

int CDocument::UndoOrRedo(bool redo) {
    const int operation = undoClipboard_.LastOperation();
    if (operation == kOpNone || !undoClipboard_.ContainsData()) {
        return 0;
    }
    // A removed branch comes back from the record; otherwise the branch is in the tree.
    const bool restoring = (!redo && (operation == kOpCut || operation == kOpDelete)) ||
                           (redo && operation == kOpPaste);
    const int live = undoClipboard_.SourceIndex(undoClipboard_.FirstNode());
    Relationship relationship = Relationship::Child;
    const int destination = RecordedDestination(undoClipboard_, relationship);
    if (destination == 0) {
        return 0;
    }
    const int parent = relationship == Relationship::Child ? destination : Parent(destination);
    if (restoring) {
        if (!IsPasteNodeValid(parent, true, &undoClipboard_)) {
            return 0;
        }
        const CElementClipboard record = undoClipboard_;
        const int restored = ReinsertBranch(record, record.FirstNode(), destination, relationship);
        undoClipboard_.Copy(*this, restored, operation);
        return restored;
    }
    if (!IsLive(live)) {
        return 0;
    }
    if (operation == kOpCut || operation == kOpDelete) {
        return RemoveBranch(live, operation, operation == kOpCut);
    }
    if (operation == kOpPaste) {
        const int parentBefore = Parent(live);
        undoClipboard_.Copy(*this, live, kOpPaste);
        PurgeNodes(live, Preorder(live));
        return parentBefore;
    }
    // A move goes back to where it came from, and records where it leaves.
    return MoveBranch(live, destination, relationship);
}

const CDocument::UndoMenuState& CDocument::UpdateEditMenu(int mode) {
    if (mode < 0) {
        mode = lastMenuMode_;
    }
    UndoMenuState state;
    state.caption = "&Undo ";
    state.tag = kOpUndo;
    state.enabled = true;
    if (undoClipboard_.LastOperation() == kOpNone) {
        state.enabled = false;
    } else {
        if (mode == kOpRedo) {
            state.caption = "&Redo ";
            state.tag = kOpRedo;
        }
        state.caption += OperationName(undoClipboard_.LastOperation());
    }
    lastMenuMode_ = state.tag;
    undoMenu_ = state;
    NotifyDocumentChanged();
    return undoMenu_;
}

}  // namespace trovique
