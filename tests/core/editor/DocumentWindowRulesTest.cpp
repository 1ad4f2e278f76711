// What a slide show window asks of core beyond the panes: the closing question and its answers,
// the tree's tool tips, the Edit menu's Redo item, branch expansion and text imported into a box.
#include <gtest/gtest.h>

#include "core/app/TextEditCommands.h"
#include "core/editor/DocumentWindowRules.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

class DocumentWindowRulesTest : public testing::Test, public test::DocumentTestBase {};

struct CloseCase {
    const char* name;
    bool dirty;
    MessageAnswer answer;  // Ok: nothing is asked
    bool saves;            // what the save step reports
    bool closes;
    int saveCalls;
};

TEST_F(DocumentWindowRulesTest, CloseQuestionDecidesAndSavesOnlyOnYes) {
    const CloseCase cases[] = {
        {"unchanged", false, MessageAnswer::Ok, true, true, 0},
        {"cancel", true, MessageAnswer::Cancel, true, false, 0},
        {"no", true, MessageAnswer::No, true, true, 0},
        {"yes, saved", true, MessageAnswer::Yes, true, true, 1},
        {"yes, name cancelled", true, MessageAnswer::Yes, false, false, 1},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        doc->InitialCaption("New Slide Show 3");
        doc->ForceDirty(c.dirty);
        Ui().ClearMessages();
        if (c.answer != MessageAnswer::Ok) {
            Ui().QueueAnswer(c.answer);
        }
        int saveCalls = 0;
        EXPECT_EQ(QueryCloseDocument(*doc,
                                     [&] {
                                         ++saveCalls;
                                         return c.saves;
                                     }),
                  c.closes);
        EXPECT_EQ(saveCalls, c.saveCalls);
        ASSERT_EQ(Ui().Messages().size(), c.dirty ? 1u : 0u);
        if (c.dirty) {
            EXPECT_EQ(Ui().Messages()[0].text,
                      "Data has changed for:\r\nNew Slide Show 3.\r\n\r\nSave it now?");
            EXPECT_EQ(Ui().Messages()[0].style, kStyleYesNoCancel);
        }
    }
}

TEST_F(DocumentWindowRulesTest, ToolTipsNameTheSlideOfLeavesOnly) {
    const int node = AddNodeUnder(Root());
    AddLeafUnder(node);
    const int second = AddLeafUnder(node);
    EXPECT_EQ(ItemToolTip(doc->Tree(), second), "Slide 2");
    EXPECT_EQ(ItemToolTip(doc->Tree(), node), "");
    EXPECT_EQ(ItemToolTip(doc->Tree(), Root()), "");
    EXPECT_EQ(ItemToolTip(doc->Tree(), 999), "");
}

TEST(RedoOfferedTest, OnlyAnOfferedRedo) {
    EXPECT_FALSE(RedoOffered(DescribeUndoMenu(kOpNone, kOpRedo)));
    EXPECT_FALSE(RedoOffered(DescribeUndoMenu(kOpDelete, kOpUndo)));
    EXPECT_TRUE(RedoOffered(DescribeUndoMenu(kOpDelete, kOpRedo)));
}

TEST_F(DocumentWindowRulesTest, BranchExpansionReachesEveryNodeBelowAndNoOther) {
    const int major = AddNodeUnder(Root());
    const int sub = AddNodeUnder(major);
    const int topic = AddNodeUnder(sub);
    AddLeafUnder(topic);
    const int other = AddNodeUnder(Root());
    doc->Tree().SetBranchExpanded(major, true);
    for (const int node : {major, sub, topic}) {
        EXPECT_TRUE(doc->Tree().IsExpanded(node)) << node;
        EXPECT_TRUE(doc->Tree().Entry(node).Node->Expanded()) << node;
    }
    EXPECT_FALSE(doc->Tree().IsExpanded(other));
    doc->Tree().SetBranchExpanded(major, false);
    EXPECT_FALSE(doc->Tree().IsExpanded(topic));
}

struct ImportCase {
    const char* name;
    std::string bytes;
    std::size_t limit;
    std::string text;
    bool truncated;
};

TEST(TextForFieldTest, DecodesCutsAtStoredLengthAndGivesUtf8) {
    const ImportCase cases[] = {
        {"fits", "one\r\ntwo", 10, "one\ntwo", false},
        {"lone LF counts two stored", "ab\ncd", 4, "ab\n", true},
        {"no half line break", "abc\r\nd", 4, "abc", true},
        {"windows-1252 byte", "caf\xE9", 4, "caf\xC3\xA9", false},
        {"utf-8 counted in characters", "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9", 2, "\xC3\xA9t", true},
        {"no limit", std::string(20000, 'x'), 0, std::string(20000, 'x'), false},
    };
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportedFieldText got = TextForField(c.bytes, c.limit);
        EXPECT_EQ(got.text, c.text);
        EXPECT_EQ(got.truncated, c.truncated);
    }
    EXPECT_GE(BytesToReadForField(10000), 40000u);
}

}  // namespace
}  // namespace trovique
