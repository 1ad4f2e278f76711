#include "core/imaging/Bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <functional>
#include <random>

#include "core/imaging/ImagingFixtures.h"

namespace trovique::test {
namespace {

const std::vector<Rgb> kSixteen = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                   {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                   {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                   {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

std::uint8_t Pattern(std::int32_t x, std::int32_t y, int colours) {
    return static_cast<std::uint8_t>((x * 7 + y * 13) % colours);
}

BmpImage PatternImage(std::uint16_t bitCount, std::int32_t width, std::int32_t height) {
    if (bitCount == 24) {
        // Exact palette colours, so the expected index is the palette's own.
        const auto& table = Palettes().color256.ColorTable();
        return RgbImage(width, height, [&](std::int32_t x, std::int32_t y) {
            const std::size_t at = 4u * Pattern(x, y, 215);
            return Rgb{table[at + 2], table[at + 1], table[at]};
        });
    }
    std::vector<Rgb> palette(std::size_t{1} << bitCount);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = bitCount == 4
                         ? kSixteen[i]
                         : Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                               static_cast<std::uint8_t>(i / 2)};
    }
    return IndexedImage(width, height, bitCount, palette, [&](std::int32_t x, std::int32_t y) {
        return Pattern(x, y, 1 << std::min<int>(bitCount, 8));
    });
}

// The colour index of pixel x of a row held at pixelSize bits.
std::uint8_t IndexAt(std::span<const std::uint8_t> row, std::int32_t x, int pixelSize) {
    if (pixelSize == 1) {
        return (row[x / 8] >> (7 - x % 8)) & 1;
    }
    if (pixelSize == 4) {
        return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15;
    }
    return row[x];
}

struct GeometryCase {
    std::uint16_t bitCount;
    std::int32_t width;
    std::int32_t rowBytes;
    std::uint16_t pixelSize;
    std::int32_t numColors;
};

class CBitmapGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

// Row lengths, depths and every pixel after reading, bottom-up and top-down alike.
TEST_P(CBitmapGeometryTest, ReadsRowsAtFileStrideIntoTopFirstRows) {
    const GeometryCase c = GetParam();
    for (const bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        BmpImage image = PatternImage(c.bitCount, c.width, 5);
        image.topDown = topDown;
        const CBitmap bitmap = BitmapFromImage(image);
        EXPECT_EQ(bitmap.Width(), c.width);
        EXPECT_EQ(bitmap.Height(), 5);
        EXPECT_EQ(bitmap.RowBytes(), c.rowBytes);
        EXPECT_EQ(bitmap.PixelSize(), c.pixelSize);
        EXPECT_EQ(bitmap.NumColors(), c.numColors);
        EXPECT_EQ(bitmap.ColorTable().size(), 4u * c.numColors);
        EXPECT_EQ(bitmap.IsTopDown(), topDown);
        EXPECT_FALSE(bitmap.IsCompressed());
        EXPECT_EQ(bitmap.CompressionType(), 255);
        EXPECT_FALSE(bitmap.GrayScaleExpanded());
        const int sourceColours = c.bitCount == 24 ? 215 : 1 << std::min<int>(c.bitCount, 8);
        for (std::int32_t y = 0; y < 5; ++y) {
            const auto row = bitmap.Row(y + 1);
            for (std::int32_t x = 0; x < c.width; ++x) {
                ASSERT_EQ(IndexAt(row, x, c.pixelSize), Pattern(x, y, sourceColours))
                    << "pixel " << x << "," << y;
            }
            if (c.bitCount == 24) {  // indices of the handheld palette, padding zero
                EXPECT_TRUE(std::all_of(row.begin() + c.width, row.end(),
                                        [](std::uint8_t byte) { return byte == 0; }));
            }
        }
        if (c.bitCount == 24) {
            EXPECT_EQ(bitmap.ColorTable(), Palettes().color256.ColorTable());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Depths, CBitmapGeometryTest,
    ::testing::Values(GeometryCase{1, 36, 8, 1, 2}, GeometryCase{1, 1, 4, 1, 2},
                      GeometryCase{4, 5, 8, 8, 256}, GeometryCase{8, 3, 4, 8, 256},
                      GeometryCase{24, 161, 164, 8, 256}, GeometryCase{24, 4, 4, 8, 256}));

TEST(CBitmapTest, FourBitTableKeepsSixteenEntriesThenZeros) {
    const BmpImage image = PatternImage(4, 5, 2);
    const CBitmap bitmap = BitmapFromImage(image);
    const auto& table = bitmap.ColorTable();
    ASSERT_EQ(table.size(), 1024u);
    EXPECT_EQ(std::vector<std::uint8_t>(table.begin(), table.begin() + 64), image.colorTable);
    EXPECT_TRUE(std::all_of(table.begin() + 64, table.end(), [](auto byte) { return byte == 0; }));
}

TEST(CBitmapTest, OneBitPictureWidensToOneIndexPerByte) {
    CBitmap bitmap = BitmapFromImage(PatternImage(1, 10, 2));
    bitmap.WidenToEightBits();
    EXPECT_EQ(bitmap.PixelSize(), 8);
    EXPECT_EQ(bitmap.RowBytes(), 12);
    EXPECT_EQ(bitmap.NumColors(), 256);
    for (std::int32_t x = 0; x < 10; ++x) {
        EXPECT_EQ(bitmap.Row(2)[x], Pattern(x, 1, 2));
    }
    EXPECT_EQ(bitmap.Row(2)[10], 0);
}

TEST(CBitmapTest, ShortColourTableIsReadUpToThePixels) {
    // Two colours in an 8-bit file, said or not by the colours-used field: the table ends
    // where the pixels begin and the other entries stay zero.
    for (const std::uint32_t colorsUsed : {2u, 0u}) {
        BmpImage image = IndexedImage(3, 1, 8, {{10, 20, 30}, {40, 50, 60}},
                                      [](std::int32_t x, std::int32_t) { return x % 2; });
        image.colorsUsed = colorsUsed;
        const CBitmap bitmap = BitmapFromImage(image);
        EXPECT_EQ(RowOf(bitmap, 1), (std::vector<std::uint8_t>{0, 1, 0, 0}));
        const auto& table = bitmap.ColorTable();
        ASSERT_EQ(table.size(), 1024u);
        EXPECT_EQ(std::vector<std::uint8_t>(table.begin(), table.begin() + 12),
                  (std::vector<std::uint8_t>{30, 20, 10, 0, 60, 50, 40, 0, 0, 0, 0, 0}));
    }
}

struct HostileCase {
    const char* name;
    std::function<void(BmpImage&)> bendImage;
    std::function<void(std::vector<unsigned char>&)> bendBytes;
    std::uint32_t error;
};

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.name;
}

class CBitmapHostileFileTest : public ::testing::TestWithParam<HostileCase> {};

// Damaged and unsupported files give the documented error and never touch memory they should
// not (the sanitizer build runs these too).
TEST_P(CBitmapHostileFileTest, RaisesTheFormatError) {
    const HostileCase& c = GetParam();
    BmpImage image = PatternImage(8, 6, 4);
    if (c.bendImage) {
        c.bendImage(image);
    }
    auto bytes = EncodeBmp(image);
    if (c.bendBytes) {
        c.bendBytes(bytes);
    }
    EXPECT_EQ(ErrorNumberOf([&] { BitmapFromBytes(bytes); }), c.error);
}

constexpr std::uint32_t kInvalid = kErrInvalidBitmapFormat;

// Overwrites a 32-bit little-endian header field of an encoded file.
std::function<void(std::vector<unsigned char>&)> SetField(std::size_t at, std::uint32_t value) {
    return [at, value](std::vector<unsigned char>& bytes) {
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
        }
    };
}

constexpr std::size_t kWidthField = 18;
constexpr std::size_t kOffsetField = 10;
constexpr std::uint32_t kUnsupported = kErrUnsupportedBitmapFormat;

INSTANTIATE_TEST_SUITE_P(
    Files, CBitmapHostileFileTest,
    ::testing::Values(
        HostileCase{"NotBM", nullptr, [](auto& b) { b[0] = 'X'; }, kInvalid},
        HostileCase{"CoreHeader", [](auto& i) { i.infoSize = 12; }, nullptr, kUnsupported},
        HostileCase{"V4Header", [](auto& i) { i.infoSize = 108; }, nullptr, kUnsupported},
        HostileCase{"V5Header", [](auto& i) { i.infoSize = 124; }, nullptr, kUnsupported},
        HostileCase{"Rle8", [](auto& i) { i.compression = 1; }, nullptr, kUnsupported},
        HostileCase{"Rle4",
                    [](auto& i) {
                        i.bitCount = 4;
                        i.compression = 2;
                    },
                    nullptr, kUnsupported},
        HostileCase{"BitFields",
                    [](auto& i) {
                        i.bitCount = 32;
                        i.compression = 3;
                    },
                    nullptr, kUnsupported},
        HostileCase{"SixteenBit", [](auto& i) { i.bitCount = 16; }, nullptr, kUnsupported},
        HostileCase{"ThirtyTwoBit", [](auto& i) { i.bitCount = 32; }, nullptr, kUnsupported},
        HostileCase{"TwoBit", [](auto& i) { i.bitCount = 2; }, nullptr, kUnsupported},
        HostileCase{"ZeroWidth", nullptr, SetField(kWidthField, 0), kInvalid},
        HostileCase{"NegativeWidth", nullptr, SetField(kWidthField, static_cast<std::uint32_t>(-6)),
                    kInvalid},
        HostileCase{"ZeroHeight", [](auto& i) { i.storedHeight = 0; }, nullptr, kInvalid},
        HostileCase{"MinimumHeight", [](auto& i) { i.storedHeight = INT_MIN; }, nullptr, kInvalid},
        HostileCase{"Gigapixels", [](auto& i) { i.storedHeight = -100000; },
                    SetField(kWidthField, 100000), kUnsupported},
        HostileCase{"TallerThanTheFile", [](auto& i) { i.storedHeight = 5000; }, nullptr, kInvalid},
        HostileCase{"WiderThanTheFile", nullptr, SetField(kWidthField, 70000), kInvalid},
        HostileCase{"PixelsPastTheEnd", nullptr, SetField(kOffsetField, 100000), kInvalid},
        HostileCase{"PixelsInsideTheHeader", nullptr, SetField(kOffsetField, 20), kInvalid},
        HostileCase{"LastRowCut", nullptr, [](auto& b) { b.pop_back(); }, kInvalid},
        HostileCase{"HeaderCut", nullptr, [](auto& b) { b.resize(30); }, kErrInputPastEnd}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(CBitmapHostileFileTest, RandomDamageNeverEscapesAsAnythingButAnError) {
    std::mt19937 random(1100);
    for (const std::uint16_t bitCount : {std::uint16_t{1}, std::uint16_t{4}, std::uint16_t{24}}) {
        const auto good = EncodeBmp(PatternImage(bitCount, 13, 7));
        for (int trial = 0; trial < 1500; ++trial) {
            auto bytes = good;
            // Mostly the headers, where the sizes and offsets are.
            for (int i = 0; i < 3; ++i) {
                const std::size_t at = random() % (trial % 2 == 0 ? 70 : bytes.size());
                bytes[std::min(at, bytes.size() - 1)] = static_cast<unsigned char>(random());
            }
            try {
                const CBitmap bitmap = BitmapFromBytes(bytes);
                CBitmap grey;
                grey.CreateGrayScale4Bitmap(bitmap);
            } catch (const CError&) {
                // expected for most damage
            }
        }
    }
}

TEST(CBitmapTest, TrappedReadReportsWithThePrefixAndKeepsThePicture) {
    ScratchDir scratch;
    WriteBmp(scratch / "good.bmp", PatternImage(8, 6, 4));
    BmpImage rle = PatternImage(8, 9, 9);
    rle.compression = 1;
    WriteBmp(scratch / "rle.bmp", rle);

    CBitmap bitmap;
    std::vector<std::string> reports;
    const auto report = [&](const std::string& text) { reports.push_back(text); };
    ASSERT_TRUE(bitmap.ReadFile(scratch / "good.bmp", Palettes().color256, report));
    EXPECT_FALSE(bitmap.ReadFile(scratch / "rle.bmp", Palettes().color256, report));
    EXPECT_FALSE(bitmap.ReadFile(scratch / "missing.bmp", Palettes().color256, report));
    EXPECT_FALSE(bitmap.ReadFile(scratch / "rle.bmp", Palettes().color256, CBitmap::Report{}));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], "CBitmap ReadFile error: Unsupported bitmap file format.");
    EXPECT_EQ(reports[1].rfind("CBitmap ReadFile error: ", 0), 0u);
    EXPECT_NE(reports[1].find("missing.bmp"), std::string::npos);
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.Height(), 4);
}

TEST(CBitmapTest, WriteFileRoundTripsAndKeepsRowOrder) {
    ScratchDir scratch;
    for (const bool topDown : {false, true}) {
        for (const std::uint16_t bitCount : {std::uint16_t{1}, std::uint16_t{8}}) {
            SCOPED_TRACE(std::to_string(bitCount) + (topDown ? " top-down" : " bottom-up"));
            BmpImage image = PatternImage(bitCount, 13, 3);
            image.topDown = topDown;
            const CBitmap original = BitmapFromImage(image);
            ASSERT_TRUE(original.WriteFile(scratch / "out.bmp"));
            const auto bytes = ReadAllBytes(scratch / "out.bmp");
            const std::size_t offset = 54 + original.ColorTable().size();
            EXPECT_EQ(bytes.size(), offset + 3u * original.RowBytes());
            EXPECT_EQ(bytes[10] | bytes[11] << 8, static_cast<int>(offset));
            EXPECT_EQ(bytes[2] | bytes[3] << 8, static_cast<int>(bytes.size()));
            const auto storedHeight =
                static_cast<std::int32_t>(bytes[22] | bytes[23] << 8 | bytes[24] << 16 |
                                          static_cast<unsigned>(bytes[25]) << 24);
            EXPECT_EQ(storedHeight, topDown ? -3 : 3);
            // The first stored row is the bottom one unless the picture is top-down.
            const auto firstStored = RowOf(original, topDown ? 1 : 3);
            EXPECT_TRUE(std::equal(firstStored.begin(), firstStored.end(),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(offset)));

            const CBitmap again = BitmapFromBytes(bytes);
            EXPECT_EQ(again.IsTopDown(), topDown);
            EXPECT_EQ(again.ColorTable(), original.ColorTable());
            for (std::int32_t row = 1; row <= 3; ++row) {
                EXPECT_EQ(RowOf(again, row), RowOf(original, row));
            }
        }
    }
}

TEST(CBitmapTest, WriteFileFailureLeavesNoFile) {
    ScratchDir scratch;
    const CBitmap bitmap = BitmapFromImage(PatternImage(8, 4, 4));
    EXPECT_FALSE(bitmap.WriteFile(scratch / "no-such-folder" / "out.bmp"));
    EXPECT_TRUE(std::filesystem::is_empty(scratch.Path()));
}

TEST(CBitmapTest, RgbPixelsInMemoryGiveTheSamePictureAsTheFile) {
    const BmpImage image = SlideLikeImage(97, 31);
    const CBitmap fromFile = BitmapFromImage(image);
    const auto bgr = BgrPixels(image);
    // The same rows, tightly packed and with junk between rows.
    std::vector<std::uint8_t> loose;
    const std::size_t stride = 3 * 97 + 5;
    for (std::size_t row = 0; row < 31; ++row) {
        loose.insert(loose.end(), bgr.begin() + static_cast<std::ptrdiff_t>(row * 291),
                     bgr.begin() + static_cast<std::ptrdiff_t>((row + 1) * 291));
        loose.insert(loose.end(), 5, 0xEE);
    }
    for (const auto& [pixels, rowStride] :
         {std::pair{bgr, std::size_t{291}}, std::pair{loose, stride}}) {
        const CBitmap fromMemory(97, 31, pixels, rowStride, Palettes().color256);
        EXPECT_EQ(fromMemory.RowBytes(), fromFile.RowBytes());
        EXPECT_EQ(fromMemory.ColorTable(), fromFile.ColorTable());
        for (std::int32_t row = 1; row <= 31; ++row) {
            ASSERT_EQ(RowOf(fromMemory, row), RowOf(fromFile, row)) << "row " << row;
        }
    }
    EXPECT_EQ(ErrorNumberOf([&] { CBitmap(97, 31, bgr, 290, Palettes().color256); }), kInvalid);
    EXPECT_EQ(ErrorNumberOf([&] { CBitmap(97, 32, bgr, 291, Palettes().color256); }), kInvalid);
}

// One row holding the given colours, as an 8-bit picture.
CBitmap ColourRow(const std::vector<Rgb>& colours) {
    return BitmapFromImage(IndexedImage(static_cast<std::int32_t>(colours.size()), 1, 8, colours,
                                        [](std::int32_t x, std::int32_t) { return x; }));
}

struct ReductionCase {
    Rgb colour;
    std::uint8_t monochrome;  // 1 white, 0 black
    std::uint8_t grey;        // stored value: 0 white .. 3 black
};

TEST(CBitmapReductionTest, ColoursReduceToBlackAndWhiteAndFourGreys) {
    const std::vector<ReductionCase> cases = {
        {{127, 127, 127}, 0, 2}, {{128, 128, 128}, 1, 1}, {{126, 127, 128}, 0, 2},
        {{127, 127, 128}, 1, 2}, {{0, 0, 0}, 0, 3},       {{255, 255, 255}, 1, 0},
        {{0, 0, 255}, 0, 3},     {{255, 255, 0}, 1, 1},   {{255, 0, 0}, 0, 2},
        {{0, 255, 0}, 0, 1},     {{255, 0, 255}, 1, 2},   {{0, 255, 255}, 1, 1},
        {{0, 0, 254}, 0, 2},     {{42, 42, 42}, 0, 3},    {{43, 43, 43}, 0, 2},
        {{212, 212, 212}, 1, 1}, {{213, 213, 213}, 1, 0},
    };
    std::vector<Rgb> colours;
    for (const auto& c : cases) {
        colours.push_back(c.colour);
    }
    const CBitmap source = ColourRow(colours);
    CBitmap mono;
    mono.CreateMonochromeBitmap(source);
    CBitmap grey;
    grey.CreateGrayScale4Bitmap(source);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Rgb& c = cases[i].colour;
        SCOPED_TRACE(std::to_string(c.red) + "," + std::to_string(c.green) + "," +
                     std::to_string(c.blue));
        const auto x = static_cast<std::int32_t>(i);
        EXPECT_EQ(IndexAt(mono.Row(1), x, 1), cases[i].monochrome);
        EXPECT_EQ(IndexAt(grey.Row(1), x, 4), cases[i].grey);
    }
}

struct ReducedGeometryCase {
    std::int32_t width;
    std::int32_t monoRowBytes;
    std::int32_t greyRowBytes;
};

class CBitmapReducedGeometryTest : public ::testing::TestWithParam<ReducedGeometryCase> {};

TEST_P(CBitmapReducedGeometryTest, PacksPixelsMostSignificantFirstInPaddedRows) {
    const auto c = GetParam();
    // One white pixel at each position in turn on black; every other bit must stay clear.
    for (std::int32_t white = 0; white < c.width; white += std::max(1, c.width / 7)) {
        const CBitmap source = BitmapFromImage(
            IndexedImage(c.width, 2, 8, {{0, 0, 0}, {255, 255, 255}},
                         [white](std::int32_t x, std::int32_t) { return x == white ? 1 : 0; }));
        CBitmap mono;
        mono.CreateMonochromeBitmap(source);
        EXPECT_EQ(mono.RowBytes(), c.monoRowBytes);
        std::vector<std::uint8_t> expectedMono(static_cast<std::size_t>(c.monoRowBytes), 0);
        expectedMono[white / 8] = static_cast<std::uint8_t>(0x80 >> (white % 8));
        EXPECT_EQ(RowOf(mono, 2), expectedMono);

        CBitmap grey;
        grey.CreateGrayScale4Bitmap(source);
        EXPECT_EQ(grey.RowBytes(), c.greyRowBytes);
        std::vector<std::uint8_t> expectedGrey(static_cast<std::size_t>(c.greyRowBytes), 0);
        for (std::int32_t x = 0; x < c.width; ++x) {
            if (x != white) {
                expectedGrey[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? 0x30 : 0x03);
            }
        }
        EXPECT_EQ(RowOf(grey, 1), expectedGrey);
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, CBitmapReducedGeometryTest,
                         ::testing::Values(ReducedGeometryCase{1, 4, 4},
                                           ReducedGeometryCase{32, 4, 16},
                                           ReducedGeometryCase{33, 8, 20},
                                           ReducedGeometryCase{161, 24, 84}));

TEST(CBitmapReductionTest, ReducedPicturesCarryTheirFixedTables) {
    const CBitmap source = ColourRow({{1, 2, 3}});
    CBitmap mono;
    mono.CreateMonochromeBitmap(source);
    EXPECT_EQ(mono.PixelSize(), 1);
    EXPECT_EQ(mono.NumColors(), 2);
    EXPECT_FALSE(mono.GrayScaleExpanded());
    EXPECT_EQ(mono.ColorTable(), (std::vector<std::uint8_t>{0, 0, 0, 0, 255, 255, 255, 255}));

    CBitmap grey;
    grey.CreateGrayScale4Bitmap(source);
    EXPECT_EQ(grey.PixelSize(), 4);
    EXPECT_EQ(grey.NumColors(), 16);
    EXPECT_TRUE(grey.GrayScaleExpanded());
    std::vector<std::uint8_t> table(64, 0);
    for (std::size_t i = 0; i < 16; ++i) {
        table[i] = static_cast<std::uint8_t>(85 * (i / 4));
    }
    EXPECT_EQ(grey.ColorTable(), table);
}

TEST(CBitmapReductionTest, OneBitSourceIsReducedPixelByPixel) {
    const auto stripes = [](std::int32_t x, std::int32_t y) { return (x + y) % 3 == 0 ? 1 : 0; };
    const CBitmap source =
        BitmapFromImage(IndexedImage(40, 3, 1, {{0, 0, 0}, {255, 255, 255}}, stripes));
    CBitmap mono;
    mono.CreateMonochromeBitmap(source);
    CBitmap grey;
    grey.CreateGrayScale4Bitmap(source);
    for (std::int32_t y = 0; y < 3; ++y) {
        for (std::int32_t x = 0; x < 40; ++x) {
            EXPECT_EQ(IndexAt(mono.Row(y + 1), x, 1), stripes(x, y));
            EXPECT_EQ(IndexAt(grey.Row(y + 1), x, 4), stripes(x, y) == 1 ? 0 : 3);
        }
    }
}

TEST(CBitmapTest, GetRowBytesInvertsPacksAndChecksTheRow) {
    // Grey values 0 1 2 3 | 3 2 1 0 stored one per nibble.
    const CBitmap source = ColourRow({{255, 255, 255},
                                      {170, 170, 170},
                                      {85, 85, 85},
                                      {0, 0, 0},
                                      {0, 0, 0},
                                      {85, 85, 85},
                                      {170, 170, 170},
                                      {255, 255, 255}});
    CBitmap grey;
    grey.CreateGrayScale4Bitmap(source);
    ASSERT_EQ(RowOf(grey, 1), (std::vector<std::uint8_t>{0x01, 0x23, 0x32, 0x10}));

    std::vector<std::uint8_t> out(4, 0xAA);
    grey.GetRowBytes(1, out, false, true);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0x1B, 0xE4, 0xAA, 0xAA}));
    grey.GetRowBytes(1, out, true, true);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0xE4, 0x1B, 0xAA, 0xAA}));
    grey.GetRowBytes(1, out, true, false);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0xFE, 0xDC, 0xCD, 0xEF}));
    std::vector<std::uint8_t> shortOut(2);
    grey.GetRowBytes(1, shortOut, false, false);
    EXPECT_EQ(shortOut, (std::vector<std::uint8_t>{0x01, 0x23}));

    for (const std::int32_t row : {0, 2, -1}) {
        try {
            grey.GetRowBytes(row, out, false, false);
            ADD_FAILURE() << "row " << row << " was accepted";
        } catch (const CError& error) {
            EXPECT_EQ(error.Number(), kErrBitmapIndexOutOfRange);
            EXPECT_EQ(error.Source(), "CBitmap:GetRowBytes");
            EXPECT_EQ(error.Description(), "Index out of range.");
        }
    }
}

TEST(CBitmapConvertPaletteTest, EightBitPixelsTakeTheNearestPaletteIndex) {
    const auto& palette = Palettes().color256;
    const std::vector<Rgb> colours = {{255, 255, 255}, {255, 0, 0}, {0x33, 0x66, 0x99},
                                      {0, 0, 0},       {250, 5, 3}, {128, 128, 128}};
    CBitmap bitmap = ColourRow(colours);
    bitmap.ConvertPalette(palette);
    const auto row = RowOf(bitmap, 1);
    EXPECT_EQ(row[0], 0);  // white is the first entry of the handheld palette
    for (std::size_t x = 0; x < colours.size(); ++x) {
        const Rgb& c = colours[x];
        EXPECT_EQ(row[x], palette.NearestIndex(c.red, c.green, c.blue)) << "pixel " << x;
    }
    EXPECT_EQ(row[1], row[4]);  // a near red joins pure red
    EXPECT_EQ(bitmap.ColorTable(), palette.ColorTable());
}

TEST(CBitmapConvertPaletteTest, OneBitPixelsFollowTheMonochromePaletteOrder) {
    // Ours: 0 black, 1 white. The handheld's: 0 white, 1 black. Every bit flips.
    CBitmap bitmap = BitmapFromImage(IndexedImage(
        12, 1, 1, {{0, 0, 0}, {255, 255, 255}},
        [](std::int32_t x, std::int32_t) { return static_cast<std::uint8_t>(x < 4 ? 1 : 0); }));
    ASSERT_EQ(RowOf(bitmap, 1), (std::vector<std::uint8_t>{0xF0, 0x00, 0x00, 0x00}));
    bitmap.ConvertPalette(Palettes().monochrome);
    EXPECT_EQ(RowOf(bitmap, 1), (std::vector<std::uint8_t>{0x0F, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bitmap.ColorTable(), Palettes().monochrome.ColorTable());
}

TEST(CBitmapConvertPaletteTest, GreyPixelsStayAndTheTableStartIsReplaced) {
    CBitmap grey;
    grey.CreateGrayScale4Bitmap(ColourRow({{0, 0, 0}, {255, 255, 255}, {100, 100, 100}}));
    const auto before = RowOf(grey, 1);
    grey.ConvertPalette(Palettes().gray4);
    EXPECT_EQ(RowOf(grey, 1), before);
    const auto& table = grey.ColorTable();
    ASSERT_EQ(table.size(), 64u);
    EXPECT_EQ(std::vector<std::uint8_t>(table.begin(), table.begin() + 16),
              Palettes().gray4.ColorTable());
    EXPECT_EQ(std::vector<std::uint8_t>(table.begin() + 16, table.end()),
              std::vector<std::uint8_t>(48, 0));
}

}  // namespace
}  // namespace trovique::test
