#include "core/import/TextFileDecoding.h"

#include <gtest/gtest.h>

namespace trovique {
namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string text;  // Windows-1252
    TextFileEncoding encoding;
};

class DecodeTextFileTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTextFileTest, GivesWindows1252WithCrLfBreaks) {
    const DecodedText decoded = DecodeTextFile(GetParam().bytes);
    EXPECT_EQ(decoded.text, GetParam().text);
    EXPECT_EQ(decoded.encoding, GetParam().encoding);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeTextFileTest,
    testing::Values(
        DecodeCase{"PlainAscii", "A\r\nB", "A\r\nB", TextFileEncoding::Windows1252},
        // A lone 0xE9 is not UTF-8: the byte is the character.
        DecodeCase{"SingleByteCodePage", "caf\xE9", "caf\xE9", TextFileEncoding::Windows1252},
        DecodeCase{"Utf8WithoutMark", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80",
                   TextFileEncoding::Utf8},
        DecodeCase{"Utf8WithMark",
                   "\xEF\xBB\xBF"
                   "caf\xC3\xA9",
                   "caf\xE9", TextFileEncoding::Utf8},
        // An ASCII file with a mark: the mark goes, nothing else changes.
        DecodeCase{"MarkOnlyAscii",
                   "\xEF\xBB\xBF"
                   "A",
                   "A", TextFileEncoding::Utf8},
        DecodeCase{"Utf8BeyondTheCodePage", "\xE4\xB8\xAD\xF0\x9F\x98\x80!",
                   "??"
                   "!",
                   TextFileEncoding::Utf8},
        DecodeCase{"Utf16LittleEndian",
                   std::string("\xFF\xFE"
                               "A\0\xE9\0\xAC\x20",
                               8),
                   "A\xE9\x80", TextFileEncoding::Utf16LE},
        DecodeCase{"Utf16BigEndian", std::string("\xFE\xFF\0A\0\n", 6), "A\r\n",
                   TextFileEncoding::Utf16BE},
        DecodeCase{"Utf16SurrogatePairAndDamage",
                   std::string("\xFF\xFE"
                               "\x3D\xD8\x00\xDE"
                               "\x00\xD8"
                               "B\0"
                               "C",
                               11),
                   "??B?", TextFileEncoding::Utf16LE},
        DecodeCase{"UnixLineBreaks", "A\n\nB\n", "A\r\n\r\nB\r\n", TextFileEncoding::Windows1252},
        DecodeCase{"OldMacLineBreaks", "A\r\rB", "A\r\n\r\nB", TextFileEncoding::Windows1252},
        DecodeCase{"MixedLineBreaks", "A\r\nB\nC\rD", "A\r\nB\r\nC\r\nD",
                   TextFileEncoding::Windows1252},
        DecodeCase{"Empty", "", "", TextFileEncoding::Windows1252}),
    [](const testing::TestParamInfo<DecodeCase>& c) { return std::string(c.param.name); });

TEST(WithCrLfLineBreaksTest, LeavesWholeBreaksAloneAndCompletesTheRest) {
    EXPECT_EQ(WithCrLfLineBreaks("\r\n\r\n"), "\r\n\r\n");
    EXPECT_EQ(WithCrLfLineBreaks("\n\t"), "\r\n\t");
    EXPECT_EQ(WithCrLfLineBreaks("\n\r"), "\r\n\r\n");
    EXPECT_EQ(WithCrLfLineBreaks(";"), ";");
}

}  // namespace
}  // namespace trovique
