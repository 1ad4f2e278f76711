// Undo and redo of the last structural edit, and the Undo menu item that describes it.

#include "core/editor/Document.h"
#include "core/services/MessageStyle.h"

namespace trovique {
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
    if (!tree_.IsLive(parent)) {
        return 0;
    }
    if (const int next = record.LastOpNextSibling();
        tree_.IsLive(next) && tree_.Parent(next) == parent) {
        relationship = Relationship::Previous;
        return next;
    }
    if (const int previous = record.LastOpPrevSibling();
        tree_.IsLive(previous) && tree_.Parent(previous) == parent) {
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
    const int parent =
        relationship == Relationship::Child ? destination : tree_.Parent(destination);
    if (restoring) {
        if (!IsPasteNodeValid(parent, true, &undoClipboard_)) {
            return 0;
        }
        const CElementClipboard record = undoClipboard_;
        const int restored =
            tree_.ReinsertBranch(record, record.FirstNode(), destination, relationship);
        undoClipboard_.Copy(tree_, restored, operation);
        return restored;
    }
    if (!tree_.IsLive(live)) {
        return 0;
    }
    if (operation == kOpCut || operation == kOpDelete) {
        return RemoveBranch(live, operation, operation == kOpCut);
    }
    if (operation == kOpPaste) {
        const int parentBefore = tree_.Parent(live);
        undoClipboard_.Copy(tree_, live, kOpPaste);
        tree_.PurgeNodes(live, tree_.Preorder(live));
        return parentBefore;
    }
    // A move goes back to where it came from, and records where it leaves.
    return MoveBranch(live, destination, relationship);
}

const UndoMenuState& CDocument::UpdateEditMenu(int mode) {
    if (mode < 0) {
        mode = lastMenuMode_;
    }
    undoMenu_ = DescribeUndoMenu(undoClipboard_.LastOperation(), mode);
    lastMenuMode_ = undoMenu_.tag;
    tree_.NotifyDocumentChanged();
    return undoMenu_;
}

}  // namespace trovique
