#include <gtest/gtest.h>

#include "core/app/MessageStyle.h"
#include "core/editor/Document.h"
#include "core/editor/EditorPictures.h"
#include "support/DocumentFixture.h"

namespace trovique {
namespace {

using test::ColorImage;
using test::MonochromeImage;
using test::PalmSize;

class LeafPictureTest : public testing::Test, public test::DocumentFixture {
protected:
    void SetUp() override {
        doc = NewDocument();
        doc->Select(doc->GetNodeInfoIndexOfRoot());
        doc->Select(doc->AddNode());
        leaf = doc->AddQAF();
        ASSERT_TRUE(doc->ConvertLeaves({leaf}, CDocument::kLeafKindBitmap));
        doc->ForceDirty(false);
    }

    CLeaf& Leaf() { return *doc->Entry(leaf).Leaf; }
    std::string LastMessage() {
        return Ui().Messages().empty() ? std::string() : Ui().Messages().back().text;
    }
    void ExpectSizeInStep() { EXPECT_EQ(doc->DBSize(), doc->ComputeDBSize()); }

    std::unique_ptr<CDocument> doc;
    int leaf = 0;
    test::PictureFiles files;
};

TEST_F(LeafPictureTest, LeafPicturesAreAtLeast160By120) {
    struct Case {
        int width, height;
        bool accepted;
    };
    for (const Case c : {Case{160, 120, true}, Case{159, 120, false}, Case{160, 119, false},
                         Case{640, 480, true}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        ASSERT_TRUE(doc->ClearLeafPicture(leaf, true));
        ASSERT_TRUE(doc->ClearLeafPicture(leaf, false));
        Ui().ClearMessages();
        const auto file = files.Write("picture", ColorImage(c.width, c.height));
        EXPECT_EQ(doc->SetLeafPicture(leaf, true, file), c.accepted);
        EXPECT_EQ(Leaf().ColorBitmap() != nullptr, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(LastMessage(), "Leaf bitmaps must be at least 160x120.");
            EXPECT_EQ(Ui().Messages().back().style, kStyleExclamation);
        }
        ExpectSizeInStep();
    }
}

TEST_F(LeafPictureTest, AColourPictureBringsAGreyCompanionAndBothSizes) {
    const std::int64_t before = doc->DBSize();
    ASSERT_TRUE(doc->SetLeafPicture(leaf, true, files.Write("color", ColorImage(160, 120))));
    ASSERT_TRUE(Leaf().ColorBitmap());
    ASSERT_TRUE(Leaf().MonochromeBitmap());
    EXPECT_TRUE(Leaf().MonochromeBitmap()->GrayScaleExpanded());
    EXPECT_EQ(Leaf().ColorBitmap()->Width(), 160);
    const std::int64_t color = PalmSize(*Leaf().ColorBitmap());
    const std::int64_t gray = PalmSize(*Leaf().MonochromeBitmap());
    EXPECT_EQ(gray, 160 * 120 / 4 + 22);
    EXPECT_EQ(doc->DBSize() - before, color + gray);
    EXPECT_TRUE(doc->Dirty());
    ExpectSizeInStep();

    // A leaf that has a monochrome picture keeps it.
    const auto kept = Leaf().MonochromeBitmap();
    ASSERT_TRUE(doc->SetLeafPicture(leaf, true, files.Write("second", ColorImage(200, 150))));
    EXPECT_EQ(Leaf().MonochromeBitmap(), kept);
    EXPECT_EQ(Leaf().ColorBitmap()->Width(), 200);
    ExpectSizeInStep();
}

TEST_F(LeafPictureTest, APictureOfTheOtherKindIsOfferedForThatKind) {
    struct Case {
        bool colorButton;
        bool pictureIsColor;
        int answer;
        bool colorPlaced, monochromePlaced;
    };
    const std::string monochromeOffer =
        "The bitmap you have selected is monochrome and can not be selected as your color "
        "bitmap.\r\nWould you like to use this bitmap as your monochrome bitmap instead?";
    const std::string colorOffer =
        "The bitmap you have selected is not monochrome and can not be selected as your "
        "monochrome bitmap.\r\nWould you like to use this bitmap as your color bitmap instead?";
    const auto mono = files.Write("mono", MonochromeImage(160, 120));
    const auto color = files.Write("color", ColorImage(160, 120));
    for (const Case c : {
             Case{true, false, kAnswerYes, false, true},  // no grey version: it is monochrome
             Case{true, false, kAnswerNo, false, false},
             Case{false, true, kAnswerYes, true, true},  // colour placed, grey generated
             Case{false, true, kAnswerNo, false, false},
         }) {
        SCOPED_TRACE(std::string(c.colorButton ? "colour" : "monochrome") + " button, answer " +
                     std::to_string(c.answer));
        ASSERT_TRUE(doc->ClearLeafPicture(leaf, true));
        ASSERT_TRUE(doc->ClearLeafPicture(leaf, false));
        Ui().QueueAnswer(c.answer);
        EXPECT_EQ(doc->SetLeafPicture(leaf, c.colorButton, c.pictureIsColor ? color : mono),
                  c.answer == kAnswerYes);
        EXPECT_EQ(LastMessage(), c.colorButton ? monochromeOffer : colorOffer);
        EXPECT_EQ(Ui().Messages().back().style, kStyleYesNo);
        EXPECT_EQ(Leaf().ColorBitmap() != nullptr, c.colorPlaced);
        EXPECT_EQ(Leaf().MonochromeBitmap() != nullptr, c.monochromePlaced);
        if (c.monochromePlaced && !c.colorPlaced) {
            EXPECT_EQ(Leaf().MonochromeBitmap()->NumColors(), 2);
        }
        ExpectSizeInStep();
    }
    // The matching kind is placed without a question.
    ASSERT_TRUE(doc->SetLeafPicture(leaf, false, mono));
    EXPECT_EQ(Leaf().MonochromeBitmap()->NumColors(), 2);
    EXPECT_FALSE(Leaf().MonochromeBitmap()->GrayScaleExpanded());
}

// The warning is for Palm forms above 60000 bytes; the coded rows of any picture are an even
// number of bytes, so 60002 is the smallest size above.
TEST_F(LeafPictureTest, PicturesAbove60000BytesAskFirst) {
    const std::string question =
        "You have selected a bitmap whose size is greater than 60000 bytes.  This bitmap will "
        "likely cause this leaf to exceed its maximum size of 65535 bytes, making it invalid.  We "
        "suggest using a smaller bitmap.\r\n\r\nAre you sure you want to use this bitmap?";
    struct Case {
        std::int64_t size;
        bool silenced;
        int confirm;  // 0: no question expected
        bool placed;
    };
    for (const Case c : {Case{60000, false, 0, true}, Case{60002, false, kAnswerNo, false},
                         Case{60002, false, kAnswerYes, true}, Case{60002, true, 0, true}}) {
        SCOPED_TRACE(std::to_string(c.size) + (c.silenced ? " silenced" : ""));
        ASSERT_TRUE(doc->ClearLeafPicture(leaf, true));
        Ui().ClearMessages();
        if (c.silenced) {
            Settings().Set("Norvane Trovique", "NoShowAgain", "UseBigBitmap", "1");
        }
        if (c.confirm != 0) {
            Ui().QueueConfirm(c.confirm == kAnswerYes);
        }
        const auto file = files.Write("big", test::ExactSizeImage(400, 200, c.size));
        EXPECT_EQ(doc->SetLeafPicture(leaf, true, file), c.placed);
        if (c.placed) {
            ASSERT_TRUE(Leaf().ColorBitmap());
            EXPECT_EQ(PalmSize(*Leaf().ColorBitmap()), c.size);
        } else {
            EXPECT_FALSE(Leaf().ColorBitmap());
        }
        if (c.confirm != 0) {
            ASSERT_EQ(Ui().Messages().size(), 1u);
            EXPECT_EQ(Ui().Messages()[0].text, question);
        } else {
            EXPECT_TRUE(Ui().Messages().empty());
        }
        ExpectSizeInStep();
    }
}

TEST_F(LeafPictureTest, ClearingAndGreyFromColourKeepTheSizeInStep) {
    EXPECT_FALSE(doc->MonochromeFromColor(leaf));
    EXPECT_EQ(LastMessage(), "Color bitmap not set.  Can not convert to monochrome.");

    ASSERT_TRUE(doc->SetLeafPicture(leaf, false, files.Write("mono", MonochromeImage(160, 120))));
    ASSERT_TRUE(doc->SetLeafPicture(leaf, true, files.Write("color", ColorImage(160, 120))));
    EXPECT_FALSE(Leaf().MonochromeBitmap()->GrayScaleExpanded());
    ASSERT_TRUE(doc->LeafPictureAction(leaf, 4));
    EXPECT_TRUE(Leaf().MonochromeBitmap()->GrayScaleExpanded());
    ExpectSizeInStep();

    const std::int64_t full = doc->DBSize();
    const std::int64_t color = PalmSize(*Leaf().ColorBitmap());
    ASSERT_TRUE(doc->LeafPictureAction(leaf, 1));
    EXPECT_FALSE(Leaf().ColorBitmap());
    EXPECT_EQ(doc->DBSize(), full - color);
    ASSERT_TRUE(doc->LeafPictureAction(leaf, 3));
    EXPECT_FALSE(Leaf().MonochromeBitmap());
    EXPECT_EQ(doc->DBSize(), doc->ComputeDBSize());
    EXPECT_EQ(Leaf().GetPalmBitmapSize(), 0);

    EXPECT_FALSE(doc->LeafPictureAction(leaf, 5));
    EXPECT_EQ(LastMessage(), "Invalid Action: 5");
}

TEST_F(LeafPictureTest, AFileThatIsNoBitmapIsReportedAndChangesNothing) {
    const auto file = files.Folder() / "notes.bmp";
    test::WriteAllBytes(file, {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
    const std::int64_t size = doc->DBSize();
    EXPECT_FALSE(doc->SetLeafPicture(leaf, true, file));
    EXPECT_EQ(LastMessage().rfind("CBitmap ReadFile error: ", 0), 0u);
    EXPECT_FALSE(doc->SetLeafPicture(leaf, true, files.Folder() / "missing.bmp"));
    EXPECT_FALSE(doc->SetLeafPicture(leaf, true, ""));  // no file chosen
    EXPECT_FALSE(Leaf().ColorBitmap());
    EXPECT_EQ(doc->DBSize(), size);
    EXPECT_FALSE(doc->Dirty());
}

// Only a BITMAP leaf's pictures reach the handheld, so pictures of another kind of leaf count
// from the moment the leaf becomes a BITMAP leaf, once.
TEST_F(LeafPictureTest, PicturesOfOtherKindsCountOnceTheLeafIsABitmapLeaf) {
    ASSERT_TRUE(doc->ConvertLeaves({leaf}, CDocument::kLeafKindFact));
    const std::int64_t before = doc->DBSize();
    ASSERT_TRUE(doc->SetLeafPicture(leaf, true, files.Write("color", ColorImage(160, 120))));
    EXPECT_EQ(doc->DBSize(), before);
    ASSERT_TRUE(doc->ConvertLeaves({leaf}, CDocument::kLeafKindBitmap));
    EXPECT_EQ(doc->DBSize(), before - 100 + 18 + Leaf().GetPalmBitmapSize());
    ExpectSizeInStep();
}

// ---- Splash picture ----

class SplashPictureTest : public LeafPictureTest {};

TEST_F(SplashPictureTest, SplashPicturesAreExactly128By60) {
    for (const auto& [width, height, accepted] : std::vector<std::tuple<int, int, bool>>{
             {128, 60, true}, {128, 61, false}, {127, 60, false}, {160, 120, false}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        ASSERT_TRUE(doc->ClearSplashPictures());
        Ui().ClearMessages();
        const auto file = files.Write("splash", MonochromeImage(width, height));
        EXPECT_EQ(doc->SetSplashPicture(file, {}), accepted);
        EXPECT_EQ(doc->MonochromeSplash().palm != nullptr, accepted);
        if (!accepted) {
            EXPECT_EQ(LastMessage(), "Splash Screen Image must be 128x60.");
        } else {
            EXPECT_TRUE(Ui().Messages().empty());  // no question for a monochrome picture
        }
        ExpectSizeInStep();
    }
}

TEST_F(SplashPictureTest, AColourSplashAsksHowItsMonochromeCompanionComes) {
    const auto color = files.Write("color", ColorImage(128, 60));
    const auto mono = files.Write("mono", MonochromeImage(128, 60));
    const auto otherColor = files.Write("other", ColorImage(128, 60));
    struct Case {
        int answer;
        std::filesystem::path chosen;
        bool monochromePlaced;
        bool grey;
        std::string lastMessage;
    };
    const std::vector<Case> cases = {
        {kAnswerYes, {}, true, true, ""},
        {kAnswerNo, mono, true, false, ""},
        {kAnswerNo, otherColor, false, false, "The file selected was not a Monochrome Bitmap."},
        {kAnswerNo, {}, false, false, ""},
        {kAnswerCancel, {}, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("answer " + std::to_string(c.answer) + " " + c.chosen.string());
        ASSERT_TRUE(doc->ClearSplashPictures());
        Ui().ClearMessages();
        Ui().QueueAnswer(c.answer);
        int asked = 0;
        ASSERT_TRUE(doc->SetSplashPicture(color, [&] {
            ++asked;
            return c.chosen;
        }));
        EXPECT_EQ(asked, c.answer == kAnswerNo ? 1 : 0);
        ASSERT_TRUE(doc->ColorSplash().palm);
        EXPECT_EQ(doc->ColorSplash().palm->PixelSize(), 8);
        const auto& question = Ui().Messages().at(0);
        EXPECT_EQ(question.title, "Add Monochrome Image (required)");
        EXPECT_EQ(question.style, kStyleYesNoCancel);
        EXPECT_EQ(question.text.rfind("You have chosen to add a 256 color bitmap to the Splash "
                                      "Screen.  Older versions of the Palm will require a "
                                      "monochrome version of this bitmap in order to display it.",
                                      0),
                  0u);
        EXPECT_EQ(doc->MonochromeSplash().palm != nullptr, c.monochromePlaced);
        if (c.monochromePlaced) {
            EXPECT_EQ(doc->MonochromeSplash().palm->PixelSize(), c.grey ? 2 : 1);
        }
        if (!c.lastMessage.empty()) {
            EXPECT_EQ(LastMessage(), c.lastMessage);
        }
        ExpectSizeInStep();
    }
}

TEST_F(SplashPictureTest, ReplacingAndClearingMoveTheSize) {
    const std::int64_t empty = doc->DBSize();
    ASSERT_TRUE(doc->SetSplashPicture(files.Write("mono", MonochromeImage(128, 60)), {}));
    const std::int64_t mono = doc->MonochromeSplash().palm->EstFileSize();
    EXPECT_EQ(mono, 16 * 60 + 22);
    EXPECT_EQ(doc->DBSize(), empty + mono);
    EXPECT_TRUE(doc->Dirty());
    // A second monochrome picture replaces the first.
    ASSERT_TRUE(doc->SetSplashPicture(files.Write("mono2", MonochromeImage(128, 60)), {}));
    EXPECT_EQ(doc->DBSize(), empty + mono);
    Ui().QueueAnswer(kAnswerCancel);
    ASSERT_TRUE(doc->SetSplashPicture(files.Write("color", ColorImage(128, 60)), {}));
    EXPECT_EQ(doc->DBSize(), empty + mono + doc->ColorSplash().palm->EstFileSize());
    ExpectSizeInStep();
    ASSERT_TRUE(doc->ClearSplashPictures());
    EXPECT_FALSE(doc->MonochromeSplash().palm);
    EXPECT_FALSE(doc->ColorSplash().palm);
    EXPECT_EQ(doc->DBSize(), empty);
}

}  // namespace
}  // namespace trovique
