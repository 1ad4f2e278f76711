#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModelFixtures.h"
#include "core/common/MemoryFile.h"
#include "core/model/Leaf.h"

namespace trovique {
namespace {

using test::Bytes;
using test::ExpectSamePicture;
using test::RaisedBy;

std::vector<std::uint8_t> WrittenLeaf(CLeaf& leaf) {
    return test::Written([&](CBinaryFile& file) { leaf.WriteToFile(file); });
}

CLeaf ReadLeaf(const std::vector<std::uint8_t>& bytes) {
    CMemoryFile file(bytes);
    CLeaf leaf;
    leaf.ReadFromFile(file, test::Palettes());
    return leaf;
}

// The rows a picture takes in a Palm bitmap: grey pictures pack four pixels into a byte.
std::vector<std::uint8_t> PalmRows(const CBitmap& bitmap, std::size_t rowBytes) {
    std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(bitmap.Height()));
    for (std::int32_t r = 1; r <= bitmap.Height(); ++r) {
        const auto row = std::span(rows).subspan((r - 1) * rowBytes, rowBytes);
        bitmap.GetRowBytes(r, row, false, bitmap.GrayScaleExpanded());
    }
    return rows;
}

std::shared_ptr<CBitmap> SmallColour(int width, int height) {
    return test::ColorPicture(width, height, [](int x, int y) {
        return test::Rgb{static_cast<std::uint8_t>(60 * x), static_cast<std::uint8_t>(90 * y), 200};
    });
}

// Fixed region, type, key, parent, page, see-also 1 to 3, FlagA, FlagB.
TEST(CLeafRecordTest, AQafLeafStoresItsTextsAfterTheFlags) {
    CLeaf leaf;
    leaf.SetKey(7);
    leaf.SetParentKey(3);
    leaf.SetLPI(2);
    leaf.SetSeeAlso(1, 0x0102);
    leaf.SetSeeAlso(3, 9);
    leaf.SetTitle("Q1");
    leaf.SetQuestion("Why?");
    leaf.SetAnswer(1, "Yes");
    leaf.SetAnswer(3, std::string(120, 'a'));
    leaf.SetFact("Because");
    leaf.SetCopyable(true);
    leaf.SetDifficulty(3);
    // FlagA: valid, no monochrome picture, copyable; FlagB: difficulty 3. Answers cut at 110.
    const auto expected = Bytes()
                              .Hex("0010 0003 0007 0003 0002 0102 0000 0009 A1 60")
                              .Text("Q1")
                              .Text("Why?")
                              .Text("Yes")
                              .Text("")
                              .Text(std::string(110, 'a'))
                              .Text("")
                              .Text("Because");
    EXPECT_EQ(WrittenLeaf(leaf), expected.Data());
}

TEST(CLeafRecordTest, AFactLeafStoresOnlyItsFactAndFactWinsOverBitmap) {
    for (const bool alsoBitmap : {false, true}) {
        CLeaf leaf;
        leaf.SetKey(1);
        leaf.SetFACTOnly(true);
        leaf.SetBITMAPOnly(alsoBitmap);
        leaf.SetColorBitmap(SmallColour(4, 2));
        leaf.SetTitle("T");
        leaf.SetQuestion("not stored");
        leaf.SetFact("Line\r\nnext");
        const auto expected = Bytes()
                                  .Hex("0010 0005 0001 0000 0000 0000 0000 0000 A0 00")
                                  .Text("T")
                                  .Text("Line\nnext");
        EXPECT_EQ(WrittenLeaf(leaf), expected.Data()) << alsoBitmap;
        EXPECT_EQ(leaf.FixedRegionSize(), 16);
    }
}

TEST(CLeafRecordTest, ReadingReplacesWhatTheLeafHeldBefore) {
    CLeaf leaf;
    leaf.SetQuestion("old question");
    leaf.SetBITMAPOnly(true);
    leaf.SetColorBitmap(std::make_shared<CBitmap>());
    CMemoryFile file(Bytes().Hex("0010 0005").Zeros(12).Hex("A0 00").Text("T").Text("F").Data());
    leaf.ReadFromFile(file, test::Palettes());
    EXPECT_TRUE(leaf.FACTOnly());
    EXPECT_FALSE(leaf.BITMAPOnly());
    EXPECT_EQ(leaf.Question(), "");
    EXPECT_EQ(leaf.ColorBitmap(), nullptr);
}

TEST(CLeafRecordTest, ABitmapTitleKeepsThirtyNineCharactersAndANul) {
    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    const std::string title = "Photosynthesis and the light reactions!!!abcd";
    leaf.SetTitle(title);
    ASSERT_EQ(title.size(), 45u);
    const auto expected = Bytes()
                              .Hex("0038 0004 0000 0000 0000 0000 0000 0000 A0 00")
                              .FixedText(title.substr(0, 39), 40)
                              .Zeros(4);  // no picture
    EXPECT_EQ(WrittenLeaf(leaf), expected.Data());
    const CLeaf read = ReadLeaf(expected.Data());
    EXPECT_EQ(read.Title(), title.substr(0, 39));
    EXPECT_TRUE(read.BITMAPOnly());
    EXPECT_EQ(read.ColorBitmap(), nullptr);
    EXPECT_EQ(read.MonochromeBitmap(), nullptr);
}

TEST(CLeafRecordTest, ChangingTheDifficultyRewritesTheTopBitsOfFlagB) {
    CLeaf leaf;
    leaf.SetDifficulty(3);
    leaf.SetFlagB(0x04);
    WrittenLeaf(leaf);
    EXPECT_EQ(leaf.FlagB(), 0x64);
    leaf.SetDifficulty(1);
    const auto bytes = WrittenLeaf(leaf);
    EXPECT_EQ(bytes[17], 0x24) << "difficulty 1 in bits 5 to 7, bit 2 carried";
    EXPECT_EQ(ReadLeaf(bytes).Difficulty(), 1);
}

// Each switch and the bit it is stored in, both ways.
struct FlagCase {
    const char* name;
    void (CLeaf::*set)(bool);
    bool (CLeaf::*get)() const;
    std::uint8_t flagA;
    std::uint8_t flagB;
};

class CLeafFlagTest : public testing::TestWithParam<FlagCase> {};

TEST_P(CLeafFlagTest, SwitchMapsToItsBit) {
    const FlagCase& c = GetParam();
    CLeaf leaf;
    leaf.SetValid(false);
    leaf.SetMonochromeBitmap(std::make_shared<CBitmap>());  // clears the no-monochrome bit
    (leaf.*c.set)(true);
    const auto bytes = WrittenLeaf(leaf);
    EXPECT_EQ(bytes[16], c.flagA);
    EXPECT_EQ(bytes[17], c.flagB);
    EXPECT_TRUE((ReadLeaf(bytes).*c.get)());
    (leaf.*c.set)(false);
    const auto cleared = WrittenLeaf(leaf);
    EXPECT_EQ(cleared[16] + cleared[17], 0);
    EXPECT_FALSE((ReadLeaf(cleared).*c.get)());
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CLeafFlagTest,
    testing::Values(FlagCase{"Valid", &CLeaf::SetValid, &CLeaf::Valid, 0x80, 0},
                    FlagCase{"ReEdit", &CLeaf::SetReEdit, &CLeaf::ReEdit, 0x40, 0},
                    FlagCase{"Copyable", &CLeaf::SetCopyable, &CLeaf::Copyable, 0x01, 0},
                    FlagCase{"Highlight", &CLeaf::SetHighlight, &CLeaf::Highlight, 0, 0x10},
                    FlagCase{"SpareFlag", &CLeaf::SetSpareFlag, &CLeaf::SpareFlag, 0, 0x08},
                    FlagCase{"PasswordProtect", &CLeaf::SetPasswordProtect, &CLeaf::PasswordProtect,
                             0, 0x02}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CLeafRecordTest, UnknownFlagBitsAndTheHiddenBitAreCarried) {
    const auto stored =
        Bytes().Hex("0010 0003 0000 0000 0000 0000 0000 0000 3E 05").Text("").Zeros(5).Text("");
    CLeaf leaf = ReadLeaf(stored.Data());
    EXPECT_TRUE(leaf.Hidden());
    EXPECT_FALSE(leaf.Valid());
    EXPECT_EQ(WrittenLeaf(leaf), stored.Data()) << "bits 1 to 4 of FlagA and 0, 2 of FlagB";
    leaf.SetValid(true);
    leaf.SetCopyable(true);
    leaf.ForceHidden();
    EXPECT_EQ(WrittenLeaf(leaf)[16], 0xBF);
    EXPECT_EQ(leaf.FlagB(), 0x05);
}

// A grey companion of 8 x 3 pixels takes 16 + 2 x 3 = 22 bytes, so two pad bytes bring the
// colour picture to the next 4-byte boundary and the offset is 24 / 4 = 6 words. Each bitmap
// header: width, height, row bytes, flags, depth, version 2, next depth, 4 zero bytes.
TEST(CLeafRecordTest, TheMonochromePictureComesFirstAndPointsAtThePaddedColourOne) {
    const auto colour = SmallColour(4, 2);
    const auto grey = test::GreyPicture(*SmallColour(8, 3));
    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    leaf.SetKey(9);
    leaf.SetParentKey(2);
    leaf.SetTitle("Slide");
    leaf.SetColorBitmap(colour);
    leaf.SetMonochromeBitmap(grey);
    leaf.SetCopyable(true);
    const auto expected = Bytes()
                              .Hex("0038 0004 0009 0002 0000 0000 0000 0000 81 00")
                              .FixedText("Slide", 40)
                              .Hex("0008 0003 0002 0000 02 02 0006 00000000")
                              .Raw(PalmRows(*grey, 2))
                              .Zeros(2)
                              .Hex("0004 0002 0004 0000 08 02 0000 00000000")
                              .Raw(PalmRows(*colour, 4));
    const auto bytes = WrittenLeaf(leaf);
    EXPECT_EQ(bytes, expected.Data());
    const CLeaf read = ReadLeaf(bytes);
    ExpectSamePicture(colour, read.ColorBitmap(), "colour");
    ExpectSamePicture(grey, read.MonochromeBitmap(), "grey");
}

TEST(CLeafRecordTest, ASinglePictureHasNoNextDepth) {
    const auto mono = test::MonochromePicture(8, 2, [](int x, int y) { return (x + y) % 2 == 0; });
    for (const bool colourOnly : {false, true}) {
        const auto picture = colourOnly ? SmallColour(4, 2) : mono;
        CLeaf leaf;
        leaf.SetBITMAPOnly(true);
        colourOnly ? leaf.SetColorBitmap(picture) : leaf.SetMonochromeBitmap(picture);
        const auto expected =
            Bytes()
                .Hex("0038 0004 0000 0000 0000 0000 0000 0000")
                .Hex(colourOnly ? "A0 00" : "80 00")
                .Zeros(40)
                .Hex(colourOnly ? "0004 0002 0004 0000 08" : "0008 0002 0004 0000 01")
                .Hex("02 0000 00000000")
                .Raw(PalmRows(*picture, 4));
        const auto bytes = WrittenLeaf(leaf);
        EXPECT_EQ(bytes, expected.Data()) << colourOnly;
        const CLeaf read = ReadLeaf(bytes);
        ExpectSamePicture(colourOnly ? picture : nullptr, read.ColorBitmap(), "colour");
        ExpectSamePicture(colourOnly ? nullptr : picture, read.MonochromeBitmap(), "mono");
    }
}

TEST(CLeafRecordTest, TheNoMonochromeMarkerDropsAStoredMonochromePicture) {
    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    leaf.SetMonochromeBitmap(test::MonochromePicture(8, 2, [](int x, int) { return x < 4; }));
    auto bytes = WrittenLeaf(leaf);
    ASSERT_NE(ReadLeaf(bytes).MonochromeBitmap(), nullptr);
    bytes[16] |= 0x20;
    EXPECT_EQ(ReadLeaf(bytes).MonochromeBitmap(), nullptr);
}

// Write-then-read of generated leaves of every kind and picture combination.
struct LeafShape {
    const char* name;
    bool fact;
    bool bitmap;
    bool colour;
    enum Mono { kNone, kOneBit, kGrey } mono;
    int size;
};

CLeaf GeneratedLeaf(const LeafShape& shape) {
    CLeaf leaf;
    leaf.SetFACTOnly(shape.fact);
    leaf.SetBITMAPOnly(shape.bitmap);
    leaf.SetKey(0x4321);
    leaf.SetParentKey(0xFFFF);
    leaf.SetLPI(shape.size);
    leaf.SetSeeAlso(1, 1);
    leaf.SetSeeAlso(2, 0x8000);
    leaf.SetSeeAlso(3, 65535);
    leaf.SetTitle(shape.bitmap ? "Slide\r\ntitle" : std::string(255, 'T'));
    leaf.SetQuestion("Which \xE9t\xE9?\r\n");
    for (int i = 1; i <= 4; ++i) {
        leaf.SetAnswer(i,
                       std::string(static_cast<std::size_t>(30 * i), static_cast<char>('0' + i)));
    }
    leaf.SetFact(std::string(9998, 'f') + "\r\n");
    leaf.SetDifficulty(shape.size % 8);
    leaf.SetCopyable(true);
    leaf.SetHighlight(shape.size % 2 == 0);
    leaf.SetPasswordProtect(true);
    leaf.SetReEdit(shape.size % 3 == 0);
    leaf.SetValid(shape.size % 5 != 0);
    leaf.SetSpareFlag(true);
    const auto colour = test::BitmapOf(test::SlideLikeImage(shape.size, shape.size * 3 / 4));
    leaf.SetColorBitmap(shape.colour ? colour : nullptr);
    if (shape.mono == LeafShape::kOneBit) {
        auto mono = std::make_shared<CBitmap>();
        mono->CreateMonochromeBitmap(*colour);
        leaf.SetMonochromeBitmap(mono);
    } else if (shape.mono == LeafShape::kGrey) {
        leaf.SetMonochromeBitmap(test::GreyPicture(*colour));
    }
    return leaf;
}

class CLeafRoundTripTest : public testing::TestWithParam<LeafShape> {};

// With the layout pinned down above, writing what was read must give the same bytes; the texts
// that a kind does not store and the pictures are checked on top.
TEST_P(CLeafRoundTripTest, ReadsBackWhatWasWritten) {
    const LeafShape& shape = GetParam();
    CLeaf leaf = GeneratedLeaf(shape);
    const auto bytes = WrittenLeaf(leaf);
    CLeaf read = ReadLeaf(bytes);
    const bool bitmapRecord = shape.bitmap && !shape.fact;
    const bool qaf = !shape.fact && !shape.bitmap;
    EXPECT_EQ(read.FACTOnly(), shape.fact);
    EXPECT_EQ(read.BITMAPOnly(), bitmapRecord);
    EXPECT_TRUE(read.Copyable() && read.PasswordProtect() && read.SpareFlag());
    EXPECT_EQ(read.Title(), leaf.Title());
    EXPECT_EQ(read.Question(), qaf ? leaf.Question() : "");
    // Answers are stored with at most 110 characters.
    EXPECT_EQ(read.GetAnswer(4), qaf ? leaf.GetAnswer(4).substr(0, 110) : "");
    EXPECT_EQ(read.Fact(), bitmapRecord ? "" : leaf.Fact());
    ExpectSamePicture(bitmapRecord ? leaf.ColorBitmap() : nullptr, read.ColorBitmap(), "colour");
    ExpectSamePicture(bitmapRecord ? leaf.MonochromeBitmap() : nullptr, read.MonochromeBitmap(),
                      "mono");
    EXPECT_EQ(WrittenLeaf(read), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, CLeafRoundTripTest,
    testing::Values(LeafShape{"Qaf", false, false, false, LeafShape::kNone, 10},
                    LeafShape{"Fact", true, false, false, LeafShape::kNone, 12},
                    LeafShape{"BitmapWithoutPictures", false, true, false, LeafShape::kNone, 15},
                    LeafShape{"ColourOnly", false, true, true, LeafShape::kNone, 160},
                    LeafShape{"MonochromeOnly", false, true, false, LeafShape::kOneBit, 37},
                    LeafShape{"ColourAndMonochrome", false, true, true, LeafShape::kOneBit, 160},
                    LeafShape{"ColourAndGrey", false, true, true, LeafShape::kGrey, 161},
                    LeafShape{"OddSizedColourAndGrey", false, true, true, LeafShape::kGrey, 13},
                    LeafShape{"LargeSlide", false, true, true, LeafShape::kGrey, 320}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CLeafHostileRecordTest, EveryTruncationFailsAndLeavesTheLeafAsItWas) {
    for (const LeafShape& shape :
         {LeafShape{"Qaf", false, false, false, LeafShape::kNone, 10},
          LeafShape{"Pictures", false, true, true, LeafShape::kGrey, 12}}) {
        CLeaf leaf = GeneratedLeaf(shape);
        const auto whole = WrittenLeaf(leaf);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            CMemoryFile file(std::vector<std::uint8_t>(whole.begin(), whole.begin() + length));
            CLeaf read;
            read.SetTitle("before");
            EXPECT_NE(RaisedBy([&] { read.ReadFromFile(file, test::Palettes()); }).number, 0u)
                << shape.name << " " << length;
            EXPECT_EQ(read.Title(), "before");
        }
    }
}

TEST(CLeafHostileRecordTest, DamagedRecordsRaiseErrors) {
    const auto head = [](const char* type) {
        return Bytes().Hex("0010").Hex(type).Zeros(12).Hex("00 00");
    };
    const std::tuple<const char*, Bytes, std::uint32_t> cases[] = {
        {"NodeRecordType", head("0001").Text("").Text(""), kErrInvalidValue},
        {"AnswerWithoutTerminator",
         head("0003").Text("").Text("").Text(std::string(111, 'a')).Zeros(4), kErrDataTooLong},
        {"TitleRunningToTheEnd", head("0003").FixedText("abc", 3), kErrInputPastEnd},
        {"PictureCutShort", head("0004").Zeros(40).Hex("0008 0002"), kErrInputPastEnd},
        {"NextDepthPastTheEnd",
         head("0004").Zeros(40).Hex("0008 0001 0004 0000 01 02 01F4").Zeros(8), kErrInputPastEnd},
    };
    for (const auto& [name, bytes, error] : cases) {
        CMemoryFile file(bytes.Data());
        CLeaf leaf;
        EXPECT_EQ(RaisedBy([&] { leaf.ReadFromFile(file, test::Palettes()); }).number, error)
            << name;
    }
}

TEST(CLeafHostileRecordTest, APictureTooLargeForTheLayoutWritesNothing) {
    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    leaf.SetMonochromeBitmap(test::MonochromePicture(70000, 1, [](int, int) { return true; }));
    CMemoryFile file;
    EXPECT_NE(RaisedBy([&] { leaf.WriteToFile(file); }).number, 0u);
    EXPECT_EQ(file.Size(), 0u);
}

}  // namespace
}  // namespace trovique
