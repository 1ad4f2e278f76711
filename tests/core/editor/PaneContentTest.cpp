#include "core/editor/PaneContent.h"

#include <gtest/gtest.h>

#include "core/editor/EditorPictures.h"
#include "core/imaging/BitmapPixels.h"
#include "core/imaging/PicturePreparation.h"
#include "core/services/ChoiceQuestion.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

class PaneContentTest : public testing::Test, public test::DocumentTestBase {};

// Two slides under A, one under B, none under C: what each pane shows, and the kinds.
TEST_F(PaneContentTest, PanesShowTheItemsKindCountsAndPath) {
    EXPECT_EQ(DescribePane(*doc, Root()).percentage, "");
    const int a = AddNodeUnder(Root());
    EXPECT_EQ(DescribePane(*doc, a).percentage, "0") << "no slides at all";
    const int first = AddLeafUnder(a);
    ASSERT_TRUE(doc->ConvertLeaves({first}, LeafKind::QAF));
    const int second = AddLeafUnder(a);
    const int b = AddNodeUnder(Root());
    const int third = AddLeafUnder(b);
    const int c = AddNodeUnder(Root());
    ASSERT_TRUE(doc->SetFieldText(Root(), TextField::SlideShowTitle, "R\xE9"));
    ASSERT_TRUE(doc->SetFieldText(a, TextField::NodeTitle, "A"));
    ASSERT_TRUE(doc->ConvertLeaves({second}, LeafKind::Fact));
    ASSERT_TRUE(doc->ConvertLeaves({third}, LeafKind::Bitmap));
    struct Case {
        int item;
        PaneKind kind;
        std::string path, slidesBelow, percentage, firstPage;
        bool difficultyEnabled;
    };
    const Case cases[] = {
        {0, PaneKind::None, "", "", "", "", false},
        {Root(), PaneKind::Root, "", "", "", "", false},
        {a, PaneKind::Node, "R\u00e9", "2", "66.7", "1", false},
        {b, PaneKind::Node, "R\u00e9", "1", "33.3", "3", false},
        {c, PaneKind::Node, "R\u00e9", "0", "0.0", "", false},
        {first, PaneKind::Leaf, "R\u00e9\\A\\" + doc->Tree().Entry(first).Title(), "", "", "",
         true},
        {second, PaneKind::Leaf, "R\u00e9\\A\\" + doc->Tree().Entry(second).Title(), "", "", "",
         false},
        {third, PaneKind::Leaf, "", "", "", "", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.item);
        const PaneContent content = DescribePane(*doc, k.item);
        EXPECT_EQ(content.kind, k.kind);
        if (k.item != third) {
            EXPECT_EQ(content.path, k.path);
        }
        EXPECT_EQ(content.slidesBelow, k.slidesBelow);
        EXPECT_EQ(content.percentage, k.percentage);
        EXPECT_EQ(content.firstPage, k.firstPage);
        EXPECT_EQ(content.difficultyEnabled, k.difficultyEnabled);
        EXPECT_EQ(content.questionEnabled, k.difficultyEnabled);
    }
    EXPECT_EQ(DescribePane(*doc, Root()).numberOfSlides, "3");
    EXPECT_EQ(DescribePane(*doc, b).numberOfSlides, "3");
    EXPECT_EQ(DescribePane(*doc, Root()).size, SizeLabel(doc->Tree().DBSize()));

    // A protected slide of a locked slide show shows only the notice; its first display does not
    // count, so its title box takes the focus once it is unlocked.
    ASSERT_TRUE(doc->SetPrefs({"pw", "pw", false, false}));
    ASSERT_TRUE(doc->SetLeafSwitch(first, CDocument::LeafSwitch::PasswordProtect, true));
    ASSERT_TRUE(doc->LockDB());
    EXPECT_EQ(DescribePane(*doc, first).kind, PaneKind::LockedLeaf);
    EXPECT_EQ(DescribePane(*doc, second).kind, PaneKind::Leaf);
    EXPECT_FALSE(TakeFirstDisplay(*doc, first));
    ASSERT_TRUE(doc->UnlockDB("pw"));
    EXPECT_TRUE(TakeFirstDisplay(*doc, first));
    EXPECT_FALSE(TakeFirstDisplay(*doc, first));
    EXPECT_FALSE(TakeFirstDisplay(*doc, Root()));
}

// Caps count characters as the records store them: one per character of the code page, two
// per line break.
TEST_F(PaneContentTest, TextsAreCutToWhatTheirFieldStores) {
    const std::string e = "\u00e9";
    std::string many;
    for (int i = 0; i < 30; ++i) {
        many += e;
    }
    struct Case {
        TextField field;
        std::string typed;
        std::string kept;
    };
    const Case cases[] = {
        {TextField::SlideShowTitle, many, many.substr(0, 25 * e.size())},
        {TextField::CreatorID, "ABCDE", "ABCD"},
        {TextField::CreatorID, "AB\r\nC", "AB\r\n"},
        {TextField::CreatorID, "ABC\r\nD", "ABC"},  // a line break is not split
        {TextField::ProgramIconName, "\xF0\x9F\x98\x80" + many,
         "\xF0\x9F\x98\x80" + many.substr(0, 9 * e.size())},
        {TextField::Fact, "short", "short"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitToField(c.field, c.typed), c.kept) << c.typed;
        EXPECT_LE(StoredLength(FitToField(c.field, c.typed)), TextFieldLimit(c.field));
    }
    EXPECT_EQ(StoredLength("a\r\n" + e), 4u);

    const int leaf = AddLeafUnder(Root());
    ASSERT_TRUE(doc->EditFieldText(leaf, TextField::LeafTitle, "Caf" + e));
    EXPECT_EQ(doc->Tree().Entry(leaf).Title(), "Caf\xE9");
    EXPECT_EQ(FieldDisplayText(*doc, leaf, TextField::LeafTitle), "Caf" + e);
    ASSERT_EQ(SeeAlsoEntryCount(*doc), 2u);
    EXPECT_EQ(SeeAlsoEntryAt(*doc, 0), (SeeAlsoEntry{0, "<None>"}));
    EXPECT_EQ(SeeAlsoEntryAt(*doc, 1), (SeeAlsoEntry{leaf, "Caf" + e}));
    EXPECT_EQ(SeeAlsoEntryAt(*doc, 2), (SeeAlsoEntry{0, "<None>"}));
}

// The term and preferences questions carry their checks, so that a dialog can stay open.
TEST_F(PaneContentTest, QuestionsCarryTheChecksThatKeepTheirDialogsOpen) {
    Ui().QueueText("Term");
    ASSERT_EQ(doc->AskTerm(false), "Term");
    const TextQuestion& term = Ui().TextQuestions().at(0);
    ASSERT_TRUE(term.accept);
    EXPECT_FALSE(term.accept(" \t"));
    EXPECT_EQ(Ui().MessageTexts().back(), "Term can not be blank.");
    EXPECT_TRUE(term.accept("x"));

    Ui().QueuePreferences(std::nullopt);
    EXPECT_FALSE(doc->EditPrefs());
    const SlideShowPreferences& shown = Ui().PreferencesShown().at(0);
    ASSERT_TRUE(shown.accept);
    EXPECT_FALSE(shown.accept({"a", "b", false, false}));
    EXPECT_EQ(Ui().MessageTexts().back(), "The passwords entered must be the same.");
    EXPECT_TRUE(shown.accept({"a", "a", false, false}));
    EXPECT_TRUE(doc->Properties().Password().empty()) << "a check changes nothing";
}

TEST(ChoiceQuestionTest, AFaceWithoutItsDialogAsksWithAButtonPerChoice) {
    const ChoiceQuestion three{"T", "Why?", {"one", "two", "three"}};
    EXPECT_EQ(three.MessageText(), "Why?\r\n\r\nYes: one\r\nNo: two\r\nCancel: three");
    EXPECT_EQ(three.Style(), kStyleYesNoCancel);
    const ChoiceQuestion two{"T", "Why?", {"one", "two"}};
    EXPECT_EQ(two.Style(), kStyleYesNo);
    const std::vector<std::pair<MessageAnswer, std::optional<std::size_t>>> answers = {
        {MessageAnswer::Yes, 0}, {MessageAnswer::No, 1}, {MessageAnswer::Ok, std::nullopt}};
    for (const auto& [answer, choice] : answers) {
        EXPECT_EQ(three.ChoiceOf(answer), choice);
    }
    EXPECT_EQ(three.ChoiceOf(MessageAnswer::Cancel), 2u);
    EXPECT_EQ(two.ChoiceOf(MessageAnswer::Cancel), std::nullopt);
}

// The pixels a window draws, as the document keeps its pictures: colours through the table, black
// and white, and the four greys.
TEST(BitmapPixelsTest, PixelsComeFromTheColourTable) {
    const std::vector<std::uint8_t> bgr = {0, 0, 0, 255, 255, 255, 0, 0, 255, 0, 0, 0};
    const CBitmap color(3, 1, bgr, 12, test::TestPalettes().color256);
    EXPECT_EQ(ArgbPixels(color), (std::vector<std::uint32_t>{0xFF000000, 0xFFFFFFFF, 0xFFFF0000}));
    const PalmPalettes& palettes = test::TestPalettes();
    const CBitmap mono = MonochromeVersion(color, palettes);
    EXPECT_EQ(ArgbPixels(mono), (std::vector<std::uint32_t>{0xFF000000, 0xFFFFFFFF, 0xFF000000}));
    const CBitmap gray = GrayCompanion(color, palettes);
    const std::vector<std::uint32_t> greys = ArgbPixels(gray);
    ASSERT_EQ(greys.size(), 3u);
    EXPECT_EQ(greys[0], 0xFF000000u);
    EXPECT_EQ(greys[1], 0xFFFFFFFFu);
    EXPECT_EQ(ArgbPixels(CBitmap()), std::vector<std::uint32_t>{});
}

TEST_F(PaneContentTest, PictureButtonsAskForTheirFileFirst) {
    test::PictureFiles files;
    const int leaf = AddLeafUnder(Root());
    Ui().QueueFileName("");
    EXPECT_FALSE(doc->PressLeafPictureButton(leaf, CDocument::PictureAction::SetColor));
    Ui().QueueFileName(files.Write("color", test::ColorImage(160, 120)).string());
    EXPECT_TRUE(doc->PressLeafPictureButton(leaf, CDocument::PictureAction::SetColor));
    EXPECT_EQ(Ui().FileDialogs().back().kind, FileDialogKind::ColorBitmap);
    EXPECT_TRUE(DescribePane(*doc, leaf).hasColorPicture);
    EXPECT_TRUE(DescribePane(*doc, leaf).hasMonochromePicture) << "a grey one made from it";
    EXPECT_TRUE(doc->PressLeafPictureButton(leaf, CDocument::PictureAction::ClearColor));
    EXPECT_FALSE(DescribePane(*doc, leaf).hasColorPicture);

    Ui().QueueFileName(files.Write("mono", test::MonochromeImage(128, 60)).string());
    EXPECT_TRUE(doc->ChooseSplashPicture());
    EXPECT_EQ(Ui().FileDialogs().back().kind, FileDialogKind::Bitmap);
    EXPECT_TRUE(DescribePane(*doc, Root()).hasMonochromeSplash);
    EXPECT_EQ(SplashViewNote(true, false), "No Color Bitmap Available");
    EXPECT_EQ(SplashViewNote(false, true), "Could Not Show Monochrome Bitmap");
}

}  // namespace
}  // namespace trovique
