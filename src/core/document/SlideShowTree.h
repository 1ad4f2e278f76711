#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/DocumentObserver.h"
#include "core/document/ElementKinds.h"
#include "core/document/GenElemInfo.h"

namespace trovique {

class CElementClipboard;

// The tree of one slide show: the element table that ties every record to its item, the
// parent/child order of the items, the page order of the leaves, the running counts and the size
// estimate. It asks nothing and reports nothing (errors are raised); views follow it through
// IDocumentObserver.
//
// Items are named by element index. Element indices are handed out once and never reused while
// the tree lives; entries of removed items stay, marked Deleted, for undo.
class CSlideShowTree {
public:
    static constexpr std::size_t kTableGrowth = 100;
    // Estimated bytes each element adds to the exported file.
    static constexpr std::int64_t kRootSize = 290;
    static constexpr std::int64_t kNodeSize = 56;
    static constexpr std::int64_t kBitmapLeafBaseSize = 18;
    static constexpr std::int64_t kFactLeafSize = 100;
    static constexpr std::int64_t kQAFLeafSize = 250;

    CSlideShowTree() = default;
    CSlideShowTree(const CSlideShowTree&) = delete;
    CSlideShowTree& operator=(const CSlideShowTree&) = delete;

    void AddObserver(IDocumentObserver* observer);
    void RemoveObserver(IDocumentObserver* observer);

    // ---- Element table ----
    std::size_t Capacity() const { return capacity_; }
    int NextFreeIndex() const { return nextFreeIndex_; }
    // True when the table has an entry at index (used or not).
    bool IsNodeIDValid(int index) const;
    // The entry at index; raises 0x80040003 outside the table.
    CGenElemInfo& Entry(int index);
    const CGenElemInfo& Entry(int index) const;
    // A live entry: used, in the tree and not deleted.
    bool IsLive(int index) const;

    // ---- Tree ----
    // The root's element index (the first tree item), 0 for an empty tree.
    int GetNodeInfoIndexOfRoot() const { return root_; }
    int Parent(int index) const;
    const std::vector<int>& Children(int index) const;
    int FirstChild(int index) const;
    int LastChild(int index) const;
    int NextSibling(int index) const;
    int PreviousSibling(int index) const;
    std::size_t Row(int index) const;
    // Tree item keys are the element index followed by "a".
    static std::string ItemKey(int index);
    // The element index of a live item key, 0 when the key names no item.
    int IndexOfItemKey(std::string_view key) const;
    // The level of a node item, 11 for the root; 0 for leaves.
    int Level(int index) const;
    bool IsExpanded(int index) const;
    // Expanding or collapsing an item writes the state back into a node's record.
    void SetExpanded(int index, bool expanded);
    // Expands or collapses index and every node below it (BranchExpand / BranchCollapse).
    void SetBranchExpanded(int index, bool expanded);
    // Every item in depth-first order, children in tree order, starting at index.
    std::vector<int> Preorder(int index) const;

    int Selected() const { return selected_; }
    void Select(int index);
    void GoToRoot();
    void GoToParent();

    // Empties the tree and every table.
    void Clear();

    // ---- Adding ----
    // Enters an element: kind 0 root, 1 node, 3 leaf. record: an existing CNode/CLeaf, or null to
    // create one (a new leaf is a FACT leaf titled title or "<FACT>", Copyable when
    // copyableLeaves). reAdd treats a given record as new: fresh index and page. The peer must be
    // live unless relationship is Child. Returns the new element index; raises on failure.
    struct NewElement {
        ElementKind kind = ElementKind::Leaf;
        std::string title;
        std::shared_ptr<IElement> record;
        int peer = 0;
        Relationship relationship = Relationship::Child;
        bool reAdd = false;
        bool copyableLeaves = false;
    };
    int Add(NewElement element);

    // ---- Pages ----
    // The leaf count that the page table and validation use.
    std::size_t LeafCount() const { return leafCount_; }
    // The element index of the leaf on page (1-based), 0 outside.
    int LeafOnPage(std::size_t page) const;
    std::size_t PageTableCapacity() const { return pageCapacity_; }
    // The page a leaf appended under parent gets: after the last leaf at or before the end of the
    // parent's branch in tree order.
    int GetNextLPIForParent(int parent) const;
    void AdjustLPIForInsert(int lpi, int elementIndex);
    void AdjustLPIForDelete(int lpi);
    // Numbers the leaves 1..n in tree order (after reading a file whose pages disagree).
    void RenumberPages();

    // ---- Counters ----
    // Live nodes of a level (11 to 15), and leaves (level 16).
    int LevelCount(int level) const;
    int NodeTitleCounter() const { return nodeTitleCounter_; }
    int LeafTitleCounter() const { return leafTitleCounter_; }
    int ElementsAdded() const { return elementsAdded_; }
    int NodesAdded() const { return nodesAdded_; }
    // Rebuilds the level counters and the leaf count from the tree.
    void RecountNodesAndLeaves();

    // ---- Size estimate ----
    std::int64_t DBSize() const { return dbSize_; }
    void SetDBSize(std::int64_t size);
    // Adds delta, except while a file is read (the size is computed once the whole file is in).
    void AddToDBSize(std::int64_t delta);
    // What an element adds to the size estimate by its kind.
    static std::int64_t SizeContribution(const CGenElemInfo& entry);
    // The estimate of the live tree's elements.
    std::int64_t ComputeTreeSize() const;
    // True while a file is read into the tree: additions leave the size estimate alone.
    bool Reading() const { return reading_; }
    void SetReading(bool reading) { reading_ = reading; }

    // Leaves offered as See-Also targets, in the order they entered the tree.
    const std::vector<int>& SeeAlsoChoices() const { return seeAlsoChoices_; }

    // ---- Counting and paths ----
    int GetNumChildren(ElementKind kind, int item) const;
    int GetNumNodeChildren(int item) const { return GetNumChildren(ElementKind::Node, item); }
    int GetNumLeafChildren(int item) const { return GetNumChildren(ElementKind::Leaf, item); }
    // Depth-first walk of item's branch: counts[level] for nodes, leafCount for leaves. reset
    // zeroes both first. Returns the number of items visited.
    using LevelCounts = std::array<int, 16>;
    int GetChildCounts(int item, LevelCounts& counts, int& leafCount, bool reset) const;
    int GetChildNodeTypeCount(int item, int level) const;
    // All descendants of item.
    int GetChildCount(int item) const;
    // Leaf descendants of item, and the lowest page among them (0 when none).
    int GetChildLeafCount(int item, int& lowestPage) const;
    // Titles of the item's ancestors from the root down joined by "\"; includeSelf appends
    // "\" and the item's own title.
    std::string GetNodePath(int item, bool includeSelf) const;

    // ---- Whole branches ----
    // Takes the listed elements out of the counts, pages and size, marks them Deleted and removes
    // the item's branch from the tree. The entries and records stay for undo.
    void PurgeNodes(int item, const std::vector<int>& keys);
    // Runs insert (which reports the branch's top item as soon as it is in) with the pages of its
    // leaves held back, then numbers them all at once, also when insert fails half-way.
    int InsertBranch(const std::function<int(int& top)>& insert);
    // Puts a recorded branch back with its own element indices, records and expansion.
    int ReinsertBranch(const CElementClipboard& clipboard, int clipboardItem, int destination,
                       Relationship relationship);
    // Moves item's branch beside or under destination, taking its counts, pages and levels
    // along as if it were removed and branch (a copy of it) put back with its own indices. Told
    // as one move.
    int MoveBranch(int item, int destination, Relationship relationship,
                   const CElementClipboard& branch);
    // Moves a branch to the end of newParent's children and pushes its nodes one level down.
    // Pages do not change: the branch keeps its place in tree order.
    void MoveUnder(int item, int newParent);

    // ---- Change protocol (DocumentObserver.h) ----
    void NotifyItemChanged(int index, ItemAspects aspects);
    void NotifyDocumentChanged();
    // A batch or a reset of the tree, for as long as the scope lives; both nest.
    class BatchScope {
    public:
        explicit BatchScope(CSlideShowTree& tree) : tree_(tree) { tree_.BeginBatch(); }
        ~BatchScope() { tree_.EndBatch(); }
        BatchScope(const BatchScope&) = delete;
        BatchScope& operator=(const BatchScope&) = delete;

    private:
        CSlideShowTree& tree_;
    };
    class ResetScope {
    public:
        explicit ResetScope(CSlideShowTree& tree) : tree_(tree) { tree_.BeginReset(); }
        ~ResetScope() { tree_.EndReset(); }
        ResetScope(const ResetScope&) = delete;
        ResetScope& operator=(const ResetScope&) = delete;

    private:
        CSlideShowTree& tree_;
    };
    void BeginBatch();
    void EndBatch();
    void BeginReset();
    void EndReset();

private:
    struct Placement {
        int parent = 0;
        std::size_t row = 0;
    };

    void EnsureCapacity(std::size_t index);
    void EnsurePageCapacity(std::size_t pages);
    Placement PlaceFor(int peer, Relationship relationship, int parent) const;
    int FindParentFor(int peer, Relationship relationship) const;
    void InsertItem(int index, Placement placement);
    int AddRoot(std::shared_ptr<CNode> record, int index);
    std::int64_t AddNodeEntry(int index, int parent, std::shared_ptr<CNode> record, bool isNew);
    std::int64_t AddLeafEntry(int index, std::shared_ptr<CLeaf> record, const std::string& title,
                              bool keepPage, bool copyable, Placement placement);
    // The page a leaf inserted at placement takes: after every leaf before it in tree order.
    int PageAt(Placement placement) const;
    int LastLeafUpTo(int index) const;
    int LastLeafInBranch(int index) const;
    void EnterBranchPages(int top);
    void RemovePages(const std::vector<int>& leaves);
    int ReinsertItem(const CElementClipboard& clipboard, int clipboardItem, int destination,
                     Relationship relationship, int& top);
    void ReenterElement(int index, int parent, Placement placement, bool expanded);
    void DetachBranch(int item, int parent, std::size_t row);
    void ShiftBranchLevels(int item, int delta);
    int* LevelCounter(int level);
    bool InPendingBranch(int index) const;
    void LinkPendingTop();

    // Nothing is told inside a reset, nor while a move does its work as a removal and a
    // re-insertion.
    bool Silent() const { return resetDepth_ > 0 || quietDepth_ > 0; }
    template <class Call>
    void Tell(const Call& call) {
        if (!Silent()) {
            for (IDocumentObserver* observer : observers_) {
                call(*observer);
            }
        }
    }
    void FlushDocumentChanged();

    std::vector<IDocumentObserver*> observers_;
    int batchDepth_ = 0;
    bool batchTold_ = false;
    int resetDepth_ = 0;
    int quietDepth_ = 0;
    bool documentChangedPending_ = false;
    bool selectionPending_ = false;
    // While InsertBranch runs: the top item of the branch, in the tree but not yet among its
    // parent's children, and the row it will take there.
    bool collectingBranch_ = false;
    int pendingTop_ = 0;
    std::size_t pendingRow_ = 0;

    std::vector<CGenElemInfo> elements_;  // index 0 unused
    std::size_t capacity_ = 0;
    int nextFreeIndex_ = 1;
    int root_ = 0;
    int selected_ = 0;

    std::vector<int> pages_;  // index 0 unused
    std::size_t pageCapacity_ = 0;
    std::size_t leafCount_ = 0;

    std::array<int, 5> levelCounts_{};
    int leafCounter_ = 0;
    int nodeTitleCounter_ = 0;
    int leafTitleCounter_ = 0;
    int elementsAdded_ = 0;
    int nodesAdded_ = 0;

    std::int64_t dbSize_ = 0;
    bool reading_ = false;
    std::vector<int> seeAlsoChoices_;
    bool deferPages_ = false;  // while InsertBranch runs
};

}  // namespace trovique
