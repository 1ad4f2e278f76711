#include "core/import/SlideText.h"

#include <gtest/gtest.h>

#include "core/app/ApplicationTitle.h"
#include "core/app/MemorySettingsStore.h"
#include "support/ScriptedPresentationSource.h"

namespace trovique {
namespace {

using test::BodyShape;
using test::TitleShape;

const std::string kBullet(1, '\x95');

struct BulletCase {
    const char* name;
    std::string text;
    int type;
    char bullet;
    std::string expected;
};

class FormatBulletsTest : public testing::TestWithParam<BulletCase> {};

TEST_P(FormatBulletsTest, OneBulletPerLine) {
    const BulletCase& c = GetParam();
    EXPECT_EQ(FormatBullets(c.text, c.type, c.bullet), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatBulletsTest,
    testing::Values(
        BulletCase{"Asterisk", "a\r\nb", 1, '*', "* a\r\n* b\r\n"},
        BulletCase{"DefaultBullet", "one", 1, '\x95', kBullet + " one\r\n"},
        BulletCase{"Numbered", "a\r\nb\r\nc", kBulletNumbered, '*', "1. a\r\n2. b\r\n3. c\r\n"},
        // An empty line keeps its place in the count but gets no bullet of its own.
        BulletCase{"NumberedAroundEmptyLine", "a\r\n\r\nb", kBulletNumbered, '*',
                   "1. a\r\n\r\n3. b\r\n"},
        BulletCase{"EmptyLines", "\r\na\r\n", 1, '*', "\r\n* a\r\n\r\n"},
        BulletCase{"TenLinesNumbered", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10",
                   kBulletNumbered, '*',
                   "1. 1\r\n2. 2\r\n3. 3\r\n4. 4\r\n5. 5\r\n6. 6\r\n7. 7\r\n8. 8\r\n9. 9\r\n"
                   "10. 10\r\n"},
        // Only CR LF pairs split lines; a lone LF stays inside its line.
        BulletCase{"LoneLineFeed", "a\nb", 1, '-', "- a\nb\r\n"},
        BulletCase{"Empty", "", kBulletNumbered, '*', ""}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct BulletSettingCase {
    const char* name;
    std::optional<std::string> stored;
    char expected;
};

class BulletCharSettingTest : public testing::TestWithParam<BulletSettingCase> {};

TEST_P(BulletCharSettingTest, ReadsTheSetting) {
    MemorySettingsStore store;
    if (GetParam().stored) {
        store.Set(std::string(kApplicationTitle), "Settings", "BulletChar", *GetParam().stored);
    }
    EXPECT_EQ(BulletCharSetting(store), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, BulletCharSettingTest,
                         testing::Values(BulletSettingCase{"Missing", std::nullopt, '\x95'},
                                         BulletSettingCase{"Empty", "", '\x95'},
                                         BulletSettingCase{"Asterisk", "42", '*'},
                                         BulletSettingCase{"HighCode", "183", '\xB7'},
                                         BulletSettingCase{"LeadingNumber", "45 dash", '-'},
                                         // A NUL would end the stored text; controls and codes past
                                         // a byte are no characters either.
                                         BulletSettingCase{"NotANumber", "star", '\x95'},
                                         BulletSettingCase{"Zero", "0", '\x95'},
                                         BulletSettingCase{"Control", "10", '\x95'},
                                         BulletSettingCase{"PastAByte", "300", '\x95'},
                                         BulletSettingCase{"Negative", "-42", '\x95'}),
                         [](const auto& tested) { return std::string(tested.param.name); });

struct SlideTextCase {
    const char* name;
    std::vector<SlideShape> shapes;
    std::string title;
    std::string text;
};

class ReadSlideTextsTest : public testing::TestWithParam<SlideTextCase> {};

TEST_P(ReadSlideTextsTest, TitleAndText) {
    SlideContent slide;
    slide.shapes = GetParam().shapes;
    const SlideTexts texts = ReadSlideTexts(slide, '*');
    EXPECT_EQ(texts.title, GetParam().title);
    EXPECT_EQ(texts.text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadSlideTextsTest,
    testing::Values(
        SlideTextCase{"TitleOnOneLine",
                      {TitleShape("Quarterly\r\nresults\x0B"
                                  "2003")},
                      "Quarterly results 2003",
                      "Quarterly results 2003"},
        SlideTextCase{"TitleFirstThenShapesInOrder",
                      {BodyShape("first"), TitleShape("Title"), BodyShape("second")},
                      "Title",
                      "Title\r\n\r\nfirst\r\n\r\nsecond"},
        SlideTextCase{"NoTitle", {BodyShape("a\r\nb"), BodyShape("c")}, "", "a\r\nb\r\n\r\nc"},
        SlideTextCase{"BulletedShape",
                      {TitleShape("T"), BodyShape("a\r\nb", true, 1)},
                      "T",
                      "T\r\n\r\n* a\r\n* b\r\n"},
        SlideTextCase{
            "NumberedShape", {BodyShape("x\r\ny", true, kBulletNumbered)}, "", "1. x\r\n2. y\r\n"},
        SlideTextCase{"BulletsHidden", {BodyShape("a\r\nb", false, kBulletNumbered)}, "", "a\r\nb"},
        // A line break inside a paragraph keeps the words on either side apart, and a
        // bulleted paragraph continues on the next line without a bullet of its own.
        SlideTextCase{"SoftBreakInBody", {BodyShape("Name:\x0BJohn")}, "", "Name:\r\nJohn"},
        SlideTextCase{"SoftBreakInBullet",
                      {BodyShape("a\x0B"
                                 "b\r\nc",
                                 true, 1)},
                      "",
                      "* a\r\nb\r\n* c\r\n"},
        SlideTextCase{
            "EmptyShapesSkipped", {TitleShape(""), BodyShape(""), BodyShape("only")}, "", "only"},
        SlideTextCase{"NoShapes", {}, "", ""}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(SlideLabelTest, NamesTheSlideAndItsTitle) {
    EXPECT_EQ(SlideLabel(4, ""), "Slide 4 : ");
    EXPECT_EQ(SlideLabel(12, "Results"), "Slide 12 (Results) : ");
}

struct TitleCase {
    std::string fileName;
    std::string title;
};

class SlideShowTitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(SlideShowTitleTest, FitsTheRootTitle) {
    const std::string title = SlideShowTitleFromFileName(GetParam().fileName);
    EXPECT_EQ(title, GetParam().title);
    EXPECT_LE(title.size(), 25u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SlideShowTitleTest,
    testing::Values(TitleCase{"Quarterly results for the northern region.ppt",
                              "Quarterly results f...ppt"},
                    TitleCase{"Talk.ppt", "Talk.ppt"},
                    TitleCase{"Exactly twenty-five c.ppt", "Exactly twenty-five c.ppt"},
                    TitleCase{"Twenty-six characters.pptx", "Twenty-six charact...pptx"},
                    TitleCase{"A name without any extension at all", "A name without any extens"},
                    TitleCase{"Long name ending in a dot.", "Long name ending in a ..."},
                    // An extension that leaves no room for the name counts as part of the name.
                    TitleCase{"a.an-extension-far-too-long-to-keep", "a.an-extension-far-too-lo"}));

TEST(AddWarningTest, SeparatesWarningsByEmptyLines) {
    std::string warnings;
    AddWarning(warnings, "first");
    EXPECT_EQ(warnings, "first");
    AddWarning(warnings, "second");
    EXPECT_EQ(warnings, "first\r\n\r\nsecond");
}

}  // namespace
}  // namespace trovique
