// trovique-cli print, run as the built program.

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/slideshowfile/SlideShowWriter.h"
#include "support/DocumentFixture.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

class PrintCommandTest : public testing::Test, public test::DocumentFixture {
protected:
    // Three FACT leaves "One", "Two", "Three" whose facts name them again.
    std::string SampleFile() {
        auto doc = NewDocument();
        const int root = doc->Tree().GetNodeInfoIndexOfRoot();
        doc->Tree().Entry(root).SetTitle("Caf\xE9 Show");
        for (const char* title : {"One", "Two", "Three"}) {
            const int leaf = doc->AddGenNode(ElementKind::Leaf, title, nullptr, root,
                                             Relationship::Child, AddOptions::None);
            doc->Tree().Entry(leaf).Leaf->SetFact(std::string("fact of ") + title);
        }
        const auto path = scratch_ / "show.sdb";
        EXPECT_TRUE(Save(*doc, path));
        return path.string();
    }
    // What pdftotext reads from a PDF.
    std::string PdfText(const std::filesystem::path& pdf) {
        const auto text = scratch_ / "pdf.txt";
        const std::string command = "pdftotext '" + pdf.string() + "' '" + text.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        const auto bytes = test::ReadAllBytes(text);
        return std::string(bytes.begin(), bytes.end());
    }

    // No display, as in a terminal without X: the PDF is drawn off screen.
    const std::map<std::string, std::string> noDisplay_ = {
        {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};
    test::ScratchDir scratch_;
};

TEST_F(PrintCommandTest, WritesRtfAndPdfOfTheChosenLeaves) {
    const std::string show = SampleFile();
    const struct {
        std::vector<std::string> options;
        std::string file;
        std::vector<std::string> present, absent;
    } cases[] = {
        {{}, "all.rtf", {"Caf\\'e9 Show", "fact of One", "fact of Three"}, {}},
        {{"--no-header", "--leaves", "1,3"}, "some.rtf", {"One", "Three"}, {"Two", "Show"}},
        {{"--leaves=2-3"}, "report.pdf", {"Caf\u00e9 Show", "Two", "fact of Three"}, {"One"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"print", show, "-o", (scratch_ / c.file).string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto result = test::RunCli(args, noDisplay_);
        ASSERT_EQ(result.exitCode, 0) << c.file << result.err;
        std::string text;
        if (c.file.ends_with(".pdf")) {
            text = PdfText(scratch_ / c.file);
            const std::string draw = "pdftoppm -r 30 -png -singlefile '" +
                                     (scratch_ / c.file).string() + "' '" +
                                     (scratch_ / "page").string() + "'";
            EXPECT_EQ(std::system(draw.c_str()), 0);
            EXPECT_TRUE(std::filesystem::file_size(scratch_ / "page.png") > 0);
        } else {
            const auto bytes = test::ReadAllBytes(scratch_ / c.file);
            text.assign(bytes.begin(), bytes.end());
        }
        for (const auto& word : c.present) {
            EXPECT_NE(text.find(word), std::string::npos) << c.file << ": " << word;
        }
        for (const auto& word : c.absent) {
            EXPECT_EQ(text.find(word), std::string::npos) << c.file << ": " << word;
        }
    }
}

TEST_F(PrintCommandTest, RefusesWhatCannotBePrinted) {
    const std::string show = SampleFile();
    const std::string out = (scratch_ / "r.rtf").string();
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"print", show}, 2},
        {{"print", show, "-o", out, "--leaves", "4"}, 2},
        {{"print", show, "-o", out, "--leaves", "2-1"}, 2},
        {{"print", (scratch_ / "missing.sdb").string(), "-o", out}, 1},
        {{"print", show, "-o", (scratch_ / "no" / "such" / "r.rtf").string()}, 1},
    };
    for (const auto& c : cases) {
        const auto result = test::RunCli(c.args, noDisplay_);
        EXPECT_EQ(result.exitCode, c.exitCode) << testing::PrintToString(c.args) << result.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

}  // namespace
}  // namespace trovique
