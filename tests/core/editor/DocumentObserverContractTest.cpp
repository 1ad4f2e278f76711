// The change protocol that a QAbstractItemModel follows: an observer that keeps its own copy of
// the tree from the notifications alone must equal the document after every edit, and at every
// "about to" notification the document must still answer for what is about to change.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "core/editor/Document.h"
#include "core/editor/RandomEditRun.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

class MirrorTree : public IDocumentObserver {
public:
    explicit MirrorTree(const CSlideShowTree& tree) : tree_(tree) { Rebuild(); }

    // The copy equals the tree: the same items, each with the same parent, children and title.
    void ExpectEqualsTree() const {
        ASSERT_EQ(open_, Open::None);
        ASSERT_EQ(batchDepth_, 0);
        const int root = tree_.GetNodeInfoIndexOfRoot();
        ASSERT_EQ(items_.at(0).children, root == 0 ? std::vector<int>{} : std::vector<int>{root});
        const auto live = tree_.Preorder(root);
        ASSERT_EQ(items_.size(), live.size() + 1);
        for (const int index : live) {
            ASSERT_TRUE(items_.contains(index)) << index;
            const Item& item = items_.at(index);
            ASSERT_EQ(item.parent, tree_.Parent(index)) << index;
            ASSERT_EQ(item.children, tree_.Children(index)) << index;
            ASSERT_EQ(item.title, tree_.Entry(index).Title()) << index;
        }
    }
    int Inserted() const { return inserted_; }
    int Removed() const { return removed_; }
    int Moved() const { return moved_; }
    int Resets() const { return resets_; }

    void ItemAboutToBeInserted(int parent, std::size_t row) override {
        Begin(Open::Insert);
        ASSERT_TRUE(items_.contains(parent)) << parent;
        ASSERT_LE(row, items_[parent].children.size());
        pendingParent_ = parent;
        pendingRow_ = row;
    }
    void ItemInserted(int parent, std::size_t row, int index) override {
        End(Open::Insert);
        ASSERT_EQ(parent, pendingParent_);
        ASSERT_EQ(row, pendingRow_);
        ASSERT_FALSE(items_.contains(index)) << index;
        ASSERT_EQ(tree_.Parent(index), parent);
        ASSERT_EQ(tree_.Row(index), row);
        // The branch comes in with its top item, as a model's rowsInserted of a subtree.
        auto& siblings = items_[parent].children;
        siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(row), index);
        CopyBranch(index, parent);
        ++inserted_;
    }
    void ItemAboutToBeRemoved(int parent, std::size_t row, int index) override {
        Begin(Open::Remove);
        ExpectAt(parent, row, index);
        ASSERT_TRUE(tree_.IsLive(index));
        ASSERT_EQ(tree_.Children(index), items_[index].children);
    }
    void ItemRemoved(int parent, std::size_t row, int index) override {
        End(Open::Remove);
        ASSERT_FALSE(tree_.IsLive(index));
        ExpectAt(parent, row, index);
        auto& siblings = items_[parent].children;
        siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(row));
        ForgetBranch(index);
        ++removed_;
    }
    void ItemAboutToBeMoved(const ItemMove& move) override {
        Begin(Open::Move);
        ExpectAt(move.sourceParent, move.sourceRow, move.index);
        ASSERT_TRUE(items_.contains(move.destinationParent));
        ASSERT_LE(move.destinationRow, items_[move.destinationParent].children.size());
        // What beginMoveRows refuses: into the item's own branch, or onto its own place.
        for (int above = move.destinationParent; above != 0; above = items_[above].parent) {
            ASSERT_NE(above, move.index);
        }
        ASSERT_FALSE(
            move.sourceParent == move.destinationParent &&
            (move.destinationRow == move.sourceRow || move.destinationRow == move.sourceRow + 1));
        pendingMove_ = move;
    }
    void ItemMoved(const ItemMove& move) override {
        End(Open::Move);
        ASSERT_TRUE(pendingMove_.has_value());
        ASSERT_EQ(move.index, pendingMove_->index);
        // Applied as a model applies it: the destination row counts the rows before the move.
        auto& from = items_[move.sourceParent].children;
        from.erase(from.begin() + static_cast<std::ptrdiff_t>(move.sourceRow));
        std::size_t row = move.destinationRow;
        if (move.sourceParent == move.destinationParent && row > move.sourceRow) {
            --row;
        }
        auto& to = items_[move.destinationParent].children;
        to.insert(to.begin() + static_cast<std::ptrdiff_t>(row), move.index);
        items_[move.index].parent = move.destinationParent;
        ASSERT_EQ(tree_.Parent(move.index), move.destinationParent);
        ASSERT_EQ(tree_.Row(move.index), row);
        pendingMove_.reset();
        ++moved_;
    }
    void ResetAboutToBegin() override { Begin(Open::Reset); }
    void ResetEnded() override {
        End(Open::Reset);
        Rebuild();
        ++resets_;
    }
    void BatchBegin() override {
        ASSERT_EQ(batchDepth_++, 0) << "batches are told only at their outermost level";
        changesInBatch_ = 0;
    }
    void BatchEnd() override { ASSERT_EQ(--batchDepth_, 0); }
    void ItemChanged(int index, ItemAspects aspects) override {
        ASSERT_EQ(open_, Open::None);
        ASSERT_TRUE(items_.contains(index)) << index;
        if (aspects.Has(ItemAspect::Title)) {
            items_[index].title = tree_.Entry(index).Title();
        }
    }
    void SelectionChanged(int) override { ASSERT_EQ(open_, Open::None); }
    void DocumentChanged() override {
        ASSERT_EQ(open_, Open::None);
        if (batchDepth_ > 0) {
            ASSERT_EQ(++changesInBatch_, 1) << "a batch tells DocumentChanged once";
        }
    }

private:
    enum class Open { None, Insert, Remove, Move, Reset };
    struct Item {
        int parent = 0;
        std::vector<int> children;
        std::string title;
    };

    void Begin(Open what) {
        ASSERT_EQ(open_, Open::None) << "pairs never nest";
        open_ = what;
    }
    void End(Open what) {
        ASSERT_EQ(open_, what);
        open_ = Open::None;
    }
    void ExpectAt(int parent, std::size_t row, int index) {
        ASSERT_TRUE(items_.contains(parent)) << parent;
        ASSERT_LT(row, items_[parent].children.size());
        ASSERT_EQ(items_[parent].children[row], index);
    }
    void Rebuild() {
        items_.clear();
        items_[0] = {};
        if (const int root = tree_.GetNodeInfoIndexOfRoot(); root != 0) {
            items_[0].children = {root};
            CopyBranch(root, 0);
        }
    }
    void CopyBranch(int index, int parent) {
        Item& item = items_[index];
        item.parent = parent;
        item.title = tree_.Entry(index).Title();
        item.children = tree_.Children(index);
        for (const int child : item.children) {
            CopyBranch(child, index);
        }
    }
    void ForgetBranch(int index) {
        const std::vector<int> children = items_[index].children;
        items_.erase(index);
        for (const int child : children) {
            ForgetBranch(child);
        }
    }

    const CSlideShowTree& tree_;
    std::map<int, Item> items_;  // 0: the invisible parent of the root
    Open open_ = Open::None;
    int pendingParent_ = 0;
    std::size_t pendingRow_ = 0;
    std::optional<ItemMove> pendingMove_;
    int batchDepth_ = 0;
    int changesInBatch_ = 0;
    int inserted_ = 0;
    int removed_ = 0;
    int moved_ = 0;
    int resets_ = 0;
};

class DocumentObserverContractTest : public testing::Test, public test::DocumentTestBase {
protected:
    void SetUp() override {
        Settings().Set("Norvane Trovique", "NoShowAgain", "DeleteNode", "1");
        doc->Tree().AddObserver(&mirror);
    }
    void TearDown() override { doc->Tree().RemoveObserver(&mirror); }

    MirrorTree mirror{doc->Tree()};
};

TEST_F(DocumentObserverContractTest, MirrorFollowsEveryStepOfTheRandomEditRun) {
    const int first = AddNodeUnder(Root());
    for (int i = 0; i < 6; ++i) {
        AddLeafUnder(AddNodeUnder(first));
    }
    test::RandomEditRun run(*doc, 11);
    for (int step = 0; step < 1500; ++step) {
        SCOPED_TRACE("step " + std::to_string(step) + " " + run.Step());
        mirror.ExpectEqualsTree();
        if (HasFatalFailure()) {
            FAIL() << "after step " << step;
        }
    }
    // Every kind of notification took part.
    EXPECT_GT(mirror.Inserted(), 100);
    EXPECT_GT(mirror.Removed(), 50);
    EXPECT_GT(mirror.Moved(), 50);
    EXPECT_GT(mirror.Resets(), 5);
}

// A big branch goes in and out as one notification each way, with its pages in one pass.
TEST_F(DocumentObserverContractTest, ABigPasteIsOneInsertAndItsUndoOneRemoval) {
    const int source = AddNodeUnder(Root());
    for (int i = 0; i < 5000; ++i) {
        doc->AddGenNode(ElementKind::Leaf, {}, nullptr, source, Relationship::Child,
                        AddOptions::None);
    }
    ASSERT_TRUE(doc->CopyNode(source));
    const int inserted = mirror.Inserted();
    ASSERT_TRUE(doc->PasteNode(Root()));
    EXPECT_EQ(mirror.Inserted(), inserted + 1);
    mirror.ExpectEqualsTree();
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(mirror.Removed(), 1);
    ASSERT_TRUE(doc->Redo());
    EXPECT_EQ(mirror.Inserted(), inserted + 2);
    EXPECT_EQ(mirror.Resets(), 0);
    mirror.ExpectEqualsTree();
}

// Indent is told as the new node's insertion followed by one move per item pushed under it.
TEST_F(DocumentObserverContractTest, IndentIsAnInsertAndMoves) {
    const int node = AddNodeUnder(Root());
    AddLeafUnder(node);
    AddLeafUnder(node);
    doc->Tree().Select(node);
    const int inserted = mirror.Inserted();
    ASSERT_TRUE(doc->Indent(IndentScope::Children));
    EXPECT_EQ(mirror.Inserted(), inserted + 1);
    EXPECT_EQ(mirror.Moved(), 2);
    mirror.ExpectEqualsTree();
}

}  // namespace
}  // namespace trovique
