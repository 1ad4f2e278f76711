// Entering elements into the tree: the element index, the entry, the counters, the page of a
// leaf and the size estimate.

#include <algorithm>

#include "core/common/Error.h"
#include "core/document/SlideShowTree.h"
#include "core/model/NodeLevel.h"

namespace trovique {
namespace {

constexpr std::uint8_t kFlagLoSwitches = 0x03;  // bits 0 and 1, set on a new root

template <class Record>
std::shared_ptr<Record> RecordOfKind(const std::shared_ptr<IElement>& record) {
    auto typed = std::dynamic_pointer_cast<Record>(record);
    if (record && !typed) {
        throw CError::Object(kErrInvalidValue, "frmDocument:AddGenNode");
    }
    return typed;
}

}  // namespace

int CSlideShowTree::FindParentFor(int peer, Relationship relationship) const {
    int parent = relationship == Relationship::Child ? peer : Parent(peer);
    if (!IsLive(parent)) {
        parent = IsLive(selected_) ? selected_ : root_;
    }
    if (IsLive(parent) && Entry(parent).IsLeaf()) {
        parent = Parent(parent);
    }
    return parent;
}

CSlideShowTree::Placement CSlideShowTree::PlaceFor(int peer, Relationship relationship,
                                                   int parent) const {
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

int CSlideShowTree::Add(NewElement element) {
    const bool keepIndex = element.record != nullptr && !element.reAdd;
    if (element.kind == ElementKind::Root) {
        auto node = RecordOfKind<CNode>(element.record);
        return AddRoot(std::move(node), keepIndex ? element.record->Key() : 0);
    }
    if (element.relationship == Relationship::Child && IsLive(element.peer) &&
        Entry(element.peer).IsLeaf()) {
        // Leaves hold no children: an item added "under" a leaf goes right after it.
        element.relationship = Relationship::Next;
    }
    const int parent = FindParentFor(element.peer, element.relationship);
    if (parent == 0) {
        throw CError::Object(kErrInvalidValue, "frmDocument:AddGenNode");
    }
    std::size_t index =
        keepIndex ? element.record->Key() : static_cast<std::size_t>(nextFreeIndex_);
    if (index == 0 || (keepIndex && IsNodeIDValid(static_cast<int>(index)) &&
                       Entry(static_cast<int>(index)).Used())) {
        // A key of 0 or one already in use cannot name a second element.
        throw CError(kErrInvalidValue, "frmDocument:AddGenNode",
                     "Invalid value. The key " + std::to_string(index) + " is used twice.");
    }
    EnsureCapacity(index);
    const int elementIndex = static_cast<int>(index);
    const Placement placement = PlaceFor(element.peer, element.relationship, parent);
    std::int64_t size = 0;
    if (element.kind == ElementKind::Node) {
        auto node = RecordOfKind<CNode>(element.record);
        size = AddNodeEntry(elementIndex, parent, std::move(node), element.record == nullptr);
    } else {
        auto leaf = RecordOfKind<CLeaf>(element.record);
        size = AddLeafEntry(elementIndex, std::move(leaf), element.title, keepIndex,
                            element.copyableLeaves, placement);
    }
    InsertItem(elementIndex, placement);
    if (!reading_) {
        dbSize_ += size;
    }
    ++elementsAdded_;
    if (element.kind != ElementKind::Leaf) {
        ++nodesAdded_;
    }
    nextFreeIndex_ = std::max(nextFreeIndex_, elementIndex + 1);
    return elementIndex;
}

int CSlideShowTree::AddRoot(std::shared_ptr<CNode> record, int index) {
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
    entry.ElemType = ElementKind::Root;
    entry.NodeType = kLevelSlideShow;
    entry.Node = record;
    entry.Expanded = true;
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
    return rootIndex;
}

std::int64_t CSlideShowTree::AddNodeEntry(int index, int parent, std::shared_ptr<CNode> record,
                                          bool isNew) {
    ++nodeTitleCounter_;
    if (!record) {
        record = std::make_shared<CNode>();
        record->SetExpanded(false);
    }
    CGenElemInfo& entry = Entry(index);
    entry = CGenElemInfo{};
    entry.ElemType = ElementKind::Node;
    entry.Node = record;
    entry.Expanded = isNew ? false : record->Expanded();
    const int level = parent == root_ ? kLevelMajorCategory : Entry(parent).NodeType + 1;
    if (int* counter = LevelCounter(level)) {
        ++*counter;
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

std::int64_t CSlideShowTree::AddLeafEntry(int index, std::shared_ptr<CLeaf> record,
                                          const std::string& title, bool keepPage, bool copyable,
                                          Placement placement) {
    ++leafTitleCounter_;
    if (!record) {
        record = std::make_shared<CLeaf>();
        record->SetTitle(title.empty() ? "<FACT>" : title);
        record->SetKind(LeafKind::Fact);
        record->SetDifficulty(3);
        if (copyable) {
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
    entry.ElemType = ElementKind::Leaf;
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

int* CSlideShowTree::LevelCounter(int level) {
    return level >= kLevelSlideShow && level <= kLevelSubTopic
               ? &levelCounts_[static_cast<std::size_t>(level - kLevelSlideShow)]
               : nullptr;
}

}  // namespace trovique
