#include "core/import/PowerPointImport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fstream>

#include "core/editor/Document.h"
#include "core/import/SlidePictures.h"
#include "core/model/Leaf.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/MessageStyle.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "support/DocumentFixture.h"
#include "support/ScriptedPresentationSource.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

using test::Bands;
using test::BodyShape;
using test::BySize;
using test::Noise;
using test::ScriptedPresentationSource;
using test::ShownMessage;
using test::TitleShape;
using test::Unrenderable;

constexpr const char* kDeckName = "Quarterly results for the northern region.ppt";

SlideContent Content(std::vector<SlideShape> shapes, std::string notes = {}) {
    SlideContent content;
    content.shapes = std::move(shapes);
    content.notes = std::move(notes);
    return content;
}

class PowerPointImportTest : public testing::Test {
protected:
    PowerPointImportTest() : document_(fixture_.NewDocument()), file_(scratch_ / kDeckName) {
        std::ofstream(file_) << "a presentation";
    }

    PowerPointImportResult Import() { return ImportFromPowerPoint(*document_, source_, file_); }

    void AddSlide(SlideContent content,
                  test::SlidePainter painter = Bands({{255, 0, 0}, {0, 0, 0}, {255, 255, 255}})) {
        source_.AddSlide({std::move(content), std::move(painter)});
    }

    std::vector<std::shared_ptr<CLeaf>> Leaves() const {
        std::vector<std::shared_ptr<CLeaf>> leaves;
        for (const int child :
             document_->Tree().Children(document_->Tree().GetNodeInfoIndexOfRoot())) {
            leaves.push_back(document_->Tree().Entry(child).Leaf);
        }
        return leaves;
    }

    std::vector<ShownMessage> LongMessages() const {
        std::vector<ShownMessage> shown;
        for (const auto& message : fixture_.Ui().Messages()) {
            if (message.kind == ShownMessage::Kind::LongMessage) {
                shown.push_back(message);
            }
        }
        return shown;
    }

    // The one warnings window of the import, or an empty text when none was shown.
    std::string Warnings() const {
        const auto shown = LongMessages();
        EXPECT_LE(shown.size(), 1u);
        return shown.empty() ? std::string() : shown.front().text;
    }

    mutable test::DocumentFixture fixture_;
    test::ScratchDir scratch_;
    std::unique_ptr<CDocument> document_;
    ScriptedPresentationSource source_;
    std::filesystem::path file_;
};

TEST_F(PowerPointImportTest, EverySlideBecomesABitmapLeafUnderTheRoot) {
    AddSlide(Content({TitleShape("Results"), BodyShape("Up\r\nDown", true, 1)}, "Say hello"));
    AddSlide(Content({BodyShape("Plain text")}, "More notes"), Bands({{0, 0, 0}, {255, 255, 255}}));
    const auto result = Import();

    EXPECT_TRUE(result.succeeded);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.slidesAdded, 2u);
    EXPECT_EQ(result.slidesRejected, 0u);
    EXPECT_EQ(source_.OpenedFile(), file_);
    EXPECT_EQ(source_.CloseCount(), 1);
    const auto leaves = Leaves();
    ASSERT_EQ(leaves.size(), 2u);
    EXPECT_EQ(document_->Tree().LeafCount(), 2u);

    const CLeaf& first = *leaves[0];
    EXPECT_EQ(first.Title(), "Results");
    EXPECT_EQ(first.Fact(), "Say hello");
    EXPECT_EQ(first.AuxText(), "Results\r\n\r\n\x95 Up\r\n\x95 Down\r\n");
    EXPECT_TRUE(first.BITMAPOnly());
    EXPECT_TRUE(first.FACTOnly());
    EXPECT_EQ(first.Difficulty(), 3);
    EXPECT_EQ(first.LPI(), 1);
    ASSERT_NE(first.ColorBitmap(), nullptr);
    EXPECT_EQ(first.ColorBitmap()->Width(), 160);
    EXPECT_EQ(first.ColorBitmap()->Height(), 120);
    ASSERT_NE(first.MonochromeBitmap(), nullptr);
    EXPECT_TRUE(first.MonochromeBitmap()->GrayScaleExpanded());
    ASSERT_NE(first.AuxColorBitmap(), nullptr);
    EXPECT_EQ(first.AuxColorBitmap()->Width(), 440);

    // A two-colour slide needs no grey version: its pictures are the monochrome ones.
    const CLeaf& second = *leaves[1];
    EXPECT_EQ(second.Title(), "");
    EXPECT_EQ(second.LPI(), 2);
    EXPECT_EQ(second.ColorBitmap(), nullptr);
    ASSERT_NE(second.MonochromeBitmap(), nullptr);
    EXPECT_EQ(second.MonochromeBitmap()->PixelSize(), 1);
    EXPECT_EQ(second.MonochromeBitmap()->Width(), 160);
    EXPECT_EQ(second.AuxColorBitmap(), nullptr);
    ASSERT_NE(second.AuxMonochromeBitmap(), nullptr);
    EXPECT_EQ(second.AuxMonochromeBitmap()->PixelSize(), 1);
    EXPECT_EQ(second.AuxMonochromeBitmap()->Width(), 440);

    EXPECT_TRUE(fixture_.Ui().Messages().empty());
    EXPECT_EQ(document_->Tree().DBSize(),
              CSlideShowTree::kRootSize + 2 * CSlideShowTree::kBitmapLeafBaseSize +
                  first.GetPalmBitmapSize() + second.GetPalmBitmapSize());
}

TEST_F(PowerPointImportTest, SlideShowTakesItsTitleAndTimesFromTheFile) {
    std::tm local{};
    local.tm_year = 2003 - 1900;
    local.tm_mon = 4;
    local.tm_mday = 17;
    local.tm_hour = 10;
    local.tm_min = 20;
    local.tm_sec = 30;
    local.tm_isdst = -1;
    const auto moment = std::chrono::system_clock::from_time_t(std::mktime(&local));
    std::filesystem::last_write_time(file_, std::chrono::file_clock::from_sys(moment));
    AddSlide(Content({TitleShape("One")}));
    Import();

    // 36296 days from 1 January 1904 to 17 May 2003, and 10:20:30.
    EXPECT_EQ(document_->Properties().Header().CreateSecs(), 3136011630u);
    EXPECT_EQ(document_->Properties().Header().ModifySecs(), 3136011630u);
    EXPECT_EQ(document_->Tree().Entry(document_->Tree().GetNodeInfoIndexOfRoot()).Title(),
              "Quarterly results f...ppt");
}

TEST_F(PowerPointImportTest, BulletCharacterComesFromTheSettings) {
    fixture_.Settings().Set(std::string(kApplicationTitle), "Settings", "BulletChar", "42");
    AddSlide(Content({BodyShape("a\r\nb", true, 1), BodyShape("x\r\ny", true, 2)}));
    Import();
    ASSERT_EQ(Leaves().size(), 1u);
    EXPECT_EQ(Leaves()[0]->AuxText(), "* a\r\n* b\r\n\r\n\r\n1. x\r\n2. y\r\n");
}

TEST_F(PowerPointImportTest, NewLeavesAreCopyableWhenTheSlideShowSaysSo) {
    for (const bool copyable : {false, true}) {
        auto document = fixture_.NewDocument();
        document->Properties().SetSwitch(2, copyable);
        ScriptedPresentationSource source;
        source.AddSlide({Content({TitleShape("T")})});
        ImportFromPowerPoint(*document, source, file_);
        const int leaf = document->Tree().Children(document->Tree().GetNodeInfoIndexOfRoot()).at(0);
        EXPECT_EQ(document->Tree().Entry(leaf).Leaf->Copyable(), copyable);
    }
}

TEST_F(PowerPointImportTest, SlideTooLargeAtFirstKeepsTheNextSize) {
    AddSlide(Content({TitleShape("Busy")}),
             BySize({{{440, 330}, Noise()}}, Bands({{9, 9, 9}, {200, 0, 0}, {0, 0, 0}})));
    Import();
    ASSERT_EQ(Leaves().size(), 1u);
    const CLeaf& leaf = *Leaves()[0];
    ASSERT_NE(leaf.AuxColorBitmap(), nullptr);
    EXPECT_EQ(leaf.AuxColorBitmap()->Width(), 320);
    EXPECT_EQ(leaf.AuxColorBitmap()->Height(), 240);
    EXPECT_EQ(leaf.AuxMonochromeBitmap()->Width(), 320);
    // The small picture first, then the large sizes down to the one that fits.
    const auto& calls = source_.RenderCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].width, 160);
    EXPECT_EQ(calls[1].width, 440);
    EXPECT_EQ(calls[2].width, 320);
}

struct WarningCase {
    const char* name;
    SlideContent content;
    test::SlidePainter painter;
    bool added;
    std::string warning;
};

class ImportWarningTest : public PowerPointImportTest,
                          public testing::WithParamInterface<WarningCase> {};

TEST_P(ImportWarningTest, WarnsAboutTheFourthSlide) {
    const WarningCase& c = GetParam();
    for (int slide = 1; slide <= 3; ++slide) {
        AddSlide(Content({TitleShape("Fine " + std::to_string(slide))}));
    }
    AddSlide(c.content, c.painter);
    AddSlide(Content({TitleShape("After")}));
    const auto result = Import();

    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.slidesAdded, c.added ? 5u : 4u);
    EXPECT_EQ(result.slidesRejected, c.added ? 0u : 1u);
    const auto leaves = Leaves();
    ASSERT_EQ(leaves.size(), result.slidesAdded);
    EXPECT_EQ(leaves.back()->Title(), "After");
    EXPECT_EQ(leaves.back()->LPI(), result.slidesAdded);
    EXPECT_EQ(result.warnings, c.warning);
    EXPECT_EQ(Warnings(), c.warning);
    const auto shown = LongMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "Trovique Warnings");
    EXPECT_EQ(shown[0].header,
              "The following warnings were issued for file " + file_.string() + ":");
    EXPECT_EQ(shown[0].pointer, MousePointer::Default);
    EXPECT_EQ(source_.CloseCount(), 1);
}

std::string Repeat(char c, std::size_t count) {
    return std::string(count, c);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImportWarningTest,
    testing::Values(
        WarningCase{"SmallPictureNotRendered", Content({BodyShape("text")}),
                    BySize({{{160, 120}, Unrenderable()}}, Noise()), false,
                    "Slide 4 : Rejecting slide: Invalid bitmap: the slide could not be rendered "
                    "at 160 x 120"},
        WarningCase{"LongNotes", Content({}, Repeat('n', 10001)), Noise(), true,
                    "Slide 4 : Notes (" + Repeat('n', 10000) + ") length exceeds 10000 characters"},
        WarningCase{"LongText", Content({BodyShape(Repeat('x', 10001))}), Noise(), true,
                    "Slide 4 : Text length exceeds 10000 characters"},
        WarningCase{"EverythingAtOnce", Content({TitleShape(Repeat('t', 256))}, Repeat('n', 10002)),
                    BySize({{{160, 120}, Unrenderable()}}, Noise()), false,
                    "Slide 4 (" + Repeat('t', 256) +
                        ") : Title length exceeds 255 characters\r\n\r\nSlide 4 (" +
                        Repeat('t', 256) + ") : Notes (" + Repeat('n', 10000) +
                        ") length exceeds 10000 characters\r\n\r\nSlide 4 (" + Repeat('t', 256) +
                        ") : Rejecting slide: Invalid bitmap: the slide could not be rendered "
                        "at 160 x 120"}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(PowerPointImportTest, LimitsCutTheTextsTheLeafKeeps) {
    AddSlide(Content({TitleShape(Repeat('t', 300))}, Repeat('n', 9999) + "\r\nmore"));
    AddSlide(Content({BodyShape(Repeat('x', 9999) + "\r\n")}));
    Import();
    const auto leaves = Leaves();
    ASSERT_EQ(leaves.size(), 2u);
    EXPECT_EQ(leaves[0]->Title(), Repeat('t', 255));
    // A cut never splits a line break in two.
    EXPECT_EQ(leaves[0]->Fact(), Repeat('n', 9999));
    EXPECT_EQ(leaves[0]->AuxText().size(), 300u);
    EXPECT_EQ(leaves[1]->AuxText(), Repeat('x', 9999));
}

TEST_F(PowerPointImportTest, CancelStopsAfterTheCurrentSlide) {
    for (int slide = 1; slide <= 4; ++slide) {
        AddSlide(Content({TitleShape("Slide " + std::to_string(slide))}));
    }
    source_.onSlide = [this](std::size_t number) {
        if (number == 2) {
            fixture_.Ui().PressCancel();
        }
    };
    const auto result = Import();
    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.slidesAdded, 2u);
    ASSERT_EQ(Leaves().size(), 2u);
    EXPECT_EQ(Leaves()[1]->Title(), "Slide 2");
    EXPECT_EQ(source_.CloseCount(), 1);
    EXPECT_FALSE(fixture_.Ui().ProgressVisible());
}

TEST_F(PowerPointImportTest, CancelWhileOpeningImportsNothing) {
    AddSlide(Content({TitleShape("Never")}));
    fixture_.Ui().CancelAfterUpdates(2);  // pressed while the presentation opens
    const auto result = Import();
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.slidesAdded, 0u);
    EXPECT_TRUE(source_.RenderCalls().empty());
    EXPECT_EQ(source_.CloseCount(), 1);
}

TEST_F(PowerPointImportTest, ProgressCountsTwoStepsASlideAndTheOpening) {
    for (int slide = 1; slide <= 3; ++slide) {
        AddSlide(Content({TitleShape("S")}));
    }
    std::vector<std::string> statusWhileReading;
    source_.onSlide = [&](std::size_t) {
        statusWhileReading.push_back(fixture_.Ui().StatusText());
    };
    fixture_.Ui().StatusBar().PushText("Ready");
    Import();

    EXPECT_EQ(statusWhileReading,
              (std::vector<std::string>{"Reading Slide 1", "Reading Slide 2", "Reading Slide 3"}));
    std::vector<std::int16_t> percentages;
    bool opening = false;
    for (const auto& update : fixture_.Ui().ProgressUpdates()) {
        opening = opening || update.text == "Opening file " + file_.string();
        if (update.percentage > 0 &&
            (percentages.empty() || percentages.back() != update.percentage)) {
            percentages.push_back(update.percentage);
        }
    }
    EXPECT_TRUE(opening);
    // 7 steps: 1/7, 2/7, ... 7/7.
    EXPECT_EQ(percentages, (std::vector<std::int16_t>{14, 28, 42, 57, 71, 85, 100}));
    EXPECT_FALSE(fixture_.Ui().ProgressVisible());
    EXPECT_EQ(fixture_.Ui().StatusText(), "Ready");
    EXPECT_EQ(fixture_.Ui().StatusPercentage(), "");
    EXPECT_EQ(fixture_.Ui().Pointer(), MousePointer::Default);
}

struct FailureCase {
    const char* name;
    bool failOpen;
    std::size_t failingSlide;
    bool missingFile;
    std::size_t slidesKept;
    std::string message;
};

class ImportFailureTest : public PowerPointImportTest,
                          public testing::WithParamInterface<FailureCase> {};

TEST_P(ImportFailureTest, ReportsTheErrorAndStillClosesTheSource) {
    const FailureCase& c = GetParam();
    for (int slide = 1; slide <= 3; ++slide) {
        AddSlide(Content({TitleShape("S")}));
    }
    if (c.failOpen) {
        source_.FailOpen("The presentation is damaged.");
    }
    if (c.failingSlide > 0) {
        source_.FailSlide(c.failingSlide, "The office suite stopped answering.");
    }
    if (c.missingFile) {
        std::filesystem::remove(file_);
    }
    const auto result = Import();

    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(Leaves().size(), c.slidesKept);
    EXPECT_EQ(source_.CloseCount(), 1);
    ASSERT_EQ(fixture_.Ui().Messages().size(), 1u);
    const ShownMessage& shown = fixture_.Ui().Messages()[0];
    EXPECT_EQ(shown.text, c.missingFile
                              ? "ImportFromPowerPoint error: File not found: " + file_.string()
                              : c.message);
    EXPECT_EQ(shown.style, kStyleInformation);
    EXPECT_EQ(result.error, shown.text);  // what a batch sums up
    EXPECT_FALSE(fixture_.Ui().ProgressVisible());
    EXPECT_EQ(fixture_.Ui().Pointer(), MousePointer::Default);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImportFailureTest,
    testing::Values(FailureCase{"OpenFails", true, 0, false, 0,
                                "ImportFromPowerPoint error: The presentation is damaged."},
                    FailureCase{"SlideFails", false, 3, false, 2,
                                "ImportFromPowerPoint error: The office suite stopped answering."},
                    FailureCase{"FileMissing", false, 0, true, 0, ""}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(PowerPointImportTest, ImportedSlidesSurviveExportAndReading) {
    AddSlide(Content({TitleShape("Results"), BodyShape("Up\r\nDown", true, 1)}, "Say hello"));
    AddSlide(Content({BodyShape("Plain")}, "Notes two"), Bands({{0, 0, 0}, {255, 255, 255}}));
    ASSERT_TRUE(Import().succeeded);
    const auto exported = scratch_ / "out.pdb";
    ASSERT_TRUE(Export(*document_, exported));

    auto read = fixture_.NewDocument();
    ASSERT_TRUE(Read(*read, exported, true));
    ASSERT_EQ(read->Tree().LeafCount(), 2u);
    const auto imported = Leaves();
    for (std::size_t page = 1; page <= 2; ++page) {
        const CLeaf& leaf = *read->Tree().Entry(read->Tree().LeafOnPage(page)).Leaf;
        const CLeaf& original = *imported[page - 1];
        EXPECT_EQ(leaf.Title(), original.Title()) << page;
        EXPECT_EQ(leaf.Fact(), original.Fact()) << page;
        EXPECT_EQ(leaf.AuxText(), original.AuxText()) << page;
        EXPECT_EQ(leaf.ColorBitmap() != nullptr, original.ColorBitmap() != nullptr) << page;
        EXPECT_EQ(leaf.AuxMonochromeBitmap()->Width(), 440) << page;
    }
}

}  // namespace
}  // namespace trovique
