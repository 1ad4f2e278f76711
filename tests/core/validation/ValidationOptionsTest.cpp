#include "core/validation/ValidationOptions.h"

#include <gtest/gtest.h>

#include "core/services/MemorySettingsStore.h"
#include "core/services/MessageStyle.h"
#include "core/settings/Application.h"
#include "core/validation/ValidationLimit.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

const std::string kGreaterThanZero = "Show First Errors number must be greater than 0.";

class ValidationOptionsTest : public testing::Test {
protected:
    MemorySettingsStore store;
    CApplication application{store, test::BinDir()};
    test::CScriptedUserInterface ui;
};

struct RefusedCase {
    const char* name;
    const char* text;
};

class RefusedLimitTest : public ValidationOptionsTest,
                         public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedLimitTest, TickedLimitMustBeAboveZero) {
    CValidationOptions options(application);
    options.SetLimitOn(true);
    options.SetLimitText(GetParam().text);
    EXPECT_FALSE(options.DoAction(CValidationOptions::kActionOk, ui)) << "the dialog stays open";
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, kGreaterThanZero);
    EXPECT_EQ(ui.Messages()[0].style, kStyleInformation);
    EXPECT_EQ(application.ValidationLimit(), 100);
}

// "0.4" reads above 0 but would store a limit of 0, which lists nothing.
INSTANTIATE_TEST_SUITE_P(Texts, RefusedLimitTest,
                         testing::Values(RefusedCase{"Zero", "0"}, RefusedCase{"Negative", "-3"},
                                         RefusedCase{"Empty", ""}, RefusedCase{"Letters", "abc"},
                                         RefusedCase{"BelowOne", "0.4"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ValidationOptionsTest, OkStoresTheTickedLimit) {
    CValidationOptions options(application);
    options.SetLimitText("25");
    EXPECT_TRUE(options.Ok(ui));
    EXPECT_TRUE(application.ValidationLimitOn());
    EXPECT_EQ(application.ValidationLimit(), 25);
    // What was stored is what the next start reads.
    const CApplication restarted(store, test::BinDir());
    EXPECT_EQ(CValidationLimit::FromApplication(restarted).Limit(), 25);
}

TEST_F(ValidationOptionsTest, ClearedLimitIgnoresTheCountAndSwitchesOff) {
    CValidationOptions options(application);
    options.SetLimitOn(false);
    options.SetLimitText("0");
    EXPECT_TRUE(options.DoAction(CValidationOptions::kActionOk, ui));
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_FALSE(application.ValidationLimitOn());
    EXPECT_EQ(application.ValidationLimit(), 100);
}

TEST_F(ValidationOptionsTest, CancelChangesNothingAndUnknownActionsAreReported) {
    CValidationOptions options(application);
    options.SetLimitOn(false);
    EXPECT_TRUE(options.DoAction(CValidationOptions::kActionCancel, ui));
    EXPECT_TRUE(application.ValidationLimitOn());
    EXPECT_FALSE(options.DoAction(5, ui));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Invalid action: 5"});
}

TEST(CValidationLimitTest, OverLimitOnlyWhileOnAndNeverBelowOne) {
    EXPECT_FALSE(CValidationLimit(true, 5).ValidationErrorOverLimit(4));
    EXPECT_TRUE(CValidationLimit(true, 5).ValidationErrorOverLimit(5));
    EXPECT_FALSE(CValidationLimit(false, 5).ValidationErrorOverLimit(1000));
    // A limit of 0 would stop a run before its first rule and pass it.
    EXPECT_EQ(CValidationLimit(true, 0).Limit(), 1);
    EXPECT_FALSE(CValidationLimit(true, 0).ValidationErrorOverLimit(0));
}

}  // namespace
}  // namespace trovique
