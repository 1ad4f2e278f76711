// trovique-cli info and export, run as the built program.

#include <gtest/gtest.h>

#include "core/slideshowfile/SlideShowReader.h"
#include "core/slideshowfile/SlideShowWriter.h"
#include "support/DocumentFixture.h"
#include "support/SlideShowFiles.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

class SlideShowCommandsTest : public testing::Test, public test::DocumentFixture {
protected:
    // A valid slide show: root "Café \"Quotes\" \\ Co" (Windows-1252 é), a category, a QAF
    // leaf without pictures and a BITMAP leaf.
    std::filesystem::path SampleFile() {
        auto doc = NewDocument();
        const int root = doc->Tree().GetNodeInfoIndexOfRoot();
        doc->Tree().Entry(root).SetTitle("Caf\xE9 \"Quotes\" \\ Co");
        const int node = doc->AddGenNode(ElementKind::Node, {}, nullptr, root, Relationship::Child,
                                         AddOptions::None);
        doc->Tree().Entry(node).SetTitle("Line\r\nbreak");
        const int qaf = doc->AddGenNode(ElementKind::Leaf, "Question", nullptr, node,
                                        Relationship::Child, AddOptions::None);
        CLeaf& question = *doc->Tree().Entry(qaf).Leaf;
        question.SetFACTOnly(false);
        question.SetQuestion("Why?");
        question.SetAnswer(1, "Yes");
        question.SetAnswer(2, "No");
        question.SetFact("Because.");
        const int slide = doc->AddGenNode(ElementKind::Leaf, "Slide", nullptr, node,
                                          Relationship::Child, AddOptions::None);
        CLeaf& picture = *doc->Tree().Entry(slide).Leaf;
        picture.SetFACTOnly(false);
        picture.SetBITMAPOnly(true);
        picture.SetColorBitmap(test::SlidePicture(160, 120, 1));
        const auto path = scratch_ / "show.sdb";
        EXPECT_TRUE(Save(*doc, path));
        return path;
    }

    test::ScratchDir scratch_;
};

TEST_F(SlideShowCommandsTest, InfoListsHeaderAndTree) {
    const auto result = test::RunCli({"info", SampleFile().string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Name:      Caf\u00e9 \"Quotes\" \\ Co\n"), std::string::npos);
    EXPECT_NE(result.out.find("Type:      qsdb\n"), std::string::npos);
    EXPECT_NE(result.out.find("Creator:   TQVK\n"), std::string::npos);
    EXPECT_NE(result.out.find("Records:   4\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\n  Major Category \"Line\\nbreak\" [valid, collapsed]\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\n    QAF page 1 \"Question\" [valid, difficulty 3; question 4, "
                              "answers 3/2/0/0, fact 8, aux text 0]\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("    BITMAP page 2 \"Slide\" [valid, difficulty 3; fact 0, aux "
                              "text 0; colour 160x120 256 colours]"),
              std::string::npos)
        << result.out;
}

TEST_F(SlideShowCommandsTest, InfoJsonIsEscapedAndNested) {
    const auto result = test::RunCli({"info", "--json", SampleFile().string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string& json = result.out;
    EXPECT_NE(json.find("\"name\":\"Caf\u00e9 \\\"Quotes\\\" \\\\ Co\""), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"title\":\"Line\\r\\nbreak\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"leafKind\":\"QAF\",\"page\":1"), std::string::npos) << json;
    EXPECT_NE(json.find("\"color\":{\"width\":160,\"height\":120"), std::string::npos) << json;
    // Root and category hold their children: every bracket closes.
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            i += c == '\\' ? 1 : 0;
            inString = c != '"';
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            ASSERT_GT(depth, 0) << json.substr(0, i + 1);
            --depth;
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_TRUE(json.ends_with("null}}]}]}}\n")) << json;
}

TEST_F(SlideShowCommandsTest, ExportWritesTheHandheldFileAndCountsWhatItLeftOut) {
    const auto out = scratch_ / "show.pdb";
    const auto result = test::RunCli({"export", SampleFile().string(), "-o", out.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("1 leaf without pictures was left out of the handheld file"),
              std::string::npos)
        << result.err;
    auto doc = NewDocument();
    ASSERT_TRUE(Read(*doc, out, false));
    EXPECT_EQ(doc->Tree().LeafCount(), 1u);
}

TEST_F(SlideShowCommandsTest, ExitStatuses) {
    const auto file = SampleFile().string();
    const auto missing = (scratch_ / "missing.sdb").string();
    const auto folder = scratch_.Path().string();
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"info"}, 2},
        {{"info", file, file}, 2},
        {{"info", "--xml", file}, 2},
        {{"info", missing}, 1},
        {{"export", file}, 2},
        {{"export", "-o", "x.pdb"}, 2},
        {{"export", file, "-o"}, 2},
        {{"export", missing, "-o", (scratch_ / "x.pdb").string()}, 1},
        {{"export", file, "-o", folder}, 1},
        {{"export", file, "--output=" + (scratch_ / "y.pdb").string()}, 0},
    };
    for (const auto& run : cases) {
        const auto result = test::RunCli(run.args);
        EXPECT_EQ(result.exitCode, run.exitCode) << testing::PrintToString(run.args) << result.err;
        if (run.exitCode == 1) {
            EXPECT_FALSE(result.err.empty());
        }
    }
}

}  // namespace
}  // namespace trovique
