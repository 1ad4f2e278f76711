#include "core/import/SlideText.h"

#include <gtest/gtest.h>

#include "core/services/ApplicationTitle.h"
#include "core/services/MemorySettingsStore.h"
#include "support/ScriptedPresentationSource.h"

namespace trovique {
namespace {

using test::BodyShape;
using test::TitleShape;

struct BulletCase {
    const char* name;
    std::string text;
    int type;
    std::string expected;
};

class FormatBulletsTest : public testing::TestWithParam<BulletCase> {};

TEST_P(FormatBulletsTest, OneBulletPerLine) {
    EXPECT_EQ(FormatBullets(GetParam().text, GetParam().type, '*'), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatBulletsTest,
    testing::Values(BulletCase{"TwoLines", "a\r\nb", 1, "* a\r\n* b\r\n"},
                    BulletCase{"Numbered", "a\r\nb\r\nc", kBulletNumbered,
                               "1. a\r\n2. b\r\n3. c\r\n"},
                    // An empty line keeps its place in the count but gets no bullet.
                    BulletCase{"NumberedAroundEmptyLine", "a\r\n\r\nb", kBulletNumbered,
                               "1. a\r\n\r\n3. b\r\n"},
                    BulletCase{"EmptyLines", "\r\na\r\n", 1, "\r\n* a\r\n\r\n"},
                    BulletCase{"Empty", "", kBulletNumbered, ""}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(BulletCharSettingTest, ReadsTheSettingOrFallsBackToTheBullet) {
    const std::pair<std::optional<std::string>, char> cases[] = {
        {std::nullopt, '\x95'},
        {"42", '*'},
        {"183", '\xB7'},
        // A NUL would end the text field it is stored in; controls and codes past a byte are
        // no characters either.
        {"star", '\x95'},
        {"0", '\x95'},
        {"10", '\x95'},
        {"300", '\x95'}};
    for (const auto& [stored, expected] : cases) {
        MemorySettingsStore store;
        if (stored) {
            store.Set(std::string(kApplicationTitle), "Settings", "BulletChar", *stored);
        }
        EXPECT_EQ(BulletCharSetting(store), expected) << stored.value_or("(missing)");
    }
}

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
                      {TitleShape("Sales\r\nup\x0B"
                                  "again")},
                      "Sales up again",
                      "Sales up again"},
        SlideTextCase{"TitleFirstThenShapesInOrder",
                      {BodyShape("first"), TitleShape("Title"), BodyShape("second")},
                      "Title",
                      "Title\r\n\r\nfirst\r\n\r\nsecond"},
        SlideTextCase{"BulletsOnlyWhenVisible",
                      {BodyShape("a\r\nb", true, 1), BodyShape("c\r\nd", false, kBulletNumbered)},
                      "",
                      "* a\r\n* b\r\n\r\n\r\nc\r\nd"},
        // A line break inside a paragraph keeps the words on either side apart; in a bulleted
        // paragraph the next line goes on without a bullet of its own.
        SlideTextCase{"SoftBreakInBody", {BodyShape("Name:\x0BJohn")}, "", "Name:\r\nJohn"},
        SlideTextCase{"SoftBreakInBullet",
                      {BodyShape("a\x0B"
                                 "b\r\nc",
                                 true, 1)},
                      "",
                      "* a\r\nb\r\n* c\r\n"},
        SlideTextCase{
            "EmptyShapesSkipped", {TitleShape(""), BodyShape(""), BodyShape("only")}, "", "only"}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(SlideShowTitleTest, FitsTheRootTitle) {
    const std::pair<std::string, std::string> cases[] = {
        {"Quarterly results for the northern region.ppt", "Quarterly results f...ppt"},
        {"Talk.ppt", "Talk.ppt"},
        {"Exactly twenty-five c.ppt", "Exactly twenty-five c.ppt"},
        {"A name without any extension at all", "A name without any extens"},
        // An extension that leaves no room for the name counts as part of the name.
        {"a.an-extension-far-too-long-to-keep", "a.an-extension-far-too-lo"}};
    for (const auto& [fileName, title] : cases) {
        EXPECT_EQ(SlideShowTitleFromFileName(fileName), title);
    }
}

}  // namespace
}  // namespace trovique
