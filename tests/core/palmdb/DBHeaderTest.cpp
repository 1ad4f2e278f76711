#include "core/palmdb/DBHeader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/codec/PalmTime.h"
#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "core/palmdb/RecordListData.h"

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

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Text(const std::string& text, std::size_t size) {
    Bytes bytes(text.begin(), text.end());
    bytes.resize(size, 0);
    return bytes;
}

constexpr LocalDateTime kMillennium{2000, 1, 1, 0, 0, 0};   // 3029529600 = 0xB492F400
constexpr LocalDateTime kLeapDay{2024, 2, 29, 13, 45, 30};  // 3792059130 = 0xE2063AFA

LocalClock FixedClock(LocalDateTime when) {
    return [when] { return when; };
}

Bytes Written(CDBHeader& header) {
    CMemoryFile file;
    header.WriteToFile(file);
    return file.Data();
}

struct TimeCase {
    LocalDateTime dateTime;
    std::int64_t seconds;
};

class SecondsSince1904Test : public testing::TestWithParam<TimeCase> {};

TEST_P(SecondsSince1904Test, CountsFromTheStartOf1904AndBack) {
    EXPECT_EQ(SecondsSince1904(GetParam().dateTime), GetParam().seconds);
    EXPECT_EQ(LocalDateTimeFromSecondsSince1904(GetParam().seconds), GetParam().dateTime);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SecondsSince1904Test,
    testing::Values(TimeCase{{1904, 1, 1, 0, 0, 0}, 0}, TimeCase{{1904, 1, 2, 0, 0, 0}, 86400},
                    TimeCase{{1904, 3, 1, 0, 0, 0}, 5184000},
                    TimeCase{{1970, 1, 1, 0, 0, 0}, 2082844800}, TimeCase{kMillennium, 3029529600},
                    TimeCase{kLeapDay, 3792059130}, TimeCase{{2040, 2, 6, 6, 28, 15}, 4294967295},
                    TimeCase{{1903, 12, 31, 23, 59, 59}, -1}));

TEST(CDBHeaderTest, NewHeaderWritesDefaultsAndTheFirstWriteTime) {
    CDBHeader header;
    header.SetClock(FixedClock(kMillennium));
    const Bytes expected = Text("New Slide Show", 32) + Bytes{0x00, 0x18, 0x00, 0x01} +
                           Bytes{0xB4, 0x92, 0xF4, 0x00, 0xB4, 0x92, 0xF4, 0x00} + Bytes(16, 0) +
                           Text("qsdb", 4) + Text("TQVK", 4) + Bytes(8, 0) + Bytes{0x00, 0x00};
    EXPECT_EQ(Written(header), expected);
    EXPECT_EQ(expected.size(), 78u);
    EXPECT_EQ(header.CreateSecs(), 3029529600u);
    EXPECT_EQ(header.ModifySecs(), 3029529600u);
}

TEST(CDBHeaderTest, TimesAreSetOnceAndKeptOnLaterWrites) {
    CDBHeader header;
    header.SetClock(FixedClock(kMillennium));
    const Bytes first = Written(header);
    header.SetClock(FixedClock(kLeapDay));
    EXPECT_EQ(Written(header), first);

    CDBHeader partly;
    partly.SetClock(FixedClock(kLeapDay));
    partly.SetCreateSecs(1234);
    Written(partly);
    EXPECT_EQ(partly.CreateSecs(), 1234u);
    EXPECT_EQ(partly.ModifySecs(), 3792059130u);
}

TEST(CDBHeaderTest, OpenedHeaderWritesBackWhatItRead) {
    // Every field carries a value this program would never write itself.
    const Bytes original = Text("  Opened show ", 32) + Bytes{0x00, 0x09, 0x00, 0x03} +
                           Bytes{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88} +
                           Bytes{0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4} + Text("Data", 4) +
                           Text("abcd", 4) + Bytes{0, 0, 0, 5, 0, 0, 0, 6} + Bytes{0x01, 0x02};
    CMemoryFile file(original);
    CDBHeader header;
    header.SetClock(FixedClock(kLeapDay));
    header.ReadFromFile(file);
    EXPECT_EQ(file.Position(), 78u);

    EXPECT_EQ(header.DBName(), "Opened show");
    EXPECT_EQ(header.Attributes(), 9);
    EXPECT_EQ(header.Version(), 3);
    EXPECT_EQ(header.CreateSecs(), 0x11223344u);
    EXPECT_EQ(header.ModifySecs(), 0x55667788u);
    EXPECT_EQ(header.LastBackupSecs(), 1u);
    EXPECT_EQ(header.ModificationNumber(), 2u);
    EXPECT_EQ(header.AppInfoID(), 3u);
    EXPECT_EQ(header.SortInfoID(), 4u);
    EXPECT_EQ(header.DBType(), "Data");
    EXPECT_EQ(header.Creator(), "abcd");
    EXPECT_EQ(header.UniqueIDSeed(), 5u);
    EXPECT_EQ(header.NextRecordListID(), 6u);
    EXPECT_EQ(header.NumRecords(), 0x0102);

    EXPECT_EQ(Written(header), original);
}

TEST(CDBHeaderTest, NameOfThirtyTwoCharactersFillsTheFieldWithoutTerminator) {
    const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    CDBHeader header;
    header.SetDBName(name);
    header.SetClock(FixedClock(kMillennium));
    const Bytes bytes = Written(header);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 32), Bytes(name.begin(), name.end()));
    EXPECT_EQ(bytes[32], 0x00);
    EXPECT_EQ(bytes[33], 0x18);

    CMemoryFile file(bytes);
    CDBHeader read;
    read.ReadFromFile(file);
    EXPECT_EQ(read.DBName(), name);
}

TEST(CDBHeaderTest, LineBreakInTheNameKeepsTheHeaderWhole) {
    CDBHeader header;
    header.SetDBName("Two\r\nlines");
    header.SetCreator("Z");
    header.SetClock(FixedClock(kMillennium));
    const Bytes bytes = Written(header);
    ASSERT_EQ(bytes.size(), 78u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 10), Text("Two\nlines", 10));

    CMemoryFile file(bytes);
    CDBHeader read;
    read.ReadFromFile(file);
    EXPECT_EQ(read.DBName(), "Two\r\nlines");
    EXPECT_EQ(read.Creator(), "Z");
}

struct PropertyCase {
    const char* name;
    std::string property;
    std::string value;
    std::uint32_t error;  // 0: accepted
    std::string stored;

    friend void PrintTo(const PropertyCase& c, std::ostream* os) { *os << c.name; }
};

class CDBHeaderPropertyTest : public testing::TestWithParam<PropertyCase> {};

std::string Get(const CDBHeader& header, const std::string& property) {
    if (property == "DBName") {
        return header.DBName();
    }
    return property == "DBType" ? header.DBType() : header.Creator();
}

void Let(CDBHeader& header, const std::string& property, const std::string& value) {
    if (property == "DBName") {
        header.SetDBName(value);
    } else if (property == "DBType") {
        header.SetDBType(value);
    } else {
        header.SetCreator(value);
    }
}

TEST_P(CDBHeaderPropertyTest, ChecksLengthAndKeepsTheOldValueOnFailure) {
    const PropertyCase& c = GetParam();
    CDBHeader header;
    const std::string before = Get(header, c.property);
    try {
        Let(header, c.property, c.value);
        EXPECT_EQ(c.error, 0u);
        EXPECT_EQ(Get(header, c.property), c.stored);
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), c.error);
        EXPECT_EQ(error.Source(), "CDBHeader:" + c.property);
        EXPECT_EQ(Get(header, c.property), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CDBHeaderPropertyTest,
    testing::Values(PropertyCase{"Name32", "DBName", std::string(32, 'n'), 0, std::string(32, 'n')},
                    PropertyCase{"Name33", "DBName", std::string(33, 'n'), 0x80040002, ""},
                    PropertyCase{"NameTrimmedOnGet", "DBName", "  My show  ", 0, "My show"},
                    PropertyCase{"NameOfBlanks", "DBName", "   ", 0, ""},
                    PropertyCase{"Type4", "DBType", "Data", 0, "Data"},
                    PropertyCase{"TypeKeepsBlanks", "DBType", " ab ", 0, " ab "},
                    PropertyCase{"Type5", "DBType", "DataX", 0x80040001, ""},
                    PropertyCase{"Creator4", "Creator", "Abcd", 0, "Abcd"},
                    PropertyCase{"CreatorTrimmed", "Creator", " ab ", 0, "ab"},
                    PropertyCase{"Creator5", "Creator", "Abcde", 0x80040001, ""},
                    PropertyCase{"Creator5EvenWithBlanks", "Creator", " abc ", 0x80040001, ""}),
    CaseName());

TEST(CDBHeaderTest, ShortCodesArePaddedWithNul) {
    CDBHeader header;
    header.SetDBType("ab");
    header.SetCreator("X");
    header.SetClock(FixedClock(kMillennium));
    const Bytes bytes = Written(header);
    EXPECT_EQ(Bytes(bytes.begin() + 60, bytes.begin() + 68), (Bytes{'a', 'b', 0, 0, 'X', 0, 0, 0}));
}

TEST(CDBHeaderTest, TruncatedHeaderRaisesEndOfFileAndChangesNothing) {
    CDBHeader source;
    source.SetDBName("Cut short");
    source.SetClock(FixedClock(kMillennium));
    Bytes bytes = Written(source);
    bytes.pop_back();

    CMemoryFile file(bytes);
    CDBHeader header;
    try {
        header.ReadFromFile(file);
        FAIL() << "read past the end";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), 62u);
    }
    EXPECT_EQ(file.Position(), 0u);
    EXPECT_EQ(header.DBName(), "New Slide Show");
    EXPECT_EQ(header.CreateSecs(), 0u);
}

TEST(RecordListTest, FirstRecordFollowsTheListAndItsGap) {
    for (std::size_t count : {0u, 1u, 2u, 7u}) {
        CMemoryFile file;
        CDBHeader header;
        header.SetNumRecords(static_cast<std::int64_t>(count));
        header.WriteToFile(file);
        EXPECT_EQ(file.Position(), 78u);
        for (std::size_t i = 0; i < count; ++i) {
            CRecordListData(static_cast<std::int64_t>(FirstRecordOffset(count) + 10 * i))
                .WriteToFile(file);
        }
        file.Write(Bytes(kRecordListGap, 0));
        EXPECT_EQ(file.Position(), 80u + 8 * count);
        EXPECT_EQ(FirstRecordOffset(count), 80u + 8 * count);
    }
}

TEST(CRecordListDataTest, WritesOffsetThenFourZeroBytes) {
    CMemoryFile file;
    CRecordListData(0x01020304).WriteToFile(file);
    EXPECT_EQ(file.Data(), (Bytes{0x01, 0x02, 0x03, 0x04, 0, 0, 0, 0}));
}

TEST(CRecordListDataTest, ReadsTheOffsetAndWritesZerosBackForTheRest) {
    CMemoryFile file(Bytes{0x00, 0x00, 0x01, 0x2C, 0x40, 0xAA, 0xBB, 0xCC, 0x99});
    CRecordListData entry;
    entry.ReadFromFile(file);
    EXPECT_EQ(entry.RecordDataOffset(), 300u);
    EXPECT_EQ(file.Position(), 8u);

    CMemoryFile out;
    entry.WriteToFile(out);
    EXPECT_EQ(out.Data(), (Bytes{0x00, 0x00, 0x01, 0x2C, 0, 0, 0, 0}));
}

TEST(CRecordListDataTest, ShortEntryRaisesEndOfFileAndChangesNothing) {
    CMemoryFile file(Bytes{0, 0, 0, 9, 0, 0, 0});
    CRecordListData entry(5);
    EXPECT_THROW(entry.ReadFromFile(file), CError);
    EXPECT_EQ(entry.RecordDataOffset(), 5u);
    EXPECT_EQ(file.Position(), 0u);
    EXPECT_THROW(entry.SetRecordDataOffset(-1), CError);
    EXPECT_EQ(entry.RecordDataOffset(), 5u);
}

}  // namespace
}  // namespace trovique
