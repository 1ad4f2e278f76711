#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/BitmapWriter.h"
#include "support/TestPaths.h"

namespace trovique::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

bool HaveTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell pipeline of netpbm tools; the paths come from a ScratchDir and need no quoting.
void RunPipeline(const std::string& command) {
    ASSERT_EQ(std::system(("(" + command + ") 2>/dev/null").c_str()), 0) << command;
}

// The pixels of a binary PPM (ppmtoppm's output) as 0..255 red, green, blue triples.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

Pixels ReadPpm(const fs::path& path) {
    const Bytes bytes = ReadAllBytes(path);
    std::size_t at = 0;
    const auto token = [&] {
        while (at < bytes.size() && std::isspace(bytes[at])) {
            ++at;
        }
        std::string text;
        while (at < bytes.size() && !std::isspace(bytes[at])) {
            text += static_cast<char>(bytes[at++]);
        }
        return text;
    };
    Pixels pixels;
    EXPECT_EQ(token(), "P6");
    pixels.width = std::stoi(token());
    pixels.height = std::stoi(token());
    const int maxval = std::stoi(token());
    ++at;  // the single white space before the samples
    for (; at < bytes.size(); ++at) {
        pixels.rgb.push_back(static_cast<unsigned char>(bytes[at] * 255 / maxval));
    }
    EXPECT_EQ(pixels.rgb.size(), 3u * pixels.width * pixels.height);
    return pixels;
}

// The pixels a netpbm command line writes as any PNM, through ppmtoppm into out.
Pixels DecodeWith(const std::string& producer, const fs::path& out) {
    RunPipeline(producer + " | ppmtoppm > " + out.string());
    return ReadPpm(out);
}

std::string Command(const std::string& tool, const fs::path& in) {
    return tool + " " + in.string();
}

std::size_t DifferentPixels(const Pixels& a, const Pixels& b) {
    std::size_t different = 0;
    for (std::size_t at = 0; at + 2 < a.rgb.size() && at + 2 < b.rgb.size(); at += 3) {
        if (a.rgb[at] != b.rgb[at] || a.rgb[at + 1] != b.rgb[at + 1] ||
            a.rgb[at + 2] != b.rgb[at + 2]) {
            ++different;
        }
    }
    return different;
}

bool FolderHoldsOnly(const fs::path& folder, const std::vector<std::string>& names) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        ++count;
        if (std::find(names.begin(), names.end(), entry.path().filename().string()) ==
            names.end()) {
            return false;
        }
    }
    return count == names.size();
}

class PalmBitmapCommandNetpbmTest : public ::testing::TestWithParam<int> {};

// Plain output of every depth reads the same with netpbm's independent Palm decoder as with
// our own decoder (whose Windows bitmap netpbm reads too).
TEST_P(PalmBitmapCommandNetpbmTest, PalmtopnmSeesThePixelsOurDecoderSees) {
    if (!HaveTool("palmtopnm") || !HaveTool("bmptopnm") || !HaveTool("ppmtoppm")) {
        GTEST_SKIP() << "netpbm is not installed";
    }
    ScratchDir scratch;
    WriteBmp(scratch / "in.bmp", SlideLikeImage(161, 67));
    const std::string depth = std::to_string(GetParam());
    const auto encoded =
        RunCli({"palm-bitmap", (scratch / "in.bmp").string(), "-o", (scratch / "out.palm").string(),
                "--depth", depth, "--no-compress"});
    ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
    const Bytes palm = ReadAllBytes(scratch / "out.palm");
    ASSERT_GE(palm.size(), 16u);
    EXPECT_EQ(palm[6], 0x00);  // not coded
    EXPECT_EQ(palm[8], GetParam());

    const auto decoded = RunCli({"palm-bitmap", "--decode", (scratch / "out.palm").string(), "-o",
                                 (scratch / "back.bmp").string()});
    ASSERT_EQ(decoded.exitCode, 0) << decoded.err;

    const Pixels theirs =
        DecodeWith(Command("palmtopnm", scratch / "out.palm"), scratch / "theirs.ppm");
    const Pixels ours = DecodeWith(Command("bmptopnm", scratch / "back.bmp"), scratch / "ours.ppm");
    EXPECT_EQ(theirs.width, 161);
    EXPECT_EQ(theirs.height, 67);
    EXPECT_EQ(ours.width, 161);
    EXPECT_EQ(ours.height, 67);
    EXPECT_EQ(DifferentPixels(theirs, ours), 0u);
}

INSTANTIATE_TEST_SUITE_P(Depths, PalmBitmapCommandNetpbmTest, ::testing::Values(1, 2, 8));

TEST(PalmBitmapCommandTest, EightBitColoursAgreeWithPnmremap) {
    const fs::path map = "/usr/share/netpbm/palmcolor8.map";
    if (!HaveTool("pnmremap") || !HaveTool("bmptopnm") || !fs::exists(map)) {
        GTEST_SKIP() << "netpbm is not installed";
    }
    ScratchDir scratch;
    WriteBmp(scratch / "slide.bmp", SlideLikeImage(480, 360));
    ASSERT_EQ(RunCli({"palm-bitmap", (scratch / "slide.bmp").string(), "-o",
                      (scratch / "slide.palm").string(), "--depth", "8"})
                  .exitCode,
              0);
    ASSERT_EQ(RunCli({"palm-bitmap", "--decode", (scratch / "slide.palm").string(), "-o",
                      (scratch / "back.bmp").string()})
                  .exitCode,
              0);
    const Pixels ours = DecodeWith(Command("bmptopnm", scratch / "back.bmp"), scratch / "ours.ppm");
    const Pixels theirs = DecodeWith(Command("bmptopnm", scratch / "slide.bmp") +
                                         " | pnmremap -nofloyd -mapfile=" + map.string(),
                                     scratch / "theirs.ppm");
    ASSERT_EQ(ours.rgb.size(), theirs.rgb.size());
    const std::size_t pixels = ours.rgb.size() / 3;
    // Only colours at equal distance from two palette entries may go either way.
    EXPECT_LE(DifferentPixels(ours, theirs) * 1000, pixels);
}

TEST(PalmBitmapCommandTest, ChoosesDepthLikeTheEditorAndCodesWhenSmaller) {
    ScratchDir scratch;
    WriteBmp(scratch / "two.bmp",
             IndexedImage(40, 10, 1, {{0, 0, 0}, {255, 255, 255}},
                          [](std::int32_t x, std::int32_t) { return x / 4 % 2; }));
    WriteBmp(scratch / "slide.bmp", SlideLikeImage(160, 120));
    struct Case {
        const char* input;
        std::vector<std::string> options;
        unsigned char pixelSize;
        unsigned char flags;
    };
    for (const Case& c :
         {Case{"two.bmp", {}, 1, 0x00}, Case{"slide.bmp", {}, 8, 0x80},
          Case{"slide.bmp", {"--no-compress"}, 8, 0x00},
          Case{"slide.bmp", {"--depth", "2"}, 2, 0x00}, Case{"slide.bmp", {"--depth=1"}, 1, 0x00},
          Case{"two.bmp", {"--depth", "8"}, 8, 0x80}}) {
        SCOPED_TRACE(std::string(c.input) + " " + (c.options.empty() ? "" : c.options[0]));
        std::vector<std::string> args = {"palm-bitmap", (scratch / c.input).string(), "-o",
                                         (scratch / "out.palm").string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto result = RunCli(args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const Bytes palm = ReadAllBytes(scratch / "out.palm");
        ASSERT_GE(palm.size(), 16u);
        EXPECT_EQ(palm[6], c.flags);
        EXPECT_EQ(palm[8], c.pixelSize);
    }
}

TEST(PalmBitmapCommandTest, RecordFieldsAreWrittenAndReadOnRequest) {
    ScratchDir scratch;
    const std::vector<Rgb> colours = {{255, 255, 255}, {255, 0, 0}, {0, 0, 0}, {0x33, 0x66, 0x99}};
    const BmpImage image = IndexedImage(9, 5, 8, colours, [](std::int32_t x, std::int32_t y) {
        return static_cast<std::uint8_t>((x + y) % 4);
    });
    WriteBmp(scratch / "in.bmp", image);
    ASSERT_EQ(RunCli({"palm-bitmap", (scratch / "in.bmp").string(), "-o",
                      (scratch / "rec.palm").string(), "--record"})
                  .exitCode,
              0);
    const Bytes palm = ReadAllBytes(scratch / "rec.palm");
    ASSERT_GE(palm.size(), 22u);
    EXPECT_EQ(Bytes(palm.begin(), palm.begin() + 8), (Bytes{0, 4, 0, 4, 0, 2, 0, 9}));

    const auto decoded = RunCli({"palm-bitmap", "--decode", (scratch / "rec.palm").string(),
                                 "--record", "-o", (scratch / "back.bmp").string()});
    ASSERT_EQ(decoded.exitCode, 0) << decoded.err;
    // Palette colours survive exactly: compare with the source picture through netpbm.
    if (HaveTool("bmptopnm") && HaveTool("ppmtoppm")) {
        const Pixels before =
            DecodeWith(Command("bmptopnm", scratch / "in.bmp"), scratch / "a.ppm");
        const Pixels after =
            DecodeWith(Command("bmptopnm", scratch / "back.bmp"), scratch / "b.ppm");
        EXPECT_EQ(after.width, 9);
        EXPECT_EQ(DifferentPixels(before, after), 0u);
    }
}

TEST(PalmBitmapCommandTest, BadUsageExitsWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"palm-bitmap"},
        {"palm-bitmap", "in.bmp"},
        {"palm-bitmap", "a.bmp", "b.bmp", "-o", "x"},
        {"palm-bitmap", "in.bmp", "-o"},
        {"palm-bitmap", "in.bmp", "-o", "x", "--depth", "4"},
        {"palm-bitmap", "in.bmp", "-o", "x", "--depth"},
        {"palm-bitmap", "in.bmp", "-o", "x", "--colour"},
        {"palm-bitmap", "--decode", "in.palm", "-o", "x", "--depth", "8"},
    };
    for (const auto& args : cases) {
        const auto result = RunCli(args);
        EXPECT_EQ(result.exitCode, 2) << args.size();
        EXPECT_NE(result.err.find("Usage: trovique-cli palm-bitmap"), std::string::npos);
    }
    const auto help = RunCli({"palm-bitmap", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--no-compress"), std::string::npos);
}

TEST(PalmBitmapCommandTest, FailuresExitWithOneAndLeaveTheOutputAlone) {
    ScratchDir scratch;
    BmpImage rle = IndexedImage(4, 4, 8, {{1, 2, 3}}, [](std::int32_t, std::int32_t) { return 0; });
    rle.compression = 1;
    WriteBmp(scratch / "rle.bmp", rle);
    WriteAllBytes(scratch / "junk.palm", {0, 4, 0, 1, 0, 4, 0x80, 0, 8, 2, 0, 0, 0, 7, 0, 0});
    WriteAllBytes(scratch / "out", {'o', 'l', 'd'});
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::string out = (scratch / "out").string();
    for (const Case& c : {
             Case{{(scratch / "missing.bmp").string(), "-o", out},
                  "CBitmap ReadFile error: File not found"},
             Case{{(scratch / "rle.bmp").string(), "-o", out},
                  "CBitmap ReadFile error: Unsupported bitmap file format."},
             Case{{"--decode", (scratch / "junk.palm").string(), "-o", out},
                  "Invalid bitmap compression (7)"},
             Case{{"--decode", (scratch / "rle.bmp").string(), "-o", out}, "cannot read Palm"},
         }) {
        std::vector<std::string> args = {"palm-bitmap"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto result = RunCli(args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(ReadAllBytes(scratch / "out"), (Bytes{'o', 'l', 'd'}));
    }
    EXPECT_TRUE(FolderHoldsOnly(scratch.Path(), {"rle.bmp", "junk.palm", "out"}));

    WriteBmp(scratch / "good.bmp", SlideLikeImage(20, 10));
    const auto result = RunCli({"palm-bitmap", (scratch / "good.bmp").string(), "-o",
                                (scratch / "no-folder" / "out.palm").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace trovique::test
