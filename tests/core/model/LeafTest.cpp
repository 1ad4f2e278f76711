#include "core/model/Leaf.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ModelFixtures.h"
#include "core/model/Leaf21.h"
#include "core/model/Leaf22.h"

namespace trovique {
namespace {

using test::Raised;
using test::RaisedBy;

TEST(CLeafTest, NewLeafHasTheDefaults) {
    const CLeaf leaf;
    EXPECT_EQ(leaf.FixedRegionSize(), 16);
    EXPECT_EQ(leaf.RecordType(), 3);
    EXPECT_EQ(leaf.StoredRecordType(), 3);
    EXPECT_EQ(leaf.Key(), 0);
    EXPECT_EQ(leaf.LPI(), 0);
    EXPECT_EQ(leaf.Difficulty(), 0);
    EXPECT_TRUE(leaf.Valid());
    EXPECT_FALSE(leaf.Copyable());
    EXPECT_FALSE(leaf.FACTOnly());
    EXPECT_FALSE(leaf.BITMAPOnly());
    EXPECT_FALSE(leaf.Hidden());
    EXPECT_EQ(leaf.FlagA(), 0);
    EXPECT_EQ(leaf.FlagB(), 0);
    EXPECT_EQ(leaf.ColorBitmap(), nullptr);
    EXPECT_EQ(leaf.GetSeeAlsoID(3), "0");
    EXPECT_EQ(leaf.GetAnswer(4), "");
}

// The checked texts of a leaf, the same in every leaf version.
struct LeafTextLimit {
    const char* name;
    std::size_t limit;
    const char* source;
    std::function<void(CLeafFields&, std::string)> set;
    std::function<std::string(const CLeafFields&)> get;
};

class LeafTextLimitTest : public testing::TestWithParam<LeafTextLimit> {};

TEST_P(LeafTextLimitTest, LongerTextIsRefusedAndTheOldOneKept) {
    const LeafTextLimit& field = GetParam();
    CLeaf leaf;
    CLeaf22 leaf22;
    CLeaf21 leaf21;
    for (CLeafFields* record :
         {static_cast<CLeafFields*>(&leaf), static_cast<CLeafFields*>(&leaf22),
          static_cast<CLeafFields*>(&leaf21)}) {
        const std::string full(field.limit, 'x');
        field.set(*record, full);
        const Raised raised =
            RaisedBy([&] { field.set(*record, std::string(field.limit + 1, 'y')); });
        EXPECT_EQ(raised.number, kErrDataTooLong);
        EXPECT_EQ(raised.source, field.source);
        EXPECT_EQ(field.get(*record), full);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, LeafTextLimitTest,
    testing::Values(LeafTextLimit{"Title", 255, "CLEAF:Let Title",
                                  [](CLeafFields& l, std::string text) { l.SetTitle(text); },
                                  [](const CLeafFields& l) { return l.Title(); }},
                    LeafTextLimit{"Question", 250, "CLEAF:Let Question",
                                  [](CLeafFields& l, std::string text) { l.SetQuestion(text); },
                                  [](const CLeafFields& l) { return l.Question(); }},
                    LeafTextLimit{"Fact", 10000, "CLEAF:Let Fact",
                                  [](CLeafFields& l, std::string text) { l.SetFact(text); },
                                  [](const CLeafFields& l) { return l.Fact(); }}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CLeafTest, IndexedFieldsRefuseIndicesOutsideTheirRange) {
    struct Case {
        const char* source;
        int badIndex;
        std::function<void(CLeaf&, int)> call;
    };
    const std::vector<Case> cases = {
        {"CLEAF:GetAnswer", 0, [](CLeaf& l, int i) { l.GetAnswer(i); }},
        {"CLEAF:GetAnswer", 5, [](CLeaf& l, int i) { l.GetAnswer(i); }},
        {"CLEAF:SetAnswer", 0, [](CLeaf& l, int i) { l.SetAnswer(i, "a"); }},
        {"CLEAF:SetAnswer", 5, [](CLeaf& l, int i) { l.SetAnswer(i, "a"); }},
        {"CLEAF:GetSeeAlsoID", 4, [](CLeaf& l, int i) { l.GetSeeAlsoID(i); }},
        {"CLEAF:GetSeeAlsoID", 0, [](CLeaf& l, int i) { l.GetSeeAlsoID(i); }},
        {"CLEAF:SetSeeAlsoID", 0, [](CLeaf& l, int i) { l.SetSeeAlsoID(i, "1"); }},
        {"CLEAF:SetSeeAlsoID", 4, [](CLeaf& l, int i) { l.SetSeeAlsoID(i, "1"); }},
    };
    for (const Case& c : cases) {
        CLeaf leaf;
        const Raised raised = RaisedBy([&] { c.call(leaf, c.badIndex); });
        EXPECT_EQ(raised.number, kErrValueOutOfRange) << c.source << " " << c.badIndex;
        EXPECT_EQ(raised.source, c.source);
    }
}

TEST(CLeafTest, AnswersAreNumberedOneToFour) {
    CLeaf leaf;
    for (int i = 1; i <= 4; ++i) {
        leaf.SetAnswer(i, "answer " + std::to_string(i));
    }
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(leaf.GetAnswer(i), "answer " + std::to_string(i));
    }
}

TEST(CLeafTest, SeeAlsoSlotsStoreTheNumberATextStartsWith) {
    struct Case {
        const char* text;
        std::uint16_t stored;
    };
    for (const Case& c : {Case{"17", 17}, Case{"abc", 0}, Case{"", 0}, Case{" 42x", 42},
                          Case{"65535", 65535}, Case{"+9", 9}, Case{"0012", 12}}) {
        CLeaf leaf;
        leaf.SetSeeAlsoID(2, "5");
        leaf.SetSeeAlsoID(2, c.text);
        EXPECT_EQ(leaf.SeeAlso(2), c.stored) << c.text;
        EXPECT_EQ(leaf.GetSeeAlsoID(2), std::to_string(c.stored));
        EXPECT_EQ(leaf.SeeAlso(1), 0);
    }
    for (const char* bad : {"65536", "-1", "99999999999999999999999"}) {
        CLeaf leaf;
        leaf.SetSeeAlsoID(1, "8");
        EXPECT_EQ(RaisedBy([&] { leaf.SetSeeAlsoID(1, bad); }).source, "CUnsignedInt") << bad;
        EXPECT_EQ(leaf.SeeAlso(1), 8);
    }
}

TEST(CLeafTest, DifficultyStaysWithinItsThreeBits) {
    CLeaf leaf;
    leaf.SetDifficulty(7);
    for (const int bad : {8, -1, 255}) {
        EXPECT_EQ(RaisedBy([&] { leaf.SetDifficulty(bad); }).number, kErrValueOutOfRange);
        EXPECT_EQ(leaf.Difficulty(), 7);
    }
}

TEST(CLeafTest, ForceHiddenSetsTheHiddenBitOnly) {
    CLeaf leaf;
    leaf.SetFlagB(0x44);
    leaf.ForceHidden();
    EXPECT_TRUE(leaf.Hidden());
    EXPECT_EQ(leaf.FlagB(), 0x45);
}

TEST(CLeafTest, TheKindSettlesTheStoredRecordTypeWithFactWinning) {
    struct Case {
        bool fact;
        bool bitmap;
        std::uint16_t type;
    };
    for (const Case& c :
         {Case{false, false, 3}, Case{false, true, 4}, Case{true, false, 5}, Case{true, true, 5}}) {
        CLeaf leaf;
        leaf.SetFACTOnly(c.fact);
        leaf.SetBITMAPOnly(c.bitmap);
        EXPECT_EQ(leaf.StoredRecordType(), c.type);
        EXPECT_EQ(leaf.RecordType(), 3);
    }
}

CLeaf FullyFilledLeaf() {
    CLeaf leaf;
    leaf.SetFixedRegionSize(56);
    leaf.SetKey(10);
    leaf.SetParentKey(4);
    leaf.SetLPI(3);
    leaf.SetSeeAlso(1, 11);
    leaf.SetSeeAlso(2, 12);
    leaf.SetSeeAlso(3, 13);
    leaf.SetTitle("Mitosis");
    leaf.SetQuestion("Which phase?");
    for (int i = 1; i <= 4; ++i) {
        leaf.SetAnswer(i, std::string(1, static_cast<char>('A' + i)));
    }
    leaf.SetFact("Cells divide.");
    leaf.SetAuxText("Notes");
    leaf.SetDifficulty(5);
    leaf.SetCopyable(true);
    leaf.SetHighlight(true);
    leaf.SetPasswordProtect(true);
    leaf.SetReEdit(true);
    leaf.SetValid(false);
    leaf.SetBITMAPOnly(true);
    leaf.SetSpareFlag(true);
    leaf.SetFlagA(0x5E);
    leaf.SetFlagB(0xBD);
    leaf.SetColorBitmap(std::make_shared<CBitmap>());
    leaf.SetMonochromeBitmap(std::make_shared<CBitmap>());
    leaf.SetAuxColorBitmap(std::make_shared<CBitmap>());
    leaf.SetAuxMonochromeBitmap(std::make_shared<CBitmap>());
    return leaf;
}

TEST(CLeafTest, CloneCopiesEveryFieldAndSharesThePictures) {
    const CLeaf source = FullyFilledLeaf();
    const auto copy = source.Clone();
    EXPECT_EQ(copy->FixedRegionSize(), 56);
    EXPECT_EQ(copy->Key(), 10);
    EXPECT_EQ(copy->ParentKey(), 4);
    EXPECT_EQ(copy->LPI(), 3);
    EXPECT_EQ(copy->SeeAlso(3), 13);
    EXPECT_EQ(copy->Title(), "Mitosis");
    EXPECT_EQ(copy->Question(), "Which phase?");
    EXPECT_EQ(copy->GetAnswer(4), "E");
    EXPECT_EQ(copy->Fact(), "Cells divide.");
    EXPECT_EQ(copy->AuxText(), "Notes");
    EXPECT_EQ(copy->Difficulty(), 5);
    EXPECT_TRUE(copy->Copyable());
    EXPECT_TRUE(copy->Highlight());
    EXPECT_TRUE(copy->PasswordProtect());
    EXPECT_TRUE(copy->ReEdit());
    EXPECT_FALSE(copy->Valid());
    EXPECT_TRUE(copy->BITMAPOnly());
    EXPECT_FALSE(copy->FACTOnly());
    EXPECT_EQ(copy->FlagA(), 0x5E);
    EXPECT_EQ(copy->ColorBitmap(), source.ColorBitmap()) << "the same picture, not a copy";
    EXPECT_EQ(copy->MonochromeBitmap(), source.MonochromeBitmap());
    EXPECT_EQ(copy->AuxColorBitmap(), source.AuxColorBitmap());
    EXPECT_EQ(copy->AuxMonochromeBitmap(), source.AuxMonochromeBitmap());

    // The hidden bit and the spare flag stay as the target had them.
    EXPECT_FALSE(copy->Hidden());
    EXPECT_FALSE(copy->SpareFlag());
    EXPECT_EQ(copy->FlagB(), 0xB4);

    CLeaf hiddenTarget;
    hiddenTarget.ForceHidden();
    hiddenTarget.SetSpareFlag(true);
    CLeaf plain;
    plain.Clone(hiddenTarget);
    EXPECT_TRUE(hiddenTarget.Hidden());
    EXPECT_TRUE(hiddenTarget.SpareFlag());
}

TEST(CLeafTest, PalmBitmapSizeCountsTheBitmapLeafsPictures) {
    const auto colour = test::ColorPicture(40, 30, [](int x, int y) {
        return test::Rgb{static_cast<std::uint8_t>(x * 6), static_cast<std::uint8_t>(y * 8), 90};
    });
    const auto mono = test::MonochromePicture(40, 30, [](int x, int) { return x % 3 == 0; });
    CPalmBitmap palmColour;
    palmColour.ReadFromCBitmap(*colour);
    CPalmBitmap palmMono;
    palmMono.ReadFromCBitmap(*mono);

    CLeaf leaf;
    leaf.SetColorBitmap(colour);
    leaf.SetMonochromeBitmap(mono);
    leaf.SetAuxColorBitmap(colour);
    EXPECT_EQ(leaf.GetPalmBitmapSize(), 0) << "not a BITMAP leaf";
    EXPECT_EQ(leaf.GetPalmAuxBitmapSize(), palmColour.EstFileSize());

    leaf.SetBITMAPOnly(true);
    EXPECT_EQ(leaf.GetPalmBitmapSize(), palmColour.EstFileSize() + palmMono.EstFileSize());
    EXPECT_EQ(palmMono.EstFileSize(), 8 * 30 + 22);
    leaf.SetColorBitmap(nullptr);
    EXPECT_EQ(leaf.GetPalmBitmapSize(), palmMono.EstFileSize());
    leaf.SetMonochromeBitmap(nullptr);
    EXPECT_EQ(leaf.GetPalmBitmapSize(), 0);
}

TEST(CLeafTest, ConversionsFromOldLeavesTakeTheirFields) {
    CLeaf22 old22;
    old22.SetKey(3);
    old22.SetParentKey(2);
    old22.SetLPI(1);
    old22.SetSeeAlso(2, 9);
    old22.SetTitle("T22");
    old22.SetQuestion("Q");
    old22.SetAnswer(1, "right");
    old22.SetFact("F");
    old22.SetDifficulty(4);
    old22.SetCopyable(true);
    old22.SetHighlight(true);
    old22.SetPasswordProtect(true);
    old22.SetReEdit(true);
    old22.SetValid(false);
    old22.SetFACTOnly(true);

    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    leaf.Clone22(old22);
    EXPECT_EQ(leaf.Key(), 3);
    EXPECT_EQ(leaf.ParentKey(), 2);
    EXPECT_EQ(leaf.LPI(), 1);
    EXPECT_EQ(leaf.SeeAlso(2), 9);
    EXPECT_EQ(leaf.Title(), "T22");
    EXPECT_EQ(leaf.Question(), "Q");
    EXPECT_EQ(leaf.GetAnswer(1), "right");
    EXPECT_EQ(leaf.Fact(), "F");
    EXPECT_EQ(leaf.Difficulty(), 4);
    EXPECT_TRUE(leaf.Copyable());
    EXPECT_TRUE(leaf.Highlight());
    EXPECT_TRUE(leaf.PasswordProtect());
    EXPECT_TRUE(leaf.ReEdit());
    EXPECT_FALSE(leaf.Valid());
    EXPECT_TRUE(leaf.FACTOnly());
    EXPECT_FALSE(leaf.BITMAPOnly());

    CLeaf21 old21;
    old21.SetKey(6);
    old21.SetTitle("T21");
    old21.SetAnswer(4, "four");
    old21.SetSeeAlso(3, 2);
    old21.SetDifficulty(2);
    old21.SetLPI(8);
    // Both current and version-22 leaves take a version-21 leaf the same way: its own fields,
    // and fixed switches.
    CLeaf from21 = FullyFilledLeaf();
    from21.Clone21(old21);
    CLeaf22 from21to22;
    from21to22.SetCopyable(true);
    from21to22.SetFACTOnly(true);
    from21to22.SetValid(false);
    from21to22.Clone21(old21);
    EXPECT_EQ(from21.Key(), 6);
    EXPECT_EQ(from21.Title(), "T21");
    EXPECT_EQ(from21.GetAnswer(4), "four");
    EXPECT_EQ(from21.GetAnswer(1), "");
    EXPECT_EQ(from21.SeeAlso(3), 2);
    EXPECT_EQ(from21.Difficulty(), 2);
    EXPECT_EQ(from21.LPI(), 8);
    EXPECT_EQ(from21.Question(), "");
    EXPECT_TRUE(from21.Valid());
    EXPECT_FALSE(from21.Copyable() || from21.Highlight() || from21.PasswordProtect() ||
                 from21.ReEdit() || from21.FACTOnly() || from21.BITMAPOnly());
    EXPECT_EQ(from21to22.Key(), 6);
    EXPECT_EQ(from21to22.GetAnswer(4), "four");
    EXPECT_EQ(from21to22.Difficulty(), 2);
    EXPECT_TRUE(from21to22.Valid());
    EXPECT_FALSE(from21to22.Copyable() || from21to22.FACTOnly());
}

}  // namespace
}  // namespace trovique
