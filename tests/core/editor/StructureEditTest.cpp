#include <gtest/gtest.h>

#include <functional>

#include "core/editor/Document.h"
#include "core/editor/EditorPictures.h"
#include "core/editor/RandomEditRun.h"
#include "core/services/MessageStyle.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

class StructureEditTest : public testing::Test, public test::DocumentTestBase {
protected:
    std::vector<int> AddLeaves(int parent, int count) {
        std::vector<int> leaves;
        for (int i = 0; i < count; ++i) {
            leaves.push_back(AddLeafUnder(parent));
        }
        return leaves;
    }
    int Page(int leaf) const { return doc->Tree().Entry(leaf).Leaf->LPI(); }
    std::string LastMessage() {
        return Ui().Messages().empty() ? std::string() : Ui().Messages().back().text;
    }

    // Pages dense in tree order, counters equal to a recount, size equal to a recomputation.
    void ExpectInvariants() const {
        int page = 0;
        CSlideShowTree::LevelCounts counts{};
        for (const int index : doc->Tree().Preorder(Root())) {
            const CGenElemInfo& entry = doc->Tree().Entry(index);
            ASSERT_FALSE(entry.Deleted) << index;
            if (entry.IsLeaf()) {
                ++page;
                ASSERT_EQ(entry.Leaf->LPI(), page) << "leaf " << index;
                ASSERT_EQ(doc->Tree().LeafOnPage(static_cast<std::size_t>(page)), index);
            } else {
                const int expected =
                    index == Root() ? 11 : doc->Tree().Level(doc->Tree().Parent(index)) + 1;
                ASSERT_EQ(entry.NodeType, expected) << index;
                ++counts[static_cast<std::size_t>(std::min(entry.NodeType, 15))];
            }
        }
        ASSERT_EQ(doc->Tree().LeafCount(), static_cast<std::size_t>(page));
        ASSERT_EQ(doc->Tree().LevelCount(kLevelLeaves), page);
        for (int level = 11; level <= 15; ++level) {
            ASSERT_EQ(doc->Tree().LevelCount(level), counts[static_cast<std::size_t>(level)])
                << level;
        }
        ASSERT_EQ(doc->Tree().DBSize(), doc->ComputeDBSize());
        ASSERT_EQ(doc->Tree().SeeAlsoChoices().size(), static_cast<std::size_t>(page));
    }
};

TEST_F(StructureEditTest, PasteRespectsTheFiveLevels) {
    const int major = AddNodeUnder(Root());
    AddNodeUnder(major);  // the copied branch: a Major Category with a Sub Category child
    const int otherMajor = AddNodeUnder(Root());
    const int sub = AddNodeUnder(otherMajor);
    const int topic = AddNodeUnder(sub);
    ASSERT_TRUE(doc->CopyNode(major));
    EXPECT_FALSE(doc->PasteNode(topic));
    EXPECT_EQ(Ui().Messages().back().style, kStyleCritical);
    EXPECT_NE(LastMessage().find("Only 5 node levels are allowed: \r\n\r\nSlide Show\r\nMajor "
                                 "Category\r\nSub Category\r\nMajor Topic\r\nSub Topic\r\n\r\n"
                                 "Pasting Node Clipboard data here would result in more than 5 "
                                 "node levels."),
              std::string::npos);
    ASSERT_TRUE(doc->PasteNode(otherMajor));
    const int copy = doc->Tree().Selected();
    EXPECT_NE(copy, major);
    EXPECT_EQ(doc->Tree().Level(copy), 13);
    EXPECT_EQ(doc->Tree().Level(doc->Tree().FirstChild(copy)), 14);
    ExpectInvariants();
}

TEST_F(StructureEditTest, PasteRefusalsNameTheirRule) {
    const int nodes = AddNodeUnder(Root());
    const int child = AddNodeUnder(nodes);
    const int leaves = AddNodeUnder(Root());
    const std::vector<int> leafItems = AddLeaves(leaves, 3);
    AddLeafUnder(child);

    ASSERT_TRUE(doc->CopyNode(leafItems[0]));
    EXPECT_FALSE(doc->IsPasteNodeValid(nodes, false));
    EXPECT_TRUE(doc->IsPasteNodeValid(leaves, false));
    EXPECT_TRUE(doc->IsPasteNodeValid(leafItems[1], false));
    ASSERT_TRUE(doc->PasteNode(leafItems[2]));  // onto a leaf: before it
    EXPECT_EQ(doc->Tree().NextSibling(doc->Tree().Selected()), leafItems[2]);
    EXPECT_EQ(Page(doc->Tree().Selected()), 4);  // the leaf under the first node is page 1
    ExpectInvariants();

    ASSERT_TRUE(doc->CopyNode(child));
    EXPECT_FALSE(doc->IsPasteNodeValid(leafItems[0], true));
    EXPECT_EQ(LastMessage(), "You can not paste onto Leaves.");
    EXPECT_FALSE(doc->PasteNode(leafItems[0]));
    EXPECT_EQ(LastMessage(),
              "Pasting a non-Leaf node (Major Category, Sub Category, Major Topic, Sub Topic) "
              "containing Leaves onto another non-Leaf node containing Leaves is not allowed.");
    ASSERT_TRUE(doc->CopyNode(leafItems[0]));
    EXPECT_FALSE(doc->PasteNode(nodes));
    EXPECT_EQ(LastMessage(),
              "Pasting data here would result in a Leaf being at the same level as a non-Leaf "
              "node.");
    CElementClipboard empty;
    EXPECT_FALSE(doc->IsPasteNodeValid(nodes, true, &empty));
    EXPECT_EQ(LastMessage(), "The Node Clipboard contains no data.");
}

TEST_F(StructureEditTest, AtMost256NodeChildrenButAMoveUnderTheSameParentFits) {
    std::vector<int> majors;
    for (int i = 0; i < 256; ++i) {
        majors.push_back(AddNodeUnder(Root()));
    }
    doc->Tree().Entry(Root()).SetTitle("Deck");
    ASSERT_TRUE(doc->CopyNode(majors[0]));
    EXPECT_FALSE(doc->PasteNode(Root()));
    EXPECT_EQ(LastMessage(), "Pasting data here would result in more than 256 nodes under Deck.");
    doc->Tree().Select(majors[0]);
    EXPECT_TRUE(doc->MoveNode(MoveDirection::Last));
    EXPECT_EQ(doc->Tree().LastChild(Root()), majors[0]);
    ExpectInvariants();
}

TEST_F(StructureEditTest, MovingTheFirstSiblingUpIsRefused) {
    const int node = AddNodeUnder(Root());
    const auto leaves = AddLeaves(node, 3);
    doc->Tree().Select(leaves[0]);
    EXPECT_FALSE(doc->MoveNode(MoveDirection::Up));
    EXPECT_FALSE(doc->MoveNode(MoveDirection::First));
    EXPECT_EQ(LastMessage(), "Source and destination nodes are the same.  Move will not proceed.");
    EXPECT_EQ(Ui().Messages().back().style, kStyleExclamation);
    doc->Tree().Select(leaves[2]);
    EXPECT_FALSE(doc->MoveNode(MoveDirection::Down));
}

TEST_F(StructureEditTest, DeleteAsksWithTheBranchCounts) {
    const int node = AddNodeUnder(Root());
    doc->Tree().Entry(node).SetTitle("Unit 1");
    const int a = AddNodeUnder(node);
    const int b = AddNodeUnder(node);
    AddLeaves(a, 2);
    AddLeafUnder(b);
    Ui().QueueConfirm(false);
    EXPECT_FALSE(doc->Delete(node));
    ASSERT_FALSE(Ui().Messages().empty());
    EXPECT_EQ(Ui().Messages().back().text,
              "Deleting this node will also remove all of its sub-nodes:\r\n2 nodes\r\n3 QAF "
              "leaves\r\n\r\nAre you sure you want to delete node Unit 1?");
    EXPECT_TRUE(doc->Tree().IsLive(node));
    const int leaf = doc->Tree().FirstChild(b);
    doc->Tree().Entry(leaf).SetTitle("Only");
    Ui().QueueConfirm(false);
    EXPECT_FALSE(doc->CutNode(leaf));
    EXPECT_EQ(Ui().Messages().back().text, "Are you sure you want to cut slide Only?");
    EXPECT_FALSE(doc->Delete(Root()));
    EXPECT_EQ(LastMessage(), "The root node can not be deleted.");
}

TEST_F(StructureEditTest, DeletingPageFourRenumbersTheRest) {
    const int node = AddNodeUnder(Root());
    const auto leaves = AddLeaves(node, 10);
    doc->Tree().Entry(leaves[5]).Leaf->SetSeeAlsoID(1, std::to_string(leaves[3]));
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->Delete(leaves[3]));
    for (int i = 4; i < 10; ++i) {
        EXPECT_EQ(Page(leaves[static_cast<std::size_t>(i)]), i);
    }
    EXPECT_TRUE(doc->Tree().Entry(leaves[3]).Deleted);
    EXPECT_EQ(doc->Tree().Entry(leaves[5]).Leaf->SeeAlso(1), leaves[3]);
    EXPECT_EQ(std::count(doc->Tree().SeeAlsoChoices().begin(), doc->Tree().SeeAlsoChoices().end(),
                         leaves[3]),
              0);
    EXPECT_TRUE(doc->Dirty());
    ExpectInvariants();
}

TEST_F(StructureEditTest, IndentRulesAndLevelPushDown) {
    const int major = AddNodeUnder(Root());
    const int sub = AddNodeUnder(major);
    const int topic = AddNodeUnder(sub);
    AddNodeUnder(topic);  // a Sub Topic
    const auto leaves = AddLeaves(AddNodeUnder(Root()), 2);
    EXPECT_FALSE(doc->IsIndentOK(topic, IndentScope::Item, true));
    EXPECT_EQ(LastMessage(),
              "Only 5 node levels are allowed.\r\nIndenting here would result in more than 5 "
              "node levels.");
    EXPECT_FALSE(doc->IsIndentOK(leaves[0], IndentScope::Item, true));
    EXPECT_EQ(LastMessage(),
              "Leaves can not be Indented directly.  Use Indent All Children from a Leaf's "
              "parent node.");
    EXPECT_FALSE(doc->IsIndentOK(Root(), IndentScope::Item, true));
    EXPECT_EQ(LastMessage(), "The Root node can not be indented.");

    const int lone = AddNodeUnder(Root());
    EXPECT_FALSE(doc->IsIndentOK(lone, IndentScope::Children, true));
    EXPECT_EQ(LastMessage(), "The selected node has no children to Indent.");
    doc->Tree().Select(lone);
    ASSERT_TRUE(doc->Indent(IndentScope::Item));
    EXPECT_EQ(doc->Tree().Level(lone), 13);
    EXPECT_EQ(doc->Tree().Entry(doc->Tree().Parent(lone)).Title(), "<Major Category>");
    doc->Tree().Select(doc->Tree().Parent(leaves[0]));
    ASSERT_TRUE(doc->Indent(IndentScope::Children));
    EXPECT_EQ(doc->Tree().Level(doc->Tree().Parent(leaves[0])), 13);
    EXPECT_EQ(Page(leaves[0]), 1);
    ExpectInvariants();
}

TEST_F(StructureEditTest, CopyLeavesTheDocumentAndTheUndoRecordAlone) {
    const int node = AddNodeUnder(Root());
    const auto leaves = AddLeaves(node, 2);
    doc->ForceDirty(false);
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->Delete(leaves[0]));
    EXPECT_EQ(doc->UndoMenu().caption, "&Undo Delete");
    doc->ForceDirty(false);
    ASSERT_TRUE(doc->CopyNode(leaves[1]));
    EXPECT_FALSE(doc->Dirty());
    EXPECT_EQ(doc->UndoMenu().caption, "&Undo Delete");
    EXPECT_EQ(doc->NodeClipboard().LastOperation(), kOpCopy);
}

TEST_F(StructureEditTest, UndoAndRedoOfADelete) {
    const int node = AddNodeUnder(Root());
    const auto leaves = AddLeaves(node, 5);
    EXPECT_FALSE(doc->UpdateEditMenu(-1).enabled);
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->Delete(leaves[2]));
    ASSERT_TRUE(doc->Undo());
    EXPECT_TRUE(doc->Tree().IsLive(leaves[2]));
    EXPECT_EQ(Page(leaves[2]), 3);
    EXPECT_EQ(doc->Tree().PreviousSibling(leaves[2]), leaves[1]);
    EXPECT_EQ(doc->UndoMenu().caption, "&Redo Delete");
    EXPECT_EQ(doc->UndoMenu().tag, 8);
    ExpectInvariants();
    Ui().QueueConfirm(true);  // redo asks again
    ASSERT_TRUE(doc->Redo());
    EXPECT_FALSE(doc->Tree().IsLive(leaves[2]));
    EXPECT_EQ(doc->UndoMenu().caption, "&Undo Delete");
    EXPECT_EQ(doc->UndoMenu().tag, 7);
    ExpectInvariants();
}

TEST_F(StructureEditTest, UndoAndRedoOfAPasteKeepTheSameCopies) {
    const int node = AddNodeUnder(Root());
    const auto leaves = AddLeaves(node, 3);
    ASSERT_TRUE(doc->CopyNode(node));
    ASSERT_TRUE(doc->PasteNode(Root()));
    const int copy = doc->Tree().Selected();
    const std::vector<int> copies = doc->Tree().Preorder(copy);
    ASSERT_EQ(copies.size(), 4u);
    ASSERT_TRUE(doc->Undo());
    EXPECT_FALSE(doc->Tree().IsLive(copy));
    EXPECT_EQ(doc->UndoMenu().caption, "&Redo Paste");
    ExpectInvariants();
    ASSERT_TRUE(doc->Redo());
    EXPECT_EQ(doc->Tree().Preorder(copy), copies);
    EXPECT_EQ(doc->UndoMenu().caption, "&Undo Paste");
    ExpectInvariants();
}

TEST_F(StructureEditTest, UndoOfAMoveBringsTheItemBack) {
    const int node = AddNodeUnder(Root());
    const auto leaves = AddLeaves(node, 3);
    doc->Tree().Select(leaves[0]);
    ASSERT_TRUE(doc->MoveNode(MoveDirection::Down));
    EXPECT_EQ(doc->Tree().Children(node), (std::vector<int>{leaves[1], leaves[0], leaves[2]}));
    EXPECT_EQ(Page(leaves[0]), 2);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->Tree().Children(node), leaves);
    EXPECT_EQ(doc->UndoMenu().caption, "&Redo Move");
    ASSERT_TRUE(doc->Redo());
    EXPECT_EQ(doc->Tree().Children(node), (std::vector<int>{leaves[1], leaves[0], leaves[2]}));
    ExpectInvariants();
}

TEST_F(StructureEditTest, PasteIntoAnotherDocumentThroughTheSharedClipboard) {
    CElementClipboard shared;
    doc->SetNodeClipboard(&shared);
    auto other = NewDocument();
    other->SetNodeClipboard(&shared);
    const int node = AddNodeUnder(Root());
    AddLeaves(node, 2);
    ASSERT_TRUE(doc->CopyNode(node));
    ASSERT_TRUE(other->PasteNode(other->Tree().GetNodeInfoIndexOfRoot()));
    EXPECT_EQ(other->Tree().LeafCount(), 2u);
    EXPECT_EQ(other->Tree().Entry(other->Tree().Selected()).Title(), "<Major Category>");
}

TEST_F(StructureEditTest, EveryEditButCopyMarksTheDocumentChanged) {
    Settings().Set("Norvane Trovique", "NoShowAgain", "DeleteNode", "1");
    const int node = AddNodeUnder(Root());
    const std::vector<std::pair<std::string, std::function<bool(const std::vector<int>&)>>> edits =
        {
            {"copy", [&](const auto& l) { return doc->CopyNode(l[0]); }},
            {"paste", [&](const auto& l) { return doc->PasteNode(l[1]); }},
            {"move",
             [&](const auto& l) {
                 doc->Tree().Select(l[0]);
                 return doc->MoveNode(MoveDirection::Down);
             }},
            {"cut", [&](const auto& l) { return doc->CutNode(l[0]); }},
            {"delete", [&](const auto& l) { return doc->Delete(l[1]); }},
            {"undo", [&](const auto&) { return doc->Undo(); }},
            {"redo", [&](const auto&) { return doc->Redo(); }},
        };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        const auto leaves = AddLeaves(node, 2);
        doc->ForceDirty(false);
        ASSERT_TRUE(edit(leaves));
        EXPECT_EQ(doc->Dirty(), name != "copy");
        ExpectInvariants();
    }
}

TEST_F(StructureEditTest, RedoneCutFillsTheNodeClipboardAgain) {
    const int node = AddNodeUnder(Root());
    const auto leaves = AddLeaves(node, 2);
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->CutNode(leaves[0]));
    ASSERT_TRUE(doc->Undo());
    doc->NodeClipboard().Clear();
    EXPECT_EQ(doc->UndoMenu().caption, "&Redo Cut");
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->Redo());
    EXPECT_FALSE(doc->Tree().IsLive(leaves[0]));
    ASSERT_TRUE(doc->NodeClipboard().ContainsData());
    EXPECT_EQ(doc->NodeClipboard().SourceIndex(1), leaves[0]);
    EXPECT_EQ(doc->NodeClipboard().LastOperation(), kOpCut);
}

TEST_F(StructureEditTest, UndoThatNoLongerFitsIsRefusedAndTheRecordKept) {
    EXPECT_FALSE(doc->Undo());  // nothing recorded
    const int node = AddNodeUnder(Root());
    const int leaf = AddLeafUnder(node);
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->Delete(leaf));
    AddNodeUnder(node);  // the node now holds nodes: no place for a leaf
    Ui().ClearMessages();
    EXPECT_FALSE(doc->Undo());
    EXPECT_EQ(LastMessage(),
              "Pasting data here would result in a Leaf being at the same level as a non-Leaf "
              "node.");
    EXPECT_FALSE(doc->Tree().IsLive(leaf));
    EXPECT_EQ(doc->UndoMenu().caption, "&Undo Delete");
    ExpectInvariants();
}

TEST_F(StructureEditTest, EmptyingTheTreeDropsTheUndoRecord) {
    const int leaf = AddLeafUnder(AddNodeUnder(Root()));
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->Delete(leaf));
    doc->ClearTree();
    doc->AddGenNode(ElementKind::Root, {}, nullptr, 0, Relationship::Child, AddOptions::None);
    EXPECT_FALSE(doc->UndoMenu().enabled);
    EXPECT_FALSE(doc->Undo());
    EXPECT_FALSE(doc->Tree().IsLive(leaf));
}

// Branches of many leaves go in and out with their pages in one pass; the pages around them
// must come out as if every leaf had been placed one by one.
TEST_F(StructureEditTest, LargeBranchesKeepThePagesAroundThem) {
    Settings().Set("Norvane Trovique", "NoShowAgain", "DeleteNode", "1");
    const int first = AddNodeUnder(Root());
    const int firstSub = AddNodeUnder(first);
    AddLeaves(firstSub, 40);
    const int second = AddNodeUnder(Root());
    const auto later = AddLeaves(AddNodeUnder(second), 30);
    ASSERT_TRUE(doc->CopyNode(firstSub));
    ASSERT_TRUE(doc->PasteNode(first));
    EXPECT_EQ(Page(later[0]), 81);
    ExpectInvariants();
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(Page(later[0]), 41);
    ExpectInvariants();
    ASSERT_TRUE(doc->Redo());
    ExpectInvariants();
    ASSERT_TRUE(doc->Delete(firstSub));
    EXPECT_EQ(Page(later[0]), 41);
    ExpectInvariants();
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(Page(later[0]), 81);
    EXPECT_EQ(Page(doc->Tree().FirstChild(firstSub)), 1);
    ExpectInvariants();
}

// Long random sequences of edits and undos keep every invariant.
TEST_F(StructureEditTest, InvariantsHoldUnderRandomEdits) {
    std::vector<int> nodes = {AddNodeUnder(Root()), AddNodeUnder(Root())};
    nodes.push_back(AddNodeUnder(nodes[0]));
    for (const int node : {nodes[1], nodes[2]}) {
        AddLeaves(node, 6);
    }
    Settings().Set("Norvane Trovique", "NoShowAgain", "DeleteNode", "1");
    test::RandomEditRun run(*doc, 5);
    for (int step = 0; step < 1500; ++step) {
        SCOPED_TRACE("step " + std::to_string(step) + " " + run.Step());
        ExpectInvariants();
        if (HasFatalFailure()) {
            FAIL() << "after step " << step;
        }
    }
}

}  // namespace
}  // namespace trovique
