#include "core/validation/ExportGate.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/validation/ValidationFixture.h"
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

}  // namespace
}  // namespace trovique
