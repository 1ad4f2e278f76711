#include "core/common/NumericText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace trovique {
namespace {

struct NumberCase {
    const char* text;
    double number;
};

class LeadingNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumberTest, TakesTheLongestLeadingNumber) {
    EXPECT_DOUBLE_EQ(LeadingNumber(GetParam().text), GetParam().number) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LeadingNumberTest,
    testing::Values(NumberCase{"12abc", 12}, NumberCase{"abc", 0}, NumberCase{"", 0},
                    NumberCase{"0", 0}, NumberCase{"100", 100}, NumberCase{"  42", 42},
                    NumberCase{"\t7 8", 7}, NumberCase{"-5", -5}, NumberCase{"+5", 5},
                    NumberCase{"-", 0}, NumberCase{"+x", 0}, NumberCase{"3.75kg", 3.75},
                    NumberCase{".5", 0.5}, NumberCase{"5.", 5}, NumberCase{".", 0},
                    NumberCase{"1e3", 1000}, NumberCase{"2E-1", 0.2}, NumberCase{"1e", 1},
                    NumberCase{"1e+", 1}, NumberCase{"4ex", 4}, NumberCase{"1,000", 1},
                    NumberCase{"0x1F", 0}, NumberCase{"007", 7}, NumberCase{"1e-400", 0},
                    NumberCase{"12 34", 12}));

TEST(LeadingNumberTest, HugeNumbersDoNotWrapAround) {
    EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
    EXPECT_GT(LeadingNumber(std::string(400, '9')), 1e300);
}

struct IntegerCase {
    const char* text;
    std::int32_t number;
};

class LeadingIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(LeadingIntegerTest, RoundsAndStaysInRange) {
    EXPECT_EQ(LeadingInteger(GetParam().text), GetParam().number) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LeadingIntegerTest,
    testing::Values(IntegerCase{"12abc", 12}, IntegerCase{"abc", 0}, IntegerCase{"2.5", 2},
                    IntegerCase{"3.5", 4}, IntegerCase{"2.6", 3}, IntegerCase{"-2.6", -3},
                    IntegerCase{"99999999999", std::numeric_limits<std::int32_t>::max()},
                    IntegerCase{"-99999999999", std::numeric_limits<std::int32_t>::min()},
                    IntegerCase{"1e999", std::numeric_limits<std::int32_t>::max()}));

TEST(IsPlainUnsigned32Test, OnlyTextsThatSurviveANumberRoundTrip) {
    for (const char* text : {"0", "7", "100", "4294967295"}) {
        EXPECT_TRUE(IsPlainUnsigned32(text)) << text;
    }
    for (const char* text : {"", "007", "00", "+1", "-1", " 1", "1 ", "1.0", "1e3", "4294967296",
                             "99999999999", "12abc", "abc"}) {
        EXPECT_FALSE(IsPlainUnsigned32(text)) << text;
    }
}

}  // namespace
}  // namespace trovique
