#include "core/slideshowfile/SlideShowFixture.h"

namespace trovique {
namespace {

using test::LeafKind;

class SlideShowRoundTripTest : public test::SlideShowTest {};

TEST_F(SlideShowRoundTripTest, WorkingFileReadsBackAsTheSameSlideShow) {
    auto original = SampleShow();
    original->Properties().SetPassword("pw");
    original->Tree().Entry(Root(*original)).Node->SetSerialNumber("SN-1");
    auto colour = test::SlidePicture(128, 60, 11);
    test::SetSplash(original->Properties().MonochromeSplash(), test::MonochromeOf(*colour));
    test::SetSplash(original->Properties().ColorSplash(), colour);
    ASSERT_TRUE(Save(*original, PathOf("show.sdb")));

    auto doc = ReadBack(PathOf("show.sdb"));
    test::ExpectSameDocument(*original, *doc);
    EXPECT_EQ(doc->Tree().DBSize(), original->ComputeDBSize());
    EXPECT_FALSE(doc->Dirty());
    EXPECT_TRUE(doc->Properties().Locked());
    EXPECT_EQ(doc->Properties().Header().DBName(), "Sample Show");
}

TEST_F(SlideShowRoundTripTest, FileWrittenReadAndSavedAgainIsByteIdentical) {
    auto original = SampleShow();
    auto colour = test::SlidePicture(128, 60, 2);
    test::SetSplash(original->Properties().MonochromeSplash(), test::GreyOf(*colour));
    test::SetSplash(original->Properties().ColorSplash(), colour);
    for (const bool exportSwitch : {false, true}) {
        SCOPED_TRACE(exportSwitch ? "export" : "save");
        const auto first = SavedBytes(*original, "first", exportSwitch);
        auto doc = ReadBack(PathOf("first"));
        const auto second = SavedBytes(*doc, "second", exportSwitch);
        if (exportSwitch) {
            // The handheld's file has no record for leaves without pictures, so reading it
            // back loses them; what is left is written the same way again.
            auto third = ReadBack(PathOf("second"));
            EXPECT_EQ(SavedBytes(*third, "third", true), second);
            EXPECT_EQ(doc->Tree().LeafCount(), 1u);
            continue;
        }
        EXPECT_EQ(first, second);
    }
}

TEST_F(SlideShowRoundTripTest, UnstructuredShowKeepsItsKindAndSwitches) {
    auto original = NewDocument();
    original->Properties().SetStructured(false);
    original->Properties().SetSwitch(0, false);
    original->Properties().SetSwitch(2, true);
    AddLeafUnder(*original, Root(*original), LeafKind::FACT, "One");
    AddLeafUnder(*original, Root(*original), LeafKind::FACT, "Two");
    const auto saved = SavedBytes(*original, "loose.sdb");
    const std::size_t linkCount = 78 + 8 * 3 + 2 + 14;  // in the root, the first of 3 records
    EXPECT_EQ(saved[linkCount] * 256 + saved[linkCount + 1], 0) << "unstructured: no root links";
    auto doc = ReadBack(PathOf("loose.sdb"));
    test::ExpectSameDocument(*original, *doc);
}

struct LeafCase {
    LeafKind kind;
    bool auxText;
    bool secondPictures;
};

std::string CaseName(const testing::TestParamInfo<LeafCase>& info) {
    return std::string(test::KindName(info.param.kind)) + (info.param.auxText ? "_AuxText" : "") +
           (info.param.secondPictures ? "_SecondPictures" : "");
}

class LeafRoundTripTest : public test::SlideShowTest,
                          public testing::WithParamInterface<LeafCase> {};

// Every kind of leaf, with and without its extra records, between other leaves so that a
// record given to the wrong neighbour shows.
TEST_P(LeafRoundTripTest, LeafSurvivesAWorkingFile) {
    const LeafCase& leafCase = GetParam();
    auto original = NewDocument();
    const int node = AddNodeUnder(*original, Root(*original));
    AddLeafUnder(*original, node, LeafKind::BITMAP, "Before");
    const int index = AddLeafUnder(*original, node, leafCase.kind, "Subject");
    AddLeafUnder(*original, node, LeafKind::FACT, "After");
    CLeaf& leaf = *original->Tree().Entry(index).Leaf;
    leaf.SetPasswordProtect(true);
    leaf.SetValid(false);
    if (leafCase.auxText) {
        leaf.SetAuxText("Aux\r\ntext");
    }
    if (leafCase.secondPictures) {
        auto picture = test::SlidePicture(160, 120, 42);
        leaf.SetAuxColorBitmap(picture);
        leaf.SetAuxMonochromeBitmap(test::MonochromeOf(*picture));
    }
    ASSERT_TRUE(Save(*original, PathOf("leaf.sdb")));
    auto doc = ReadBack(PathOf("leaf.sdb"));
    test::ExpectSameDocument(*original, *doc);
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, LeafRoundTripTest,
    testing::Values(LeafCase{LeafKind::QAF, false, false}, LeafCase{LeafKind::QAF, true, true},
                    LeafCase{LeafKind::FACT, false, false}, LeafCase{LeafKind::FACT, true, false},
                    LeafCase{LeafKind::FACT, false, true}, LeafCase{LeafKind::BITMAP, false, false},
                    LeafCase{LeafKind::BITMAP, true, true}),
    CaseName);

struct LongTitleCase {
    const char* name;
    bool auxText;
    bool fact;
};

class LongTitleRoundTripTest : public test::SlideShowTest,
                               public testing::WithParamInterface<LongTitleCase> {};

// A slide record keeps 39 characters of the title; the slide's text records carry all of it, so
// a converted deck saved, reopened and saved again keeps its long titles and its bytes.
TEST_P(LongTitleRoundTripTest, LongSlideTitleSurvivesAReopen) {
    const std::string title =
        "Quarterly results for the northern region, with the outlook for next year";
    auto original = NewDocument();
    const int index = AddLeafUnder(*original, Root(*original), LeafKind::BITMAP, "Slide");
    CLeaf& leaf = *original->Tree().Entry(index).Leaf;
    leaf.SetTitle(title);
    leaf.SetAuxText(GetParam().auxText ? "Slide text" : "");
    leaf.SetFact(GetParam().fact ? "Notes" : "");
    // A second slide whose title is not a continuation of its record's: left as the record has it.
    AddLeafUnder(*original, Root(*original), LeafKind::BITMAP, "Short");

    const auto first = SavedBytes(*original, "first.sdb");
    auto reopened = ReadBack(PathOf("first.sdb"));
    const auto leaves = reopened->Tree().Preorder(Root(*reopened));
    ASSERT_EQ(leaves.size(), 3u);
    const bool kept = GetParam().auxText || GetParam().fact;
    EXPECT_EQ(reopened->Tree().Entry(leaves[1]).Title(),
              kept ? title : title.substr(0, CLeaf::kBitmapTitleField - 1));
    EXPECT_EQ(reopened->Tree().Entry(leaves[2]).Title(), "Short");
    if (kept) {
        EXPECT_EQ(SavedBytes(*reopened, "second.sdb"), first);
    }
}

INSTANTIATE_TEST_SUITE_P(SlideShowRoundTripTest, LongTitleRoundTripTest,
                         testing::Values(LongTitleCase{"AuxTextAndFact", true, true},
                                         LongTitleCase{"AuxTextOnly", true, false},
                                         LongTitleCase{"FactOnly", false, true},
                                         LongTitleCase{"NoTextRecord", false, false}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(SlideShowRoundTripTest, BitmapLeafWithoutPicturesStaysABitmapLeaf) {
    auto original = NewDocument();
    const int index = AddLeafUnder(*original, Root(*original), LeafKind::BITMAP, "Empty");
    original->Tree().Entry(index).Leaf->SetColorBitmap(nullptr);
    original->Tree().Entry(index).Leaf->SetMonochromeBitmap(nullptr);
    ASSERT_TRUE(Save(*original, PathOf("empty.sdb")));
    auto doc = ReadBack(PathOf("empty.sdb"));
    test::ExpectSameDocument(*original, *doc);
    EXPECT_EQ(LeavesLeftOutOfExport(*doc), 1u);
}

// A slide converted to a QAF or FACT leaf keeps its pictures in memory until it is saved; the
// working file keeps it as the kind it now is, with its question, answers and fact, and drops
// the pictures that kind does not store, so that the file reads back and saves again the same.
TEST_F(SlideShowRoundTripTest, SlideConvertedAwayFromBitmapKeepsItsNewKind) {
    for (const trovique::LeafKind kind : {trovique::LeafKind::QAF, trovique::LeafKind::Fact}) {
        auto original = NewDocument();
        const int index = AddLeafUnder(*original, Root(*original), LeafKind::BITMAP, "Slide");
        CLeaf& leaf = *original->Tree().Entry(index).Leaf;
        leaf.SetKind(kind);
        leaf.SetQuestion("What about the slide?");
        leaf.SetAnswer(1, "This");
        leaf.SetAnswer(2, "That");
        const auto first = SavedBytes(*original, "converted.sdb");
        auto doc = ReadBack(PathOf("converted.sdb"));
        const auto leaves = doc->Tree().Preorder(Root(*doc));
        ASSERT_EQ(leaves.size(), 2u);
        const CLeaf& back = *doc->Tree().Entry(leaves[1]).Leaf;
        EXPECT_EQ(back.Kind(), kind);
        EXPECT_EQ(back.Question(), kind == trovique::LeafKind::QAF ? leaf.Question() : "");
        EXPECT_EQ(back.GetAnswer(2), kind == trovique::LeafKind::QAF ? leaf.GetAnswer(2) : "");
        EXPECT_EQ(back.Fact(), leaf.Fact());
        EXPECT_EQ(back.ColorBitmap(), nullptr);
        EXPECT_EQ(back.MonochromeBitmap(), nullptr);
        EXPECT_EQ(SavedBytes(*doc, "again.sdb"), first);
    }
}

// An imported slide carries both the BITMAP and the FACT flag; its working file keeps it a
// slide with its pictures.
TEST_F(SlideShowRoundTripTest, ImportedSlideKeepsItsPictures) {
    auto original = NewDocument();
    const int index = AddLeafUnder(*original, Root(*original), LeafKind::BITMAP, "Slide");
    CLeaf& leaf = *original->Tree().Entry(index).Leaf;
    leaf.SetFACTOnly(true);
    leaf.SetFact("The speaker's notes");
    ASSERT_NE(leaf.ColorBitmap(), nullptr);
    const auto first = SavedBytes(*original, "imported.sdb");
    auto doc = ReadBack(PathOf("imported.sdb"));
    const auto leaves = doc->Tree().Preorder(Root(*doc));
    ASSERT_EQ(leaves.size(), 2u);
    const CLeaf& back = *doc->Tree().Entry(leaves[1]).Leaf;
    EXPECT_TRUE(back.BITMAPOnly());
    EXPECT_NE(back.ColorBitmap(), nullptr);
    EXPECT_EQ(back.Fact(), leaf.Fact());
    EXPECT_EQ(SavedBytes(*doc, "again.sdb"), first);
}

}  // namespace
}  // namespace trovique
