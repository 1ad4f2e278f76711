#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/model/Leaf.h"
#include "core/slideshowfile/SlideShowReader.h"
#include "support/DocumentFixture.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

using Leaf = test::LeafText;

// Every run keeps its settings in a config folder of the test's own.
class ImportTextCommandTest : public testing::Test, public test::DocumentFixture {
protected:
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), "import-text");
        return test::RunCli(args, {{"XDG_CONFIG_HOME", config.Path().string()}});
    }
    std::string Text(const std::string& bytes, const std::string& name = "in.txt") {
        test::WriteAllBytes(files / name, std::vector<unsigned char>(bytes.begin(), bytes.end()));
        return (files / name).string();
    }
    std::string Out(const std::string& name = "out.sdb") const { return (files / name).string(); }

    // The slide show as the program opens it again.
    std::vector<Leaf> ReadBack(const std::string& path) {
        doc = NewDocument();
        EXPECT_TRUE(Read(*doc, path, false)) << testing::PrintToString(Ui().MessageTexts());
        for (std::size_t page = 1; page <= doc->Tree().LeafCount(); ++page) {
            EXPECT_TRUE(doc->Tree().Entry(doc->Tree().LeafOnPage(page)).Leaf->FACTOnly());
        }
        return test::LeafTexts(*doc);
    }

    test::ScratchDir config;
    test::ScratchDir files;
    std::unique_ptr<CDocument> doc;
};

TEST_F(ImportTextCommandTest, ImportsWithTheStoredDelimitersAndReadsBack) {
    const auto result = Run({Text("A\r\n\r\nB\r\n\tC\r\n\r\n"), "-o", Out()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Added 3 leaves to " + Out() + "\n");
    EXPECT_EQ(ReadBack(Out()),
              (std::vector<Leaf>{{"<FACT>", "A"}, {"<FACT>", "B"}, {"<FACT>", "C"}}));
    EXPECT_FALSE(doc->Properties().Structured());
}

TEST_F(ImportTextCommandTest, DelimitersAndTitlesFromTheCommandLine) {
    const std::string in = Text("Hello world;Name: Ann;;caf\xC3\xA9 au lait");
    ASSERT_EQ(Run({in, "--delim", "59", "--title-first", "5", "-o", Out()}).exitCode, 0);
    EXPECT_EQ(ReadBack(Out()), (std::vector<Leaf>{{"Hello", "Hello world"},
                                                  {"Name:", "Name: Ann"},
                                                  {"<FACT>", ""},
                                                  {"caf\xE9 ", "caf\xE9 au lait"}}));

    ASSERT_EQ(Run({in, "--delim=59", "--title-delim", "58,32", "-o", Out()}).exitCode, 0);
    EXPECT_EQ(ReadBack(Out()), (std::vector<Leaf>{{"<FACT>", "Hello world"},
                                                  {"Name", "Name: Ann"},
                                                  {"<FACT>", ""},
                                                  {"<FACT>", "caf\xE9 au lait"}}));
}

TEST_F(ImportTextCommandTest, StoredTitleOptionIsUsedUnlessOverridden) {
    for (const auto& [key, value] :
         std::vector<std::pair<std::string, std::string>>{{"TitleDefault", "0"},
                                                          {"TitleUseFirst", "2"},
                                                          {"DelimCount", "1"},
                                                          {"Delim1", "59"}}) {
        ASSERT_EQ(test::RunCli({"settings", "set", "ImportUnstructured", key, value},
                               {{"XDG_CONFIG_HOME", config.Path().string()}})
                      .exitCode,
                  0);
    }
    const std::string in = Text("Abc;Def");
    ASSERT_EQ(Run({in, "-o", Out()}).exitCode, 0);
    EXPECT_EQ(ReadBack(Out()), (std::vector<Leaf>{{"Ab", "Abc"}, {"De", "Def"}}));
    ASSERT_EQ(Run({in, "--title-default", "-o", Out()}).exitCode, 0);
    EXPECT_EQ(ReadBack(Out()), (std::vector<Leaf>{{"<FACT>", "Abc"}, {"<FACT>", "Def"}}));
}

TEST_F(ImportTextCommandTest, IntoAddsToAnExistingSlideShow) {
    ASSERT_EQ(Run({Text("A;B"), "--delim", "59", "-o", Out("first.sdb")}).exitCode, 0);
    const auto result = Run({Text("C", "more.txt"), "--into", Out("first.sdb"), "-o", Out()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Added 1 leaf to " + Out() + "\n");
    EXPECT_EQ(ReadBack(Out()),
              (std::vector<Leaf>{{"<FACT>", "A"}, {"<FACT>", "B"}, {"<FACT>", "C"}}));
    // Without -o the slide show given to --into is updated.
    ASSERT_EQ(Run({Text("D", "last.txt"), "--into", Out()}).exitCode, 0);
    EXPECT_EQ(ReadBack(Out()).size(), 4u);
}

TEST_F(ImportTextCommandTest, ALongPieceStopsTheImportAndNothingIsWritten) {
    const std::string longPiece = std::string(6000, 'x') + "\r\n" + std::string(6000, 'y');
    const std::string in = Text("A;" + longPiece + ";C");
    const auto stopped = Run({in, "--delim", "59", "-o", Out()});
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_NE(stopped.err.find("error: Read Unstructured error: "), std::string::npos)
        << stopped.err;
    EXPECT_NE(stopped.err.find("Piece 2 (from line 1) has 12002 characters"), std::string::npos)
        << stopped.err;
    EXPECT_FALSE(fs::exists(Out()));

    const auto split = Run({in, "--delim", "59", "--split-long", "-o", Out()});
    ASSERT_EQ(split.exitCode, 0) << split.err;
    EXPECT_NE(split.err.find("was split into 2 leaves"), std::string::npos) << split.err;
    EXPECT_EQ(ReadBack(Out()), (std::vector<Leaf>{{"<FACT>", "A"},
                                                  {"<FACT>", std::string(6000, 'x') + "\r\n"},
                                                  {"<FACT>", std::string(6000, 'y')},
                                                  {"<FACT>", "C"}}));
}

TEST_F(ImportTextCommandTest, MoreLeavesThanCanBeSavedAreRefusedClearly) {
    std::string many;
    for (int i = 0; i <= 15500; ++i) {
        many += "x;";
    }
    const auto result = Run({Text(many), "--delim", "59", "-o", Out()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("15500 leaves under its root"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(Out()));
}

struct UsageCase {
    std::vector<std::string> args;
    std::string message;
};

// Names the case by its arguments in test listings.
void PrintTo(const UsageCase& usage, std::ostream* out) {
    for (const auto& arg : usage.args) {
        *out << (&arg == &usage.args.front() ? "" : " ") << arg;
    }
}

class ImportTextUsageTest : public ImportTextCommandTest,
                            public testing::WithParamInterface<UsageCase> {};

TEST_P(ImportTextUsageTest, IsRefusedWithTheReason) {
    std::vector<std::string> args;
    for (const std::string& arg : GetParam().args) {
        args.push_back(arg == "OUT" ? Out() : arg);
    }
    const auto result = Run(args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(Out()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportTextUsageTest,
    testing::Values(
        UsageCase{{"-o", "OUT"}, "no text file given"},
        UsageCase{{"a.txt"}, "no output file given"},
        UsageCase{{"a.txt", "-o", "OUT", "--title-first", "0"},
                  "Number of characters must be greater than 0."},
        UsageCase{{"a.txt", "-o", "OUT", "--title-first", "256"},
                  "Number of characters is limited to 255, the maximum leaf title length."},
        UsageCase{{"a.txt", "-o", "OUT", "--title-first", "5x"}, "takes a whole number"},
        UsageCase{{"a.txt", "-o", "OUT", "--delim", ""}, "Delimiter String must have data."},
        UsageCase{{"a.txt", "-o", "OUT", "--delim", "13,,10"}, "character codes 0 to 255"},
        UsageCase{{"a.txt", "-o", "OUT", "--title-first", "3", "--title-default"}, "choose one of"},
        UsageCase{{"a.txt", "-o", "OUT", "--colour"}, "unknown option '--colour'"}));

}  // namespace
}  // namespace trovique
