#include <gtest/gtest.h>

#include <map>

#include "core/editor/Document.h"
#include "core/editor/EditorPictures.h"
#include "core/editor/LeafCommands.h"
#include "core/services/MessageStyle.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

constexpr LeafKind kQAF = LeafKind::QAF;
constexpr LeafKind kBitmap = LeafKind::Bitmap;
constexpr LeafKind kFact = LeafKind::Fact;

class LeafConversionTest : public testing::Test, public test::DocumentFixture {
protected:
    void SetUp() override {
        doc = NewDocument();
        node = doc->AddNode();
    }
    int AddLeaf() {
        doc->Tree().Select(node);
        return doc->AddQAF();
    }
    CLeaf& LeafOf(int index) { return *doc->Tree().Entry(index).Leaf; }
    LeafKind KindOf(int index) {
        return LeafOf(index).BITMAPOnly() ? kBitmap : LeafOf(index).FACTOnly() ? kFact : kQAF;
    }
    void Convert(int leaf, LeafKind kind) {
        doc->Tree().Select(leaf);
        ASSERT_TRUE(doc->ConvertSelectedLeaf(kind));
    }

    std::unique_ptr<CDocument> doc;
    int node = 0;
};

// Every kind to every kind, with a 3000-byte picture: the flags of the new kind, and DBSize
// moved by the difference of the contributions (QAF to BITMAP: 18 + 3000 - 250 = 2768).
TEST_F(LeafConversionTest, EveryKindToEveryKindMovesTheSizeByTheDifference) {
    test::PictureFiles files;
    const auto picture = files.Load("color", test::ExactSizeImage(160, 120, 3000));
    ASSERT_EQ(test::PalmSize(*picture), 3000);
    const std::map<LeafKind, std::int64_t> contribution = {
        {kQAF, 250}, {kFact, 100}, {kBitmap, 3018}};
    for (const LeafKind from : {kQAF, kBitmap, kFact}) {
        for (const LeafKind to : {kQAF, kBitmap, kFact}) {
            SCOPED_TRACE(std::to_string(RecordTypeOf(from)) + " -> " +
                         std::to_string(RecordTypeOf(to)));
            const int leaf = AddLeaf();
            LeafOf(leaf).SetColorBitmap(picture);
            Convert(leaf, from);
            const std::int64_t before = doc->Tree().DBSize();
            Convert(leaf, to);
            EXPECT_EQ(KindOf(leaf), to);
            EXPECT_FALSE(LeafOf(leaf).FACTOnly() && LeafOf(leaf).BITMAPOnly());
            EXPECT_EQ(doc->Tree().DBSize() - before, contribution.at(to) - contribution.at(from));
        }
    }
    EXPECT_EQ(doc->Tree().DBSize(), doc->ComputeDBSize());
}

TEST_F(LeafConversionTest, FactToBitmapAndBackKeepsTheTextsButNotCopyable) {
    const int leaf = AddLeaf();
    CLeaf& record = LeafOf(leaf);
    record.SetFact("The fact");
    record.SetQuestion("Why?");
    record.SetAnswer(4, "Because");
    record.SetCopyable(true);
    Convert(leaf, kBitmap);
    EXPECT_FALSE(record.Copyable());
    Convert(leaf, kFact);
    EXPECT_EQ(KindOf(leaf), kFact);
    EXPECT_FALSE(record.Copyable());
    EXPECT_EQ(record.Fact(), "The fact");
    EXPECT_EQ(record.Question(), "Why?");
    EXPECT_EQ(record.GetAnswer(4), "Because");
}

TEST_F(LeafConversionTest, ConvertAllSkipsDeletedLeavesWhichComeBackWithTheirOwnSize) {
    const std::vector<int> leaves = {AddLeaf(), AddLeaf(), AddLeaf()};
    Ui().QueueConfirm(true);
    ASSERT_TRUE(doc->Delete(leaves[1]));
    doc->ForceDirty(false);
    ASSERT_TRUE(doc->ConvertAllLeaves(kQAF));
    EXPECT_TRUE(doc->Dirty());
    EXPECT_EQ(KindOf(leaves[0]), kQAF);
    EXPECT_EQ(KindOf(leaves[2]), kQAF);
    EXPECT_EQ(KindOf(leaves[1]), kFact);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->Tree().DBSize(), doc->ComputeDBSize());
}

TEST_F(LeafConversionTest, MarkingCopyEnabledNeverTouchesBitmapLeaves) {
    const int fact = AddLeaf();
    const int bitmap = AddLeaf();
    Convert(bitmap, kBitmap);
    for (const bool enable : {true, false}) {
        LeafOf(bitmap).SetCopyable(!enable);
        ASSERT_TRUE(doc->MarkLeavesCopyEnabled(enable));
        EXPECT_EQ(LeafOf(fact).Copyable(), enable);
        EXPECT_EQ(LeafOf(bitmap).Copyable(), !enable);
    }
}

// A failure half-way is reported; the leaves converted before it keep their kind and size.
TEST_F(LeafConversionTest, AFailingEntryLeavesTheEarlierOnesConverted) {
    const int leaf = AddLeaf();
    const std::int64_t before = doc->Tree().DBSize();
    EXPECT_FALSE(doc->ConvertLeaves({leaf, node}, kQAF));
    EXPECT_EQ(KindOf(leaf), kQAF);
    EXPECT_EQ(doc->Tree().DBSize(), before + 150);
    EXPECT_EQ(Ui().MessageTexts().at(0).rfind("An error has occurred: ", 0), 0u);
}

// ---- The main window's commands ----

TEST(LeafCommandArgumentTest, ArgumentsNameKinds) {
    for (const auto& [argument, kind] : std::vector<std::pair<std::string, LeafKind>>{
             {"0", kQAF}, {"1", kFact}, {"2", kBitmap}, {"", kQAF}, {"1.5", kBitmap}}) {
        EXPECT_EQ(LeafKindFromArgument(argument), kind) << '"' << argument << '"';
    }
}

TEST_F(LeafConversionTest, ConvertAllAsksAPlainQuestionEvenWithoutLeaves) {
    Ui().QueueAnswer(MessageAnswer::Yes);
    EXPECT_FALSE(RunLeafCommand(*doc, kCmdConvertAllLeaves, "0"));
    ASSERT_EQ(Ui().Messages().size(), 2u);
    EXPECT_EQ(Ui().Messages()[0].text,
              "You have opted to convert all leaves.  Conversion between leaf types often "
              "involves losing data.  For example, BITMAP leaves do not have Fact or Question "
              "Text.  If a leaf is converted to BITMAP, all Fact and Question text is removed "
              "when the document is saved.\r\n\r\nAre you sure you want to convert all leaves?");
    EXPECT_EQ(Ui().Messages()[0].style, kStyleYesNo);
    EXPECT_EQ(Ui().Messages()[1].text, "There are no leaves to convert.");

    const int leaf = AddLeaf();
    Ui().QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(RunLeafCommand(*doc, kCmdConvertAllLeaves, "2"));
    EXPECT_EQ(KindOf(leaf), kFact);
}

TEST_F(LeafConversionTest, ConvertSelectedAsksAQuestionThatMayBeSilenced) {
    const int leaf = AddLeaf();
    doc->Tree().Select(node);
    doc->ForceDirty(false);
    Ui().QueueConfirm(true, true);  // asked, then nothing happens to a node
    EXPECT_FALSE(RunLeafCommand(*doc, kCmdConvertLeaf, "0"));
    EXPECT_FALSE(doc->Dirty());
    EXPECT_TRUE(Ui().Messages().at(0).text.ends_with(
        "saved.\r\n\r\nAre you sure you want to convert the selected leaf?"));
    doc->Tree().Select(leaf);
    EXPECT_TRUE(RunLeafCommand(*doc, kCmdConvertLeaf, "2"));  // remembered: not asked again
    EXPECT_EQ(KindOf(leaf), kBitmap);
    EXPECT_EQ(Ui().Messages().size(), 1u);
    const int other = AddLeaf();
    EXPECT_TRUE(RunLeafCommand(*doc, kCmdMarkLeavesCopyEnabled, "7"));  // any non-zero number
    EXPECT_TRUE(LeafOf(other).Copyable());
}

}  // namespace
}  // namespace trovique
