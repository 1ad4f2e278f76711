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

using enum TextFileEncoding;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, DecodeTextFileTest, testing::Values(
    DecodeCase{"PlainAscii", "A\r\nB", "A\r\nB", Windows1252},
    // A lone 0xE9 is not UTF-8: the byte is the character.
    DecodeCase{"SingleByteCodePage", "caf\xE9", "caf\xE9", Windows1252},
    DecodeCase{"Utf8BeyondTheCodePage", "\xE4\xB8\xAD\xF0\x9F\x98\x80!", "??" "!", Utf8},
    DecodeCase{"Utf16LittleEndian", std::string("\xFF\xFE" "A\0\xE9\0\xAC\x20", 8), "A\xE9\x80",
               Utf16LE},
    DecodeCase{"Utf16BigEndian", std::string("\xFE\xFF\0A\0\n", 6), "A\r\n", Utf16BE},
    // A pair, an unpaired high surrogate, and a last odd byte.
    DecodeCase{"Utf16SurrogatesAndDamage",
               std::string("\xFF\xFE" "\x3D\xD8\x00\xDE" "\x00\xD8" "B\0" "C", 11), "??B?",
               Utf16LE},
    DecodeCase{"LineBreaks", "A\r\nB\nC\rD\r\rE", "A\r\nB\r\nC\r\nD\r\n\r\nE", Windows1252}),
    [](const testing::TestParamInfo<DecodeCase>& c) { return std::string(c.param.name); });
// clang-format on

}  // namespace
}  // namespace trovique
