#include "core/preview/PalmTextLayout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/validation/PalmDevice.h"

namespace trovique {
namespace {

struct LayoutCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

class PalmTextLayoutTest : public testing::TestWithParam<LayoutCase> {};

// Each line is what the viewer puts on one screen line, and there are exactly as many lines as
// validation counts.
TEST_P(PalmTextLayoutTest, BreaksWhereTheViewerBreaks) {
    const LayoutCase& c = GetParam();
    const PalmTextLines layout = LayOutPalmText(c.text, DefaultPalmDevice());
    EXPECT_EQ(layout.lines, c.lines);
    EXPECT_EQ(static_cast<std::int64_t>(layout.lines.size()),
              GetLineCount(c.text, DefaultPalmDevice()));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PalmTextLayoutTest,
    testing::Values(
        LayoutCase{"Empty", "", {}}, LayoutCase{"OneCharacter", "A", {"A"}},
        LayoutCase{"ThirtyWideLetters",
                   std::string(30, 'M'),
                   {std::string(18, 'M'), std::string(12, 'M')}},
        LayoutCase{"ExactlyTheScreen", std::string(75, 'i'), {std::string(75, 'i')}},
        LayoutCase{"OnePastTheScreen", std::string(76, 'i'), {std::string(75, 'i'), "i"}},
        LayoutCase{"LineBreak", "A\r\nB", {"A", "B"}},
        LayoutCase{"BlankLines", "A\r\n\r\n\r\nB", {"A", "", "", "B"}},
        LayoutCase{"WordMovesDown", std::string(70, 'i') + " MMM", {std::string(70, 'i'), "MMM"}},
        // The counter keeps the moved word's width after a wrap, so later wraps come early.
        LayoutCase{"WidthCarriedAfterAWrap",
                   "a " + std::string(22, 'm'),
                   {"a", std::string(19, 'm'), "mm", "m"}}),
    [](const testing::TestParamInfo<LayoutCase>& named) { return std::string(named.param.name); });

// The layout and the line counter agree on long facts and on texts full of long words, blanks
// and line breaks, whatever their mix.
TEST(PalmTextLayoutAgreementTest, CountsAsValidationCounts) {
    std::vector<std::string> texts = {
        Repeat("The quick brown fox jumps over the lazy dog. ", 220),
        Repeat("Supercalifragilisticexpialidocious" + std::string(60, 'W') + " tiny\r\n", 40),
        Repeat("\r\n", 300),
    };
    std::mt19937 random(19);
    const std::string alphabet = "MWiI .,\r\nabcdefghijklmnopqrstuvwxyz";
    for (int text = 0; text < 400; ++text) {
        std::string made(random() % 600, ' ');
        for (char& ch : made) {
            ch = alphabet[random() % alphabet.size()];
        }
        texts.push_back(made);
    }
    for (const std::string& text : texts) {
        const PalmTextLines layout = LayOutPalmText(text, DefaultPalmDevice());
        ASSERT_EQ(static_cast<std::int64_t>(layout.lines.size()),
                  GetLineCount(text, DefaultPalmDevice()))
            << text;
    }
}

}  // namespace
}  // namespace trovique
