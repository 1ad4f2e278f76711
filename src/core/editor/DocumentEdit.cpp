// The structural edits: delete, cut, copy, paste and move, all through one engine that also
// records the edit for undo.

#include <algorithm>

#include "core/codec/Windows1252.h"
#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/model/NodeLevel.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/services/SettingNames.h"

namespace trovique {
namespace {

constexpr const char* kCrLf = "\r\n";

std::string CountLine(int count, const char* one, const char* many) {
    return count == 1 ? std::string("1 ") + one : std::to_string(count) + " " + many;
}

}  // namespace

void CDocument::SetNodeClipboard(CElementClipboard* clipboard) {
    nodeClipboard_ = clipboard != nullptr ? clipboard : &ownNodeClipboard_;
}

bool CDocument::Delete(int item) {
    item = item != 0 ? item : tree_.Selected();
    if (!tree_.IsLive(item)) {
        return false;
    }
    if (item == tree_.GetNodeInfoIndexOfRoot()) {
        ReportMessage(services_.ui, "The root node can not be deleted.", kStyleExclamation);
        return false;
    }
    return RunEditEngine(kOpDelete, item, 0, Relationship::Child) != 0;
}

bool CDocument::CutNode(int item) {
    item = item != 0 ? item : tree_.Selected();
    if (!tree_.IsLive(item) || item == tree_.GetNodeInfoIndexOfRoot()) {
        return false;
    }
    return RunEditEngine(kOpCut, item, 0, Relationship::Child) != 0;
}

bool CDocument::CopyNode(int item) {
    item = item != 0 ? item : tree_.Selected();
    if (!tree_.IsLive(item) || item == tree_.GetNodeInfoIndexOfRoot()) {
        return false;
    }
    return RunEditEngine(kOpCopy, item, 0, Relationship::Child) != 0;
}

bool CDocument::PasteNode(int target) {
    target = target != 0 ? target : tree_.Selected();
    if (!tree_.IsLive(target)) {
        return false;
    }
    const auto relationship =
        tree_.Entry(target).IsLeaf() ? Relationship::Previous : Relationship::Child;
    return RunEditEngine(kOpPaste, nodeClipboard_->FirstNode(), target, relationship) != 0;
}

bool CDocument::MoveNode(MoveDirection direction) {
    const int source = tree_.Selected();
    int destination = 0;
    Relationship relationship = Relationship::Previous;
    if (tree_.IsLive(source) && source != tree_.GetNodeInfoIndexOfRoot()) {
        const auto& siblings = tree_.Children(tree_.Parent(source));
        switch (direction) {
            case MoveDirection::Up:
                destination = tree_.PreviousSibling(source);
                break;
            case MoveDirection::Down:
                destination = tree_.NextSibling(source), relationship = Relationship::Next;
                break;
            case MoveDirection::First:
                destination = siblings.front();
                break;
            case MoveDirection::Last:
                destination = siblings.back(), relationship = Relationship::Next;
                break;
            default:
                return false;
        }
    }
    if (destination == 0 || destination == source) {
        ReportMessage(services_.ui,
                      "Source and destination nodes are the same.  Move will not proceed.",
                      kStyleExclamation);
        return false;
    }
    CBusyScope busy(services_.ui, {});
    return RunEditEngine(kOpMove, source, destination, relationship) != 0;
}

// Runs one structural edit and returns the item that resulted (for Copy the copied item), or 0
// when the edit was refused or cancelled.
int CDocument::RunEditEngine(int operation, int item, int destination, Relationship relationship) {
    CSlideShowTree::BatchScope batch(tree_);
    try {
        int result = 0;
        switch (operation) {
            case kOpCut:
            case kOpDelete:
                result = RemoveBranch(item, operation, operation == kOpCut);
                break;
            case kOpCopy:
                nodeClipboard_->Copy(tree_, item, kOpCopy);
                return item;
            case kOpPaste: {
                const int parent =
                    relationship == Relationship::Child ? destination : tree_.Parent(destination);
                if (!IsPasteNodeValid(parent, true, nodeClipboard_)) {
                    return 0;
                }
                result = AddPasteNode(*nodeClipboard_, item, destination, relationship);
                undoClipboard_.Copy(tree_, result, kOpPaste);
                break;
            }
            case kOpMove:
                result = MoveBranch(item, destination, relationship);
                break;
            case kOpUndo:
            case kOpRedo:
                result = UndoOrRedo(operation == kOpRedo);
                break;
            default:
                return 0;
        }
        if (result == 0) {
            return 0;
        }
        ForceDirty(true);
        if (tree_.IsLive(result)) {
            tree_.Select(result);
        }
        if (operation != kOpUndo && operation != kOpRedo) {
            UpdateEditMenu(operation);
        }
        return result;
    } catch (const std::exception& error) {
        ReportFailure(services_.ui, TrappedErrorText("An error has occurred: ", error),
                      kStyleInformation);
        return 0;
    }
}

// Moves a branch beside or under destination, keeping its element indices; the undo record
// keeps the place it left.
int CDocument::MoveBranch(int item, int destination, Relationship relationship) {
    const int parent =
        relationship == Relationship::Child ? destination : tree_.Parent(destination);
    CElementClipboard moving;
    moving.Copy(tree_, item, kOpMove);
    if (!IsPasteNodeValid(parent, true, &moving)) {
        return 0;
    }
    undoClipboard_ = std::move(moving);
    return tree_.MoveBranch(item, destination, relationship, undoClipboard_);
}

// Cut or Delete: asks, records the branch for undo (and the node clipboard for Cut) and removes
// it. Returns the item that takes the selection: the parent.
int CDocument::RemoveBranch(int item, int operation, bool cut) {
    std::vector<int> keys;
    if (!DeleteOK(item, keys, operation)) {
        return 0;
    }
    const int parent = tree_.Parent(item);
    undoClipboard_.Copy(tree_, item, operation);
    if (cut) {
        nodeClipboard_->Copy(tree_, item, operation);
    }
    tree_.PurgeNodes(item, keys);
    return parent;
}

bool CDocument::DeleteOK(int item, std::vector<int>& keys, int operation) {
    const bool isLeaf = tree_.Entry(item).IsLeaf();
    const std::string kindWord = isLeaf ? " slide " : " node ";
    const std::string verb = operation == kOpDelete ? "delete" : "cut";
    std::vector<int> branch = tree_.Preorder(item);
    const std::vector<int> descendants(branch.begin() + 1, branch.end());
    int nodes = 0;
    int leaves = 0;
    for (const int index : descendants) {
        (tree_.Entry(index).IsLeaf() ? leaves : nodes) += 1;
    }
    std::string text;
    if (!descendants.empty()) {
        text = operation == kOpDelete ? "Deleting" : "Cutting";
        text += " this node will also remove all of its sub-nodes:";
        if (nodes > 0) {
            text += kCrLf + CountLine(nodes, "node", "nodes");
        }
        if (leaves > 0) {
            text += kCrLf + CountLine(leaves, "QAF leaf", "QAF leaves");
        }
        text += std::string(kCrLf) + kCrLf;
    }
    text += "Are you sure you want to " + verb + kindWord +
            Windows1252ToUtf8(tree_.Entry(item).Title()) + "?";
    if (!ConfirmOnce(services_, text, {}, settings::kDeleteNode)) {
        return false;
    }
    keys = descendants;
    keys.push_back(item);
    return true;
}

int CDocument::AddPasteNode(const CElementClipboard& clipboard, int clipboardItem, int destination,
                            Relationship relationship) {
    return tree_.InsertBranch([&](int& top) {
        return AddPastedItem(clipboard, clipboardItem, destination, relationship, top);
    });
}

int CDocument::AddPastedItem(const CElementClipboard& clipboard, int clipboardItem, int destination,
                             Relationship relationship, int& top) {
    const CGenElemInfo& source = clipboard.Entry(clipboardItem);
    int added = 0;
    if (source.Leaf) {
        added = AddGenNode(ElementKind::Leaf, {}, source.Leaf->Clone(), destination, relationship,
                           AddOptions::ReAdd);
    } else if (source.Node) {
        std::shared_ptr<CNode> copy = source.Node->Clone();
        copy->SetTitle(source.Node->Title());
        copy->SetExpanded(source.Expanded);
        added =
            AddGenNode(ElementKind::Node, {}, copy, destination, relationship, AddOptions::ReAdd);
    }
    if (added == 0) {
        throw CError::Object(kErrInvalidValue, "frmDocument:AddPasteNode");
    }
    top = top != 0 ? top : added;
    for (const int child : source.Children) {
        AddPastedItem(clipboard, child, added, Relationship::Child, top);
    }
    return added;
}

}  // namespace trovique
