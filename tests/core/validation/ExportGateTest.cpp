#include "core/validation/ExportGate.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/model/Leaf.h"
#include "core/validation/ValidationFixture.h"
#include "support/SlideShowFiles.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

class ExportGateTest : public testing::Test, public test::ValidationFixture {
protected:
    ExportOutcome RunExport() {
        return ExportValidSlideShow(*doc, results, CValidationLimit::Off(), scratch.Path() / "");
    }
    test::ScratchDir scratch;
};

TEST_F(ExportGateTest, AnInvalidSlideShowIsRefusedBeforeAnyDialog) {
    const int category = AddNodeUnder(Root(), "Planets");
    AddFactUnder(category, "<FACT>");
    EXPECT_EQ(RunExport(), ExportOutcome::Invalid);
    EXPECT_TRUE(Ui().FileDialogs().empty());
    ASSERT_FALSE(Ui().Messages().empty());
    EXPECT_EQ(Ui().Messages().back().text, "The document must be valid before export.");
    EXPECT_EQ(Ui().Messages().back().style, kStyleInformation);
    EXPECT_FALSE(Findings().empty()) << "the findings stay for the validation window";
}

TEST_F(ExportGateTest, AValidSlideShowAsksForTheFileAndIsExported) {
    AddValidBranch();
    Ui().QueueFileName("");
    EXPECT_EQ(RunExport(), ExportOutcome::Cancelled);

    const std::filesystem::path out = scratch / "show";
    Ui().QueueFileName(out.string());
    EXPECT_EQ(RunExport(), ExportOutcome::Exported);
    EXPECT_TRUE(std::filesystem::is_regular_file(scratch / "show.pdb"));
    ASSERT_EQ(Ui().FileDialogs().size(), 2u);
    EXPECT_EQ(Ui().FileDialogs()[1].kind, FileDialogKind::Export);
    EXPECT_EQ(Ui().FileDialogs()[1].initial, (scratch.Path() / "").string());
    EXPECT_TRUE(Ui().Messages().empty());
}

// A slide whose pictures the estimate puts just under the handheld's record limit is exported
// only when the record export writes for it fits too: 324 x 202 pixels of noise give a record of
// 65522 bytes, 248 x 264 one of 65546.
TEST_F(ExportGateTest, ASlideNearTheRecordLimitIsJudgedAsWritten) {
    const struct {
        std::int32_t width;
        std::int32_t height;
        ExportOutcome outcome;
    } cases[] = {{324, 202, ExportOutcome::Exported}, {248, 264, ExportOutcome::Invalid}};
    const int leaf = AddValidBranch();
    LeafOf(leaf).SetKind(LeafKind::Bitmap);
    for (const auto& c : cases) {
        LeafOf(leaf).SetColorBitmap(test::NoisePicture(c.width, c.height));
        const std::filesystem::path out = scratch / (std::to_string(c.width) + ".pdb");
        if (c.outcome == ExportOutcome::Exported) {
            Ui().QueueFileName(out.string());
        }
        EXPECT_EQ(RunExport(), c.outcome) << c.width;
        EXPECT_EQ(std::filesystem::exists(out), c.outcome == ExportOutcome::Exported);
        if (c.outcome == ExportOutcome::Exported) {
            const test::ByteVector file = test::ReadAllBytes(out);
            // The root, the category, then the slide record, which ends the file.
            const std::uint32_t slide = test::ReadBigEndian32(file, test::RecordListEntry(3));
            EXPECT_LE(file.size() - slide, 65535u);
        } else {
            EXPECT_EQ(Ui().Messages().back().text, "The document must be valid before export.");
        }
    }
}

}  // namespace
}  // namespace trovique
