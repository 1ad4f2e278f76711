#include "core/editor/Document.h"

#include <gtest/gtest.h>

#include <random>

#include "core/services/MessageStyle.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

class DocumentTest : public testing::Test, public test::DocumentTestBase {
protected:
    const CLeaf& LeafOf(int index) const { return *doc->Tree().Entry(index).Leaf; }

    // Pages must run 1..n in tree order and the page table must agree with the leaves.
    void ExpectPagesDense() const {
        int page = 0;
        for (const int index : doc->Tree().Preorder(Root())) {
            if (doc->Tree().Entry(index).IsLeaf()) {
                ++page;
                ASSERT_EQ(LeafOf(index).LPI(), page) << "leaf " << index;
                ASSERT_EQ(doc->Tree().LeafOnPage(static_cast<std::size_t>(page)), index);
            }
        }
        EXPECT_EQ(doc->Tree().LeafCount(), static_cast<std::size_t>(page));
    }
};

TEST_F(DocumentTest, NewSlideShowHoldsOnlyItsRoot) {
    EXPECT_EQ(Root(), 2);
    EXPECT_FALSE(doc->Tree().Entry(1).Used());
    EXPECT_EQ(doc->Tree().Entry(Root()).Title(), "New Slide Show");
    EXPECT_EQ(doc->Tree().Entry(Root()).Node->ProgramIconName(), "Quodex");
    EXPECT_EQ(ItemImage(doc->Tree(), Root(), false), 6);
    EXPECT_EQ(ItemImage(doc->Tree(), Root(), true), 14);
    EXPECT_EQ(doc->Tree().DBSize(), 290);
    EXPECT_EQ(SizeLabel(doc->Tree().DBSize()), "<1K");
    EXPECT_EQ(doc->Tree().Capacity(), 101u);
    EXPECT_TRUE(doc->Properties().Switch(0));
    EXPECT_TRUE(doc->Properties().Switch(1));
    EXPECT_FALSE(doc->Properties().Switch(2));
    EXPECT_FALSE(doc->Dirty());
    EXPECT_EQ(doc->WindowTitle(), "New Slide Show");
    EXPECT_EQ(CSlideShowTree::ItemKey(Root()), "2a");
    EXPECT_EQ(doc->Tree().IndexOfItemKey("2a"), Root());
}

TEST_F(DocumentTest, NodesTakeTheLevelBelowTheirParentAndItsName) {
    const int major = AddNodeUnder(Root());
    const int sub = AddNodeUnder(major);
    const int topic = AddNodeUnder(sub);
    const int subTopic = AddNodeUnder(topic);
    const int tooDeep = AddNodeUnder(subTopic);
    const std::vector<std::pair<int, std::string>> expected = {{major, "<Major Category>"},
                                                               {sub, "<Sub Category>"},
                                                               {topic, "<Major Topic>"},
                                                               {subTopic, "<Sub Topic>"},
                                                               {tooDeep, "Node 5"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(doc->Tree().Level(expected[i].first), 12 + static_cast<int>(i));
        EXPECT_EQ(doc->Tree().Entry(expected[i].first).Title(), expected[i].second);
    }
    for (int level = 11; level <= 15; ++level) {
        EXPECT_EQ(doc->Tree().LevelCount(level), 1) << level;
    }
    EXPECT_EQ(doc->Tree().DBSize(), 290 + 5 * 56);
    EXPECT_TRUE(doc->Dirty());
    EXPECT_EQ(doc->Tree().Selected(), tooDeep);
}

TEST_F(DocumentTest, NewLeafIsAFactLeafOnTheNextPage) {
    const int node = AddNodeUnder(Root());
    const int first = AddLeafUnder(node);
    const CLeaf& leaf = LeafOf(first);
    EXPECT_EQ(leaf.Title(), "<FACT>");
    EXPECT_TRUE(leaf.FACTOnly());
    EXPECT_FALSE(leaf.BITMAPOnly());
    EXPECT_EQ(leaf.Difficulty(), 3);
    EXPECT_FALSE(leaf.Copyable());
    EXPECT_EQ(leaf.LPI(), 1);
    EXPECT_EQ(leaf.Key(), first);
    EXPECT_EQ(doc->Tree().DBSize(), 290 + 56 + 100);
    EXPECT_EQ(doc->Tree().LevelCount(kLevelLeaves), 1);
    EXPECT_EQ(doc->Tree().SeeAlsoChoices(), std::vector<int>{first});
}

TEST_F(DocumentTest, LeavesOfALaterNodeFollowEveryEarlierLeaf) {
    const int a = AddNodeUnder(Root());
    const int b = AddNodeUnder(Root());
    const int b1 = AddLeafUnder(b);
    const int a1 = AddLeafUnder(a);  // goes before b1 in tree order
    const int a2 = AddLeafUnder(a);
    EXPECT_EQ(LeafOf(a1).LPI(), 1);
    EXPECT_EQ(LeafOf(a2).LPI(), 2);
    EXPECT_EQ(LeafOf(b1).LPI(), 3);
    ExpectPagesDense();
}

TEST_F(DocumentTest, LeafInsertedBeforePageFiveTakesItAndMovesTheRestOn) {
    const int node = AddNodeUnder(Root());
    std::vector<int> leaves;
    for (int i = 0; i < 8; ++i) {
        leaves.push_back(AddLeafUnder(node));
    }
    const int added = doc->AddGenNode(ElementKind::Leaf, "inserted", nullptr, leaves[4],
                                      Relationship::Previous, AddOptions::None);
    EXPECT_EQ(LeafOf(added).LPI(), 5);
    EXPECT_EQ(LeafOf(added).Title(), "inserted");
    EXPECT_EQ(LeafOf(leaves[4]).LPI(), 6);
    EXPECT_EQ(LeafOf(leaves[7]).LPI(), 9);
    const int after = doc->AddGenNode(ElementKind::Leaf, {}, nullptr, leaves[7], Relationship::Next,
                                      AddOptions::None);
    EXPECT_EQ(LeafOf(after).LPI(), 10);
    ExpectPagesDense();
}

TEST_F(DocumentTest, MissingPeerIsReportedAndNothingIsAdded) {
    const int before = doc->Tree().NextFreeIndex();
    EXPECT_EQ(
        doc->AddGenNode(ElementKind::Leaf, {}, nullptr, 0, Relationship::Next, AddOptions::None),
        0);
    EXPECT_EQ(doc->AddGenNode(ElementKind::Node, {}, nullptr, 999, Relationship::Previous,
                              AddOptions::None),
              0);
    EXPECT_EQ(doc->AddGenNode(static_cast<ElementKind>(5), {}, nullptr, Root(), Relationship::Child,
                              AddOptions::None),
              0);
    ASSERT_EQ(Ui().Messages().size(), 2u);
    EXPECT_EQ(Ui().Messages()[0].text, "AddGenNode error: No peer node specified.");
    EXPECT_EQ(Ui().Messages()[0].style, kStyleExclamation);
    EXPECT_EQ(doc->Tree().NextFreeIndex(), before);
}

TEST_F(DocumentTest, TableGrowsByAHundredWithoutLosingEntries) {
    const int node = AddNodeUnder(Root());
    int last = 0;
    while (doc->Tree().NextFreeIndex() <= 101) {
        last = AddLeafUnder(node);
    }
    EXPECT_EQ(last, 101);
    EXPECT_EQ(doc->Tree().Capacity(), 101u);
    const int grown = AddLeafUnder(node);
    EXPECT_EQ(grown, 102);
    EXPECT_EQ(doc->Tree().Capacity(), 201u);
    EXPECT_EQ(doc->Tree().Entry(node).Title(), "<Major Category>");
    EXPECT_EQ(LeafOf(101).LPI(), 98);  // index 3 is the node
    ExpectPagesDense();
}

TEST_F(DocumentTest, NodePathJoinsAncestorTitles) {
    const int m = AddNodeUnder(Root());
    const int s = AddNodeUnder(m);
    const int t = AddNodeUnder(s);
    const int u = AddNodeUnder(t);
    doc->Tree().Entry(Root()).SetTitle("R");
    doc->Tree().Entry(m).SetTitle("M");
    doc->Tree().Entry(s).SetTitle("S");
    doc->Tree().Entry(t).SetTitle("T");
    doc->Tree().Entry(u).SetTitle("U");
    EXPECT_EQ(doc->Tree().GetNodePath(u, false), "R\\M\\S\\T");
    EXPECT_EQ(doc->Tree().GetNodePath(u, true), "R\\M\\S\\T\\U");
    EXPECT_EQ(doc->Tree().GetNodePath(Root(), false), "");
    EXPECT_EQ(doc->Tree().GetNodePath(Root(), true), "\\R");
}

TEST_F(DocumentTest, CopyableSwitchMakesNewLeavesCopyable) {
    doc->Properties().SetSwitch(2, true);
    const int leaf = AddLeafUnder(AddNodeUnder(Root()));
    EXPECT_TRUE(LeafOf(leaf).Copyable());
}

TEST_F(DocumentTest, ReadingLeavesTheSizeEstimateAlone) {
    doc->Tree().SetReading(true);
    const int node = AddNodeUnder(Root());
    AddLeafUnder(node);
    doc->Tree().SetReading(false);
    EXPECT_EQ(doc->Tree().DBSize(), 290);
    EXPECT_EQ(doc->ComputeDBSize(), 290 + 56 + 100);
}

TEST_F(DocumentTest, RecordGivenKeepsItsKeyUnlessReAdded) {
    auto node = std::make_shared<CNode>();
    node->SetKey(40);
    node->SetTitle("Kept");
    node->SetExpanded(true);
    EXPECT_EQ(
        doc->AddGenNode(ElementKind::Node, {}, node, Root(), Relationship::Child, AddOptions::None),
        40);
    EXPECT_TRUE(doc->Tree().IsExpanded(40));
    EXPECT_EQ(doc->Tree().Entry(40).Title(), "Kept");
    EXPECT_EQ(doc->Tree().NextFreeIndex(), 41);
    auto copy = std::make_shared<CLeaf>();
    copy->SetKey(40);
    const int fresh =
        doc->AddGenNode(ElementKind::Leaf, {}, copy, 40, Relationship::Child, AddOptions::ReAdd);
    EXPECT_EQ(fresh, 41);
    EXPECT_EQ(copy->Key(), 41);
}

TEST_F(DocumentTest, KeyUsedTwiceIsRefused) {
    auto first = std::make_shared<CNode>();
    first->SetKey(7);
    ASSERT_EQ(doc->AddGenNode(ElementKind::Node, {}, first, Root(), Relationship::Child,
                              AddOptions::None),
              7);
    auto second = std::make_shared<CNode>();
    second->SetKey(7);
    EXPECT_EQ(doc->AddGenNode(ElementKind::Node, {}, second, Root(), Relationship::Child,
                              AddOptions::None),
              0);
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_EQ(Ui().Messages()[0].text.rfind("AddNode error: ", 0), 0u);
    EXPECT_EQ(doc->Tree().Children(Root()).size(), 1u);
}

TEST_F(DocumentTest, DisplayItemRefusesIndicesWithoutALiveElement) {
    const int leaf = AddLeafUnder(AddNodeUnder(Root()));
    EXPECT_TRUE(doc->DisplayItem(leaf));
    EXPECT_EQ(doc->Tree().Selected(), leaf);
    doc->Tree().Entry(leaf).Deleted = true;
    EXPECT_FALSE(doc->DisplayItem(leaf));
    EXPECT_FALSE(doc->DisplayItem(5000));
    ASSERT_EQ(Ui().Messages().size(), 2u);
    for (const auto& message : Ui().Messages()) {
        EXPECT_EQ(message.text, "The node has been deleted.");
        EXPECT_EQ(message.style, kStyleInformation);
    }
}

TEST_F(DocumentTest, CountsAndLowestPageOfABranch) {
    const int a = AddNodeUnder(Root());
    const int a1 = AddNodeUnder(a);
    AddLeafUnder(a1);
    AddLeafUnder(a1);
    const int b = AddNodeUnder(Root());
    AddLeafUnder(b);
    int lowest = 0;
    EXPECT_EQ(doc->Tree().GetChildLeafCount(b, lowest), 1);
    EXPECT_EQ(lowest, 3);
    EXPECT_EQ(doc->Tree().GetChildLeafCount(a, lowest), 2);
    EXPECT_EQ(lowest, 1);
    EXPECT_EQ(doc->Tree().GetChildCount(Root()), 6);
    EXPECT_EQ(doc->Tree().GetNumNodeChildren(Root()), 2);
    EXPECT_EQ(doc->Tree().GetNumLeafChildren(a1), 2);
    EXPECT_EQ(doc->Tree().GetChildNodeTypeCount(Root(), 13), 1);
    CSlideShowTree::LevelCounts counts{};
    int leaves = 0;
    EXPECT_EQ(doc->Tree().GetChildCounts(Root(), counts, leaves, true), 7);
    EXPECT_EQ(counts[11], 1);
    EXPECT_EQ(counts[12], 2);
    EXPECT_EQ(leaves, 3);
}

// Random insertions anywhere keep the pages dense in tree order.
TEST_F(DocumentTest, PagesStayDenseUnderRandomInsertions) {
    std::mt19937 random(17);
    std::vector<int> nodes = {AddNodeUnder(Root()), AddNodeUnder(Root()), AddNodeUnder(Root())};
    std::vector<int> leaves;
    for (int step = 0; step < 400; ++step) {
        const auto choice = random() % 4;
        if (choice == 0 || leaves.empty()) {
            leaves.push_back(AddLeafUnder(nodes[random() % nodes.size()]));
        } else {
            const int peer = leaves[random() % leaves.size()];
            const auto relationship = choice == 1   ? Relationship::Previous
                                      : choice == 2 ? Relationship::Next
                                                    : Relationship::First;
            leaves.push_back(doc->AddGenNode(ElementKind::Leaf, {}, nullptr, peer, relationship,
                                             AddOptions::None));
        }
        ASSERT_NE(leaves.back(), 0);
    }
    ExpectPagesDense();
    EXPECT_EQ(doc->Tree().DBSize(), doc->ComputeDBSize());
}

}  // namespace
}  // namespace trovique
