#include "core/codec/UnsignedInt.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/common/Error.h"
#include "core/common/MemoryFile.h"

namespace trovique {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ByteOrderCase {
    bool isLong;
    std::int64_t value;
    int processorType;
    Bytes bytes;
};

// Writes with DstProcessorType and reads back with SrcProcessorType through either holder.
Bytes WriteValue(const ByteOrderCase& c) {
    CMemoryFile file;
    if (c.isLong) {
        CUnsignedLong number(c.value);
        number.SetDstProcessorType(c.processorType);
        number.WriteToFile(file);
    } else {
        CUnsignedInt number(c.value);
        number.SetDstProcessorType(c.processorType);
        number.WriteToFile(file);
    }
    return file.Data();
}

std::int64_t ReadValue(const ByteOrderCase& c) {
    CMemoryFile file(c.bytes);
    if (c.isLong) {
        CUnsignedLong number;
        number.SetSrcProcessorType(c.processorType);
        number.ReadFromFile(file);
        EXPECT_EQ(file.Position(), 4u);
        return number.Value();
    }
    CUnsignedInt number;
    number.SetSrcProcessorType(c.processorType);
    number.ReadFromFile(file);
    EXPECT_EQ(file.Position(), 2u);
    return number.Value();
}

class ByteOrderTest : public testing::TestWithParam<ByteOrderCase> {};

TEST_P(ByteOrderTest, WritesAndReadsInTheProcessorsOrder) {
    EXPECT_EQ(WriteValue(GetParam()), GetParam().bytes);
    EXPECT_EQ(ReadValue(GetParam()), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ByteOrderTest,
    testing::Values(ByteOrderCase{false, 0x1234, 1, {0x12, 0x34}},
                    ByteOrderCase{false, 0x1234, 0, {0x34, 0x12}},
                    ByteOrderCase{false, 0x1234, 2, {0x34, 0x12}},
                    ByteOrderCase{false, 0xFFFF, 1, {0xFF, 0xFF}},
                    ByteOrderCase{false, 0x00FF, 1, {0x00, 0xFF}},
                    ByteOrderCase{true, 0x01020304, 1, {0x01, 0x02, 0x03, 0x04}},
                    ByteOrderCase{true, 0x01020304, 0, {0x04, 0x03, 0x02, 0x01}},
                    ByteOrderCase{true, 0xFFFFFFFF, 1, {0xFF, 0xFF, 0xFF, 0xFF}},
                    ByteOrderCase{true, 0x80000001, 1, {0x80, 0x00, 0x00, 0x01}},
                    ByteOrderCase{true, 0x80000001, -1, {0x01, 0x00, 0x00, 0x80}}));

struct RangeCase {
    bool isLong;
    std::int64_t value;
    bool accepted;
};

class RangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(RangeTest, RejectsValuesOutsideTheRangeAndKeepsTheOldValue) {
    const auto& [isLong, value, accepted] = GetParam();
    CUnsignedInt number(7);
    CUnsignedLong wide(7);
    try {
        isLong ? wide.SetValue(value) : number.SetValue(value);
        EXPECT_TRUE(accepted);
        EXPECT_EQ(isLong ? static_cast<std::int64_t>(wide.Value()) : number.Value(), value);
    } catch (const CError& error) {
        EXPECT_FALSE(accepted);
        EXPECT_EQ(error.Number(), 0x80040002u);
        EXPECT_EQ(error.Source(), isLong ? "CUnsignedLong" : "CUnsignedInt");
        EXPECT_EQ(error.Description(), "Invalid value.");
        EXPECT_EQ(isLong ? wide.Value() : number.Value(), 7u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RangeTest,
    testing::Values(RangeCase{false, 65536, false}, RangeCase{false, -1, false},
                    RangeCase{false, 65535, true}, RangeCase{false, 0, true},
                    RangeCase{false, 4294967295LL, false}, RangeCase{true, 4294967296LL, false},
                    RangeCase{true, -1, false}, RangeCase{true, 4294967295LL, true},
                    RangeCase{true, 65536, true}, RangeCase{true, 0, true}));

TEST(CUnsignedIntTest, ShortFileRaisesEndOfFileAndChangesNothing) {
    CMemoryFile file(Bytes{0xAB, 0xCD, 0xEF});
    file.Seek(2);
    CUnsignedInt number(9);
    try {
        number.ReadFromFile(file);
        FAIL() << "read past the end";
    } catch (const CError& error) {
        EXPECT_EQ(error.Number(), 62u);
    }
    EXPECT_EQ(number.Value(), 9);
    EXPECT_EQ(file.Position(), 2u);

    file.Seek(0);
    CUnsignedLong wide(9);
    EXPECT_THROW(wide.ReadFromFile(file), CError);
    EXPECT_EQ(wide.Value(), 9u);
    EXPECT_EQ(file.Position(), 0u);
}

}  // namespace
}  // namespace trovique
