#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/slideshowfile/SlideShowWriter.h"
#include "support/DocumentFixture.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

const std::string kRenamed = "may not have been renamed from its default.";

// Slide shows written by the program itself into a folder of the test's own.
class ValidateCommandTest : public testing::Test, public test::DocumentFixture {
protected:
    // A category "Planets" holding the given leaf titles (FACT leaves).
    fs::path WriteShow(const std::string& name, const std::vector<std::string>& leafTitles) {
        auto doc = NewDocument();
        const int root = doc->Tree().GetNodeInfoIndexOfRoot();
        if (!leafTitles.empty()) {
            doc->Tree().Select(root);
            const int category = doc->AddNode();
            doc->Tree().Entry(category).Node->SetTitle("Planets");
            for (const auto& title : leafTitles) {
                doc->Tree().Select(category);
                doc->Tree().Entry(doc->AddQAF()).Leaf->SetTitle(title);
            }
        }
        const fs::path path = scratch / name;
        EXPECT_TRUE(Save(*doc, path)) << Ui().MessageTexts().size();
        return path;
    }
    // Eight findings: eight leaves still titled as they were added.
    fs::path WriteEightFindings() {
        std::vector<std::string> titles;
        for (int i = 1; i <= 8; ++i) {
            titles.push_back("<FACT> " + std::to_string(i));
        }
        return WriteShow("eight.sdb", titles);
    }
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), "validate");
        return test::RunCli(args, {{"XDG_CONFIG_HOME", (scratch / "config").string()}});
    }

    test::ScratchDir scratch;
};

TEST_F(ValidateCommandTest, ValidSlideShowExitsZero) {
    const auto result = Run({WriteShow("good.sdb", {"Jupiter", "Saturn"}).string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "The Slide Show is valid.\n");
}

TEST_F(ValidateCommandTest, FindingsAreListedByItemAndExitOne) {
    const auto result = Run({WriteShow("new.sdb", {}).string()});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    // The item's reference (element index, ":" and path), its message indented below.
    EXPECT_NE(result.out.find(":\\New Slide Show\n  There must be at least one Slide in this "
                              "Database.\n"),
              std::string::npos)
        << result.out;
}

TEST_F(ValidateCommandTest, WarningsAreMarked) {
    const auto result = Run({WriteShow("fact.sdb", {"<FACT>"}).string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.out.find(":New Slide Show\\Planets\\<FACT>\n  warning: <FACT> " + kRenamed),
              std::string::npos)
        << result.out;
}

TEST_F(ValidateCommandTest, JsonReportsTheVerdict) {
    const auto result = Run({WriteShow("fact.sdb", {"<FACT>"}).string(), "--json"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out.rfind("{\"valid\": false, \"errors\": 0, \"warnings\": 1, ", 0), 0u)
        << result.out;
    const auto valid = Run({WriteShow("good.sdb", {"Mars"}).string(), "--json"});
    EXPECT_EQ(valid.exitCode, 0);
    EXPECT_EQ(valid.out.rfind("{\"valid\": true,", 0), 0u) << valid.out;
}

TEST_F(ValidateCommandTest, LimitFiveListsFiveAndTheStop) {
    const auto result = Run({WriteEightFindings().string(), "--limit", "5"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(Occurrences(result.out, kRenamed), 5u) << result.out;
    const std::string stop = "Validation stopped because error count has reached 5.\n";
    ASSERT_GE(result.out.size(), stop.size());
    EXPECT_EQ(result.out.substr(result.out.size() - stop.size()), stop);
}

TEST_F(ValidateCommandTest, LimitComesFromTheUsersSettingsUnlessGiven) {
    const fs::path show = WriteEightFindings();
    EXPECT_EQ(Occurrences(Run({show.string()}).out, kRenamed), 8u);
    ASSERT_EQ(test::RunCli({"settings", "set", "Settings", "ValidationLimitOn", "1"},
                           {{"XDG_CONFIG_HOME", (scratch / "config").string()}})
                  .exitCode,
              0);
    ASSERT_EQ(test::RunCli({"settings", "set", "Settings", "ValidationLimit", "3"},
                           {{"XDG_CONFIG_HOME", (scratch / "config").string()}})
                  .exitCode,
              0);
    const auto limited = Run({show.string()});
    EXPECT_EQ(Occurrences(limited.out, kRenamed), 3u) << limited.out;
    EXPECT_NE(limited.out.find("has reached 3."), std::string::npos);
    EXPECT_EQ(Occurrences(Run({show.string(), "--no-limit"}).out, kRenamed), 8u);
    EXPECT_EQ(Occurrences(Run({show.string(), "--limit=6"}).out, kRenamed), 6u);
}

TEST_F(ValidateCommandTest, UsageAndReadErrorsExitTwo) {
    const std::string show = WriteShow("good.sdb", {"Mars"}).string();
    const fs::path garbage = scratch / "garbage.sdb";
    test::WriteAllBytes(garbage, std::vector<unsigned char>(40, 0xAB));
    const std::vector<std::vector<std::string>> cases = {
        {},
        {show, show},
        {show, "--limit", "0"},
        {show, "--limit", "-2"},
        {show, "--limit", "abc"},
        {show, "--limit"},
        {show, "--limit", "3", "--no-limit"},
        {show, "--verbose"},
        {(scratch / "missing.sdb").string()},
        {garbage.string()},
    };
    for (const auto& args : cases) {
        const auto result = Run(args);
        std::string shown;
        for (const auto& arg : args) {
            shown += " " + arg;
        }
        EXPECT_EQ(result.exitCode, 2) << shown;
        EXPECT_FALSE(result.err.empty()) << shown;
        EXPECT_TRUE(result.out.empty()) << shown;
    }
}

}  // namespace
}  // namespace trovique
