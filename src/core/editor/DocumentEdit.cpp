// The structural edits: delete, cut, copy, paste and move, all through one engine that also
// records the edit for undo.

#include <algorithm>
#include <unordered_set>

#include "core/app/MessageStyle.h"
#include "core/app/Messages.h"
#include "core/app/SettingNames.h"
#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/model/NodeLevel.h"

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
    item = item != 0 ? item : selected_;
    if (!IsLive(item)) {
        return false;
    }
    if (item == root_) {
        ReportMessage(services_.ui, "The root node can not be deleted.", kStyleExclamation);
        return false;
    }
    return RunEditEngine(kOpDelete, item, 0, Relationship::Child) != 0;
}

bool CDocument::CutNode(int item) {
    item = item != 0 ? item : selected_;
    if (!IsLive(item) || item == root_) {
        return false;
    }
    return RunEditEngine(kOpCut, item, 0, Relationship::Child) != 0;
}

bool CDocument::CopyNode(int item) {
    item = item != 0 ? item : selected_;
    if (!IsLive(item) || item == root_) {
        return false;
    }
    return RunEditEngine(kOpCopy, item, 0, Relationship::Child) != 0;
}

bool CDocument::PasteNode(int target) {
    target = target != 0 ? target : selected_;
    if (!IsLive(target)) {
        return false;
    }
    const auto relationship = Entry(target).IsLeaf() ? Relationship::Previous : Relationship::Child;
    return RunEditEngine(kOpPaste, nodeClipboard_->FirstNode(), target, relationship) != 0;
}

bool CDocument::MoveNode(int direction) {
    const int source = selected_;
    int destination = 0;
    Relationship relationship = Relationship::Previous;
    if (IsLive(source) && source != root_) {
        const auto& siblings = Children(Parent(source));
        switch (direction) {
            case 0:
                destination = PreviousSibling(source);
                break;
            case 1:
                destination = NextSibling(source), relationship = Relationship::Next;
                break;
            case 2:
                destination = siblings.front();
                break;
            case 3:
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
    try {
        int result = 0;
        switch (operation) {
            case kOpCut:
            case kOpDelete:
                result = RemoveBranch(item, operation, operation == kOpCut);
                break;
            case kOpCopy:
                nodeClipboard_->Copy(*this, item, kOpCopy);
                return item;
            case kOpPaste: {
                const int parent =
                    relationship == Relationship::Child ? destination : Parent(destination);
                if (!IsPasteNodeValid(parent, true, nodeClipboard_)) {
                    return 0;
                }
                result = AddPasteNode(*nodeClipboard_, item, destination, relationship);
                undoClipboard_.Copy(*this, result, kOpPaste);
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
        if (IsLive(result)) {
            Select(result);
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
    const int parent = relationship == Relationship::Child ? destination : Parent(destination);
    CElementClipboard moving;
    moving.Copy(*this, item, kOpMove);
    if (!IsPasteNodeValid(parent, true, &moving)) {
        return 0;
    }
    undoClipboard_ = std::move(moving);
    PurgeNodes(item, Preorder(item));
    return ReinsertBranch(undoClipboard_, undoClipboard_.FirstNode(), destination, relationship);
}

// Cut or Delete: asks, records the branch for undo (and the node clipboard for Cut) and removes
// it. Returns the item that takes the selection: the parent.
int CDocument::RemoveBranch(int item, int operation, bool cut) {
    std::vector<int> keys;
    if (!DeleteOK(item, keys, operation)) {
        return 0;
    }
    const int parent = Parent(item);
    undoClipboard_.Copy(*this, item, operation);
    if (cut) {
        nodeClipboard_->Copy(*this, item, operation);
    }
    PurgeNodes(item, keys);
    return parent;
}

bool CDocument::DeleteOK(int item, std::vector<int>& keys, int operation) {
    const bool isLeaf = Entry(item).IsLeaf();
    const std::string kindWord = isLeaf ? " slide " : " node ";
    const std::string verb = operation == kOpDelete ? "delete" : "cut";
    std::vector<int> branch = Preorder(item);
    const std::vector<int> descendants(branch.begin() + 1, branch.end());
    int nodes = 0;
    int leaves = 0;
    for (const int index : descendants) {
        (Entry(index).IsLeaf() ? leaves : nodes) += 1;
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
    text += "Are you sure you want to " + verb + kindWord + Entry(item).Title() + "?";
    if (!ConfirmOnce(services_, text, {}, settings::kDeleteNode)) {
        return false;
    }
    keys = descendants;
    keys.push_back(item);
    return true;
}

void CDocument::PurgeNodes(int item, const std::vector<int>& keys) {
    std::int64_t removed = 0;
    std::vector<int> leaves;
    for (const int index : keys) {
        if (!IsLive(index)) {
            continue;
        }
        CGenElemInfo& entry = Entry(index);
        if (entry.IsLeaf()) {
            leaves.push_back(index);
            --leafCounter_;
        } else if (entry.NodeType >= kLevelSlideShow && entry.NodeType <= kLevelSubTopic) {
            levelCounts_[static_cast<std::size_t>(entry.NodeType - kLevelSlideShow)] -= 1;
        }
        removed += SizeContribution(entry);
        entry.Deleted = true;
    }
    RemovePages(leaves);
    const std::unordered_set<int> leavesRemoved(leaves.begin(), leaves.end());
    std::erase_if(seeAlsoChoices_, [&](int index) { return leavesRemoved.contains(index); });
    dbSize_ -= removed;
    DetachBranch(item);
    NotifyDocumentChanged();
}

void CDocument::DetachBranch(int item) {
    // The branch may already be marked Deleted, so its place is read from the entries.
    const int parent = Entry(item).Parent;
    std::size_t row = 0;
    if (parent != 0) {
        const auto& siblings = Entry(parent).Children;
        row = static_cast<std::size_t>(std::find(siblings.begin(), siblings.end(), item) -
                                       siblings.begin());
    }
    for (auto* observer : observers_) {
        observer->ItemAboutToBeRemoved(item);
    }
    std::vector<int> branch = {item};
    for (std::size_t i = 0; i < branch.size(); ++i) {
        CGenElemInfo& entry = Entry(branch[i]);
        entry.InTree = false;
        branch.insert(branch.end(), entry.Children.begin(), entry.Children.end());
    }
    if (parent != 0) {
        auto& siblings = Entry(parent).Children;
        siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(row));
    } else {
        root_ = 0;
    }
    if (selected_ != 0 && !IsLive(selected_)) {
        selected_ = parent;
    }
    for (auto* observer : observers_) {
        observer->ItemRemoved(parent, row);
    }
}

int CDocument::AddPasteNode(const CElementClipboard& clipboard, int clipboardItem, int destination,
                            Relationship relationship) {
    return InsertBranch([&](int& top) {
        return AddPastedItem(clipboard, clipboardItem, destination, relationship, top);
    });
}

int CDocument::AddPastedItem(const CElementClipboard& clipboard, int clipboardItem, int destination,
                             Relationship relationship, int& top) {
    const CGenElemInfo& source = clipboard.Entry(clipboardItem);
    int added = 0;
    if (source.Leaf) {
        added =
            AddGenNode(kKindLeaf, {}, source.Leaf->Clone(), destination, relationship, false, true);
    } else if (source.Node) {
        std::shared_ptr<CNode> copy = source.Node->Clone();
        copy->SetTitle(source.Node->Title());
        copy->SetExpanded(source.Expanded);
        added = AddGenNode(kKindNode, {}, copy, destination, relationship, false, true);
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

// Puts a recorded branch back with its own element indices, records and expansion.
int CDocument::ReinsertBranch(const CElementClipboard& clipboard, int clipboardItem,
                              int destination, Relationship relationship) {
    return InsertBranch([&](int& top) {
        return ReinsertItem(clipboard, clipboardItem, destination, relationship, top);
    });
}

int CDocument::ReinsertItem(const CElementClipboard& clipboard, int clipboardItem, int destination,
                            Relationship relationship, int& top) {
    const CGenElemInfo& item = clipboard.Entry(clipboardItem);
    const int index = clipboard.SourceIndex(clipboardItem);
    if (!IsNodeIDValid(index) || !Entry(index).Used() || IsLive(index)) {
        throw CError::Object(kErrInvalidValue, "frmDocument:ReinsertBranch");
    }
    const int parent = relationship == Relationship::Child ? destination : Parent(destination);
    ReenterElement(index, parent, PlaceFor(destination, relationship, parent), item.Expanded);
    top = top != 0 ? top : index;
    for (const int child : item.Children) {
        ReinsertItem(clipboard, child, index, Relationship::Child, top);
    }
    return index;
}

void CDocument::ReenterElement(int index, int parent, Placement placement, bool expanded) {
    CGenElemInfo& entry = Entry(index);
    entry.Deleted = false;
    entry.Expanded = expanded;
    if (entry.IsLeaf()) {
        if (!deferPages_) {
            const int page = PageAt(placement);
            EnsurePageCapacity(leafCount_ + 1);
            AdjustLPIForInsert(page, index);
            ++leafCount_;
        }
        ++leafCounter_;
        seeAlsoChoices_.push_back(index);
    } else {
        const int level = parent == root_ ? kLevelMajorCategory : Entry(parent).NodeType + 1;
        entry.NodeType = level;
        if (level >= kLevelSlideShow && level <= kLevelSubTopic) {
            levelCounts_[static_cast<std::size_t>(level - kLevelSlideShow)] += 1;
        }
        entry.Node->SetExpanded(expanded);
    }
    dbSize_ += SizeContribution(entry);
    InsertItem(index, placement);
}

}  // namespace trovique
