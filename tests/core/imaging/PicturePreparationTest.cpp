#include "core/imaging/PicturePreparation.h"

#include <gtest/gtest.h>

#include "ImagingFixtures.h"

namespace trovique {
namespace {

using test::BitmapFromImage;
using test::Palettes;

// Every depth a Palm bitmap can be built at, from a colour slide and from a two-colour picture.
TEST(PicturePreparationTest, EachDepthGetsItsPixelSizeAndPalette) {
    const CBitmap slide = BitmapFromImage(test::SlideLikeImage(40, 30));
    const CBitmap twoColors = BitmapFromImage(test::IndexedImage(
        40, 30, 1, {{0, 0, 0}, {255, 255, 255}},
        [](std::int32_t x, std::int32_t) { return static_cast<std::uint8_t>(x % 2); }));
    const struct {
        int depth;
        std::uint16_t pixelSize;  // the desktop picture keeps four greys in 4 bits
        bool gray;
    } cases[] = {{1, 1, false}, {2, 4, true}, {8, 8, false}};
    for (const CBitmap* source : {&slide, &twoColors}) {
        for (const auto& c : cases) {
            const CBitmap prepared = PrepareForDepth(*source, c.depth, Palettes().Set());
            EXPECT_EQ(prepared.PixelSize(), c.pixelSize) << c.depth;
            EXPECT_EQ(prepared.GrayScaleExpanded(), c.gray) << c.depth;
            EXPECT_EQ(prepared.Width(), 40);
            EXPECT_EQ(prepared.Height(), 30);
            CPalmBitmap palm;
            palm.ReadFromCBitmap(prepared);  // the handheld layout takes it
            EXPECT_EQ(palm.PixelSize(), c.depth);
        }
    }
    EXPECT_TRUE(IsMonochromePicture(twoColors));
    EXPECT_FALSE(IsMonochromePicture(slide));
}

TEST(PicturePreparationTest, ReindexingFollowsThePicturesKind) {
    const PalmPalettes palettes = Palettes().Set();
    CBitmap gray = GrayCompanion(BitmapFromImage(test::SlideLikeImage(20, 10)), palettes);
    CBitmap mono = MonochromeVersion(BitmapFromImage(test::SlideLikeImage(20, 10)), palettes);
    CBitmap color = BitmapFromImage(test::SlideLikeImage(20, 10));
    for (CBitmap* picture : {&gray, &mono, &color}) {
        const auto before = picture->PixelSize();
        ReindexForKind(*picture, palettes);
        EXPECT_EQ(picture->PixelSize(), before) << "re-indexing keeps the depth";
    }
    EXPECT_TRUE(gray.GrayScaleExpanded());
    EXPECT_LE(mono.NumColors(), 2);
    EXPECT_GT(color.NumColors(), 2);
}

}  // namespace
}  // namespace trovique
