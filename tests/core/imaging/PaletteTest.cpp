#include "core/imaging/Palette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/Error.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

using test::ScratchDir;

struct Rgb {
    std::uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

// Every case table names its rows; the name shows in the test's name and in failures.
template <class Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}
struct CaseName {
    template <class Info>
    std::string operator()(const Info& info) const {
        return info.param.name;
    }
};

CPalette LoadPalette(const std::filesystem::path& path, std::uint16_t numColors) {
    CPalette palette;
    palette.SetNumColors(numColors);
    palette.CreatePaletteFromFile(path);
    return palette;
}

CPalette LoadShipped(const std::string& name) {
    const std::uint16_t count = name == "Palm256Color" ? 256 : name == "Palm4Color" ? 4 : 2;
    return LoadPalette(test::BinDir() / (name + ".pal"), count);
}

// The loader skips the 24-byte RIFF header unread, so zeros stand in for it.
std::vector<unsigned char> PaletteFileBytes(const std::vector<Rgb>& colours) {
    std::vector<unsigned char> bytes(24, 0);
    for (const Rgb& c : colours) {
        bytes.insert(bytes.end(), {c.red, c.green, c.blue, 0x55});
    }
    return bytes;
}

Rgb EntryOf(const CPalette& palette, std::size_t index) {
    const auto& table = palette.ColorTable();
    return {table[4 * index + 2], table[4 * index + 1], table[4 * index]};
}

std::uint8_t FirstIndexOf(const CPalette& palette, Rgb colour) {
    for (std::size_t index = 0; index < palette.NumColors(); ++index) {
        if (EntryOf(palette, index) == colour) {
            return static_cast<std::uint8_t>(index);
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
    int width = 0, height = 0, maximum = 0, red = 0, green = 0, blue = 0;
    text >> magic >> width >> height >> maximum;
    EXPECT_EQ(magic + std::to_string(maximum), "P3255");
    std::vector<Rgb> colours;
    for (int at = 0; at < width * height && text >> red >> green >> blue; ++at) {
        colours.push_back({static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                           static_cast<std::uint8_t>(blue)});
    }
    return colours;
}

// --- Loading ---------------------------------------------------------------------------------

struct ShippedCase {
    const char* name;
    std::vector<Rgb> colours;
};

class ShippedPaletteTest : public ::testing::TestWithParam<ShippedCase> {};

TEST_P(ShippedPaletteTest, TableHoldsBlueGreenRedZero) {
    const CPalette palette = LoadShipped(GetParam().name);
    std::vector<std::uint8_t> expected;
    for (const Rgb& c : GetParam().colours) {
        expected.insert(expected.end(), {c.blue, c.green, c.red, 0});
    }
    EXPECT_EQ(palette.NumColors(), GetParam().colours.size());
    EXPECT_EQ(palette.ColorTable(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    CPaletteTest, ShippedPaletteTest,
    ::testing::Values(
        ShippedCase{"PalmMonochrome", {{255, 255, 255}, {0, 0, 0}}},
        ShippedCase{"Palm4Color",
                    {{255, 255, 255}, {0xAA, 0xAA, 0xAA}, {0x55, 0x55, 0x55}, {0, 0, 0}}},
        ShippedCase{"Palm256Color", ReadPlainPpm("/usr/share/netpbm/palmcolor8.map")}),
    CaseName());

TEST(CPaletteTest, ChangingNumColorsDropsTheLoadedColours) {
    CPalette palette = LoadShipped("Palm4Color");
    palette.SetNumColors(4);
    EXPECT_EQ(palette.ColorTable().size(), 16u) << "same count keeps the colours";
    palette.SetNumColors(2);
    EXPECT_TRUE(palette.ColorTable().empty()) << "colours of another count are dropped";
    EXPECT_EQ(palette.NearestIndex(0, 0, 0), 0);
}

const std::vector<Rgb> kFourColours = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};

std::vector<unsigned char> Truncated(std::size_t size) {
    std::vector<unsigned char> bytes = PaletteFileBytes(kFourColours);
    bytes.resize(size);
    return bytes;
}

struct LoadFailureCase {
    const char* name;
    std::uint16_t numColors;
    std::vector<unsigned char> bytes;  // empty: no file at all
    std::uint32_t number;
};

class LoadFailureTest : public ::testing::TestWithParam<LoadFailureCase> {};

// The error names the file, so start-up can tell the user which one to put back, and nothing of
// the failed load replaces the colours held before.
TEST_P(LoadFailureTest, RaisesNamingTheFileAndKeepsTheOldColours) {
    const LoadFailureCase& c = GetParam();
    ScratchDir scratch;
    test::WriteAllBytes(scratch / "good.pal", PaletteFileBytes(kFourColours));
    CPalette palette = LoadPalette(scratch / "good.pal", 4);
    const std::vector<std::uint8_t> before = palette.ColorTable();

    const auto path = scratch / (std::string(c.name) + ".pal");
    if (!c.bytes.empty()) {
        test::WriteAllBytes(path, c.bytes);
    }
    palette.SetNumColors(c.numColors);
    try {
        palette.CreatePaletteFromFile(path);
        FAIL() << "loaded " << c.name;
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), c.number);
        EXPECT_EQ(error.Description().rfind("Cannot load palette file " + path.string() + ": ", 0),
                  0u)
            << error.Description();
    }
    if (c.numColors == 4) {
        EXPECT_EQ(palette.ColorTable(), before);
        EXPECT_EQ(palette.NearestIndex(7, 8, 9), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CPaletteTest, LoadFailureTest,
    ::testing::Values(LoadFailureCase{"missing", 4, {}, kErrFileNotFound},
                      LoadFailureCase{"shortHeader", 4, Truncated(10), kErrInputPastEnd},
                      LoadFailureCase{"headerOnly", 4, Truncated(24), kErrInputPastEnd},
                      LoadFailureCase{"lastEntryCut", 4, Truncated(24 + 15), kErrInputPastEnd},
                      LoadFailureCase{"tooManyColours", 257,
                                      PaletteFileBytes(std::vector<Rgb>(257, Rgb{9, 9, 9})),
                                      kErrValueOutOfRange},
                      LoadFailureCase{"noColours", 0, Truncated(40), kErrValueOutOfRange}),
    CaseName());

// --- Mapping colours -------------------------------------------------------------------------

struct ConvertCase {
    const char* name;
    const char* palette;
    std::vector<std::uint8_t> bgr;
    std::vector<Rgb> nearest;  // the palette colour each pixel should map to
};

class ConvertTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertTest, EachPixelGetsTheNearestIndex) {
    const ConvertCase& c = GetParam();
    const CPalette palette = LoadShipped(c.palette);
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
        ConvertCase{"redAndWhite",
                    "Palm256Color",
                    {0, 0, 255, 255, 255, 255},
                    {{255, 0, 0}, {255, 255, 255}}},
        // One or two stray bytes after the last pixel make no pixel.
        ConvertCase{"blueThenRedAndAStrayByte",
                    "Palm256Color",
                    {255, 0, 0, 0, 0, 255, 7},
                    {{0, 0, 255}, {255, 0, 0}}},
        ConvertCase{"noPixels", "Palm256Color", {}, {}},
        // Black is in the table many times; the first black wins.
        ConvertCase{"firstBlack",
                    "Palm256Color",
                    {0, 0, 0, 1, 1, 1, 0, 0, 0},
                    {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        // The answer kept for a run of equal pixels must not stick to the next colour.
        ConvertCase{"runThenChange",
                    "Palm256Color",
                    {10, 200, 20, 10, 200, 20, 10, 200, 21, 250, 250, 250},
                    {{0, 204, 0}, {0, 204, 0}, {0, 204, 0}, {255, 255, 255}}},
        ConvertCase{"monochrome",
                    "PalmMonochrome",
                    {0, 0, 255, 200, 200, 200},
                    {{0, 0, 0}, {255, 255, 255}}},
        ConvertCase{"grey",
                    "Palm4Color",
                    {0, 0, 255, 0x90, 0x90, 0x90, 0x30, 0x30, 0x30},
                    {{0x55, 0x55, 0x55}, {0xAA, 0xAA, 0xAA}, {0x55, 0x55, 0x55}}}),
    CaseName());

TEST(CPaletteTest, SourceTableEntriesAreReadBlueGreenRed) {
    const CPalette palette = LoadShipped("Palm256Color");
    // The last entry lacks its pad byte but holds its colour.
    const std::vector<std::uint8_t> table = {0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 0};
    const std::vector<Rgb> expected = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}};
    for (std::size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(palette.GetPaletteIndexFromSrcColorTable(index, table),
                  FirstIndexOf(palette, expected[index]));
    }
    for (const std::size_t outside : {std::size_t{3}, std::size_t{1} << 62, SIZE_MAX}) {
        EXPECT_THROW(palette.GetPaletteIndexFromSrcColorTable(outside, table), CError) << outside;
    }
    EXPECT_THROW(palette.GetPaletteIndexFromSrcColorTable(0, {}), CError);
}

TEST(CPaletteTest, ColorRefAndTableCopy) {
    EXPECT_EQ(CPalette::BuildColorRef(0x12, 0x34, 0x56), 0x563412u);

    const CPalette palette = LoadShipped("PalmMonochrome");
    std::vector<std::uint8_t> shorter;
    palette.CopyColorTable(shorter);
    EXPECT_EQ(shorter, palette.ColorTable());
    std::vector<std::uint8_t> longer(10, 0x77);
    palette.CopyColorTable(longer);
    EXPECT_EQ(longer, (std::vector<std::uint8_t>{255, 255, 255, 0, 0, 0, 0, 0, 0x77, 0x77}));
}

// --- The fast lookup against comparing every entry -------------------------------------------

std::vector<Rgb> RandomColours(unsigned seed, int spread) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> offset(0, spread);
    const int base = std::uniform_int_distribution<int>(0, 255 - spread)(random);
    std::vector<Rgb> colours(256);
    for (Rgb& c : colours) {
        c = {static_cast<std::uint8_t>(base + offset(random)),
             static_cast<std::uint8_t>(base + offset(random)),
             static_cast<std::uint8_t>(base + offset(random))};
    }
    return colours;
}

// The shipped 256 colours with one entry moved: the table built with the program no longer
// fits, and the palette must not use it.
std::vector<Rgb> ShippedWithOneChange() {
    const CPalette shipped = LoadShipped("Palm256Color");
    std::vector<Rgb> colours;
    for (std::size_t index = 0; index < shipped.NumColors(); ++index) {
        colours.push_back(EntryOf(shipped, index));
    }
    colours[100] = {10, 200, 30};
    return colours;
}

struct ExactCase {
    const char* name;
    std::vector<Rgb> colours;  // empty: the shipped palette of that name
};

class NearestExactTest : public ::testing::TestWithParam<ExactCase> {
protected:
    void SetUp() override {
        const ExactCase& c = GetParam();
        if (c.colours.empty()) {
            palette_ = LoadShipped(c.name);
            return;
        }
        test::WriteAllBytes(scratch_ / "p.pal", PaletteFileBytes(c.colours));
        palette_ = LoadPalette(scratch_ / "p.pal", static_cast<std::uint16_t>(c.colours.size()));
    }

    void ExpectExact(Rgb c) {
        ASSERT_EQ(palette_.NearestIndex(c.red, c.green, c.blue),
                  palette_.BruteForceNearestIndex(c.red, c.green, c.blue))
            << "colour " << +c.red << "," << +c.green << "," << +c.blue;
    }

    ScratchDir scratch_;
    CPalette palette_;
};

TEST_P(NearestExactTest, EveryEntryMapsToItsFirstIndex) {
    for (std::size_t index = 0; index < palette_.NumColors(); ++index) {
        const Rgb entry = EntryOf(palette_, index);
        ASSERT_EQ(palette_.NearestIndex(entry.red, entry.green, entry.blue),
                  FirstIndexOf(palette_, entry))
            << "entry " << index;
    }
}

// Values at the edges of every lookup cell (4 or 8 values wide, so both ends of every 4) catch
// pruning that is off by one; random colours cover the rest of the cube.
TEST_P(NearestExactTest, MatchesBruteForce) {
    std::vector<std::uint8_t> edges;
    for (int value = 0; value < 256; value += 4) {
        edges.insert(edges.end(),
                     {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value + 3)});
    }
    for (const std::uint8_t r : edges) {
        for (const std::uint8_t g : edges) {
            for (const std::uint8_t b : edges) {
                ExpectExact({r, g, b});
            }
        }
    }
    std::mt19937 random(20240611);
    for (int sample = 0; sample < 300000; ++sample) {
        const auto bits = static_cast<std::uint32_t>(random());
        ExpectExact({static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                     static_cast<std::uint8_t>(bits >> 16)});
    }
}

// Every colour of the cube, when TROVIQUE_WHOLE_CUBE is set: too long for every test run.
TEST_P(NearestExactTest, MatchesBruteForceOnTheWholeCube) {
    if (std::getenv("TROVIQUE_WHOLE_CUBE") == nullptr) {
        GTEST_SKIP() << "set TROVIQUE_WHOLE_CUBE=1 to compare every colour";
    }
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                ExpectExact({static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                             static_cast<std::uint8_t>(b)});
            }
        }
    }
}

TEST_P(NearestExactTest, OnlyTheShippedColoursUseTheTableBuiltWithTheProgram) {
    EXPECT_EQ(palette_.UsesBuiltInTable(), GetParam().colours.empty());
}

// Besides the shipped palettes: duplicates and exact ties between neighbours, a lone colour,
// and random palettes crowded into a corner of the cube (many entries per cell) or spread out.
INSTANTIATE_TEST_SUITE_P(
    CPaletteTest, NearestExactTest,
    ::testing::Values(
        ExactCase{"Palm256Color", {}}, ExactCase{"Palm4Color", {}}, ExactCase{"PalmMonochrome", {}},
        ExactCase{"ties", {{0, 0, 0}, {10, 0, 0}, {0, 0, 0}, {5, 0, 0}, {10, 0, 0}, {4, 4, 4}}},
        ExactCase{"single", {{100, 150, 200}}}, ExactCase{"crowded", RandomColours(1, 40)},
        ExactCase{"scattered", RandomColours(2, 255)},
        ExactCase{"shippedWithOneChange", ShippedWithOneChange()}),
    CaseName());

}  // namespace
}  // namespace trovique
