#include "core/common/StringParse.h"

#include <gtest/gtest.h>

namespace trovique {
namespace {

using Items = std::vector<CStringNameValue>;

struct TokenCase {
    const char* name;
    std::string text;
    Items expected;
};

class StringParseTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(StringParseTest, Tokenizes) {
    CStringParse parser;
    const auto& c = GetParam();
    EXPECT_EQ(parser.Parse(c.text), c.expected.size());
    EXPECT_EQ(parser.Items(), c.expected);
    EXPECT_EQ(parser.NumTokens(), c.expected.size());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, StringParseTest,
    ::testing::Values(
        TokenCase{"Empty", "", {}}, TokenCase{"OnlyBlanks", "   ", {}},
        TokenCase{"RunsOfBlanksGiveNoEmptyTokens", "  a   b ", {{"a", ""}, {"b", ""}}},
        TokenCase{"QuotedValueKeepsItsBlank",
                  "/SHOWUI file=\"C:\\My Files\\a.ppt\"",
                  {{"/SHOWUI", ""}, {"file", "C:\\My Files\\a.ppt"}}},
        TokenCase{"SingleQuotesGroupToo", "a='x y' 'b c'", {{"a", "x y"}, {"b c", ""}}},
        TokenCase{"OtherQuoteIsOrdinaryInsideARun",
                  "\"it's\" 'say \"hi\"'",
                  {{"it's", ""}, {"say \"hi\"", ""}}},
        TokenCase{"EqualsInsideQuotesIsOrdinary", "\"a=b\"=c", {{"a=b", "c"}}},
        TokenCase{"SecondEqualsIsDropped", "a=b=c", {{"a", "bc"}}},
        TokenCase{"EmptyValue", "a=", {{"a", ""}}},
        TokenCase{"EmptyNameDiscardsTheToken", "=x b", {{"b", ""}}},
        TokenCase{"EmptyQuotesGiveNoToken", "\"\" ''", {}},
        TokenCase{"QuotesJoinWithTheirNeighbours", "ab\"c d\"e", {{"abc de", ""}}},
        TokenCase{"UnclosedQuoteRunsToTheEnd", "a \"b c", {{"a", ""}, {"b c", ""}}},
        TokenCase{"TabIsNoDelimiter", "a\tb", {{"a\tb", ""}}}),
    [](const ::testing::TestParamInfo<TokenCase>& c) { return c.param.name; });

TEST(StringParseOptionsTest, QuotesCanBeSwitchedOff) {
    CStringParse parser;
    parser.SetGroupSingleQuote(false);
    EXPECT_EQ(parser.Parse("'a b' \"c d\""), 3u);
    EXPECT_EQ(parser.Items(), (Items{{"'a", ""}, {"b'", ""}, {"c d", ""}}));
    parser.SetGroupDoubleQuote(false);
    EXPECT_EQ(parser.Parse("\"c d\""), 2u);
}

TEST(StringParseOptionsTest, DelimitersMayBeLongerThanOneCharacter) {
    CStringParse parser;
    parser.SetTokenDelimiter(", ");
    parser.SetStringValueDelimiter(":=");
    EXPECT_EQ(parser.Parse("a:=1, b c:=2=3"), 2u);
    EXPECT_EQ(parser.Items(), (Items{{"a", "1"}, {"b c", "2=3"}}));
}

TEST(StringParseOptionsTest, GetNameValueIsOneBasedAndBounded) {
    CStringParse parser;
    parser.Parse("x=1 y=2");
    EXPECT_FALSE(parser.GetNameValue(0).has_value());
    EXPECT_EQ(parser.GetNameValue(1), (CStringNameValue{"x", "1"}));
    EXPECT_EQ(parser.GetNameValue(2), (CStringNameValue{"y", "2"}));
    EXPECT_FALSE(parser.GetNameValue(3).has_value());
    parser.Parse("");  // a new parse empties the list
    EXPECT_FALSE(parser.GetNameValue(1).has_value());
}

}  // namespace
}  // namespace trovique
