#include "platform/PdfSlideRenderer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "FixtureWriters.h"
#include "core/common/Error.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

using test::WritePdf;

std::string Fill(const char* colour, double width, double height) {
    return std::string(colour) + " 0 0 " + std::to_string(width) + " " + std::to_string(height) +
           " re f";
}

struct Pixel {
    int red, green, blue;
    bool operator==(const Pixel&) const = default;
};

Pixel At(const RenderedSlide& slide, int x, int y) {
    const auto* p = &slide.rgb[(static_cast<std::size_t>(y) * slide.width + x) * 3];
    return {p[0], p[1], p[2]};
}

constexpr Pixel kWhite{255, 255, 255};
constexpr Pixel kRed{255, 0, 0};

struct ShapeCase {
    const char* name;
    double pageWidth;
    double pageHeight;
};

void PrintTo(const ShapeCase& shape, std::ostream* out) {
    *out << shape.name;
}

// Every size the import asks for, on pages of the handheld's shape, wider and taller.
class PdfSlideRendererSizeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(PdfSlideRendererSizeTest, FillsExactSizesAndLetterboxesOtherShapes) {
    const auto& shape = GetParam();
    const test::ScratchDir scratch;
    WritePdf(scratch / "page.pdf", {{shape.pageWidth, shape.pageHeight,
                                     Fill("1 0 0 rg", shape.pageWidth, shape.pageHeight)}});
    CPdfSlideRenderer renderer(scratch / "page.pdf");
    ASSERT_EQ(renderer.PageCount(), 1u);

    for (const auto& [width, height] :
         std::vector<std::pair<int, int>>{{160, 120}, {440, 330}, {320, 240}, {264, 198}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const auto slide = renderer.Render(1, width, height);
        ASSERT_TRUE(slide.has_value());
        ASSERT_EQ(slide->width, width);
        ASSERT_EQ(slide->height, height);
        ASSERT_EQ(slide->rgb.size(), static_cast<std::size_t>(width) * height * 3);
        const double scale = std::min(width / shape.pageWidth, height / shape.pageHeight);
        const double marginX = (width - shape.pageWidth * scale) / 2;
        const double marginY = (height - shape.pageHeight * scale) / 2;
        EXPECT_EQ(At(*slide, width / 2, height / 2), kRed);
        // Corners of the content are red; the bands beside or above it are white.
        EXPECT_EQ(At(*slide, static_cast<int>(marginX) + 1, static_cast<int>(marginY) + 1), kRed);
        EXPECT_EQ(At(*slide, width - 2 - static_cast<int>(marginX),
                     height - 2 - static_cast<int>(marginY)),
                  kRed);
        if (marginY >= 2) {
            EXPECT_EQ(At(*slide, width / 2, static_cast<int>(marginY / 2)), kWhite);
            EXPECT_EQ(At(*slide, width / 2, height - 1 - static_cast<int>(marginY / 2)), kWhite);
        }
        if (marginX >= 2) {
            EXPECT_EQ(At(*slide, static_cast<int>(marginX / 2), height / 2), kWhite);
            EXPECT_EQ(At(*slide, width - 1 - static_cast<int>(marginX / 2), height / 2), kWhite);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, PdfSlideRendererSizeTest,
                         ::testing::Values(ShapeCase{"FourByThree", 800, 600},
                                           ShapeCase{"Wide", 1600, 900},
                                           ShapeCase{"Tall", 600, 800},
                                           ShapeCase{"Odd", 793.7, 595.3}),
                         [](const auto& instance) { return std::string(instance.param.name); });

std::set<int> ChannelValues(const RenderedSlide& slide) {
    return {slide.rgb.begin(), slide.rgb.end()};
}

TEST(PdfSlideRendererTest, BlackAndWhitePagesKeepTwoColoursOthersStaySmooth) {
    const test::ScratchDir scratch;
    const std::string drawing =
        "5 w 0 0 m 800 600 l S BT /F1 60 Tf 100 300 Td (Handheld) Tj ET 50 50 100 100 re f";
    WritePdf(scratch / "pages.pdf", {{800, 600, "0 g 0 G " + drawing},
                                     {800, 600, "0.5 g 0.5 G " + drawing},
                                     {800, 600, "0 0 1 rg 0 0 1 RG " + drawing}});
    CPdfSlideRenderer renderer(scratch / "pages.pdf");

    const auto monochrome = renderer.Render(1, 160, 120);
    ASSERT_TRUE(monochrome);
    EXPECT_EQ(ChannelValues(*monochrome), (std::set<int>{0, 255}));

    // Grey artwork is not black and white: it keeps its smoothing.
    const auto grey = renderer.Render(2, 160, 120);
    ASSERT_TRUE(grey);
    EXPECT_GT(ChannelValues(*grey).size(), 3u);

    const auto blue = renderer.Render(3, 160, 120);
    ASSERT_TRUE(blue);
    EXPECT_EQ(At(*blue, 25, 92), (Pixel{0, 0, 255}));  // inside the filled square
}

TEST(PdfSlideRendererTest, PagesComeInOrderAndEachSizeIsDrawnOnce) {
    const test::ScratchDir scratch;
    WritePdf(scratch / "pages.pdf", {{800, 600, Fill("1 0 0 rg", 800, 600)},
                                     {800, 600, Fill("0 1 0 rg", 800, 600)},
                                     {800, 600, Fill("0 0 1 rg", 800, 600)}});
    const std::vector<Pixel> colours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    const std::vector<std::pair<int, int>> none;
    const std::vector<std::pair<int, int>> expected = {{160, 120}, {440, 330}, {320, 240}};
    for (const auto& [ahead, sizes] : {std::pair{false, none}, {true, none}, {true, expected}}) {
        SCOPED_TRACE(ahead ? "rendering ahead of " + std::to_string(sizes.size()) + " sizes"
                           : "on demand");
        CPdfSlideRenderer renderer(scratch / "pages.pdf", ahead, sizes);
        for (std::size_t page = 1; page <= 3; ++page) {
            for (int pass = 0; pass < 2; ++pass) {
                for (const auto& [width, height] :
                     std::vector<std::pair<int, int>>{{160, 120}, {440, 330}}) {
                    const auto slide = renderer.Render(page, width, height);
                    ASSERT_TRUE(slide);
                    EXPECT_EQ(At(*slide, 10, 10), colours[page - 1]);
                }
            }
        }
        // An expected size nobody asks for is drawn for the first pages at most.
        EXPECT_GE(renderer.RenderCount(), 6u);
        EXPECT_LE(renderer.RenderCount(), sizes.size() > 2 ? 9u : 6u);
    }
}

TEST(PdfSlideRendererTest, RefusesPagesAndSizesOutOfRange) {
    const test::ScratchDir scratch;
    WritePdf(scratch / "page.pdf", {{800, 600, Fill("1 0 0 rg", 800, 600)}});
    CPdfSlideRenderer renderer(scratch / "page.pdf");
    EXPECT_FALSE(renderer.Render(0, 160, 120));
    EXPECT_FALSE(renderer.Render(2, 160, 120));
    EXPECT_FALSE(renderer.Render(1, 0, 120));
    EXPECT_FALSE(renderer.Render(1, 160, -1));
    EXPECT_FALSE(renderer.Render(1, CPdfSlideRenderer::kMaxSide + 1, 120));
}

TEST(PdfSlideRendererTest, RefusesFilesThatAreNotPdf) {
    const test::ScratchDir scratch;
    test::WriteAllBytes(scratch / "not.pdf", {'%', 'P', 'D', 'F', '-', '1', '.', '4', '\n', 'x'});
    EXPECT_THROW(CPdfSlideRenderer(scratch / "not.pdf"), CError);
    EXPECT_THROW(CPdfSlideRenderer(scratch / "absent.pdf"), CError);
}

}  // namespace
}  // namespace trovique
