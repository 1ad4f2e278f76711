#include "core/common/TextEscaping.h"

#include <gtest/gtest.h>

#include <string>

namespace trovique {
namespace {

struct EscapeCase {
    std::string text;
    std::string json;
    std::string asBytes;
    std::string asNewline;
};

class TextEscapingTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(TextEscapingTest, JsonAndOneLineForms) {
    const EscapeCase& c = GetParam();
    EXPECT_EQ(JsonString(c.text), c.json);
    EXPECT_EQ(OneLineText(c.text, LineBreaks::kAsBytes), c.asBytes);
    EXPECT_EQ(OneLineText(c.text, LineBreaks::kAsNewline), c.asNewline);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextEscapingTest,
    testing::Values(
        EscapeCase{"", "\"\"", "", ""},
        EscapeCase{"plain \xC3\xA9t\xC3\xA9 \xCE\xA9", "\"plain \xC3\xA9t\xC3\xA9 \xCE\xA9\"",
                   "plain \xC3\xA9t\xC3\xA9 \xCE\xA9", "plain \xC3\xA9t\xC3\xA9 \xCE\xA9"},
        EscapeCase{"say \"hi\" \\ now", R"("say \"hi\" \\ now")", "say \"hi\" \\ now",
                   "say \"hi\" \\ now"},
        EscapeCase{"a\r\nb\nc\rd", R"("a\r\nb\nc\rd")", R"(a\x0D\x0Ab\x0Ac\x0Dd)", R"(a\nb\ncd)"},
        EscapeCase{"tab\there", R"("tab\there")", R"(tab\x09here)", R"(tab\x09here)"},
        // Terminal escapes and DEL cannot reach the terminal or the JSON reader raw.
        EscapeCase{std::string("\x1B[2J\x7F\0end", 9), R"("\u001B[2J\u007F\u0000end")",
                   R"(\x1B[2J\x7F\x00end)", R"(\x1B[2J\x7F\x00end)"}));

}  // namespace
}  // namespace trovique
