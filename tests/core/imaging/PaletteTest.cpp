#include "core/imaging/Palette.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/Error.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

using test::BinDir;
using test::ScratchDir;

struct Rgb {
    int red, green, blue;
};

CPalette LoadPalette(const std::filesystem::path& path, std::uint16_t numColors) {
    CPalette palette;
    palette.SetNumColors(numColors);
    palette.CreatePaletteFromFile(path);
    return palette;
}

CPalette LoadShipped(const std::string& name) {
    const std::uint16_t count = name == "Palm256Color.pal" ? 256 : name == "Palm4Color.pal" ? 4 : 2;
    return LoadPalette(BinDir() / name, count);
}

// A RIFF palette file as the shipped ones are laid out; the loader only counts on the header
// being 24 bytes long.
std::vector<unsigned char> PaletteFileBytes(const std::vector<Rgb>& colours) {
    std::vector<unsigned char> bytes = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'P', 'A', 'L', ' ',
                                        'd', 'a', 't', 'a', 0, 0, 0, 0, 0,   3,   0,   0};
    bytes[22] = static_cast<unsigned char>(colours.size() & 0xFF);
    bytes[23] = static_cast<unsigned char>(colours.size() >> 8);
    for (const Rgb& c : colours) {
        bytes.insert(bytes.end(),
                     {static_cast<unsigned char>(c.red), static_cast<unsigned char>(c.green),
                      static_cast<unsigned char>(c.blue), 0x55});
    }
    return bytes;
}

Rgb EntryOf(const CPalette& palette, std::size_t index) {
    const auto& table = palette.ColorTable();
    return {table[4 * index + 2], table[4 * index + 1], table[4 * index]};
}

std::size_t FirstIndexOf(const CPalette& palette, Rgb colour) {
    for (std::size_t index = 0; index < palette.NumColors(); ++index) {
        const Rgb entry = EntryOf(palette, index);
        if (entry.red == colour.red && entry.green == colour.green && entry.blue == colour.blue) {
            return index;
        }
    }
    ADD_FAILURE() << "colour not in the palette";
    return 0;
}

// netpbm's copy of the handheld's 256-colour palette, a plain PPM with one pixel per entry.
std::vector<Rgb> ReadPlainPpm(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    for (std::string line; std::getline(in, line);) {
        text << line.substr(0, line.find('#')) << '\n';
    }
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    text >> magic >> width >> height >> maximum;
    EXPECT_EQ(magic, "P3");
    EXPECT_EQ(maximum, 255);
    std::vector<Rgb> colours(static_cast<std::size_t>(width * height));
    for (Rgb& c : colours) {
        text >> c.red >> c.green >> c.blue;
    }
    EXPECT_TRUE(text) << "truncated " << path;
    return colours;
}

// --- Loading ---------------------------------------------------------------------------------

struct ShippedCase {
    const char* file;
    std::vector<Rgb> colours;
};

class ShippedPaletteTest : public ::testing::TestWithParam<ShippedCase> {};

TEST_P(ShippedPaletteTest, TableHoldsBlueGreenRedZero) {
    const ShippedCase& c = GetParam();
    const CPalette palette = LoadShipped(c.file);
    ASSERT_EQ(palette.NumColors(), c.colours.size());
    std::vector<std::uint8_t> expected;
    for (const Rgb& rgb : c.colours) {
        expected.insert(expected.end(),
                        {static_cast<std::uint8_t>(rgb.blue), static_cast<std::uint8_t>(rgb.green),
                         static_cast<std::uint8_t>(rgb.red), 0});
    }
    EXPECT_EQ(palette.ColorTable(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    CPaletteTest, ShippedPaletteTest,
    ::testing::Values(
        ShippedCase{"PalmMonochrome.pal", {{255, 255, 255}, {0, 0, 0}}},
        ShippedCase{"Palm4Color.pal",
                    {{255, 255, 255}, {0xAA, 0xAA, 0xAA}, {0x55, 0x55, 0x55}, {0, 0, 0}}},
        ShippedCase{"Palm256Color.pal", ReadPlainPpm("/usr/share/netpbm/palmcolor8.map")}));

TEST(CPaletteTest, ChangingNumColorsDropsTheLoadedColours) {
    CPalette palette = LoadShipped("Palm4Color.pal");
    palette.SetNumColors(4);
    EXPECT_EQ(palette.ColorTable().size(), 16u) << "same count keeps the colours";
    palette.SetNumColors(2);
    EXPECT_TRUE(palette.ColorTable().empty()) << "colours of another count are dropped";
    EXPECT_EQ(palette.NearestIndex(0, 0, 0), 0);
}

struct LoadFailureCase {
    const char* name;
    std::uint16_t numColors;
    std::vector<unsigned char> bytes;  // empty: no file at all
    std::uint32_t number;
};

class LoadFailureTest : public ::testing::TestWithParam<LoadFailureCase> {};

// The palette keeps what it held and the error names the file, so start-up can tell the user
// which file to put back.
TEST_P(LoadFailureTest, RaisesNamingTheFileAndKeepsTheOldColours) {
    const LoadFailureCase& c = GetParam();
    ScratchDir scratch;
    const auto path = scratch / (std::string(c.name) + ".pal");
    if (!c.bytes.empty()) {
        test::WriteAllBytes(path, c.bytes);
    }
    const std::vector<Rgb> before = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    CPalette palette;
    palette.SetNumColors(4);
    const auto good = scratch / "good.pal";
    test::WriteAllBytes(good, PaletteFileBytes(before));
    palette.CreatePaletteFromFile(good);
    const std::vector<std::uint8_t> tableBefore = palette.ColorTable();

    palette.SetNumColors(c.numColors);
    if (c.numColors == 4) {
        ASSERT_EQ(palette.ColorTable(), tableBefore);
    }
    try {
        palette.CreatePaletteFromFile(path);
        FAIL() << "loaded " << c.name;
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), c.number);
        EXPECT_NE(error.Description().find("Cannot load palette file " + path.string() + ": "),
                  std::string::npos)
            << error.Description();
    }
    EXPECT_EQ(palette.NumColors(), c.numColors);
    if (c.numColors == 4) {
        EXPECT_EQ(palette.ColorTable(), tableBefore);
        EXPECT_EQ(palette.NearestIndex(7, 8, 9), 2);
    }
}

std::vector<unsigned char> Truncated(std::vector<unsigned char> bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

const std::vector<Rgb> kFourColours = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};

INSTANTIATE_TEST_SUITE_P(
    CPaletteTest, LoadFailureTest,
    ::testing::Values(
        LoadFailureCase{"missing", 4, {}, kErrFileNotFound},
        LoadFailureCase{"headerOnly", 4, Truncated(PaletteFileBytes(kFourColours), 24),
                        kErrInputPastEnd},
        LoadFailureCase{"shortHeader", 4, Truncated(PaletteFileBytes(kFourColours), 10),
                        kErrInputPastEnd},
        LoadFailureCase{"lastEntryCut", 4, Truncated(PaletteFileBytes(kFourColours), 24 + 15),
                        kErrInputPastEnd},
        LoadFailureCase{"tooManyColours", 257,
                        PaletteFileBytes(std::vector<Rgb>(257, Rgb{9, 9, 9})), kErrValueOutOfRange},
        LoadFailureCase{"noColours", 0, PaletteFileBytes(kFourColours), kErrValueOutOfRange}),
    [](const auto& tested) { return std::string(tested.param.name); });

// --- Mapping colours -------------------------------------------------------------------------

struct ConvertCase {
    const char* file;
    std::vector<std::uint8_t> bgr;
    std::vector<Rgb> nearest;  // the palette colour each pixel should map to
};

class ConvertTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertTest, EachPixelGetsTheNearestIndex) {
    const ConvertCase& c = GetParam();
    const CPalette palette = LoadShipped(c.file);
    std::vector<std::uint8_t> indices(99, 0xEE);
    ASSERT_TRUE(palette.Convert24BitColor(c.bgr, indices));
    ASSERT_EQ(indices.size(), c.nearest.size());
    for (std::size_t at = 0; at < indices.size(); ++at) {
        EXPECT_EQ(indices[at], FirstIndexOf(palette, c.nearest[at])) << "pixel " << at;
    }
}

INSTANTIATE_TEST_SUITE_P(
    CPaletteTest, ConvertTest,
    ::testing::Values(
        // A red and a white pixel, stored blue, green, red.
        ConvertCase{"Palm256Color.pal", {0, 0, 255, 255, 255, 255}, {{255, 0, 0}, {255, 255, 255}}},
        // Blue and red must not be swapped; one or two stray bytes make no pixel.
        ConvertCase{"Palm256Color.pal", {255, 0, 0, 0, 0, 255, 7}, {{0, 0, 255}, {255, 0, 0}}},
        ConvertCase{"Palm256Color.pal", {}, {}},
        // Black is in the table many times; the first black wins.
        ConvertCase{
            "Palm256Color.pal", {0, 0, 0, 1, 1, 1, 0, 0, 0}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        // A run of equal pixels then a different one: the run's answer must not stick.
        ConvertCase{"Palm256Color.pal",
                    {10, 200, 20, 10, 200, 20, 10, 200, 21, 250, 250, 250},
                    {{0, 204, 0}, {0, 204, 0}, {0, 204, 0}, {255, 255, 255}}},
        ConvertCase{"PalmMonochrome.pal", {0, 0, 255, 200, 200, 200}, {{0, 0, 0}, {255, 255, 255}}},
        ConvertCase{"Palm4Color.pal",
                    {0, 0, 255, 0x90, 0x90, 0x90, 0x30, 0x30, 0x30},
                    {{0x55, 0x55, 0x55}, {0xAA, 0xAA, 0xAA}, {0x55, 0x55, 0x55}}}));

TEST(CPaletteTest, SourceTableEntriesAreReadBlueGreenRed) {
    const CPalette palette = LoadShipped("Palm256Color.pal");
    const std::vector<std::uint8_t> table = {0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 0};
    EXPECT_EQ(palette.GetPaletteIndexFromSrcColorTable(0, table),
              FirstIndexOf(palette, {255, 0, 0}));
    EXPECT_EQ(palette.GetPaletteIndexFromSrcColorTable(1, table),
              FirstIndexOf(palette, {0, 0, 255}));
    // The last entry lacks its pad byte but holds its colour.
    EXPECT_EQ(palette.GetPaletteIndexFromSrcColorTable(2, table),
              FirstIndexOf(palette, {0, 255, 0}));
    for (const std::size_t outside : {std::size_t{3}, std::size_t{1} << 62, SIZE_MAX}) {
        EXPECT_THROW(palette.GetPaletteIndexFromSrcColorTable(outside, table), CError) << outside;
    }
    EXPECT_THROW(palette.GetPaletteIndexFromSrcColorTable(0, {}), CError);
}

TEST(CPaletteTest, ColorRefAndTableCopy) {
    EXPECT_EQ(CPalette::BuildColorRef(0x12, 0x34, 0x56), 0x563412u);

    const CPalette palette = LoadShipped("PalmMonochrome.pal");
    std::vector<std::uint8_t> shorter;
    palette.CopyColorTable(shorter);
    EXPECT_EQ(shorter, palette.ColorTable());
    std::vector<std::uint8_t> longer(10, 0x77);
    palette.CopyColorTable(longer);
    EXPECT_EQ(longer, (std::vector<std::uint8_t>{255, 255, 255, 0, 0, 0, 0, 0, 0x77, 0x77}));
}

// --- The fast lookup against comparing every entry -------------------------------------------

// Palettes chosen to stress the cell pruning: the shipped ones, one with duplicates and exact
// ties between neighbours, and crowded random ones with many entries per cell.
std::vector<Rgb> RandomColours(unsigned seed, std::size_t count, int spread) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> centre(0, 255 - spread);
    std::uniform_int_distribution<int> offset(0, spread);
    const int base = centre(random);
    std::vector<Rgb> colours(count);
    for (Rgb& c : colours) {
        c = {base + offset(random), base + offset(random), base + offset(random)};
    }
    return colours;
}

struct ExactCase {
    const char* name;
    std::vector<Rgb> colours;  // empty: the shipped file of the same name
};

class NearestExactTest : public ::testing::TestWithParam<ExactCase> {
protected:
    void SetUp() override {
        const ExactCase& c = GetParam();
        if (c.colours.empty()) {
            palette_ = LoadShipped(c.name);
        } else {
            test::WriteAllBytes(scratch_ / "p.pal", PaletteFileBytes(c.colours));
            palette_ =
                LoadPalette(scratch_ / "p.pal", static_cast<std::uint16_t>(c.colours.size()));
        }
    }

    void ExpectExact(int red, int green, int blue) {
        const auto r = static_cast<std::uint8_t>(red);
        const auto g = static_cast<std::uint8_t>(green);
        const auto b = static_cast<std::uint8_t>(blue);
        const std::uint8_t expected = palette_.BruteForceNearestIndex(r, g, b);
        ASSERT_EQ(palette_.NearestIndex(r, g, b), expected)
            << "colour " << red << "," << green << "," << blue;
    }

    ScratchDir scratch_;
    CPalette palette_;
};

TEST_P(NearestExactTest, EveryEntryMapsToItsFirstIndex) {
    for (std::size_t index = 0; index < palette_.NumColors(); ++index) {
        const Rgb entry = EntryOf(palette_, index);
        const auto expected = static_cast<std::uint8_t>(FirstIndexOf(palette_, entry));
        ASSERT_EQ(palette_.NearestIndex(static_cast<std::uint8_t>(entry.red),
                                        static_cast<std::uint8_t>(entry.green),
                                        static_cast<std::uint8_t>(entry.blue)),
                  expected)
            << "entry " << index;
    }
}

// Cell edges and a coarse grid catch pruning that is off by one; the random colours cover the
// rest of the cube. (The whole cube was also checked once; it takes too long to repeat here.)
TEST_P(NearestExactTest, MatchesBruteForce) {
    std::vector<int> edges;
    for (int value = 0; value < 256; value += 8) {
        edges.insert(edges.end(), {value, value + 3, value + 7});
    }
    for (const int r : edges) {
        for (const int g : edges) {
            for (const int b : edges) {
                ExpectExact(r, g, b);
            }
        }
    }
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int sample = 0; sample < 300000; ++sample) {
        ExpectExact(channel(random), channel(random), channel(random));
    }
}

TEST_P(NearestExactTest, ConvertMatchesBruteForceOnAPicture) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> channel(0, 255);
    std::vector<std::uint8_t> bgr;
    for (int pixel = 0; pixel < 20000; ++pixel) {
        // Runs of repeated colours, as in real pictures, so the run shortcut is exercised.
        const auto b = static_cast<std::uint8_t>(channel(random));
        const auto g = static_cast<std::uint8_t>(channel(random));
        const auto r = static_cast<std::uint8_t>(channel(random));
        for (int repeat = pixel % 3; repeat >= 0; --repeat) {
            bgr.insert(bgr.end(), {b, g, r});
        }
    }
    std::vector<std::uint8_t> indices;
    ASSERT_TRUE(palette_.Convert24BitColor(bgr, indices));
    ASSERT_EQ(indices.size(), bgr.size() / 3);
    for (std::size_t at = 0; at < indices.size(); ++at) {
        ASSERT_EQ(indices[at],
                  palette_.BruteForceNearestIndex(bgr[3 * at + 2], bgr[3 * at + 1], bgr[3 * at]))
            << "pixel " << at;
    }
}

INSTANTIATE_TEST_SUITE_P(
    CPaletteTest, NearestExactTest,
    ::testing::Values(
        ExactCase{"Palm256Color.pal", {}}, ExactCase{"Palm4Color.pal", {}},
        ExactCase{"PalmMonochrome.pal", {}},
        ExactCase{"ties", {{0, 0, 0}, {10, 0, 0}, {0, 0, 0}, {5, 0, 0}, {10, 0, 0}, {4, 4, 4}}},
        ExactCase{"single", {{100, 150, 200}}}, ExactCase{"crowded", RandomColours(1, 256, 40)},
        ExactCase{"scattered", RandomColours(2, 256, 255)}),
    [](const auto& tested) {
        std::string name = tested.param.name;
        return name.substr(0, name.find('.'));
    });

}  // namespace
}  // namespace trovique
