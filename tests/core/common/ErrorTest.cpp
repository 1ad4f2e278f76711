#include "core/common/Error.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

namespace trovique {
namespace {

struct DescriptionCase {
    std::uint32_t number;
    const char* description;
};

class ObjectErrorDescriptionTest : public testing::TestWithParam<DescriptionCase> {};

TEST_P(ObjectErrorDescriptionTest, SharedTableGivesTheDescription) {
    const auto& [number, description] = GetParam();
    const CError error = CError::Object(number, "CNode:Title");
    EXPECT_EQ(error.Number(), number);
    EXPECT_EQ(error.Source(), "CNode:Title");
    EXPECT_EQ(error.Description(), description);
    EXPECT_STREQ(error.what(), description);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ObjectErrorDescriptionTest,
    testing::Values(DescriptionCase{0x80040001, "Data too long to fit.  Try shortening the data."},
                    DescriptionCase{0x80040002, "Invalid value."},
                    DescriptionCase{0x80040003, "Value is out of range."},
                    DescriptionCase{0x80040004, "Maximum number of links exceeded."},
                    DescriptionCase{
                        0x80040005,
                        "The Database version is not supported.  You may need to upgrade "
                        "your software."},
                    DescriptionCase{0x80040006, ""}, DescriptionCase{0x80040000, ""}));

TEST(TrapErrorsTest, ReportsPrefixAndDescriptionAndReturnsFailure) {
    std::vector<std::string> reports;
    const bool ok = TrapErrors(
        "Read error: ", [&](const std::string& t) { reports.push_back(t); },
        [] { throw CError::Object(kErrValueOutOfRange, "CLEAF:GetAnswer"); });
    EXPECT_FALSE(ok);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Read error: Value is out of range.");
}

TEST(TrapErrorsTest, TrapsForeignErrorsTooAndPassesSuccessThrough) {
    std::vector<std::string> reports;
    auto report = [&](const std::string& t) { reports.push_back(t); };
    EXPECT_FALSE(TrapErrors("Export error: ", report, [] { throw std::bad_alloc(); }));
    EXPECT_FALSE(TrapErrors("X: ", report, [] { throw std::runtime_error("disk full"); }));
    EXPECT_TRUE(TrapErrors("X: ", report, [] {}));
    EXPECT_EQ(reports, (std::vector<std::string>{"Export error: Out of memory", "X: disk full"}));
}

}  // namespace
}  // namespace trovique
