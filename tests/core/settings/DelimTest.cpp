#include "core/settings/Delim.h"

#include <gtest/gtest.h>

#include "core/common/Error.h"

namespace trovique {
namespace {

TEST(CDelimTest, AppendBuildsTheDefinitionText) {
    CDelim delim;
    EXPECT_EQ(delim.DataString(), "");
    delim.Append(13);
    EXPECT_EQ(delim.DataString(), "13");
    delim.Append(10);
    delim.Append(0);
    delim.Append(255);
    EXPECT_EQ(delim.DataString(), "13,10,0,255");
    EXPECT_EQ(delim.DelimString(), std::string("\r\n\0\xFF", 4));
}

TEST(CDelimTest, AppendRefusesCodesOutsideAByte) {
    CDelim delim("9");
    EXPECT_THROW(delim.Append(256), CError);
    EXPECT_THROW(delim.Append(-1), CError);
    EXPECT_EQ(delim.DataString(), "9");
}

TEST(CDelimTest, DisplayStringNamesEachCode) {
    EXPECT_EQ(CDelim("13,10").DisplayString(), "0x0D (CARRIAGE RETURN) AND 0x0A (LINE FEED)");
    EXPECT_EQ(CDelim("13,10,9").DisplayString(),
              "0x0D (CARRIAGE RETURN) AND 0x0A (LINE FEED) AND 0x09 (TAB)");
    EXPECT_EQ(CDelim("46,58,200").DisplayString(), "0x2E (PERIOD) AND 0x3A (:) AND 0xC8");
    EXPECT_EQ(CDelim("0,32").DisplayString(), "0x00 (NULL) AND 0x20 (SPACE)");
    EXPECT_EQ(CDelim("").DisplayString(), "");
}

struct NameCase {
    int code;
    const char* name;
    const char* print;
};

class CharNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(CharNameTest, NameAndPrintableForm) {
    EXPECT_EQ(CDelim::CharName(GetParam().code), GetParam().name) << GetParam().code;
    EXPECT_EQ(CDelim::CharPrint(GetParam().code), GetParam().print) << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CharNameTest,
    testing::Values(NameCase{0, "NULL", ""}, NameCase{9, "TAB", ""},
                    NameCase{10, "LINE FEED", "\n"}, NameCase{13, "CARRIAGE RETURN", "\r"},
                    NameCase{32, "SPACE", " "}, NameCase{46, "PERIOD", "."}, NameCase{33, "!", "!"},
                    NameCase{65, "A", "A"}, NameCase{126, "~", "~"}, NameCase{1, "", "\x01"},
                    NameCase{127, "", "\x7F"}, NameCase{233, "", "\xE9"}, NameCase{255, "", "\xFF"},
                    NameCase{256, "", ""}, NameCase{-1, "", ""}));

TEST(CDelimTest, TheNameTableHasOnlyTheDocumentedEntries) {
    int named = 0;
    for (int code = CDelim::StartCharIndex(); code < CDelim::NumChars(); ++code) {
        named += CDelim::CharName(code).empty() ? 0 : 1;
    }
    EXPECT_EQ(CDelim::NumChars(), 256);
    EXPECT_EQ(named, 94 + 5);  // 33..126, plus NULL, TAB, LINE FEED, CARRIAGE RETURN, SPACE
}

TEST(CDelimTest, CorruptDefinitionsAreRefusedAndTheOldOneKept) {
    CDelim delim("13,10");
    for (const char* text :
         {"13,,10", "13,", ",13", "abc", "13;10", "256", "-1", "1.5", "0x0D", "13 10"}) {
        EXPECT_THROW(delim.SetDataString(text), CError) << text;
        EXPECT_EQ(delim.DataString(), "13,10");
    }
    delim.SetDataString(" 13 , 10 ");  // blanks around codes, as a hand edit might leave
    EXPECT_EQ(delim.DelimString(), "\r\n");
}

TEST(CDelimTest, ClearAndClone) {
    CDelim source("59");
    CDelim copy("1,2");
    copy.Clone(source);
    EXPECT_EQ(copy.DataString(), "59");
    copy.Clear();
    EXPECT_EQ(copy.DataString(), "");
    EXPECT_EQ(copy.DelimString(), "");
    EXPECT_EQ(source.DataString(), "59");
}

}  // namespace
}  // namespace trovique
