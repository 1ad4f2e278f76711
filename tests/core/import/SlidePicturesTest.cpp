#include "core/import/SlidePictures.h"

#include <gtest/gtest.h>

#include "core/imaging/Palette.h"
#include "core/model/Leaf.h"
#include "support/DocumentFixture.h"
#include "support/ScriptedPresentationSource.h"

namespace trovique {
namespace {

using test::Bands;
using test::BySize;
using test::Noise;
using test::Rgb;
using test::SlidePainter;
using test::TestPalettes;
using test::Unrenderable;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

// A 320 x 240 picture whose 8-bit Palm form takes exactly colourBytes: each row is some single
// pixels of alternating colours and one run, so its code is two bytes a pixel plus one pair.
// Together with its grey companion (80 x 240 + 22 bytes) it weighs colourBytes + 19222.
SlidePainter RowsCodedTo(std::int64_t colourBytes) {
    return [colourBytes](int width, int height) -> std::optional<RenderedSlide> {
        // Code bytes = 2 x pairs + 2 per row; pairs split as evenly as the rows allow.
        const std::int64_t pairs = (colourBytes - 22 - 2 * height) / 2;
        RenderedSlide slide;
        slide.width = width;
        slide.height = height;
        for (int y = 0; y < height; ++y) {
            const std::int64_t rowPairs = pairs / height + (y < pairs % height ? 1 : 0);
            for (int x = 0; x < width; ++x) {
                const Rgb colour = x >= rowPairs - 1 ? kRed : (x % 2 == 0 ? kWhite : kBlack);
                slide.rgb.insert(slide.rgb.end(), {colour.red, colour.green, colour.blue});
            }
        }
        return slide;
    };
}

RenderedSlide Paint(const SlidePainter& painter, int width, int height) {
    return *painter(width, height);
}

TEST(SlidePicturesTest, CountsColoursUpToThree) {
    const std::pair<std::vector<Rgb>, bool> cases[] = {{{kWhite}, true},
                                                       {{kWhite, kBlack}, true},
                                                       {{kBlack, kWhite, kBlack}, true},
                                                       {{kWhite, kBlack, kRed}, false},
                                                       {{kWhite, kRed, {1, 1, 1}}, false}};
    for (const auto& [colours, fewer] : cases) {
        EXPECT_EQ(HasFewerThanThreeColors(Paint(Bands(colours), 9, 2)), fewer) << colours.size();
    }
}

// The table colour of pixel x of row 1 of a 1- or 8-bit picture.
Rgb ColourAt(const CBitmap& bitmap, int x) {
    const auto row = bitmap.Row(1);
    std::size_t index = row[static_cast<std::size_t>(x)];
    if (bitmap.PixelSize() == 1) {
        index = (row[static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1;
    }
    const auto& table = bitmap.ColorTable();
    return {table[4 * index + 2], table[4 * index + 1], table[4 * index]};
}

TEST(SlidePicturesTest, TwoColourSlideHasOnlyAMonochromePicture) {
    const auto pictures =
        MakeSlidePictures(Paint(Bands({kBlack, kWhite}), 160, 120), TestPalettes());
    EXPECT_EQ(pictures.color, nullptr);
    ASSERT_NE(pictures.monochrome, nullptr);
    EXPECT_EQ(pictures.monochrome->PixelSize(), 1);
    EXPECT_EQ(pictures.monochrome->Width(), 160);
    EXPECT_EQ(pictures.monochrome->Height(), 120);
    EXPECT_EQ(pictures.monochrome->ColorTable(), TestPalettes().monochrome.ColorTable());
    const Rgb left = ColourAt(*pictures.monochrome, 0);
    const Rgb right = ColourAt(*pictures.monochrome, 159);
    EXPECT_EQ(left.red + left.green + left.blue, 0);
    EXPECT_EQ(right.red + right.green + right.blue, 3 * 255);
}

TEST(SlidePicturesTest, ColourSlideHasAColourPictureAndAGreyCompanion) {
    const auto pictures =
        MakeSlidePictures(Paint(Bands({kRed, kBlack, {0, 0, 255}}), 160, 120), TestPalettes());
    ASSERT_NE(pictures.color, nullptr);
    ASSERT_NE(pictures.monochrome, nullptr);
    EXPECT_EQ(pictures.color->PixelSize(), 8);
    EXPECT_EQ(pictures.color->ColorTable(), TestPalettes().color256.ColorTable());
    EXPECT_EQ(pictures.color->Row(1)[0], TestPalettes().color256.NearestIndex(255, 0, 0));
    const Rgb red = ColourAt(*pictures.color, 0);
    EXPECT_EQ(red.red, 255);
    EXPECT_EQ(red.green + red.blue, 0);
    EXPECT_TRUE(pictures.monochrome->GrayScaleExpanded());
    EXPECT_EQ(pictures.monochrome->Width(), 160);
    // The grey picture takes the four-level palette's colours.
    const auto& gray = TestPalettes().gray4.ColorTable();
    EXPECT_TRUE(std::equal(gray.begin(), gray.end(), pictures.monochrome->ColorTable().begin()));
}

struct LargeCase {
    const char* name;
    SlidePainter painter;
    std::vector<PictureSize> sizes;
    LargePictureOutcome outcome;
    PictureSize size;
    bool colour;  // the leaf holds a colour picture with a grey companion
};

class ChooseLargePicturesTest : public testing::TestWithParam<LargeCase> {};

TEST_P(ChooseLargePicturesTest, TakesTheFirstSizeThatFits) {
    const LargeCase& c = GetParam();
    CLeaf leaf;
    std::vector<PictureSize> asked;
    const auto choice = ChooseLargePictures(
        leaf, c.sizes,
        [&](PictureSize size) {
            asked.push_back(size);
            return c.painter(size.width, size.height);
        },
        TestPalettes());
    EXPECT_EQ(choice.outcome, c.outcome);
    EXPECT_EQ(choice.size.width, c.size.width);
    EXPECT_EQ(choice.size.height, c.size.height);
    // Sizes are tried largest first and none after the one taken.
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back().width,
              c.outcome == LargePictureOutcome::Taken ? c.size.width : c.sizes.back().width);
    EXPECT_EQ(asked.front().width, c.sizes.front().width);
    if (c.outcome != LargePictureOutcome::Taken) {
        EXPECT_EQ(leaf.AuxColorBitmap(), nullptr);
        EXPECT_EQ(leaf.AuxMonochromeBitmap(), nullptr);
        return;
    }
    ASSERT_NE(leaf.AuxMonochromeBitmap(), nullptr);
    EXPECT_EQ(leaf.AuxMonochromeBitmap()->Width(), c.size.width);
    EXPECT_EQ(leaf.AuxMonochromeBitmap()->Height(), c.size.height);
    EXPECT_EQ(leaf.AuxColorBitmap() != nullptr, c.colour);
    EXPECT_EQ(leaf.AuxMonochromeBitmap()->GrayScaleExpanded(), c.colour);
    EXPECT_LT(leaf.GetPalmAuxBitmapSize(), kLargePicturesLimit);
}

const std::vector<PictureSize> kAllSizes(kLargePictureSizes.begin(), kLargePictureSizes.end());
const SlidePainter kPlain = Bands({kRed, kBlack, kWhite});

INSTANTIATE_TEST_SUITE_P(
    Table, ChooseLargePicturesTest,
    testing::Values(
        LargeCase{"PlainSlideAtTheLargestSize",
                  kPlain,
                  kAllSizes,
                  LargePictureOutcome::Taken,
                  {440, 330},
                  true},
        LargeCase{"TooLargeAt440FitsAt320",
                  BySize({{{440, 330}, Noise()}}, kPlain),
                  kAllSizes,
                  LargePictureOutcome::Taken,
                  {320, 240},
                  true},
        // Even a picture that does not compress at all fits at the smallest size.
        LargeCase{
            "NoiseFitsOnlyAt264", Noise(), kAllSizes, LargePictureOutcome::Taken, {264, 198}, true},
        LargeCase{"TwoColoursNeedNoSizeCheck",
                  Bands({kBlack, kWhite}),
                  kAllSizes,
                  LargePictureOutcome::Taken,
                  {440, 330},
                  false},
        LargeCase{"JustBelowTheRecordLimit",
                  BySize({{{320, 240}, RowsCodedTo(46176)}}, Noise()),
                  kAllSizes,
                  LargePictureOutcome::Taken,
                  {320, 240},
                  true},
        LargeCase{"AtTheRecordLimit",
                  BySize({{{320, 240}, RowsCodedTo(46178)}}, Noise()),
                  kAllSizes,
                  LargePictureOutcome::Taken,
                  {264, 198},
                  true},
        LargeCase{"NoSizeFits",
                  Noise(),
                  {{440, 330}, {320, 240}},
                  LargePictureOutcome::TooLarge,
                  {0, 0},
                  false},
        LargeCase{"UnrenderableSizeIsPassedOver",
                  BySize({{{440, 330}, Unrenderable()}}, kPlain),
                  kAllSizes,
                  LargePictureOutcome::Taken,
                  {320, 240},
                  true},
        LargeCase{"NothingRenders",
                  Unrenderable(),
                  kAllSizes,
                  LargePictureOutcome::NotRendered,
                  {264, 198},
                  false},
        LargeCase{"RenderedAtTheWrongSize",
                  [](int, int) { return Paint(kPlain, 160, 120); },
                  kAllSizes,
                  LargePictureOutcome::NotRendered,
                  {264, 198},
                  false}),
    [](const auto& tested) { return std::string(tested.param.name); });

// A slide whose small colour picture is heavy has its second size drawn first; the first size
// is drawn only when it still has a chance. Whatever is drawn, the choice is the one made by
// trying every size in order.
struct OrderCase {
    const char* name;
    SlidePainter painter;
    std::int64_t smallColorSize;
    std::vector<int> drawnWidths;
};

class LargePictureOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(LargePictureOrderTest, DrawsOnlyWhatCanFitAndChoosesAsInOrder) {
    const OrderCase& c = GetParam();
    CLeaf inOrder;
    const auto expected = ChooseLargePictures(
        inOrder, kAllSizes, [&](PictureSize size) { return c.painter(size.width, size.height); },
        TestPalettes());
    CLeaf leaf;
    std::vector<int> drawn;
    const auto choice = ChooseLargePictures(
        leaf, kAllSizes,
        [&](PictureSize size) {
            drawn.push_back(size.width);
            return c.painter(size.width, size.height);
        },
        TestPalettes(), c.smallColorSize);
    EXPECT_EQ(drawn, c.drawnWidths);
    EXPECT_EQ(choice.outcome, expected.outcome);
    EXPECT_EQ(choice.size.width, expected.size.width);
    EXPECT_EQ(leaf.GetPalmAuxBitmapSize(), inOrder.GetPalmAuxBitmapSize());
    EXPECT_EQ(leaf.AuxColorBitmap() != nullptr, inOrder.AuxColorBitmap() != nullptr);
}

// 10,000 bytes at 160 x 120 would be about 38,000 at 440 x 330, beyond the 29,700 a colour
// picture may take there; 2,000 would be about 7,600.
constexpr std::int64_t kHeavy = 10000;
constexpr std::int64_t kLight = 2000;

INSTANTIATE_TEST_SUITE_P(
    Table, LargePictureOrderTest,
    testing::Values(OrderCase{"LightSlideDrawsTheLargestFirst", kPlain, kLight, {440}},
                    OrderCase{"BlackAndWhiteSlideDrawsTheLargestFirst", kPlain, 0, {440}},
                    // A Palm size of 25,580 at 320 x 240 is at least 30,376 at 440 x 330,
                    // beyond the 29,700 a colour picture may take there; 24,480 would be
                    // 29,070.
                    OrderCase{"HeavySlidePassesOverTheLargest",
                              BySize({{{320, 240}, RowsCodedTo(25100)}}, Noise()),
                              kHeavy,
                              {320}},
                    OrderCase{"HeavySlideJustInReachDrawsTheLargestToo",
                              BySize({{{320, 240}, RowsCodedTo(24000)}}, Noise()),
                              kHeavy,
                              {320, 440}},
                    OrderCase{
                        "HeavySlideWithRoomLeftDrawsTheLargestToo", kPlain, kHeavy, {320, 440}},
                    OrderCase{"TwoColoursAtTheSecondSizeLeaveTheLargestItsChance",
                              BySize({{{320, 240}, Bands({kBlack, kWhite})}}, Noise()),
                              kHeavy,
                              {320, 440}},
                    OrderCase{"HeavySlideGoesOnToTheSmallest", Noise(), kHeavy, {320, 264}},
                    OrderCase{"UnrenderableSecondSizeKeepsTheOrder",
                              BySize({{{320, 240}, Unrenderable()}}, kPlain),
                              kHeavy,
                              {320, 440}}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(SlidePicturesTest, FirstSizeIsUnlikelyToFitPastAboutAQuarterOfItsRoom) {
    EXPECT_FALSE(FirstSizeUnlikelyToFit(0, {440, 330}));
    EXPECT_FALSE(FirstSizeUnlikelyToFit(7800, {440, 330}));
    EXPECT_TRUE(FirstSizeUnlikelyToFit(7900, {440, 330}));
    EXPECT_TRUE(FirstSizeUnlikelyToFit(kHeavy, {440, 330}));
}

}  // namespace
}  // namespace trovique
