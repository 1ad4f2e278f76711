#include <gtest/gtest.h>

#include "core/app/MessageStyle.h"
#include "core/editor/Document.h"
#include "core/editor/EditorPictures.h"
#include "core/editor/LeafCommands.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

constexpr int kQAF = CDocument::kLeafKindQAF;
constexpr int kBitmap = CDocument::kLeafKindBitmap;
constexpr int kFact = CDocument::kLeafKindFact;

class LeafConversionTest : public testing::Test, public test::DocumentFixture {
protected:
    void SetUp() override {
        doc = NewDocument();
        doc->Select(doc->GetNodeInfoIndexOfRoot());
        node = doc->AddNode();
    }

    int AddLeaf() {
        doc->Select(node);
        return doc->AddQAF();
    }
    CLeaf& LeafOf(int index) { return *doc->Entry(index).Leaf; }
    int KindOf(int index) {
        const CLeaf& leaf = LeafOf(index);
        return leaf.BITMAPOnly() ? kBitmap : leaf.FACTOnly() ? kFact : kQAF;
    }
    void ConvertDirectly(int leaf, int kind) {
        doc->Select(leaf);
        ASSERT_TRUE(doc->ConvertSelectedLeaf(kind));
    }

    std::unique_ptr<CDocument> doc;
    int node = 0;
    test::PictureFiles pictures;
};

// Every kind to every kind: the flags of the new kind, and DBSize moved by the difference of
// the two kinds' contributions (a BITMAP leaf counts 18 plus its pictures).
TEST_F(LeafConversionTest, EveryKindToEveryKind) {
    const auto picture = pictures.Load("color", test::ExactSizeImage(160, 120, 3000));
    const auto contribution = [](int kind) -> std::int64_t {
        return kind == kBitmap ? 18 + 3000 : kind == kFact ? 100 : 250;
    };
    for (const int from : {kQAF, kBitmap, kFact}) {
        for (const int to : {kQAF, kBitmap, kFact}) {
            SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));
            const int leaf = AddLeaf();
            LeafOf(leaf).SetColorBitmap(picture);
            ConvertDirectly(leaf, from);
            const std::int64_t before = doc->DBSize();
            ConvertDirectly(leaf, to);
            EXPECT_EQ(KindOf(leaf), to);
            EXPECT_FALSE(LeafOf(leaf).FACTOnly() && LeafOf(leaf).BITMAPOnly());
            EXPECT_EQ(doc->DBSize() - before, contribution(to) - contribution(from));
            EXPECT_EQ(doc->DBSize(), doc->ComputeDBSize());
        }
    }
}

TEST_F(LeafConversionTest, QAFLeafWithA3000BytePictureToBitmapAdds2768) {
    const int leaf = AddLeaf();
    ConvertDirectly(leaf, kQAF);
    LeafOf(leaf).SetColorBitmap(pictures.Load("color", test::ExactSizeImage(160, 120, 3000)));
    ASSERT_EQ(test::PalmSize(*LeafOf(leaf).ColorBitmap()), 3000);
    const std::int64_t before = doc->DBSize();
    ConvertDirectly(leaf, kBitmap);
    EXPECT_EQ(doc->DBSize() - before, 2768);
}

TEST_F(LeafConversionTest, FactToBitmapAndBackKeepsEveryText) {
    const int leaf = AddLeaf();
    CLeaf& record = LeafOf(leaf);
    record.SetFact("The fact");
    record.SetQuestion("The question?");
    for (int answer = 1; answer <= 4; ++answer) {
        record.SetAnswer(answer, "Answer " + std::to_string(answer));
    }
    ConvertDirectly(leaf, kBitmap);
    ConvertDirectly(leaf, kFact);
    EXPECT_EQ(KindOf(leaf), kFact);
    EXPECT_EQ(record.Fact(), "The fact");
    EXPECT_EQ(record.Question(), "The question?");
    for (int answer = 1; answer <= 4; ++answer) {
        EXPECT_EQ(record.GetAnswer(answer), "Answer " + std::to_string(answer));
    }
}

TEST_F(LeafConversionTest, ToBitmapClearsCopyableAndAwayDoesNotSetIt) {
    const int leaf = AddLeaf();
    LeafOf(leaf).SetCopyable(true);
    ConvertDirectly(leaf, kBitmap);
    EXPECT_FALSE(LeafOf(leaf).Copyable());
    ConvertDirectly(leaf, kQAF);
    EXPECT_FALSE(LeafOf(leaf).Copyable());
}

TEST_F(LeafConversionTest, ConvertAllTakesEveryLiveLeafAndSkipsDeletedOnes) {
    std::vector<int> leaves;
    for (int i = 0; i < 4; ++i) {
        leaves.push_back(AddLeaf());
    }
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->Delete(leaves[1]));
    doc->ForceDirty(false);
    ASSERT_TRUE(doc->ConvertAllLeaves(kQAF));
    EXPECT_TRUE(doc->Dirty());
    for (const int leaf : {leaves[0], leaves[2], leaves[3]}) {
        EXPECT_EQ(KindOf(leaf), kQAF);
    }
    EXPECT_EQ(KindOf(leaves[1]), kFact);
    EXPECT_EQ(doc->DBSize(), doc->ComputeDBSize());
    // The deleted leaf comes back with its own kind and size.
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->DBSize(), doc->ComputeDBSize());
}

TEST_F(LeafConversionTest, ConvertingASelectedNodeDoesNothing) {
    AddLeaf();
    doc->Select(node);
    doc->ForceDirty(false);
    const std::int64_t size = doc->DBSize();
    EXPECT_FALSE(doc->ConvertSelectedLeaf(kQAF));
    EXPECT_FALSE(doc->Dirty());
    EXPECT_EQ(doc->DBSize(), size);
    EXPECT_TRUE(Ui().Messages().empty());
}

TEST_F(LeafConversionTest, AnUnknownKindChangesNoFlagButMarksTheDocument) {
    const int leaf = AddLeaf();
    doc->ForceDirty(false);
    ConvertDirectly(leaf, 7);
    EXPECT_EQ(KindOf(leaf), kFact);
    EXPECT_TRUE(doc->Dirty());
}

TEST_F(LeafConversionTest, MarkingCopyEnabledSkipsBitmapLeaves) {
    const int fact = AddLeaf();
    const int qaf = AddLeaf();
    const int bitmap = AddLeaf();
    ConvertDirectly(qaf, kQAF);
    ConvertDirectly(bitmap, kBitmap);
    doc->ForceDirty(false);
    ASSERT_TRUE(doc->MarkLeavesCopyEnabled(true));
    EXPECT_TRUE(doc->Dirty());
    EXPECT_TRUE(LeafOf(fact).Copyable());
    EXPECT_TRUE(LeafOf(qaf).Copyable());
    EXPECT_FALSE(LeafOf(bitmap).Copyable());
    LeafOf(bitmap).SetCopyable(true);  // as a file could hold it
    ASSERT_TRUE(doc->MarkLeavesCopyEnabled(false));
    EXPECT_FALSE(LeafOf(fact).Copyable());
    EXPECT_FALSE(LeafOf(qaf).Copyable());
    EXPECT_TRUE(LeafOf(bitmap).Copyable());
}

TEST_F(LeafConversionTest, ConversionWhileReadingLeavesTheSizeAlone) {
    const int leaf = AddLeaf();
    const std::int64_t size = doc->DBSize();
    doc->SetReading(true);
    ConvertDirectly(leaf, kQAF);
    doc->SetReading(false);
    EXPECT_EQ(doc->DBSize(), size);
}

TEST_F(LeafConversionTest, AFailingEntryIsReportedAndTheLeavesBeforeItStayConverted) {
    const int first = AddLeaf();
    const std::int64_t before = doc->DBSize();
    EXPECT_FALSE(doc->ConvertLeaves({first, node}, kQAF));
    EXPECT_EQ(KindOf(first), kQAF);
    EXPECT_EQ(doc->DBSize(), before + 150);
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_EQ(Ui().Messages()[0].text.rfind("An error has occurred: ", 0), 0u);
}

// ---- The main window's commands ----

class LeafCommandTest : public LeafConversionTest {};

TEST_F(LeafCommandTest, ArgumentsNameKinds) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"0", kQAF},   {"1", kFact},     {"2", kBitmap}, {"", kQAF},
        {"abc", kQAF}, {"1.5", kBitmap}, {"-1", kBitmap}};
    for (const auto& [argument, kind] : cases) {
        EXPECT_EQ(LeafKindFromArgument(argument), kind) << '"' << argument << '"';
    }
}

TEST_F(LeafCommandTest, ConvertAllAsksWithAPlainMessageBoxFirst) {
    const std::string expected =
        "You have opted to convert all leaves.  Conversion between leaf types often involves "
        "losing data.  For example, BITMAP leaves do not have Fact or Question Text.  If a leaf "
        "is converted to BITMAP, all Fact and Question text is removed when the document is "
        "saved.\r\n\r\nAre you sure you want to convert all leaves?";
    // Without leaves: asked first, then told.
    Ui().QueueAnswer(kAnswerYes);
    EXPECT_FALSE(RunLeafCommand(*doc, kCmdConvertAllLeaves, "0"));
    ASSERT_EQ(Ui().Messages().size(), 2u);
    EXPECT_EQ(Ui().Messages()[0].text, expected);
    EXPECT_EQ(Ui().Messages()[0].style, kStyleYesNo);
    EXPECT_EQ(Ui().Messages()[1].text, "There are no leaves to convert.");
    EXPECT_EQ(Ui().Messages()[1].style, kStyleInformation);

    const int leaf = AddLeaf();
    Ui().QueueAnswer(kAnswerNo);
    EXPECT_FALSE(RunLeafCommand(*doc, kCmdConvertAllLeaves, "2"));
    EXPECT_EQ(KindOf(leaf), kFact);
    Ui().QueueAnswer(kAnswerYes);
    EXPECT_TRUE(RunLeafCommand(*doc, kCmdConvertAllLeaves, "2"));
    EXPECT_EQ(KindOf(leaf), kBitmap);
}

TEST_F(LeafCommandTest, ConvertSelectedAsksOnceItMayBeSilenced) {
    const int leaf = AddLeaf();
    doc->Select(leaf);
    Ui().QueueConfirm(true, true);
    EXPECT_TRUE(RunLeafCommand(*doc, kCmdConvertLeaf, "0"));
    EXPECT_EQ(KindOf(leaf), kQAF);
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_EQ(Ui().Messages()[0].kind, test::ShownMessage::Kind::Confirm);
    EXPECT_NE(Ui().Messages()[0].text.find(
                  "saved.\r\n\r\nAre you sure you want to convert the selected leaf?"),
              std::string::npos);
    // Remembered: converted without a question.
    EXPECT_TRUE(RunLeafCommand(*doc, kCmdConvertLeaf, "2"));
    EXPECT_EQ(KindOf(leaf), kBitmap);
    EXPECT_EQ(Ui().Messages().size(), 1u);
}

TEST_F(LeafCommandTest, ConvertSelectedOnANodeAsksAndThenDoesNothing) {
    AddLeaf();
    doc->Select(node);
    doc->ForceDirty(false);
    Ui().QueueConfirm(true);
    EXPECT_FALSE(RunLeafCommand(*doc, kCmdConvertLeaf, "0"));
    EXPECT_EQ(Ui().Messages().size(), 1u);
    EXPECT_FALSE(doc->Dirty());
}

TEST_F(LeafCommandTest, CopyEnableArgumentIsAnyNonZeroNumber) {
    const int leaf = AddLeaf();
    for (const auto& [argument, enabled] :
         std::vector<std::pair<std::string, bool>>{{"1", true}, {"0", false}, {"7", true}}) {
        EXPECT_TRUE(RunLeafCommand(*doc, kCmdMarkLeavesCopyEnabled, argument));
        EXPECT_EQ(LeafOf(leaf).Copyable(), enabled) << argument;
    }
    EXPECT_FALSE(RunLeafCommand(*doc, 44, "1"));
    EXPECT_TRUE(Ui().Messages().empty());
}

}  // namespace
}  // namespace trovique
