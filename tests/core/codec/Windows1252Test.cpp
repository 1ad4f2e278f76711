#include "core/codec/Windows1252.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace trovique {
namespace {

struct HighByteCase {
    unsigned char byte;
    std::string utf8;
};

class Windows1252HighByteTest : public testing::TestWithParam<HighByteCase> {};

TEST_P(Windows1252HighByteTest, MapsToItsCodePointAndBack) {
    const std::string byte(1, static_cast<char>(GetParam().byte));
    EXPECT_EQ(Windows1252ToUtf8(byte), GetParam().utf8);
    EXPECT_EQ(Utf8ToWindows1252(GetParam().utf8), byte);
}

// 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined in the code page and pass as C1 controls.
INSTANTIATE_TEST_SUITE_P(
    Table, Windows1252HighByteTest,
    testing::Values(
        HighByteCase{0x80, "\u20AC"}, HighByteCase{0x81, "\u0081"}, HighByteCase{0x82, "\u201A"},
        HighByteCase{0x83, "\u0192"}, HighByteCase{0x84, "\u201E"}, HighByteCase{0x85, "\u2026"},
        HighByteCase{0x86, "\u2020"}, HighByteCase{0x87, "\u2021"}, HighByteCase{0x88, "\u02C6"},
        HighByteCase{0x89, "\u2030"}, HighByteCase{0x8A, "\u0160"}, HighByteCase{0x8B, "\u2039"},
        HighByteCase{0x8C, "\u0152"}, HighByteCase{0x8D, "\u008D"}, HighByteCase{0x8E, "\u017D"},
        HighByteCase{0x8F, "\u008F"}, HighByteCase{0x90, "\u0090"}, HighByteCase{0x91, "\u2018"},
        HighByteCase{0x92, "\u2019"}, HighByteCase{0x93, "\u201C"}, HighByteCase{0x94, "\u201D"},
        HighByteCase{0x95, "\u2022"}, HighByteCase{0x96, "\u2013"}, HighByteCase{0x97, "\u2014"},
        HighByteCase{0x98, "\u02DC"}, HighByteCase{0x99, "\u2122"}, HighByteCase{0x9A, "\u0161"},
        HighByteCase{0x9B, "\u203A"}, HighByteCase{0x9C, "\u0153"}, HighByteCase{0x9D, "\u009D"},
        HighByteCase{0x9E, "\u017E"}, HighByteCase{0x9F, "\u0178"},
        // Latin-1 part of the code page, at its edges.
        HighByteCase{0xA0, "\u00A0"}, HighByteCase{0xE9, "\u00E9"}, HighByteCase{0xFF, "\u00FF"},
        HighByteCase{0x7F, "\x7F"}, HighByteCase{0x00, std::string(1, '\0')}));

TEST(Windows1252Test, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    const std::string utf8 = Windows1252ToUtf8(all);
    EXPECT_EQ(Utf8ToWindows1252(utf8), all);
    EXPECT_TRUE(LooksLikeUtf8(utf8));
}

struct ToCodePageCase {
    const char* name;
    std::string utf8;
    std::string expected;

    friend void PrintTo(const ToCodePageCase& c, std::ostream* os) { *os << c.name; }
};

class Utf8ToWindows1252Test : public testing::TestWithParam<ToCodePageCase> {};

TEST_P(Utf8ToWindows1252Test, ReplacesWhatTheCodePageCannotHoldWithQuestionMarks) {
    EXPECT_EQ(Utf8ToWindows1252(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, Utf8ToWindows1252Test,
                         testing::Values(ToCodePageCase{"Ascii", "Slide 1\r\n", "Slide 1\r\n"},
                                         ToCodePageCase{"Mixed", "caf\u00E9 \u20AC5",
                                                        "caf\xE9 \x80"
                                                        "5"},
                                         ToCodePageCase{"Arrow", "a\u2192b", "a?b"},
                                         ToCodePageCase{"Cjk", "\u4E2D\u6587", "??"},
                                         ToCodePageCase{"Emoji", "x\U0001F600y", "x?y"},
                                         ToCodePageCase{"C1NotInTheCodePage", "\u0080", "?"},
                                         ToCodePageCase{"LoneContinuation", "a\x80z", "a?z"},
                                         ToCodePageCase{"TruncatedSequence", "a\xE2\x82", "a??"},
                                         ToCodePageCase{"TruncatedBeforeAscii", "\xC3z", "?z"},
                                         ToCodePageCase{"Overlong", "\xC0\xAF", "??"},
                                         ToCodePageCase{"Surrogate", "\xED\xA0\x80", "???"},
                                         ToCodePageCase{"PastUnicode", "\xF4\x90\x80\x80", "????"},
                                         ToCodePageCase{"InvalidLead", "\xFF\xFE", "??"}),
                         [](const testing::TestParamInfo<ToCodePageCase>& param) {
                             return param.param.name;
                         });

struct LooksCase {
    std::string text;
    bool looksLikeUtf8;
};

class LooksLikeUtf8Test : public testing::TestWithParam<LooksCase> {};

TEST_P(LooksLikeUtf8Test, NeedsWellFormedMultiByteText) {
    EXPECT_EQ(LooksLikeUtf8(GetParam().text), GetParam().looksLikeUtf8);
}

INSTANTIATE_TEST_SUITE_P(Table, LooksLikeUtf8Test,
                         testing::Values(LooksCase{"", false}, LooksCase{"plain ascii", false},
                                         LooksCase{"caf\xC3\xA9", true},
                                         LooksCase{"caf\xE9", false},
                                         LooksCase{"\xE2\x80\x9Cquoted\xE2\x80\x9D", true},
                                         LooksCase{"\xC3\xA9 then \xE9", false},
                                         LooksCase{"\xC0\xAF", false},
                                         LooksCase{"\xF0\x9F\x98\x80", true}));

}  // namespace
}  // namespace trovique
