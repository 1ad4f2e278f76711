#include "core/editor/DocumentPresentation.h"

#include <gtest/gtest.h>

#include "support/DocumentFixture.h"

namespace trovique {
namespace {

TEST(DocumentSizeLabelTest, KilobytesAreTruncated) {
    const std::vector<std::pair<std::int64_t, std::string>> cases = {
        {0, "<1K"},   {290, "<1K"}, {1023, "<1K"},         {1024, "1K"},
        {2047, "1K"}, {2048, "2K"}, {15'500'000, "15136K"}};
    for (const auto& [size, label] : cases) {
        EXPECT_EQ(SizeLabel(size), label) << size;
    }
}

TEST(DocumentImageTest, LeafPictureFollowsItsStateInOrder) {
    CLeaf leaf;
    EXPECT_EQ(GetLeafImage(leaf), 7);
    leaf.SetHighlight(true);
    EXPECT_EQ(GetLeafImage(leaf), 8);
    leaf.SetReEdit(true);
    EXPECT_EQ(GetLeafImage(leaf), 10);
    leaf.SetPasswordProtect(true);
    EXPECT_EQ(GetLeafImage(leaf), 11);
    leaf.SetValid(false);
    EXPECT_EQ(GetLeafImage(leaf), 9);
    EXPECT_EQ(GetRootImage(false, false), 13);
    EXPECT_EQ(GetRootImage(false, true), 15);
}

TEST(UndoMenuTest, CaptionTagAndStateFollowTheRecordAndTheMode) {
    struct Case {
        int operation;
        int mode;
        UndoMenuState expected;
    };
    const Case cases[] = {
        {kOpNone, kOpUndo, {"&Undo ", kOpUndo, false}},
        {kOpNone, kOpRedo, {"&Undo ", kOpUndo, false}},
        {kOpCut, kOpUndo, {"&Undo Cut", kOpUndo, true}},
        {kOpPaste, kOpRedo, {"&Redo Paste", kOpRedo, true}},
        {kOpDelete, kOpDelete, {"&Undo Delete", kOpUndo, true}},
        {kOpMove, kOpRedo, {"&Redo Move", kOpRedo, true}},
        {kOpCopy, kOpUndo, {"&Undo ", kOpUndo, true}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeUndoMenu(c.operation, c.mode), c.expected)
            << c.operation << " " << c.mode;
    }
}

TEST(RelabelForKindTest, CutsAfterTheLastSpace) {
    EXPECT_EQ(RelabelForKind("&Delete Node", true), "&Delete Leaf");
    EXPECT_EQ(RelabelForKind("Go To Parent Leaf", false), "Go To Parent Node");
    EXPECT_EQ(RelabelForKind("Single", true), "Leaf");
}

TEST(TextFieldTest, LimitsAndNumbersAreTheWindowsOwn) {
    const std::pair<TextField, std::size_t> cases[] = {
        {TextField::SlideShowTitle, 25},  {TextField::NodeTitle, 25},
        {TextField::LeafTitle, 255},      {TextField::Question, 250},
        {TextField::Answer1, 110},        {TextField::Answer4, 110},
        {TextField::Fact, 10000},         {TextField::CreatorID, 4},
        {TextField::PageNumber, 4},       {TextField::ProgramIconName, 10},
        {TextField::SplashComments, 250}, {TextField::AboutComments, 250},
    };
    for (const auto& [field, limit] : cases) {
        EXPECT_EQ(TextFieldLimit(field), limit) << static_cast<int>(field);
    }
    EXPECT_EQ(static_cast<int>(TextField::Answer1), 4);
    EXPECT_EQ(static_cast<int>(TextField::AboutComments), 13);
}

class NodeMenuTest : public testing::Test, public test::DocumentTestBase {};

TEST_F(NodeMenuTest, EnablingFollowsTheSelection) {
    const int node = AddNodeUnder(Root());
    const int first = AddLeafUnder(node);
    const int middle = AddLeafUnder(node);
    const int last = AddLeafUnder(node);
    const int lone = AddNodeUnder(Root());
    struct Case {
        const char* name;
        int item;
        NodeMenuState expected;
    };
    //                 add    delete cut    copy   paste  up     down   expand convert leaf
    const Case cases[] = {
        {"none", 0, {false, false, true, true, false, false, false, true, false, false}},
        {"root", Root(), {false, false, false, false, false, false, false, true, false, false}},
        {"node", node, {false, true, true, true, false, false, true, true, false, false}},
        {"first leaf", first, {false, true, true, true, false, false, true, false, true, true}},
        {"middle leaf", middle, {false, true, true, true, false, true, true, false, true, true}},
        {"last leaf", last, {false, true, true, true, false, true, false, false, true, true}},
        {"last node", lone, {false, true, true, true, false, true, false, true, false, false}},
    };
    for (const Case& c : cases) {
        doc->Tree().Select(c.item);
        EXPECT_EQ(SetNodeMenuSelections(doc->Tree(), doc->NodeClipboard()), c.expected) << c.name;
    }
    ASSERT_TRUE(doc->CopyNode(middle));
    EXPECT_TRUE(SetNodeMenuSelections(doc->Tree(), doc->NodeClipboard()).paste);
}

TEST_F(NodeMenuTest, FieldTextReadsTheBoxesValues) {
    const int leaf = AddLeafUnder(AddNodeUnder(Root()));
    ASSERT_TRUE(doc->SetFieldText(leaf, TextField::Answer2, "Mars"));
    ASSERT_TRUE(doc->SetFieldText(0, TextField::CreatorID, "TQdx"));
    EXPECT_EQ(FieldText(*doc, leaf, TextField::Answer2), "Mars");
    EXPECT_EQ(FieldText(*doc, leaf, TextField::LeafTitle), "<FACT>");
    EXPECT_EQ(FieldText(*doc, leaf, TextField::PageNumber), "1");
    EXPECT_EQ(FieldText(*doc, 0, TextField::CreatorID), "TQdx");
    EXPECT_EQ(FieldText(*doc, 0, TextField::SlideShowTitle), "New Slide Show");
    EXPECT_EQ(FieldText(*doc, 0, TextField::ProgramIconName), "Quodex");
    EXPECT_EQ(FieldText(*doc, Root(), TextField::Question), "");
    EXPECT_EQ(FieldText(*doc, leaf, TextField::NodeTitle), "");
}

}  // namespace
}  // namespace trovique
