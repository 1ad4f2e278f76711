// Adding items: the one way every item of the tree enters a document, whether typed in, read
// from a file, imported or pasted.

#include <algorithm>

#include "core/app/MessageStyle.h"
#include "core/app/Messages.h"
#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/model/NodeLevel.h"

namespace trovique {
namespace {

constexpr std::uint8_t kFlagLoSwitches = 0x03;  // bits 0 and 1, set on a new root

}  // namespace

int CDocument::AddNode() {
    return AddGenNode(kKindNode, {}, nullptr, selected_, Relationship::Child, true, false);
}

int CDocument::AddQAF() {
    return AddGenNode(kKindLeaf, {}, nullptr, selected_, Relationship::Child, true, false);
}

int CDocument::FindParentFor(int peer, Relationship relationship) const {
    int parent = relationship == Relationship::Child ? peer : Parent(peer);
    if (!IsLive(parent)) {
        parent = IsLive(selected_) ? selected_ : root_;
    }
    if (IsLive(parent) && Entry(parent).IsLeaf()) {
        parent = Parent(parent);
    }
    return parent;
}

CDocument::Placement CDocument::PlaceFor(int peer, Relationship relationship, int parent) const {
    const std::size_t childCount = Children(parent).size();
    if (relationship == Relationship::Child || !IsLive(peer) || Parent(peer) != parent) {
        return {parent, childCount};
    }
    switch (relationship) {
        case Relationship::First:
            return {parent, 0};
        case Relationship::Last:
            return {parent, childCount};
        case Relationship::Next:
            return {parent, Row(peer) + 1};
        case Relationship::Previous:
            return {parent, Row(peer)};
        default:
            return {parent, childCount};
    }
}

int CDocument::AddGenNode(int kind, const std::string& title, std::shared_ptr<IElement> record,
                          int peer, Relationship relationship, bool refresh, bool reAdd) {
    if (kind != kKindRoot && kind != kKindNode && kind != kKindLeaf) {
        return 0;
    }
    if (kind != kKindRoot && relationship != Relationship::Child && !IsLive(peer)) {
        ReportMessage(services_.ui, "AddGenNode error: No peer node specified.", kStyleExclamation);
        return 0;
    }
    if (kind != kKindRoot && relationship == Relationship::Child && IsLive(peer) &&
        Entry(peer).IsLeaf()) {
        // Leaves hold no children: an item added "under" a leaf goes right after it.
        relationship = Relationship::Next;
    }
    try {
        ForceDirty(true);
        const bool keepIndex = record != nullptr && !reAdd;
        if (kind == kKindRoot) {
            auto node = std::dynamic_pointer_cast<CNode>(record);
            if (record && !node) {
                throw CError::Object(kErrInvalidValue, "frmDocument:AddGenNode");
            }
            return AddRoot(std::move(node), keepIndex ? record->Key() : 0);
        }
        const int parent = FindParentFor(peer, relationship);
        if (parent == 0) {
            throw CError::Object(kErrInvalidValue, "frmDocument:AddGenNode");
        }
        std::size_t index = keepIndex ? record->Key() : static_cast<std::size_t>(nextFreeIndex_);
        if (index == 0 || (keepIndex && IsNodeIDValid(static_cast<int>(index)) &&
                           Entry(static_cast<int>(index)).Used())) {
            // A key of 0 or one already in use cannot name a second element.
            throw CError(kErrInvalidValue, "frmDocument:AddGenNode",
                         "Invalid value. The key " + std::to_string(index) + " is used twice.");
        }
        EnsureCapacity(index);
        const int elementIndex = static_cast<int>(index);
        const Placement placement = PlaceFor(peer, relationship, parent);
        std::int64_t size = 0;
        if (kind == kKindNode) {
            auto node = std::dynamic_pointer_cast<CNode>(record);
            if (record && !node) {
                throw CError::Object(kErrInvalidValue, "frmDocument:AddGenNode");
            }
            size = AddNodeEntry(elementIndex, parent, std::move(node), record == nullptr);
        } else {
            auto leaf = std::dynamic_pointer_cast<CLeaf>(record);
            if (record && !leaf) {
                throw CError::Object(kErrInvalidValue, "frmDocument:AddGenNode");
            }
            size = AddLeafEntry(elementIndex, std::move(leaf), title, keepIndex, placement);
        }
        InsertItem(elementIndex, placement);
        if (!reading_) {
            dbSize_ += size;
        }
        ++elementsAdded_;
        if (kind != kKindLeaf) {
            ++nodesAdded_;
        }
        nextFreeIndex_ = std::max(nextFreeIndex_, elementIndex + 1);
        CGenElemInfo& entry = Entry(elementIndex);
        if (refresh) {
            entry.Visited = false;
            Select(elementIndex);
        } else {
            entry.Visited = true;
        }
        NotifyDocumentChanged();
        return elementIndex;
    } catch (const std::exception& error) {
        ReportMessage(services_.ui, TrappedErrorText("AddNode error: ", error), kStyleInformation);
        return 0;
    }
}

int CDocument::AddRoot(std::shared_ptr<CNode> record, int index) {
    // A new table: the root takes the first index past the empty first entry unless the file
    // gave it a key of its own.
    elements_.clear();
    capacity_ = 1;
    elements_.resize(2);
    nextFreeIndex_ = 2;
    const int rootIndex = index > 0 ? index : nextFreeIndex_;
    EnsureCapacity(static_cast<std::size_t>(rootIndex));
    if (!record) {
        record = std::make_shared<CNode>();
        record->SetRecordType(kRecordTypeRoot);
        record->SetFlagLo(record->FlagLo() | kFlagLoSwitches);
        record->SetTitle("New Slide Show");
    }
    CGenElemInfo& entry = Entry(rootIndex);
    entry = CGenElemInfo{};
    entry.ElemType = kKindRoot;
    entry.NodeType = kLevelSlideShow;
    entry.Node = record;
    entry.Expanded = true;
    for (int bit = 0; bit < 3; ++bit) {
        switches_[static_cast<std::size_t>(bit)] = (record->FlagLo() & (1u << bit)) != 0;
    }
    password_ = record->Password();
    locked_ = !password_.empty();
    levelCounts_[0] += 1;
    InsertItem(rootIndex, Placement{0, 0});
    if (!reading_) {
        dbSize_ += kRootSize;
    }
    ++elementsAdded_;
    ++nodesAdded_;
    nextFreeIndex_ = std::max(nextFreeIndex_, rootIndex + 1);
    entry.Visited = true;
    Select(rootIndex);
    NotifyDocumentChanged();
    return rootIndex;
}

std::int64_t CDocument::AddNodeEntry(int index, int parent, std::shared_ptr<CNode> record,
                                     bool isNew) {
    ++nodeTitleCounter_;
    if (!record) {
        record = std::make_shared<CNode>();
        record->SetExpanded(false);
    }
    CGenElemInfo& entry = Entry(index);
    entry = CGenElemInfo{};
    entry.ElemType = kKindNode;
    entry.Node = record;
    entry.Expanded = isNew ? false : record->Expanded();
    const int level = parent == root_ ? kLevelMajorCategory : Entry(parent).NodeType + 1;
    if (level >= kLevelSlideShow && level <= kLevelSubTopic) {
        levelCounts_[static_cast<std::size_t>(level - kLevelSlideShow)] += 1;
    }
    entry.NodeType = level;
    if (isNew) {
        std::string title = NodeLevelNameInBrackets(level);
        if (title.empty()) {
            title = "Node " + std::to_string(nodeTitleCounter_);
        }
        record->SetTitle(std::move(title));
        record->SetExpanded(false);
    }
    return kNodeSize;
}

std::int64_t CDocument::AddLeafEntry(int index, std::shared_ptr<CLeaf> record,
                                     const std::string& title, bool keepPage, Placement placement) {
    ++leafTitleCounter_;
    if (!record) {
        record = std::make_shared<CLeaf>();
        record->SetTitle(title.empty() ? "<FACT>" : title);
        record->SetFACTOnly(true);
        record->SetBITMAPOnly(false);
        record->SetDifficulty(3);
        if (Copyable()) {
            record->SetCopyable(true);
        }
    }
    // Pasted branches are numbered as a whole once they are in (EnterBranchPages).
    const bool deferred = deferPages_ && !keepPage;
    int page = 0;
    if (keepPage) {
        // A leaf read from a file keeps its page, unless the page cannot be right: then it goes
        // last, and the pages are renumbered once the file is read.
        page = record->LPI();
        if (page < 1 || static_cast<std::size_t>(page) > leafCount_ + 1) {
            page = static_cast<int>(leafCount_ + 1);
        }
    } else {
        // A new leaf's page follows from its place, so pages stay in tree order whichever
        // relationship placed it.
        record->SetKey(index);
        page = deferred ? 0 : PageAt(placement);
    }
    CGenElemInfo& entry = Entry(index);
    entry = CGenElemInfo{};
    entry.ElemType = kKindLeaf;
    entry.NodeType = kLevelMajorCategory;
    entry.Leaf = record;
    if (!deferred) {
        EnsurePageCapacity(leafCount_ + 1);
        AdjustLPIForInsert(page, index);
        ++leafCount_;
    }
    ++leafCounter_;
    seeAlsoChoices_.push_back(index);
    return SizeContribution(entry);
}

}  // namespace trovique
