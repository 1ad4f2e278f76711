#include "core/model/Leaf.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ModelFixtures.h"
#include "core/model/Leaf21.h"
#include "core/model/Leaf22.h"

namespace trovique {
namespace {

using test::RaisedBy;

std::vector<std::uint8_t> WrittenLeaf(CLeaf leaf) {
    return test::Written([&](CBinaryFile& file) { leaf.WriteToFile(file); });
}

CLeaf FilledQaf() {
    CLeaf leaf;
    leaf.SetKey(10);
    leaf.SetParentKey(4);
    leaf.SetLPI(3);
    leaf.SetSeeAlso(1, 11);
    leaf.SetSeeAlso(3, 13);
    leaf.SetTitle("Mitosis");
    leaf.SetQuestion("Which phase?");
    for (int i = 1; i <= 4; ++i) {
        leaf.SetAnswer(i, std::string(static_cast<std::size_t>(i), 'a'));
    }
    leaf.SetFact("Cells divide.");
    leaf.SetDifficulty(5);
    leaf.SetCopyable(true);
    leaf.SetHighlight(true);
    leaf.SetPasswordProtect(true);
    leaf.SetReEdit(true);
    leaf.SetValid(false);
    leaf.SetFlagA(0x1E);
    leaf.SetFlagB(0x04);
    return leaf;
}

TEST(CLeafTest, NewLeafHasTheDefaults) {
    const CLeaf leaf;
    EXPECT_EQ(leaf.FixedRegionSize(), 16);
    EXPECT_EQ(leaf.RecordType(), 3);
    EXPECT_TRUE(leaf.Valid());
    EXPECT_FALSE(leaf.Copyable() || leaf.FACTOnly() || leaf.BITMAPOnly() || leaf.Hidden());
    EXPECT_EQ(leaf.Key() + leaf.LPI() + leaf.Difficulty() + leaf.FlagA() + leaf.FlagB(), 0);
    EXPECT_EQ(leaf.ColorBitmap(), nullptr);
    EXPECT_EQ(leaf.GetSeeAlsoID(3), "0");
}

// Every failing check raises its own number and source and leaves the leaf as it was.
struct LeafError {
    const char* name;
    std::function<void(CLeafFields&)> act;
    std::uint32_t number;
    const char* source;
};

class CLeafErrorTest : public testing::TestWithParam<LeafError> {};

TEST_P(CLeafErrorTest, RaisesAndKeepsTheRecordInEveryLeafVersion) {
    CLeaf leaf = FilledQaf();
    const auto before = WrittenLeaf(leaf);
    CLeaf22 leaf22;
    CLeaf21 leaf21;
    for (CLeafFields* record :
         {static_cast<CLeafFields*>(&leaf), static_cast<CLeafFields*>(&leaf22),
          static_cast<CLeafFields*>(&leaf21)}) {
        const auto raised = RaisedBy([&] { GetParam().act(*record); });
        EXPECT_EQ(raised.number, GetParam().number);
        EXPECT_EQ(raised.source, GetParam().source);
    }
    EXPECT_EQ(WrittenLeaf(leaf), before);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CLeafErrorTest,
    testing::Values(
        LeafError{"Title", [](CLeafFields& l) { l.SetTitle(std::string(256, 't')); },
                  kErrDataTooLong, "CLEAF:Let Title"},
        LeafError{"Question", [](CLeafFields& l) { l.SetQuestion(std::string(251, 'q')); },
                  kErrDataTooLong, "CLEAF:Let Question"},
        LeafError{"Fact", [](CLeafFields& l) { l.SetFact(std::string(10001, 'f')); },
                  kErrDataTooLong, "CLEAF:Let Fact"},
        LeafError{"GetAnswerZero", [](CLeafFields& l) { l.GetAnswer(0); }, kErrValueOutOfRange,
                  "CLEAF:GetAnswer"},
        LeafError{"SetAnswerFive", [](CLeafFields& l) { l.SetAnswer(5, "a"); }, kErrValueOutOfRange,
                  "CLEAF:SetAnswer"},
        LeafError{"GetSeeAlsoFour", [](CLeafFields& l) { l.GetSeeAlsoID(4); }, kErrValueOutOfRange,
                  "CLEAF:GetSeeAlsoID"},
        LeafError{"SetSeeAlsoZero", [](CLeafFields& l) { l.SetSeeAlsoID(0, "1"); },
                  kErrValueOutOfRange, "CLEAF:SetSeeAlsoID"},
        LeafError{"SeeAlsoAbove16Bits", [](CLeafFields& l) { l.SetSeeAlsoID(1, "65536"); },
                  kErrInvalidValue, "CUnsignedInt"},
        LeafError{"NegativeSeeAlso", [](CLeafFields& l) { l.SetSeeAlsoID(1, "-1"); },
                  kErrInvalidValue, "CUnsignedInt"},
        LeafError{"HugeSeeAlso", [](CLeafFields& l) { l.SetSeeAlsoID(1, std::string(30, '9')); },
                  kErrInvalidValue, "CUnsignedInt"},
        LeafError{"DifficultyEight", [](CLeafFields& l) { l.SetDifficulty(8); },
                  kErrValueOutOfRange, "CLEAF:Let Difficulty"},
        LeafError{"KeyAbove16Bits", [](CLeafFields& l) { l.SetKey(65536); }, kErrInvalidValue,
                  "CUnsignedInt"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CLeafTest, SeeAlsoSlotsStoreTheNumberATextStartsWith) {
    for (const auto& [text, stored] : {std::pair{"17", 17}, std::pair{"abc", 0}, std::pair{"", 0},
                                       std::pair{" 42x", 42}, std::pair{"65535", 65535}}) {
        CLeaf leaf;
        leaf.SetSeeAlsoID(2, "5");
        leaf.SetSeeAlsoID(2, text);
        EXPECT_EQ(leaf.GetSeeAlsoID(2), std::to_string(stored)) << text;
        EXPECT_EQ(leaf.SeeAlso(1), 0);
    }
}

TEST(CLeafTest, TheKindSettlesTheStoredRecordTypeWithFactWinning) {
    for (const auto& [fact, bitmap, type] :
         {std::tuple{false, false, 3}, std::tuple{false, true, 4}, std::tuple{true, false, 5},
          std::tuple{true, true, 5}}) {
        CLeaf leaf;
        leaf.SetFACTOnly(fact);
        leaf.SetBITMAPOnly(bitmap);
        EXPECT_EQ(leaf.StoredRecordType(), type);
        EXPECT_EQ(leaf.RecordType(), 3);
    }
}

TEST(CLeafTest, CloneCopiesEveryFieldSharesThePicturesAndKeepsHiddenAndSpare) {
    CLeaf source = FilledQaf();
    source.SetAuxText("Notes");
    source.SetSpareFlag(true);
    source.ForceHidden();
    source.SetColorBitmap(std::make_shared<CBitmap>());
    source.SetMonochromeBitmap(std::make_shared<CBitmap>());
    source.SetAuxColorBitmap(std::make_shared<CBitmap>());
    source.SetAuxMonochromeBitmap(std::make_shared<CBitmap>());
    const auto copy = source.Clone();
    EXPECT_EQ(copy->AuxText(), "Notes");
    EXPECT_EQ(copy->ColorBitmap(), source.ColorBitmap()) << "the same picture, not a copy";
    EXPECT_EQ(copy->MonochromeBitmap(), source.MonochromeBitmap());
    EXPECT_EQ(copy->AuxColorBitmap(), source.AuxColorBitmap());
    EXPECT_EQ(copy->AuxMonochromeBitmap(), source.AuxMonochromeBitmap());
    EXPECT_FALSE(copy->Hidden() || copy->SpareFlag());
    copy->ForceHidden();
    copy->SetSpareFlag(true);
    EXPECT_EQ(WrittenLeaf(*copy), WrittenLeaf(source)) << "every stored field came across";

    CLeaf hidden;
    hidden.ForceHidden();
    hidden.SetSpareFlag(true);
    CLeaf().Clone(hidden);
    EXPECT_TRUE(hidden.Hidden() && hidden.SpareFlag());
}

TEST(CLeafTest, PalmBitmapSizeCountsTheBitmapLeafsPictures) {
    const auto colour = test::ColorPicture(40, 30, [](int x, int y) {
        return test::Rgb{static_cast<std::uint8_t>(x * 6), static_cast<std::uint8_t>(y * 8), 90};
    });
    CPalmBitmap palmColour;
    palmColour.ReadFromCBitmap(*colour);
    const std::int64_t monoSize = 8 * 30 + 22;  // 40 pixels take 8 bytes a row
    CLeaf leaf;
    leaf.SetColorBitmap(colour);
    leaf.SetMonochromeBitmap(
        test::MonochromePicture(40, 30, [](int x, int) { return x % 3 == 0; }));
    leaf.SetAuxColorBitmap(colour);
    EXPECT_EQ(leaf.GetPalmBitmapSize(), 0) << "not a BITMAP leaf";
    EXPECT_EQ(leaf.GetPalmAuxBitmapSize(), palmColour.EstFileSize());
    leaf.SetBITMAPOnly(true);
    EXPECT_EQ(leaf.GetPalmBitmapSize(), palmColour.EstFileSize() + monoSize);
    leaf.SetColorBitmap(nullptr);
    EXPECT_EQ(leaf.GetPalmBitmapSize(), monoSize);
}

TEST(CLeafTest, ConversionsFromOldLeavesTakeTheirFields) {
    CLeaf22 old22;
    static_cast<CLeafFields&>(old22) = FilledQaf();
    old22.SetCopyable(true);
    old22.SetHighlight(true);
    old22.SetPasswordProtect(true);
    old22.SetReEdit(true);
    old22.SetValid(false);
    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    leaf.Clone22(old22);
    CLeaf expected = FilledQaf();
    expected.SetFlagA(0);
    expected.SetFlagB(0);
    EXPECT_EQ(WrittenLeaf(leaf), WrittenLeaf(expected));

    // Current and version-22 leaves take a version-21 leaf alike: its fields, fixed switches.
    CLeaf21 old21;
    static_cast<CLeafFields&>(old21) = FilledQaf();
    CLeaf from21 = leaf;
    from21.Clone21(old21);
    CLeaf22 from21to22 = old22;
    from21to22.Clone21(old21);
    expected = CLeaf();
    static_cast<CLeafFields&>(expected) = FilledQaf();
    EXPECT_EQ(WrittenLeaf(from21), WrittenLeaf(expected));
    EXPECT_TRUE(from21to22.Valid());
    EXPECT_FALSE(from21to22.Copyable() || from21to22.FACTOnly() || from21to22.ReEdit());
    EXPECT_EQ(from21to22.GetAnswer(4), "aaaa");
}

}  // namespace
}  // namespace trovique
