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
using test::Rgb;

std::vector<std::uint8_t> WrittenLeaf(CLeaf& leaf) {
    return test::Written([&](CBinaryFile& file) { leaf.WriteToFile(file); });
}

CLeaf ReadLeaf(const std::vector<std::uint8_t>& bytes) {
    CMemoryFile file(bytes);
    CLeaf leaf;
    leaf.ReadFromFile(file, test::Palettes().Set());
    return leaf;
}

std::vector<std::uint8_t> PalmRows(const CBitmap& bitmap, std::size_t rowBytes) {
    std::vector<std::uint8_t> rows;
    std::vector<std::uint8_t> row(rowBytes);
    for (std::int32_t r = 1; r <= bitmap.Height(); ++r) {
        bitmap.GetRowBytes(r, row, false, bitmap.GrayScaleExpanded());
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

std::shared_ptr<CBitmap> SmallColour(int width, int height) {
    return test::ColorPicture(width, height, [](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(60 * x), static_cast<std::uint8_t>(90 * y), 200};
    });
}

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
    const auto expected = Bytes()
                              .Word(16)
                              .Word(3)
                              .Word(7)
                              .Word(3)
                              .Word(2)
                              .Word(0x0102)
                              .Word(0)
                              .Word(9)
                              .Byte(0xA1)  // valid, no monochrome picture, copyable
                              .Byte(0x60)  // difficulty 3
                              .Text("Q1")
                              .Text("Why?")
                              .Text("Yes")
                              .Text("")
                              .Text(std::string(110, 'a'))  // answers are cut at 110
                              .Text("")
                              .Text("Because");
    EXPECT_EQ(WrittenLeaf(leaf), expected.Data());
}

TEST(CLeafRecordTest, AFactLeafStoresOnlyItsFact) {
    CLeaf leaf;
    leaf.SetKey(1);
    leaf.SetFACTOnly(true);
    leaf.SetTitle("T");
    leaf.SetQuestion("not stored");
    leaf.SetFact("Line\r\nnext");
    const auto expected =
        Bytes().Word(16).Word(5).Word(1).Zeros(10).Byte(0xA0).Byte(0).Text("T").Text("Line\nnext");
    EXPECT_EQ(WrittenLeaf(leaf), expected.Data());
}

TEST(CLeafRecordTest, FactWinsOverBitmapWhenBothAreSet) {
    CLeaf leaf;
    leaf.SetFACTOnly(true);
    leaf.SetBITMAPOnly(true);
    leaf.SetColorBitmap(SmallColour(4, 2));
    leaf.SetFact("F");
    const auto expected = Bytes().Word(16).Word(5).Zeros(12).Byte(0xA0).Byte(0).Text("").Text("F");
    EXPECT_EQ(WrittenLeaf(leaf), expected.Data());
    EXPECT_EQ(leaf.FixedRegionSize(), 16);
}

TEST(CLeafRecordTest, ABitmapTitleKeepsThirtyNineCharactersAndANul) {
    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    const std::string title = "Photosynthesis and the light reactions!!!";  // 41
    leaf.SetTitle(title + "abcd");
    ASSERT_EQ(leaf.Title().size(), 45u);
    const auto expected = Bytes()
                              .Word(56)
                              .Word(4)
                              .Zeros(12)
                              .Byte(0xA0)
                              .Byte(0)
                              .FixedText(title.substr(0, 39), 40)
                              .Zeros(4);  // no picture
    EXPECT_EQ(WrittenLeaf(leaf), expected.Data());
    EXPECT_EQ(ReadLeaf(expected.Data()).Title(), title.substr(0, 39));
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
    std::function<void(CLeaf&, bool)> set;
    std::function<bool(const CLeaf&)> get;
    std::uint8_t flagA;
    std::uint8_t flagB;
};

class CLeafFlagTest : public testing::TestWithParam<FlagCase> {};

TEST_P(CLeafFlagTest, SwitchMapsToItsBit) {
    const FlagCase& c = GetParam();
    CLeaf leaf;
    leaf.SetValid(false);
    leaf.SetMonochromeBitmap(std::make_shared<CBitmap>());  // clears the no-monochrome bit
    c.set(leaf, true);
    const auto bytes = WrittenLeaf(leaf);
    EXPECT_EQ(bytes[16], c.flagA);
    EXPECT_EQ(bytes[17], c.flagB);

    const CLeaf read = ReadLeaf(bytes);
    EXPECT_TRUE(c.get(read));
    c.set(leaf, false);
    const auto cleared = WrittenLeaf(leaf);
    EXPECT_EQ(cleared[16], 0);
    EXPECT_EQ(cleared[17], 0);
    EXPECT_FALSE(c.get(ReadLeaf(cleared)));
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CLeafFlagTest,
    testing::Values(FlagCase{"Valid", [](CLeaf& l, bool on) { l.SetValid(on); },
                             [](const CLeaf& l) { return l.Valid(); }, 0x80, 0},
                    FlagCase{"ReEdit", [](CLeaf& l, bool on) { l.SetReEdit(on); },
                             [](const CLeaf& l) { return l.ReEdit(); }, 0x40, 0},
                    FlagCase{"Copyable", [](CLeaf& l, bool on) { l.SetCopyable(on); },
                             [](const CLeaf& l) { return l.Copyable(); }, 0x01, 0},
                    FlagCase{"Highlight", [](CLeaf& l, bool on) { l.SetHighlight(on); },
                             [](const CLeaf& l) { return l.Highlight(); }, 0, 0x10},
                    FlagCase{"SpareFlag", [](CLeaf& l, bool on) { l.SetSpareFlag(on); },
                             [](const CLeaf& l) { return l.SpareFlag(); }, 0, 0x08},
                    FlagCase{"PasswordProtect", [](CLeaf& l, bool on) { l.SetPasswordProtect(on); },
                             [](const CLeaf& l) { return l.PasswordProtect(); }, 0, 0x02},
                    FlagCase{"MostDifficult",
                             [](CLeaf& l, bool on) { l.SetDifficulty(on ? 7 : 0); },
                             [](const CLeaf& l) { return l.Difficulty() == 7; }, 0, 0xE0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(CLeafRecordTest, UnknownFlagBitsAndTheHiddenBitAreCarried) {
    const auto stored =
        Bytes().Word(16).Word(3).Zeros(12).Byte(0x3E).Byte(0x05).Text("").Zeros(5).Text("");
    CLeaf leaf = ReadLeaf(stored.Data());
    EXPECT_TRUE(leaf.Hidden());
    EXPECT_FALSE(leaf.Valid());
    EXPECT_EQ(WrittenLeaf(leaf), stored.Data()) << "bits 1 to 4 of FlagA and 0, 2 of FlagB";
    leaf.SetValid(true);
    leaf.SetCopyable(true);
    EXPECT_EQ(WrittenLeaf(leaf)[16], 0xBF);
}

TEST(CLeafRecordTest, ABitmapLeafWithoutPicturesStoresFourNulBytes) {
    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    leaf.SetKey(4);
    leaf.SetTitle("Empty");
    const auto expected = Bytes()
                              .Word(56)
                              .Word(4)
                              .Word(4)
                              .Zeros(10)
                              .Byte(0xA0)
                              .Byte(0)
                              .FixedText("Empty", 40)
                              .Zeros(4);
    EXPECT_EQ(WrittenLeaf(leaf), expected.Data());
    const CLeaf read = ReadLeaf(expected.Data());
    EXPECT_TRUE(read.BITMAPOnly());
    EXPECT_EQ(read.ColorBitmap(), nullptr);
    EXPECT_EQ(read.MonochromeBitmap(), nullptr);
}

// A grey companion of 8 x 3 pixels takes 16 + 2 x 3 = 22 bytes, so two pad bytes bring the
// colour picture to the next 4-byte boundary and the offset is 24 / 4 = 6 words.
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
                              .Word(56)
                              .Word(4)
                              .Word(9)
                              .Word(2)
                              .Zeros(8)
                              .Byte(0x81)
                              .Byte(0)
                              .FixedText("Slide", 40)
                              // grey: width, height, row bytes, flags, depth 2, version 2
                              .Word(8)
                              .Word(3)
                              .Word(2)
                              .Raw({0, 0, 2, 2})
                              .Word(6)
                              .Raw({0, 0, 0, 0})
                              .Raw(PalmRows(*grey, 2))
                              .Zeros(2)
                              // colour: too small to gain from compression
                              .Word(4)
                              .Word(2)
                              .Word(4)
                              .Raw({0, 0, 8, 2})
                              .Word(0)
                              .Raw({0, 0, 0, 0})
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
        (colourOnly ? leaf.SetColorBitmap(picture) : leaf.SetMonochromeBitmap(picture));
        const std::uint8_t depth = colourOnly ? 8 : 1;
        const auto expected = Bytes()
                                  .Word(56)
                                  .Word(4)
                                  .Zeros(12)
                                  .Byte(colourOnly ? 0xA0 : 0x80)
                                  .Byte(0)
                                  .Zeros(40)
                                  .Word(static_cast<std::uint16_t>(picture->Width()))
                                  .Word(2)
                                  .Word(4)
                                  .Raw({0, 0, depth, 2})
                                  .Word(0)
                                  .Raw({0, 0, 0, 0})
                                  .Raw(PalmRows(*picture, 4));
        const auto bytes = WrittenLeaf(leaf);
        EXPECT_EQ(bytes, expected.Data()) << colourOnly;
        const CLeaf read = ReadLeaf(bytes);
        ExpectSamePicture(colourOnly ? picture : nullptr, read.ColorBitmap(), "colour");
        ExpectSamePicture(colourOnly ? nullptr : picture, read.MonochromeBitmap(), "mono");
    }
}

TEST(CLeafRecordTest, TheNoMonochromeMarkerDropsAStoredMonochromePicture) {
    const auto mono = test::MonochromePicture(8, 2, [](int x, int) { return x < 4; });
    CLeaf leaf;
    leaf.SetBITMAPOnly(true);
    leaf.SetMonochromeBitmap(mono);
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

class CLeafRoundTripTest : public testing::TestWithParam<LeafShape> {};

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
    if (shape.colour) {
        leaf.SetColorBitmap(colour);
    }
    if (shape.mono == LeafShape::kOneBit) {
        auto mono = std::make_shared<CBitmap>();
        mono->CreateMonochromeBitmap(*colour);
        leaf.SetMonochromeBitmap(mono);
    } else if (shape.mono == LeafShape::kGrey) {
        leaf.SetMonochromeBitmap(test::GreyPicture(*colour));
    }
    return leaf;
}

TEST_P(CLeafRoundTripTest, ReadsBackWhatWasWritten) {
    const LeafShape& shape = GetParam();
    CLeaf leaf = GeneratedLeaf(shape);
    const auto bytes = WrittenLeaf(leaf);
    CMemoryFile file(bytes);
    CLeaf read;
    read.ReadFromFile(file, test::Palettes().Set());

    const bool bitmapRecord = shape.bitmap && !shape.fact;
    EXPECT_EQ(read.FACTOnly(), shape.fact);
    EXPECT_EQ(read.BITMAPOnly(), bitmapRecord);
    EXPECT_EQ(read.FixedRegionSize(), bitmapRecord ? 56 : 16);
    EXPECT_EQ(read.Key(), leaf.Key());
    EXPECT_EQ(read.ParentKey(), leaf.ParentKey());
    EXPECT_EQ(read.LPI(), leaf.LPI());
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_EQ(read.SeeAlso(slot), leaf.SeeAlso(slot));
    }
    EXPECT_EQ(read.FlagA(), leaf.FlagA());
    EXPECT_EQ(read.FlagB(), leaf.FlagB());
    EXPECT_EQ(read.Difficulty(), leaf.Difficulty());
    EXPECT_EQ(read.Copyable(), leaf.Copyable());
    EXPECT_EQ(read.Highlight(), leaf.Highlight());
    EXPECT_EQ(read.PasswordProtect(), leaf.PasswordProtect());
    EXPECT_EQ(read.ReEdit(), leaf.ReEdit());
    EXPECT_EQ(read.Valid(), leaf.Valid());
    EXPECT_EQ(read.SpareFlag(), leaf.SpareFlag());
    EXPECT_EQ(read.Title(), leaf.Title());
    const bool qaf = !shape.fact && !shape.bitmap;
    EXPECT_EQ(read.Question(), qaf ? leaf.Question() : "");
    for (int i = 1; i <= 4; ++i) {
        // Answers are stored with at most 110 characters.
        EXPECT_EQ(read.GetAnswer(i), qaf ? leaf.GetAnswer(i).substr(0, 110) : "");
    }
    EXPECT_EQ(read.Fact(), bitmapRecord ? "" : leaf.Fact());
    ExpectSamePicture(bitmapRecord ? leaf.ColorBitmap() : nullptr, read.ColorBitmap(), "colour");
    ExpectSamePicture(bitmapRecord ? leaf.MonochromeBitmap() : nullptr, read.MonochromeBitmap(),
                      "monochrome");
    EXPECT_EQ(WrittenLeaf(read), bytes) << "writing what was read gives the same record";
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
            EXPECT_NE(RaisedBy([&] { read.ReadFromFile(file, test::Palettes().Set()); }).number, 0u)
                << shape.name << " length " << length;
            EXPECT_EQ(read.Title(), "before");
        }
    }
}

TEST(CLeafHostileRecordTest, DamagedRecordsRaiseErrors) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::uint32_t error;
    };
    const auto head = [](std::uint16_t type) {
        return Bytes().Word(16).Word(type).Zeros(12).Byte(0).Byte(0);
    };
    const std::vector<Case> cases = {
        {"NodeRecordType", head(1).Text("").Text("").Data(), kErrInvalidValue},
        {"AnswerWithoutTerminator",
         head(3).Text("").Text("").Text(std::string(111, 'a')).Zeros(4).Text("").Data(),
         kErrDataTooLong},
        {"TitleRunningToTheEnd", head(3).FixedText("abc", 3).Data(), kErrInputPastEnd},
        {"PictureCutShort", head(4).Zeros(40).Word(8).Word(2).Data(), kErrInputPastEnd},
        {"NextDepthPastTheEnd",
         head(4)
             .Zeros(40)
             .Word(8)
             .Word(1)
             .Word(4)
             .Raw({0, 0, 1, 2})
             .Word(500)
             .Zeros(4)
             .Zeros(4)
             .Data(),
         kErrInputPastEnd},
    };
    for (const Case& c : cases) {
        CMemoryFile file(c.bytes);
        CLeaf leaf;
        EXPECT_EQ(RaisedBy([&] { leaf.ReadFromFile(file, test::Palettes().Set()); }).number,
                  c.error)
            << c.name;
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
