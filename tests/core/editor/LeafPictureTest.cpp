#include <gtest/gtest.h>

#include "core/editor/Document.h"
#include "core/editor/EditorPictures.h"
#include "core/services/MessageStyle.h"
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
        doc->Tree().Select(doc->AddNode());
        leaf = doc->AddQAF();
        ASSERT_TRUE(doc->ConvertLeaves({leaf}, LeafKind::Bitmap));
        doc->ForceDirty(false);
    }
    void ClearAll() {
        ASSERT_TRUE(doc->ClearLeafPicture(leaf, true) && doc->ClearLeafPicture(leaf, false));
        ASSERT_TRUE(doc->ClearSplashPictures());
        Ui().ClearMessages();
    }
    CLeaf& Leaf() { return *doc->Tree().Entry(leaf).Leaf; }
    std::string LastMessage() {
        return Ui().MessageTexts().empty() ? "" : Ui().MessageTexts().back();
    }

    std::unique_ptr<CDocument> doc;
    int leaf = 0;
    test::PictureFiles files;
};

TEST_F(LeafPictureTest, LeafPicturesAreAtLeast160By120AndSplashPicturesExactly128By60) {
    struct Case {
        bool splash;
        int width, height;
        bool accepted;
    };
    for (const Case c :
         {Case{false, 160, 120, true}, Case{false, 159, 120, false}, Case{false, 160, 119, false},
          Case{true, 128, 60, true}, Case{true, 128, 61, false}, Case{true, 127, 60, false}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        ClearAll();
        const auto file = files.Write("picture", MonochromeImage(c.width, c.height));
        if (c.splash) {
            EXPECT_EQ(doc->SetSplashPicture(file), c.accepted);
            EXPECT_EQ(doc->Properties().MonochromeSplash().palm != nullptr, c.accepted);
        } else {
            EXPECT_EQ(doc->SetLeafPicture(leaf, false, file), c.accepted);
            EXPECT_EQ(Leaf().MonochromeBitmap() != nullptr, c.accepted);
        }
        EXPECT_EQ(LastMessage(), c.accepted ? ""
                                 : c.splash ? "Splash Screen Image must be 128x60."
                                            : "Leaf bitmaps must be at least 160x120.");
        EXPECT_EQ(doc->Tree().DBSize(), doc->ComputeDBSize());
    }
}

TEST_F(LeafPictureTest, AColourPictureAddsItselfAndAGreyCompanionToTheSize) {
    const std::int64_t before = doc->Tree().DBSize();
    ASSERT_TRUE(doc->SetLeafPicture(leaf, true, files.Write("color", ColorImage(160, 120))));
    ASSERT_TRUE(Leaf().MonochromeBitmap() && Leaf().MonochromeBitmap()->GrayScaleExpanded());
    const std::int64_t gray = PalmSize(*Leaf().MonochromeBitmap());
    EXPECT_EQ(gray, 160 * 120 / 4 + 22);
    EXPECT_EQ(doc->Tree().DBSize() - before, PalmSize(*Leaf().ColorBitmap()) + gray);
    EXPECT_TRUE(doc->Dirty());
    // An existing monochrome picture stays.
    const auto kept = Leaf().MonochromeBitmap();
    ASSERT_TRUE(doc->SetLeafPicture(leaf, true, files.Write("next", ColorImage(200, 150))));
    EXPECT_EQ(Leaf().MonochromeBitmap(), kept);
    EXPECT_EQ(doc->Tree().DBSize(), doc->ComputeDBSize());
}

TEST_F(LeafPictureTest, APictureOfTheOtherKindIsOfferedAsThatKind) {
    struct Case {
        bool colorButton;
        MessageAnswer answer;
        bool colorPlaced, monochromePlaced;
    };
    const auto mono = files.Write("mono", MonochromeImage(160, 120));
    const auto color = files.Write("color", ColorImage(160, 120));
    for (const Case c :
         {Case{true, MessageAnswer::Yes, false, true},  // monochrome: no grey version
          Case{true, MessageAnswer::No, false, false},
          Case{false, MessageAnswer::Yes, true, true},  // colour, with a grey version
          Case{false, MessageAnswer::No, false, false}}) {
        SCOPED_TRACE(std::to_string(c.colorButton) + " " +
                     std::to_string(static_cast<int>(c.answer)));
        ClearAll();
        Ui().QueueAnswer(c.answer);
        EXPECT_EQ(doc->SetLeafPicture(leaf, c.colorButton, c.colorButton ? mono : color),
                  c.answer == MessageAnswer::Yes);
        EXPECT_EQ(LastMessage(),
                  c.colorButton
                      ? "The bitmap you have selected is monochrome and can not be selected as "
                        "your color bitmap.\r\nWould you like to use this bitmap as your "
                        "monochrome bitmap instead?"
                      : "The bitmap you have selected is not monochrome and can not be selected "
                        "as your monochrome bitmap.\r\nWould you like to use this bitmap as your "
                        "color bitmap instead?");
        EXPECT_EQ(Leaf().ColorBitmap() != nullptr, c.colorPlaced);
        EXPECT_EQ(Leaf().MonochromeBitmap() != nullptr, c.monochromePlaced);
        if (c.monochromePlaced) {
            EXPECT_EQ(Leaf().MonochromeBitmap()->GrayScaleExpanded(), c.colorPlaced);
        }
    }
}

// Coded rows are an even number of bytes, so 60002 is the smallest Palm form above 60000.
TEST_F(LeafPictureTest, PicturesAbove60000BytesAskFirstUnlessSilenced) {
    struct Case {
        std::int64_t size;
        bool silenced;
        std::optional<MessageAnswer> confirm;  // nothing: no question
        bool placed;
    };
    for (const Case c :
         {Case{60000, false, {}, true}, Case{60002, false, MessageAnswer::No, false},
          Case{60002, false, MessageAnswer::Yes, true}, Case{60002, true, {}, true}}) {
        SCOPED_TRACE(std::to_string(c.size) + (c.silenced ? " silenced" : ""));
        ClearAll();
        if (c.silenced) {
            Settings().Set("Norvane Trovique", "NoShowAgain", "UseBigBitmap", "1");
        }
        if (c.confirm) {
            Ui().QueueConfirm(c.confirm == MessageAnswer::Yes);
        }
        const auto file = files.Write("big", test::ExactSizeImage(400, 200, c.size));
        EXPECT_EQ(doc->SetLeafPicture(leaf, true, file), c.placed);
        EXPECT_EQ(Leaf().ColorBitmap() ? PalmSize(*Leaf().ColorBitmap()) : 0,
                  c.placed ? c.size : 0);
        EXPECT_EQ(LastMessage(),
                  !c.confirm ? ""
                             : "You have selected a bitmap whose size is greater than 60000 "
                               "bytes.  This bitmap will likely cause this leaf to exceed its "
                               "maximum size of 65535 bytes, making it invalid.  We suggest "
                               "using a smaller bitmap.\r\n\r\nAre you sure you want to use "
                               "this bitmap?");
    }
}

TEST_F(LeafPictureTest, ClearingAndGreyFromColourKeepTheSizeInStep) {
    EXPECT_FALSE(doc->LeafPictureAction(leaf, CDocument::PictureAction::FromColor));
    EXPECT_EQ(LastMessage(), "Color bitmap not set.  Can not convert to monochrome.");
    ASSERT_TRUE(doc->LeafPictureAction(leaf, CDocument::PictureAction::SetMonochrome,
                                       files.Write("mono", MonochromeImage(160, 120))));
    ASSERT_TRUE(doc->LeafPictureAction(leaf, CDocument::PictureAction::SetColor,
                                       files.Write("color", ColorImage(160, 120))));
    ASSERT_TRUE(doc->LeafPictureAction(leaf, CDocument::PictureAction::FromColor));
    EXPECT_TRUE(Leaf().MonochromeBitmap()->GrayScaleExpanded());
    EXPECT_EQ(doc->Tree().DBSize(), doc->ComputeDBSize());
    ASSERT_TRUE(doc->LeafPictureAction(leaf, CDocument::PictureAction::ClearColor) &&
                doc->LeafPictureAction(leaf, CDocument::PictureAction::ClearMonochrome));
    EXPECT_FALSE(Leaf().ColorBitmap() || Leaf().MonochromeBitmap());
    EXPECT_EQ(doc->Tree().DBSize(), doc->ComputeDBSize());
    EXPECT_FALSE(doc->LeafPictureAction(leaf, static_cast<CDocument::PictureAction>(5)));
    EXPECT_EQ(LastMessage(), "Invalid Action: 5");
}

TEST_F(LeafPictureTest, AFileThatIsNoBitmapIsReportedAndChangesNothing) {
    const auto file = files.Folder() / "notes.bmp";
    test::WriteAllBytes(file, {'n', 'o', 't', 'e', 's'});
    EXPECT_FALSE(doc->SetLeafPicture(leaf, true, file));
    EXPECT_EQ(LastMessage().rfind("CBitmap ReadFile error: ", 0), 0u);
    EXPECT_FALSE(doc->SetSplashPicture(files.Folder() / "missing.bmp"));
    EXPECT_FALSE(Leaf().ColorBitmap() || doc->Properties().ColorSplash().palm);
    EXPECT_FALSE(doc->Dirty());
}

// Only a BITMAP leaf's pictures reach the handheld: a picture of another kind of leaf counts
// once the leaf becomes a BITMAP leaf, and only then.
TEST_F(LeafPictureTest, PicturesOfOtherKindsCountOnceTheLeafIsABitmapLeaf) {
    ASSERT_TRUE(doc->ConvertLeaves({leaf}, LeafKind::Fact));
    const std::int64_t before = doc->Tree().DBSize();
    ASSERT_TRUE(doc->SetLeafPicture(leaf, true, files.Write("color", ColorImage(160, 120))));
    EXPECT_EQ(doc->Tree().DBSize(), before);
    ASSERT_TRUE(doc->ConvertLeaves({leaf}, LeafKind::Bitmap));
    EXPECT_EQ(doc->Tree().DBSize(), before - 100 + 18 + Leaf().GetPalmBitmapSize());
}

TEST_F(LeafPictureTest, AColourSplashAsksHowItsMonochromeCompanionComes) {
    const auto color = files.Write("color", ColorImage(128, 60));
    const auto mono = files.Write("mono", MonochromeImage(128, 60));
    struct Case {
        MessageAnswer answer;
        std::filesystem::path chosen;
        int monochromeDepth;  // 0: none placed
        std::string lastMessage;
    };
    for (const Case& c : std::vector<Case>{
             {MessageAnswer::Yes, {}, 2, ""},
             {MessageAnswer::No, mono, 1, ""},
             {MessageAnswer::No, color, 0, "The file selected was not a Monochrome Bitmap."},
             {MessageAnswer::Cancel, {}, 0, ""}}) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.answer)) + " " + c.chosen.string());
        ClearAll();
        Ui().QueueAnswer(c.answer);
        if (c.answer == MessageAnswer::No) {
            Ui().QueueFileName(c.chosen.string());
        }
        ASSERT_TRUE(doc->SetSplashPicture(color));
        if (c.answer == MessageAnswer::No) {
            ASSERT_FALSE(Ui().FileDialogs().empty());
            EXPECT_EQ(Ui().FileDialogs().back().kind, FileDialogKind::MonochromeBitmap);
            EXPECT_EQ(Ui().FileDialogs().back().initial, (color.parent_path() / "").string());
        }
        EXPECT_EQ(Ui().Messages().at(0).title, "Add Monochrome Image (required)");
        EXPECT_EQ(Ui().Messages()[0].style, kStyleYesNoCancel);
        EXPECT_EQ(doc->Properties().ColorSplash().palm->PixelSize(), 8);
        const auto& monochrome = doc->Properties().MonochromeSplash().palm;
        EXPECT_EQ(monochrome ? monochrome->PixelSize() : 0, c.monochromeDepth);
        if (!c.lastMessage.empty()) {
            EXPECT_EQ(LastMessage(), c.lastMessage);
        }
        EXPECT_EQ(doc->Tree().DBSize(), doc->ComputeDBSize());
    }
    // Left with the colour picture alone, whose size goes with it.
    const std::int64_t withSplash = doc->Tree().DBSize();
    const std::int64_t colorSize = doc->Properties().ColorSplash().palm->EstFileSize();
    ASSERT_TRUE(doc->ClearSplashPictures());
    EXPECT_FALSE(doc->Properties().ColorSplash().palm);
    EXPECT_EQ(doc->Tree().DBSize(), withSplash - colorSize);
}

}  // namespace
}  // namespace trovique
