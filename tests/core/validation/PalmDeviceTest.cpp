#include "core/validation/PalmDevice.h"

#include <gtest/gtest.h>

#include <string>

#include "core/common/Error.h"
#include "core/model/Leaf.h"

namespace trovique {
namespace {

TEST(CPalmDeviceTest, FixedValuesOfTheHandheld) {
    const CPalmDevice device;
    EXPECT_EQ(device.FactLines(), 11);
    EXPECT_EQ(device.QandALines(), 10);
    EXPECT_EQ(device.ScreenWidth(), 150);
    EXPECT_EQ(device.Name(), "Palm");
}

struct WidthCase {
    std::string characters;
    int width;
};

class CharPixelWidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(CharPixelWidthTest, EveryCharacterOfTheGroupHasItsWidth) {
    const CPalmDevice device;
    for (const char c : GetParam().characters) {
        EXPECT_EQ(device.CharPixelWidth(std::string(1, c)), GetParam().width)
            << "character code " << static_cast<int>(static_cast<unsigned char>(c));
    }
}

INSTANTIATE_TEST_SUITE_P(FontTable, CharPixelWidthTest,
                         testing::Values(WidthCase{"Iil!.:| '?\r\n\x7f\x80\xe9\xff", 2},
                                         WidthCase{"j[],;`", 3}, WidthCase{"EFJcfrstz(){}-_\"", 4},
                                         WidthCase{"ABCLPRSabdeghknopquv0123456789\\/", 5},
                                         WidthCase{"DGHKNTUVXYZwxy$^*+=<>", 6},
                                         WidthCase{"OQ&~", 7}, WidthCase{"MWm@#%", 8}));

TEST(CPalmDeviceTest, WidthIsThatOfTheFirstCharacterAndEmptyTextIsRefused) {
    const CPalmDevice device;
    EXPECT_EQ(device.CharPixelWidth("Mi"), 8);
    try {
        device.CharPixelWidth("");
        FAIL() << "an empty text has no width";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), kErrInvalidValue);
    }
}

struct LineCase {
    const char* name;
    std::string text;
    int lines;
};

class GetLineCountTest : public testing::TestWithParam<LineCase> {};

TEST_P(GetLineCountTest, WrapsAsTheViewerDoes) {
    EXPECT_EQ(GetLineCount(GetParam().text, DefaultPalmDevice()), GetParam().lines);
}

std::string Repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GetLineCountTest,
    testing::Values(
        LineCase{"Empty", "", 0}, LineCase{"OneCharacter", "x", 1},
        // 19th M reaches 152 pixels and wraps.
        LineCase{"ThirtyM", Repeat("M", 30), 2}, LineCase{"EighteenM", Repeat("M", 18), 1},
        // Exactly 150 pixels still fits.
        LineCase{"SeventyFiveI", Repeat("i", 75), 1}, LineCase{"SeventySixI", Repeat("i", 76), 2},
        LineCase{"CarriageReturnLineFeed", "A\r\nB", 2}, LineCase{"LineFeedAlone", "A\nB", 2},
        // A carriage return takes no room: 75 "i" around it still fit one line.
        LineCase{"CarriageReturnHasNoWidth", Repeat("i", 40) + "\r" + Repeat("i", 35), 1},
        LineCase{"TrailingLineFeed", "A\n", 2}, LineCase{"TwoLineFeeds", "\n\n", 3},
        // A line without spaces holds 18 M (144 px). The M that wraps is not counted on the
        // new line, so each further line takes 19 M before the next wrap.
        LineCase{"LongWord", Repeat("M", 18 + 19 + 19), 3},
        LineCase{"LongWordWrapsAgain", Repeat("M", 18 + 19 + 19 + 1), 4},
        // "ab " and 17 M fill 148 px; the 18th M wraps. The 17 M typed after the space move
        // on (136 px) and the M that did not fit is left out, so 7 "i" still fit (150 px)...
        LineCase{"WordAfterSpaceMovesOn", "ab " + Repeat("M", 18) + Repeat("i", 7), 2},
        LineCase{"WordAfterSpaceMovesOnFull", "ab " + Repeat("M", 18) + Repeat("i", 8), 3},
        // ...and a wrap does not forget that width: the third line starts at 136 px again.
        LineCase{"WordWidthSurvivesWrap", "ab " + Repeat("M", 18) + Repeat("i", 15), 3},
        LineCase{"WordWidthSurvivesWrapFull", "ab " + Repeat("M", 18) + Repeat("i", 16), 4},
        // Nor does a line feed: "MMMMM" (40 px) after the space comes back at the next wrap,
        // leaving room for 13 M after the 19th one wrapped.
        LineCase{"WordWidthSurvivesLineFeed", "a MMMMM\n" + Repeat("M", 32), 3},
        LineCase{"WordWidthSurvivesLineFeedFull", "a MMMMM\n" + Repeat("M", 33), 4},
        // Carriage returns after a space count 2 px each in the word width though not on the
        // line: a word width beyond the screen starts the new line with the width of the
        // character that wrapped (8 px), which holds 18 M in all.
        LineCase{"WordWiderThanScreen", "a " + Repeat("\r", 76) + Repeat("M", 35), 2},
        LineCase{"WordWiderThanScreenFull", "a " + Repeat("\r", 76) + Repeat("M", 36), 3}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(GetQAFLineCountTest, CountsQuestionAndEachAnswerSeparately) {
    CLeaf leaf;
    leaf.SetQuestion(Repeat("M", 30));   // 2 lines
    leaf.SetAnswer(1, "yes");            // 1
    leaf.SetAnswer(2, "A\r\nB\r\nC");    // 3
    leaf.SetAnswer(4, Repeat("i", 76));  // 2; answer 3 empty: 0
    EXPECT_EQ(GetQAFLineCount(leaf, DefaultPalmDevice()), 8);
}

}  // namespace
}  // namespace trovique
