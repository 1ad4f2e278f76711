#include "core/codec/FieldCodec.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/common/Error.h"
#include "core/common/MemoryFile.h"

namespace trovique {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Names parameterised cases after their table entry.
struct CaseName {
    template <class Case>
    std::string operator()(const testing::TestParamInfo<Case>& param) const {
        return param.param.name;
    }
};

Bytes Zeros(std::size_t count) {
    return Bytes(count, 0);
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct WriteCase {
    const char* name;
    std::string text;
    std::size_t maximum;
    bool fixed;
    bool complemented;
    bool reserve;
    Bytes expected;

    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
};

class WriteFieldStringTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteFieldStringTest, WritesExactBytes) {
    const WriteCase& c = GetParam();
    CMemoryFile file;
    WriteFieldString(file, c.text, c.maximum, c.fixed, c.complemented, c.reserve);
    EXPECT_EQ(file.Data(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WriteFieldStringTest,
    testing::Values(
        WriteCase{"BreakComplemented", "A\r\nB", 10, false, true, false, {0xBE, 0xF5, 0xBD, 0x00}},
        WriteCase{"BreakComplementedFixed", "A\r\nB", 10, true, true, false,
                  Bytes{0xBE, 0xF5, 0xBD} + Zeros(6)},
        WriteCase{"BreakPlainFixed", "A\r\nB", 10, true, false, false,
                  Bytes{'A', 10, 'B'} + Zeros(6)},
        WriteCase{"CutAtMaximum", "Hello", 3, false, false, false, {'H', 'e', 'l', 0}},
        WriteCase{"ReserveKeepsOneForTheTerminator", "Hello", 3, false, false, true, {'H', 'e', 0}},
        WriteCase{"FixedReservePads", "Hi", 4, true, false, true, {'H', 'i', 0, 0}},
        WriteCase{"FixedReserveCuts", "abcd", 4, true, false, true, {'a', 'b', 'c', 0}},
        WriteCase{"FixedFullHasNoTerminator", "abcd", 4, true, false, false, {'a', 'b', 'c', 'd'}},
        WriteCase{"EmptyTerminated", "", 3, false, true, false, {0}},
        WriteCase{"EmptyFixed", "", 3, true, true, false, {0, 0, 0}},
        WriteCase{"ZeroMaximumWithReserve", "abc", 0, false, false, true, {0}},
        WriteCase{"HighBytesComplemented", "\xE9\x80", 5, false, true, false, {0x16, 0x7F, 0}},
        // 0xFF complemented would be 0 and end the field early.
        WriteCase{"ByteFFComplementedBecomesQuestionMark",
                  "a\xFF"
                  "b",
                  5,
                  false,
                  true,
                  false,
                  {0x9E, 0xC0, 0x9D, 0}},
        WriteCase{"ByteFFPlainIsKept", "\xFF", 5, false, false, false, {0xFF, 0}},
        WriteCase{"NulCharacterBecomesQuestionMark",
                  std::string("A\0B", 3),
                  5,
                  false,
                  false,
                  false,
                  {'A', '?', 'B', 0}},
        // A line break whose LF no longer fits is left out whole, or the reader would take
        // the next field's first byte as this field's last.
        WriteCase{"BreakSplitByTheLimitIsDropped", "AB\r\nC", 3, true, false, false, {'A', 'B', 0}},
        WriteCase{
            "BreakSplitByTheReserveIsDropped", "AB\r\nC", 4, true, false, true, {'A', 'B', 0, 0}},
        WriteCase{"BreakThatFitsIsKept", "AB\r\nC", 4, true, false, false, {'A', 'B', 10}},
        WriteCase{"LoneLFIsALineBreak", "A\nB", 10, true, false, false,
                  Bytes{'A', 10, 'B'} + Zeros(6)},
        WriteCase{"LoneCRIsALineBreak", "A\rB", 10, true, false, false,
                  Bytes{'A', 10, 'B'} + Zeros(6)}),
    CaseName());

struct ReadCase {
    const char* name;
    Bytes bytes;
    std::size_t maximum;
    bool fixed;
    bool complemented;
    std::string expected;
    std::uint64_t consumed;

    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class ReadFieldStringTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadFieldStringTest, ReadsTextAndConsumesExactlyTheField) {
    const ReadCase& c = GetParam();
    // Something after the field, which the reader must leave alone.
    CMemoryFile file(c.bytes + Bytes{0x77, 0x77});
    EXPECT_EQ(ReadFieldString(file, c.maximum, c.fixed, c.complemented), c.expected);
    EXPECT_EQ(file.Position(), c.consumed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadFieldStringTest,
    testing::Values(
        ReadCase{"BreakComplemented", {0xBE, 0xF5, 0xBD, 0x00}, 10, false, true, "A\r\nB", 4},
        ReadCase{"BreakComplementedFixed", Bytes{0xBE, 0xF5, 0xBD} + Zeros(6), 10, true, true,
                 "A\r\nB", 9},
        ReadCase{"LoneLFBecomesCRLF", {'A', 10, 'B', 0}, 10, false, false, "A\r\nB", 4},
        ReadCase{"StoredCRLFIsNotDoubled", {'A', 13, 10, 'B', 0}, 10, false, false, "A\r\nB", 5},
        ReadCase{"TerminatedStopsAfterMaximumPlusOne",
                 {'a', 'b', 'c', 'd', 'e'},
                 3,
                 false,
                 false,
                 "abcd",
                 4},
        ReadCase{"FixedFullWithoutTerminator", {'a', 'b', 'c', 'd'}, 4, true, false, "abcd", 4},
        ReadCase{"FixedSkipsPadding", {'a', 0, 0, 0, 0}, 5, true, false, "a", 5},
        ReadCase{"FixedLFInTheLastPosition", {'a', 'b', 10}, 3, true, false, "ab\r\n", 3},
        ReadCase{"ComplementedFFByteEndsTheField", {0xBE, 0xFF, 0xBD, 0}, 5, false, true, "A", 2},
        ReadCase{"EmptyFixed", {0, 0, 0}, 3, true, true, "", 3},
        ReadCase{"EmptyZeroMaximum", {0}, 0, false, false, "", 1},
        ReadCase{"FixedZeroMaximumReadsNothing", {}, 0, true, false, "", 0}),
    CaseName());

// Writing a field and then a second one and reading both back must leave the reader exactly
// where the writer stopped, whatever the text and switches: a record's later fields depend on it.
TEST(FieldCodecTest, ReaderStaysInStepWithWriterForEverySwitch) {
    struct Text {
        std::string text;
        std::string readBack;  // what the whole text reads back as: every line break CR LF
    };
    const std::vector<Text> texts = {{"", ""},
                                     {"A", "A"},
                                     {"A\r\nB", "A\r\nB"},
                                     {"\r\n\r\n", "\r\n\r\n"},
                                     {"abc\r\n", "abc\r\n"},
                                     {"x\ny\n", "x\r\ny\r\n"},
                                     {"\r\rz", "\r\n\r\nz"},
                                     {"\r\nstart", "\r\nstart"},
                                     {"end\r\n\r\n", "end\r\n\r\n"},
                                     {std::string(40, 'n'), std::string(40, 'n')},
                                     {"\xE9t\xE9\xFE", "\xE9t\xE9\xFE"},
                                     {"a\r\nb\r\nc\r\nd\r\ne", "a\r\nb\r\nc\r\nd\r\ne"}};
    const std::string next = "next";
    for (const auto& [text, readBack] : texts) {
        for (std::size_t maximum = 0; maximum <= 12; ++maximum) {
            for (int switches = 0; switches < 8; ++switches) {
                const bool fixed = switches & 1, complemented = switches & 2,
                           reserve = switches & 4;
                SCOPED_TRACE(testing::Message() << "text '" << text << "' maximum " << maximum
                                                << " switches " << switches);
                CMemoryFile file;
                WriteFieldString(file, text, maximum, fixed, complemented, reserve);
                const std::uint64_t fieldEnd = file.Position();
                WriteFieldString(file, next, 10, false, complemented, false);

                file.Seek(0);
                const std::string read = ReadFieldString(file, maximum, fixed, complemented);
                EXPECT_EQ(file.Position(), fieldEnd);
                EXPECT_EQ(ReadFieldString(file, 10, false, complemented), next);
                const std::size_t limit = reserve && maximum > 0 ? maximum - 1 : maximum;
                EXPECT_LE(read.size(), limit);
                EXPECT_TRUE(readBack.starts_with(read));
                // Only a cut may shorten the text, and a cut never splits a line break.
                EXPECT_TRUE(read == readBack || read.size() + 1 >= limit);
                EXPECT_FALSE(read.ends_with('\r'));
            }
        }
    }
}

TEST(FieldCodecTest, ByteFFSurvivesAsQuestionMarkAndLaterFieldsStayIntact) {
    CMemoryFile file;
    WriteFieldString(file, "caf\xFF", 10, false, true, false);
    WriteFieldString(file, "after", 10, false, true, false);
    file.Seek(0);
    EXPECT_EQ(ReadFieldString(file, 10, false, true), "caf?");
    EXPECT_EQ(ReadFieldString(file, 10, false, true), "after");
}

struct TruncatedCase {
    const char* name;
    Bytes bytes;
    std::size_t maximum;
    bool fixed;

    friend void PrintTo(const TruncatedCase& c, std::ostream* os) { *os << c.name; }
};

class TruncatedFieldTest : public testing::TestWithParam<TruncatedCase> {};

TEST_P(TruncatedFieldTest, RaisesEndOfFileAndLeavesThePosition) {
    const TruncatedCase& c = GetParam();
    CMemoryFile file(Bytes{0x55} + c.bytes);
    file.Seek(1);
    try {
        ReadFieldString(file, c.maximum, c.fixed, false);
        FAIL() << "read past the end";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), 62u);
    }
    EXPECT_EQ(file.Position(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TruncatedFieldTest,
    testing::Values(TruncatedCase{"NoTerminator", {'a', 'b'}, 10, false},
                    TruncatedCase{"Empty", {}, 10, false},
                    TruncatedCase{"FixedMissingPadding", {'a', 'b', 0}, 5, true},
                    TruncatedCase{"FixedMissingText", {'a', 'b'}, 5, true},
                    TruncatedCase{"LongFieldPastOneBlock", Bytes(600, 'x'), 1000, false}),
    CaseName());

TEST(FieldCodecTest, LongFieldsSpanningSeveralBlocksReadBack) {
    const std::string text(1500, 'k');
    CMemoryFile file;
    WriteFieldString(file, text, 2000, true, true, true);
    WriteFieldString(file, "tail", 8, false, false, false);
    file.Seek(0);
    EXPECT_EQ(ReadFieldString(file, 2000, true, true), text);
    EXPECT_EQ(file.Position(), 2000u);
    EXPECT_EQ(ReadFieldString(file, 8, false, false), "tail");
}

}  // namespace
}  // namespace trovique
