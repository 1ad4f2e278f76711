#include "core/preview/HandheldSlide.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/editor/Document.h"
#include "core/imaging/PicturePreparation.h"
#include "core/model/Leaf.h"
#include "core/preview/HandheldPreviewCache.h"
#include "core/preview/HandheldPreviewView.h"
#include "core/preview/SlideRecordPictures.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "core/validation/PalmDevice.h"
#include "support/DocumentFixture.h"
#include "support/SlideShowFiles.h"
#include "support/TestPaths.h"

namespace trovique::test {
namespace {

// The pixels of a desktop picture through its own colour table: what its Palm bitmap encodes,
// worked out without the Palm bitmap code.
RgbPicture DesktopPixels(const CBitmap& bitmap) {
    RgbPicture picture{bitmap.Width(), bitmap.Height(), {}};
    const auto& table = bitmap.ColorTable();
    for (std::int32_t row = 1; row <= bitmap.Height(); ++row) {
        const auto bytes = bitmap.Row(row);
        for (std::int32_t x = 0; x < bitmap.Width(); ++x) {
            const auto column = static_cast<std::size_t>(x);
            // A grey picture holds two pixels a byte, so its row is half as long.
            const std::size_t index = bitmap.GrayScaleExpanded()
                                          ? (bytes[column / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F
                                          : bytes[column];
            picture.rgb.push_back(table[index * 4 + 2]);
            picture.rgb.push_back(table[index * 4 + 1]);
            picture.rgb.push_back(table[index * 4]);
        }
    }
    return picture;
}

std::string Words(int count) {
    std::string text;
    for (int word = 0; word < count; ++word) {
        text += word % 9 == 8 ? "extraordinarily-long-hyphenated-wording\r\n" : "slide ";
    }
    return text;
}

class HandheldSlideTest : public testing::Test, public DocumentTestBase {
protected:
    HandheldSlideTest() : leaf(AddLeafUnder(Root())) {}

    CLeaf& Leaf() { return *doc->Tree().Entry(leaf).Leaf; }
    void MakeSlide() {
        colour = SlidePicture(160, 120, 3);
        Leaf().SetKind(LeafKind::Bitmap);
        Leaf().SetColorBitmap(colour);
        Leaf().SetMonochromeBitmap(
            std::make_shared<CBitmap>(GrayCompanion(*colour, TestPalettes())));
        Leaf().SetFact("Notes of the slide\r\n\r\n");
    }
    HandheldSlide Build() {
        return BuildHandheldSlide(Leaf(), TestPalettes(), DefaultPalmDevice());
    }

    // The bytes of record number (1-based) of an exported file.
    ByteVector ExportedRecord(std::size_t number) {
        const auto path = scratch / "show.pdb";
        EXPECT_TRUE(Export(*doc, path));
        const ByteVector file = ReadAllBytes(path);
        const std::uint32_t begin = ReadBigEndian32(file, RecordListEntry(number));
        const std::uint16_t records = ReadBigEndian16(file, 76);
        const std::uint32_t end = number < records
                                      ? ReadBigEndian32(file, RecordListEntry(number + 1))
                                      : static_cast<std::uint32_t>(file.size());
        return ByteVector(file.begin() + begin, file.begin() + end);
    }

    int leaf;
    std::shared_ptr<CBitmap> colour;
    ScratchDir scratch;
};

// The colour and the grey picture come back pixel for pixel as the leaf's pictures encode them,
// from the very bytes export writes, with the slide record's size and the fact as its notes.
TEST_F(HandheldSlideTest, ShowsThePicturesExportWrites) {
    MakeSlide();
    const HandheldSlide slide = Build();
    ASSERT_TRUE(slide.pictureError.empty()) << slide.pictureError;
    EXPECT_TRUE(slide.shown);
    EXPECT_EQ(slide.color, DesktopPixels(*Leaf().ColorBitmap()));
    EXPECT_EQ(slide.gray, DesktopPixels(*Leaf().MonochromeBitmap()));
    EXPECT_EQ(slide.notes, "Notes of the slide");

    const ByteVector exported = ExportedRecord(2);  // the root, then the slide record
    const SlideRecordPictures fromFile = ReadSlideRecordPictures(exported, TestPalettes());
    EXPECT_EQ(fromFile.color, slide.color);
    EXPECT_EQ(fromFile.gray, slide.gray);
    ASSERT_EQ(slide.records.size(), 2u);
    EXPECT_EQ(slide.records[0].role, LeafRecordRole::Slide);
    EXPECT_EQ(slide.records[0].bytes, static_cast<std::int64_t>(exported.size()));
    EXPECT_EQ(slide.LargestRecordBytes(), slide.records[0].bytes);
}

TEST_F(HandheldSlideTest, ABitmapTitleShowsAsStored) {
    MakeSlide();
    Leaf().SetTitle(std::string(45, 'T'));
    EXPECT_EQ(Build().storedTitle, std::string(39, 'T'));
}

// The laid-out text has exactly the lines validation counts, for a long fact with long words
// and line breaks and for a QAF question with its answers.
TEST_F(HandheldSlideTest, LaysOutTextAsValidationCounts) {
    Leaf().SetKind(LeafKind::Fact);
    const std::string fact = Words(900) + "end";
    Leaf().SetFact(fact);
    HandheldSlide slide = Build();
    ASSERT_EQ(slide.text.size(), 1u);
    EXPECT_FALSE(slide.shown);
    EXPECT_EQ(slide.lineCount, GetLineCount(fact, DefaultPalmDevice()));
    EXPECT_GT(slide.lineCount, 100);

    Leaf().SetKind(LeafKind::QAF);
    Leaf().SetQuestion(Words(20));
    Leaf().SetAnswer(1, std::string(30, 'W'));
    Leaf().SetAnswer(2, "Yes\r\nNo");
    slide = Build();
    EXPECT_EQ(slide.text.size(), 5u);
    EXPECT_EQ(slide.lineCount, GetQAFLineCount(Leaf(), DefaultPalmDevice()));
}

// A slide record cut short or with a damaged bitmap is refused with an error, never read past.
TEST_F(HandheldSlideTest, RefusesDamagedRecords) {
    MakeSlide();
    const ByteVector good = ExportedRecord(2);
    std::vector<ByteVector> damaged;
    for (std::size_t length = 0; length + 1 < good.size(); length += 97) {
        damaged.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
    }
    constexpr std::size_t kPictures = 58;  // the first bitmap header inside the record
    const auto patched = [&](std::size_t at, std::uint16_t value) {
        ByteVector bytes = good;
        WriteBigEndian16(bytes, at, value);
        return bytes;
    };
    damaged.push_back(patched(2, 3));                    // not a BITMAP record
    damaged.push_back(patched(0, 0xFFF0));               // fixed region beyond the record
    damaged.push_back(patched(kPictures + 10, 0xFFFF));  // next picture beyond the record
    damaged.push_back(patched(kPictures + 0, 0xFFFF));   // rows beyond the record
    damaged.push_back(patched(kPictures + 8, 0x0502));   // a depth of 5 bits
    for (const ByteVector& bytes : damaged) {
        EXPECT_THROW(ReadSlideRecordPictures(bytes, TestPalettes()), CError) << bytes.size();
    }
}

// The pane's cache rebuilds a leaf after the author changes it, and only then.
TEST_F(HandheldSlideTest, CacheFollowsTheDocument) {
    CHandheldPreviewCache cache(doc->Tree(), TestPalettes());
    ASSERT_TRUE(doc->SetFieldText(leaf, TextField::Fact, "One line"));
    EXPECT_EQ(ViewHandheldPreview(*doc, cache, leaf).laidOutText, "Fact:\r\nOne line\r\n");
    EXPECT_TRUE(cache.Holds(leaf));
    ASSERT_TRUE(doc->SetFieldText(leaf, TextField::Fact, "Another"));
    EXPECT_FALSE(cache.Holds(leaf));
    const HandheldPreviewView view = ViewHandheldPreview(*doc, cache, leaf);
    EXPECT_EQ(view.laidOutText, "Fact:\r\nAnother\r\n");
    EXPECT_EQ(view.lineCount, "Fact: 1 line, 1 screen of 11 lines");
    EXPECT_EQ(view.size, "Record (fact): " + RecordSizeText(view.sizeBytes));
    EXPECT_EQ(view.page, "Page 1");
    EXPECT_FALSE(view.pictureNote.empty());  // no picture: the handheld does not list it

    const HandheldPreviewView root = ViewHandheldPreview(*doc, cache, Root());
    EXPECT_EQ(root.slide, nullptr);
    EXPECT_FALSE(root.hint.empty());
}

TEST(HandheldRecordSizeTest, SaysHowMuchOfTheLimitIsUsed) {
    const std::vector<std::pair<std::int64_t, std::string>> cases = {
        {850, "850 bytes of 64 KB"},
        {23961, "23.4 KB of 64 KB"},
        {65535, "64.0 KB of 64 KB"},
        {65536, "64.0 KB of 64 KB: too big for the handheld"},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(RecordSizeText(bytes), text);
    }
}

}  // namespace
}  // namespace trovique::test
