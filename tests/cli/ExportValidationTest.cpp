// trovique-cli export refuses a slide show that does not pass validation.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/slideshowfile/SlideShowWriter.h"
#include "support/DocumentFixture.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

class ExportValidationTest : public testing::Test, public test::DocumentFixture {
protected:
    // A category holding one FACT leaf with the given title.
    fs::path WriteShow(const std::string& leafTitle) {
        auto doc = NewDocument();
        doc->Tree().Select(doc->Tree().GetNodeInfoIndexOfRoot());
        const int category = doc->AddNode();
        doc->Tree().Entry(category).Node->SetTitle("Planets");
        doc->Tree().Select(category);
        doc->Tree().Entry(doc->AddQAF()).Leaf->SetTitle(leafTitle);
        const fs::path path = scratch / "show.sdb";
        EXPECT_TRUE(Save(*doc, path));
        return path;
    }

    test::ScratchDir scratch;
};

TEST_F(ExportValidationTest, InvalidSlideShowIsNotWritten) {
    const fs::path out = scratch / "show.pdb";
    const auto result = test::RunCli({"export", WriteShow("<FACT>").string(), "-o", out.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(fs::exists(out));
    // The refusal, then the findings grouped by item.
    const auto refusal = result.err.find("The document must be valid before export.\n");
    const auto finding = result.err.find(
        ":New Slide Show\\Planets\\<FACT>\n  warning: <FACT> may not have been renamed from its "
        "default.\n");
    ASSERT_NE(refusal, std::string::npos) << result.err;
    ASSERT_NE(finding, std::string::npos) << result.err;
    EXPECT_LT(refusal, finding);
}

TEST_F(ExportValidationTest, ValidSlideShowIsWritten) {
    const fs::path out = scratch / "show.pdb";
    const auto result = test::RunCli({"export", WriteShow("Jupiter").string(), "-o", out.string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::is_regular_file(out));
    EXPECT_EQ(result.err.find("must be valid"), std::string::npos);
}

}  // namespace
}  // namespace trovique
