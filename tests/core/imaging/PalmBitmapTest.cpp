#include "core/imaging/PalmBitmap.h"

#include <gtest/gtest.h>

#include <random>

#include "core/imaging/ImagingFixtures.h"

namespace trovique::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct PalmHeader {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t rowBytes = 0;
    std::uint8_t flagsHigh = 0;
    std::uint8_t pixelSize = 8;
    std::uint8_t compressionType = 0;
    std::uint16_t nextDepthOffset = 0;
};

void PutBe16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

// A bitmap in the handheld layout: header, then body (colour table and rows, or the coded
// block) as given.
Bytes PalmBytes(const PalmHeader& h, const Bytes& body) {
    Bytes out;
    PutBe16(out, h.width);
    PutBe16(out, h.height);
    PutBe16(out, h.rowBytes);
    out.insert(out.end(), {h.flagsHigh, 0, h.pixelSize, 2});
    PutBe16(out, h.nextDepthOffset);
    out.insert(out.end(), {0, h.compressionType, 0, 0});
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A coded block: the length, the rows' codes, the closing 0x00 0x01.
Bytes CodedBlock(const Bytes& rowCodes) {
    Bytes out;
    PutBe16(out, static_cast<std::uint32_t>(rowCodes.size() + 2));
    out.insert(out.end(), rowCodes.begin(), rowCodes.end());
    out.insert(out.end(), {0x00, 0x01});
    return out;
}

CPalmBitmap ReadPalm(const Bytes& bytes, bool omitRecordFields = true) {
    CMemoryFile file(bytes);
    CPalmBitmap palm;
    EXPECT_TRUE(palm.ReadFromFile(file, omitRecordFields, Palettes().Set()));
    return palm;
}

Bytes WritePalm(const CPalmBitmap& palm, bool omitRecordFields = true) {
    CMemoryFile file;
    EXPECT_TRUE(palm.WriteToFile(file, omitRecordFields));
    return file.Data();
}

CPalmBitmap PalmFromBitmap(const CBitmap& bitmap) {
    CPalmBitmap palm;
    EXPECT_TRUE(palm.ReadFromCBitmap(bitmap));
    return palm;
}

// An 8-bit picture re-indexed to the handheld palette, as the editor makes them.
CBitmap IndexedBitmap(std::int32_t width, std::int32_t height,
                      const std::function<std::uint8_t(std::int32_t, std::int32_t)>& indexAt) {
    std::vector<Rgb> grey(256);
    for (std::size_t i = 0; i < 256; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        grey[i] = {level, level, level};
    }
    return BitmapFromImage(IndexedImage(width, height, 8, grey, indexAt));
}

CBitmap SlideLikeBitmap() {
    return BitmapFromImage(SlideLikeImage(120, 90));
}

struct RowCodeCase {
    const char* name;
    Bytes row;
    Bytes code;
};

void PrintTo(const RowCodeCase& c, std::ostream* out) {
    *out << c.name;
}

class CPalmBitmapRowCodeTest : public ::testing::TestWithParam<RowCodeCase> {};

// The exact run rules, and that what they produce reads back to the same row.
TEST_P(CPalmBitmapRowCodeTest, CodesTheRowAndReadsItBack) {
    const RowCodeCase& c = GetParam();
    const auto n = static_cast<std::uint16_t>(c.row.size());
    const Bytes twoRows = [&] {
        Bytes rows = c.row;
        rows.insert(rows.end(), c.row.begin(), c.row.end());
        return rows;
    }();
    const CPalmBitmap palm = ReadPalm(PalmBytes({n, 2, n}, twoRows));
    const auto code = palm.CompressedRow(1);
    EXPECT_EQ(Bytes(code.begin(), code.end()), c.code);
    EXPECT_EQ(palm.CompressedByteCount(), 2 * c.code.size());
    EXPECT_LE(c.code.size(), 2 * c.row.size() + 2);

    const CPalmBitmap again = ReadPalm(WritePalm(palm));
    EXPECT_EQ(RowOf(again, 1), c.row);
    EXPECT_EQ(RowOf(again, 2), c.row);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CPalmBitmapRowCodeTest,
    ::testing::Values(RowCodeCase{"ThreeHundredEqual", Bytes(300, 7), {255, 7, 45, 7, 0, 0}},
                      RowCodeCase{"AllDifferent", {1, 2, 3}, {1, 1, 1, 2, 1, 3, 0, 0}},
                      RowCodeCase{"RunThenSingle", {5, 5, 7}, {2, 5, 1, 7, 0, 0}},
                      RowCodeCase{"SingleRunSingle", {1, 2, 2, 3}, {1, 1, 2, 2, 1, 3, 0, 0}},
                      RowCodeCase{"TwoRuns", {4, 4, 4, 1, 1}, {3, 4, 2, 1, 0, 0}},
                      RowCodeCase{"Exactly255", Bytes(255, 3), {255, 3, 0, 0}},
                      RowCodeCase{"Exactly256", Bytes(256, 9), {255, 9, 1, 9, 0, 0}},
                      RowCodeCase{"Exactly510", Bytes(510, 9), {255, 9, 255, 9, 0, 0}},
                      RowCodeCase{"OneByte", {8}, {1, 8, 0, 0}}, RowCodeCase{"Empty", {}, {0, 0}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(CPalmBitmapTest, OneColourSlideIsWrittenCodedByteForByte) {
    CBitmap bitmap = IndexedBitmap(160, 120, [](std::int32_t, std::int32_t) { return 0; });
    bitmap.ConvertPalette(Palettes().color256);
    const std::uint8_t c = bitmap.Row(1)[0];
    CPalmBitmap palm = PalmFromBitmap(bitmap);
    EXPECT_EQ(palm.CompressedByteCount(), 480u);
    EXPECT_EQ(palm.EstRLESize(), 480 + 22);
    EXPECT_EQ(palm.EstUncompressedSize(), 160 * 120 + 22);
    EXPECT_EQ(palm.EstFileSize(), 502);

    Bytes expected = {0x00, 0xA0, 0x00, 0x78, 0x00, 0xA0, 0x80, 0x00,
                      8,    2,    0x00, 0x00, 0,    1,    0x00, 0x00};
    PutBe16(expected, 482);
    for (int row = 0; row < 120; ++row) {
        expected.insert(expected.end(), {160, c, 0, 0});
    }
    expected.insert(expected.end(), {0x00, 0x01});
    EXPECT_EQ(WritePalm(palm), expected);

    // Read back: same rows; the count now includes the closing pair.
    const CPalmBitmap again = ReadPalm(expected);
    EXPECT_EQ(again.CompressedByteCount(), 482u);
    EXPECT_EQ(RowOf(again, 120), RowOf(palm, 120));
    EXPECT_EQ(WritePalm(again), expected);

    palm.SetAllowCompression(false);
    EXPECT_EQ(palm.EstFileSize(), palm.EstUncompressedSize());
    const Bytes plain = WritePalm(palm);
    EXPECT_EQ(plain.size(), 16u + 160 * 120);
    EXPECT_EQ(plain[6], 0x00);
    EXPECT_EQ(plain[13], 0);
}

TEST(CPalmBitmapTest, CodeNoSmallerThanTheRowsIsWrittenPlain) {
    const CBitmap bitmap = IndexedBitmap(
        8, 3, [](std::int32_t x, std::int32_t y) { return static_cast<std::uint8_t>(x + y); });
    const CPalmBitmap palm = PalmFromBitmap(bitmap);
    EXPECT_EQ(palm.CompressedByteCount(), 3u * 18);
    EXPECT_FALSE(palm.WritesCompressed());
    EXPECT_EQ(palm.EstFileSize(), palm.EstUncompressedSize());
    const Bytes bytes = WritePalm(palm);
    ASSERT_EQ(bytes.size(), 16u + 3 * 8);
    EXPECT_EQ(bytes[6], 0x00);
    EXPECT_EQ(bytes[7], 0x00);
    EXPECT_EQ(bytes[13], 0);
    EXPECT_EQ(Bytes(bytes.begin() + 16, bytes.begin() + 24), RowOf(bitmap, 1));
}

TEST(CPalmBitmapTest, CodeTooLongForTheLengthFieldIsWrittenPlain) {
    // Runs of three: the code is two thirds of the rows, yet over 65535 bytes.
    const CBitmap bitmap = IndexedBitmap(600, 200, [](std::int32_t x, std::int32_t y) {
        return static_cast<std::uint8_t>((x / 3 + y) % 2);
    });
    const CPalmBitmap palm = PalmFromBitmap(bitmap);
    ASSERT_GT(palm.CompressedByteCount(), 65535u);
    ASSERT_LT(palm.EstRLESize(), palm.EstUncompressedSize());
    EXPECT_FALSE(palm.WritesCompressed());
    EXPECT_EQ(palm.EstFileSize(), palm.EstUncompressedSize());
    const CPalmBitmap again = ReadPalm(WritePalm(palm));
    EXPECT_EQ(RowOf(again, 200), RowOf(bitmap, 200));
}

class CPalmBitmapLowDepthTest : public ::testing::TestWithParam<int> {};

TEST_P(CPalmBitmapLowDepthTest, IsNeverCoded) {
    const CBitmap source = IndexedBitmap(160, 120, [](std::int32_t, std::int32_t) { return 0; });
    CBitmap reduced;
    if (GetParam() == 1) {
        reduced.CreateMonochromeBitmap(source);
        reduced.ConvertPalette(Palettes().monochrome);
    } else {
        reduced.CreateGrayScale4Bitmap(source);
        reduced.ConvertPalette(Palettes().gray4);
    }
    const CPalmBitmap palm = PalmFromBitmap(reduced);
    EXPECT_EQ(palm.PixelSize(), GetParam());
    EXPECT_EQ(palm.NumColors(), 1 << GetParam());
    EXPECT_EQ(palm.RowBytes(), 160 * GetParam() / 8);
    EXPECT_EQ(palm.CompressedByteCount(), 0u);
    EXPECT_EQ(palm.EstFileSize(), palm.EstUncompressedSize());
    const Bytes bytes = WritePalm(palm);
    EXPECT_EQ(bytes.size(), 16u + 120 * palm.RowBytes());
    EXPECT_EQ(bytes[6], 0x00);
    EXPECT_EQ(bytes[8], GetParam());
}

INSTANTIATE_TEST_SUITE_P(Depths, CPalmBitmapLowDepthTest, ::testing::Values(1, 2));

TEST(CPalmBitmapTest, GreyPictureIsPackedTwoBitsPerPixel) {
    // Stored greys 0 1 2 3 | 3 2 1 0, eight pixels: two bytes 0x1B 0xE4 in the handheld layout.
    const std::vector<std::uint8_t> levels = {255, 170, 85, 0, 0, 85, 170, 255};
    CBitmap grey;
    grey.CreateGrayScale4Bitmap(IndexedBitmap(
        8, 1, [&](std::int32_t x, std::int32_t) { return levels[static_cast<std::size_t>(x)]; }));
    const CPalmBitmap palm = PalmFromBitmap(grey);
    EXPECT_EQ(palm.RowBytes(), 2);
    EXPECT_EQ(RowOf(palm, 1), (Bytes{0x1B, 0xE4}));
    EXPECT_EQ(palm.ColorTable(), Bytes(grey.ColorTable().begin(), grey.ColorTable().begin() + 16));

    // And back to a desktop picture: one pixel per nibble again, rows padded to 4 bytes.
    CBitmap back;
    back.ReadFromCPalmBitmap(palm);
    EXPECT_TRUE(back.GrayScaleExpanded());
    EXPECT_EQ(back.PixelSize(), 4);
    EXPECT_EQ(back.NumColors(), 16);
    EXPECT_EQ(back.RowBytes(), 4);
    EXPECT_EQ(RowOf(back, 1), RowOf(grey, 1));
}

TEST(CPalmBitmapTest, SlideAndRecordFieldsSurviveARoundTrip) {
    const CBitmap original = SlideLikeBitmap();
    CPalmBitmap palm = PalmFromBitmap(original);
    ASSERT_TRUE(palm.WritesCompressed());
    palm.SetKey(0x1234);
    palm.SetNextDepthOffset(77);
    const Bytes bytes = WritePalm(palm, false);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), (Bytes{0x00, 0x04, 0x00, 0x04, 0x12, 0x34}));
    const CPalmBitmap again = ReadPalm(bytes, false);
    EXPECT_EQ(again.Key(), 0x1234);
    EXPECT_EQ(again.NextDepthOffset(), 77);
    EXPECT_EQ(WritePalm(again, false), bytes);

    CBitmap back;
    back.ReadFromCPalmBitmap(again);
    EXPECT_EQ(back.RowBytes(), original.RowBytes());
    EXPECT_EQ(back.ColorTable(), original.ColorTable());
    for (std::int32_t row = 1; row <= original.Height(); ++row) {
        ASSERT_EQ(RowOf(back, row), RowOf(original, row)) << "row " << row;
    }
}

TEST(CPalmBitmapTest, AbsoluteModeAndShortRowsAreRead) {
    const Bytes codes = {0x00, 0x03, 1,    2,   3, 0x00, 5, 9, 0, 0,        // literal 3 + pad
                         0x00, 0x04, 1,    2,   3, 4,    2, 7, 2, 8, 0, 0,  // literal 4
                         3,    5,    0x00, 0x00};                           // ends early
    const CPalmBitmap palm = ReadPalm(PalmBytes({8, 3, 8, 0x80, 8, 1}, CodedBlock(codes)));
    EXPECT_EQ(RowOf(palm, 1), (Bytes{1, 2, 3, 9, 9, 9, 9, 9}));
    EXPECT_EQ(RowOf(palm, 2), (Bytes{1, 2, 3, 4, 7, 7, 8, 8}));
    EXPECT_EQ(RowOf(palm, 3), (Bytes{5, 5, 5, 0, 0, 0, 0, 0}));
    EXPECT_EQ(palm.CompressedByteCount(), codes.size() + 2);
}

TEST(CPalmBitmapTest, UnknownCompressionTypeIsNamedInTheError) {
    for (const std::uint8_t type : {std::uint8_t{0}, std::uint8_t{2}, std::uint8_t{255}}) {
        const Bytes bytes = PalmBytes({4, 1, 4, 0x80, 8, type}, CodedBlock({4, 1, 0, 0}));
        CMemoryFile file(bytes);
        CPalmBitmap palm;
        try {
            palm.ReadFromFile(file, true, Palettes().Set());
            ADD_FAILURE() << "type " << int{type} << " was accepted";
        } catch (const CError& error) {
            EXPECT_EQ(error.Number(), 0x800404B0u);
            EXPECT_EQ(error.Source(), "CPalmBitmap: ReadFromFile");
            EXPECT_EQ(error.Description(),
                      "Invalid bitmap compression (" + std::to_string(type) + ")");
        }
    }
}

struct HostilePalmCase {
    const char* name;
    Bytes bytes;
    std::uint32_t error;
};

constexpr std::uint32_t kDamaged = kErrInvalidBitmapFormat;
constexpr std::uint32_t kUnsupported = kErrUnsupportedBitmapFormat;

Bytes Coded(std::uint16_t width, std::uint16_t height, const Bytes& block) {
    return PalmBytes({width, height, width, 0x80, 8, 1}, block);
}

void PrintTo(const HostilePalmCase& c, std::ostream* out) {
    *out << c.name;
}

class CPalmBitmapHostileTest : public ::testing::TestWithParam<HostilePalmCase> {};

// Damaged records give an error, never a crash, an overrun or a huge allocation, and the
// object keeps what it held.
TEST_P(CPalmBitmapHostileTest, RaisesAndKeepsTheOldPicture) {
    CPalmBitmap palm = ReadPalm(PalmBytes({2, 1, 2}, {7, 7}));
    CMemoryFile file(GetParam().bytes);
    EXPECT_EQ(ErrorNumberOf([&] { palm.ReadFromFile(file, true, Palettes().Set()); }),
              GetParam().error);
    EXPECT_EQ(palm.Width(), 2);
    EXPECT_EQ(RowOf(palm, 1), (Bytes{7, 7}));
}

INSTANTIATE_TEST_SUITE_P(
    Records, CPalmBitmapHostileTest,
    ::testing::Values(
        HostilePalmCase{"RunPastTheRow", Coded(8, 1, CodedBlock({9, 1, 0, 0})), kDamaged},
        HostilePalmCase{"RunsAddUpPastTheRow", Coded(8, 1, CodedBlock({5, 1, 4, 2, 0, 0})),
                        kDamaged},
        HostilePalmCase{"LiteralPastTheRow",
                        Coded(4, 1, CodedBlock({0, 5, 1, 2, 3, 4, 5, 0, 0, 0})), kDamaged},
        HostilePalmCase{"LiteralPastTheBlock", Coded(8, 1, CodedBlock({0, 7, 1, 2})), kDamaged},
        HostilePalmCase{"RowPastTheBlock", Coded(4, 2, CodedBlock({4, 1, 0, 0, 4, 1})), kDamaged},
        HostilePalmCase{"EndOfBitmapInARow", Coded(4, 1, CodedBlock({2, 1, 0, 1, 0, 0})), kDamaged},
        HostilePalmCase{"DeltaInARow", Coded(4, 1, CodedBlock({0, 2, 1, 1, 0, 0})), kDamaged},
        HostilePalmCase{"NoClosingPair", Coded(4, 1, {0, 6, 4, 1, 0, 0, 0, 2}), kDamaged},
        HostilePalmCase{"LengthZero", Coded(4, 1, {0, 0}), kDamaged},
        HostilePalmCase{"LengthTooShortForTheRows", Coded(4, 3000, {0, 10, 0, 0, 0, 0}), kDamaged},
        HostilePalmCase{"LengthPastTheEnd", Coded(4, 1, {0xFF, 0xF0, 4, 1, 0, 0, 0, 1}),
                        kErrInputPastEnd},
        HostilePalmCase{"FourBitPixels", PalmBytes({4, 1, 2, 0, 4}, {0, 0}), kUnsupported},
        HostilePalmCase{"SixteenBitPixels", PalmBytes({1, 1, 2, 0, 16}, {0, 0}), kUnsupported},
        HostilePalmCase{"RowsTooShortForTheWidth", PalmBytes({9, 1, 8}, Bytes(8, 0)), kDamaged},
        HostilePalmCase{"PlainRowsCut", PalmBytes({8, 2, 8}, Bytes(15, 0)), kErrInputPastEnd},
        HostilePalmCase{"HugePlainPicture", PalmBytes({65535, 65535, 65535}, {}), kUnsupported},
        HostilePalmCase{"HugeOneBitPicture", PalmBytes({65000, 8000, 8126, 0, 1}, {}),
                        kUnsupported},
        HostilePalmCase{"TallPlainPictureNoData", PalmBytes({2000, 30000, 2000}, {}),
                        kErrInputPastEnd},
        HostilePalmCase{"ColourTableCut", PalmBytes({4, 1, 4, 0x40}, {0, 200, 0, 1, 2}),
                        kErrInputPastEnd},
        HostilePalmCase{"HeaderCut", Bytes{0, 4, 0, 1, 0}, kErrInputPastEnd}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(CPalmBitmapHostileTest, RandomDamageNeverEscapesAsAnythingButAnError) {
    const Bytes good = WritePalm(PalmFromBitmap(SlideLikeBitmap()));
    ASSERT_EQ(good[6], 0x80);
    std::mt19937 random(20240611);
    for (int trial = 0; trial < 3000; ++trial) {
        Bytes bytes = good;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i) {
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
        if (trial % 5 == 0) {
            bytes.resize(random() % bytes.size());
        }
        CMemoryFile file(bytes);
        CPalmBitmap palm;
        try {
            palm.ReadFromFile(file, true, Palettes().Set());
            CBitmap shown;
            shown.ReadFromCPalmBitmap(palm);  // whatever was read must convert and write
            CMemoryFile out;
            palm.WriteToFile(out, true);
        } catch (const CError&) {
            // expected for most damage
        }
    }
}

TEST(CPalmBitmapTest, OwnColourTableIsReindexedToTheHandheldPalette) {
    const auto& colour = Palettes().color256;
    // 8-bit: entries (index, red, green, blue) = red, green, white.
    const Bytes table8 = {0, 3, 0, 255, 0, 0, 1, 0, 255, 0, 2, 255, 255, 255};
    Bytes body = table8;
    body.insert(body.end(), {0, 1, 2, 0});
    CPalmBitmap palm = ReadPalm(PalmBytes({4, 1, 4, 0x40, 8}, body));
    const std::uint8_t red = colour.NearestIndex(255, 0, 0);
    const std::uint8_t green = colour.NearestIndex(0, 255, 0);
    EXPECT_EQ(RowOf(palm, 1), (Bytes{red, green, 0, red}));
    EXPECT_EQ(palm.NumColors(), 256);
    EXPECT_TRUE(palm.HasColorTable());
    EXPECT_EQ(palm.ColorTable(), colour.ColorTable());
    const auto code = palm.CompressedRow(1);
    EXPECT_EQ(Bytes(code.begin(), code.end()), (Bytes{1, red, 1, green, 1, 0, 1, red, 0, 0}));

    // The same pixels coded: the code is rebuilt for the new indices.
    body = table8;
    body.insert(body.end(), {0, 12, 1, 0, 1, 1, 1, 2, 1, 0, 0, 0, 0, 1});
    palm = ReadPalm(PalmBytes({4, 1, 4, 0xC0, 8, 1}, body));
    EXPECT_EQ(RowOf(palm, 1), (Bytes{red, green, 0, red}));
    EXPECT_EQ(RowOf(ReadPalm(WritePalm(palm)), 1), (Bytes{red, green, 0, red}));

    // 1-bit: black, white -> the handheld's white 0, black 1.
    palm =
        ReadPalm(PalmBytes({16, 1, 2, 0x40, 1}, {0, 2, 0, 0, 0, 0, 1, 255, 255, 255, 0xF0, 0x00}));
    EXPECT_EQ(RowOf(palm, 1), (Bytes{0x0F, 0xFF}));
    EXPECT_EQ(palm.ColorTable(), Palettes().monochrome.ColorTable());

    // 2-bit: white, black, dark grey, light grey -> white 0, light 1, dark 2, black 3.
    palm = ReadPalm(PalmBytes({4, 1, 2, 0x40, 2}, {0, 4,  0,  255, 255, 255, 1,   0,   0,    0,
                                                   2, 85, 85, 85,  3,   170, 170, 170, 0x1B, 0}));
    EXPECT_EQ(RowOf(palm, 1), (Bytes{0x39, 0x00}));
    EXPECT_EQ(palm.ColorTable(), Palettes().gray4.ColorTable());
}

TEST(CPalmBitmapTest, WithoutOwnColoursTheDepthPaletteIsTheTable) {
    struct Case {
        std::uint8_t pixelSize;
        const CPalette& palette;
    };
    for (const Case& c : {Case{1, Palettes().monochrome}, Case{2, Palettes().gray4},
                          Case{8, Palettes().color256}}) {
        const CPalmBitmap palm = ReadPalm(PalmBytes({8, 1, 8, 0, c.pixelSize}, Bytes(8, 0)));
        EXPECT_TRUE(palm.HasColorTable());
        EXPECT_EQ(palm.NumColors(), 1 << c.pixelSize);
        EXPECT_EQ(palm.ColorTable(), c.palette.ColorTable());
    }
    // A colour-table flag with no entries means the same: an 8-bit picture read as two colours
    // would become a monochrome picture with meaningless pixels.
    for (const Case& c : {Case{1, Palettes().monochrome}, Case{8, Palettes().color256}}) {
        const CPalmBitmap bare =
            ReadPalm(PalmBytes({8, 1, 8, 0x40, c.pixelSize}, {0, 0, 0xA5, 0, 0xE7, 0, 0, 0, 0, 0}));
        EXPECT_TRUE(bare.HasColorTable());
        EXPECT_EQ(bare.NumColors(), 1 << c.pixelSize);
        EXPECT_EQ(bare.ColorTable(), c.palette.ColorTable());
        EXPECT_EQ(RowOf(bare, 1), (Bytes{0xA5, 0, 0xE7, 0, 0, 0, 0, 0}));  // not re-indexed
        CBitmap shown;
        shown.ReadFromCPalmBitmap(bare);
        EXPECT_EQ(shown.NumColors(), 1 << c.pixelSize);
    }
}

TEST(CPalmBitmapTest, DesktopPictureFromPalmRowsIsPaddedToFourBytes) {
    const CPalmBitmap palm = ReadPalm(PalmBytes({5, 2, 6}, {1, 2, 3, 4, 5, 0, 6, 7, 8, 9, 10, 0}));
    CBitmap bitmap;
    bitmap.ReadFromCPalmBitmap(palm);
    EXPECT_EQ(bitmap.PixelSize(), 8);
    EXPECT_EQ(bitmap.NumColors(), 256);
    EXPECT_EQ(bitmap.RowBytes(), 8);
    EXPECT_FALSE(bitmap.IsTopDown());
    EXPECT_EQ(bitmap.CompressionType(), 255);
    EXPECT_EQ(RowOf(bitmap, 2), (Bytes{6, 7, 8, 9, 10, 0, 0, 0}));
    EXPECT_EQ(bitmap.ColorTable(), Palettes().color256.ColorTable());
    Bytes row(3);
    EXPECT_EQ(ErrorNumberOf([&] { palm.GetRowBytes(3, row); }), kErrBitmapIndexOutOfRange);
    palm.GetRowBytes(2, row);
    EXPECT_EQ(row, (Bytes{6, 7, 8}));
}

TEST(CPalmBitmapTest, PicturesBeyondTheSixteenBitFieldsAreRefused) {
    const CBitmap wide = IndexedBitmap(70000, 1, [](std::int32_t, std::int32_t) { return 0; });
    CPalmBitmap palm;
    EXPECT_EQ(ErrorNumberOf([&] { palm.ReadFromCBitmap(wide); }), kErrValueOutOfRange);
    EXPECT_EQ(palm.Width(), 0);
}

}  // namespace
}  // namespace trovique::test
