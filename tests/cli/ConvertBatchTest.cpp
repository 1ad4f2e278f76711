#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

// Many presentations in one run: one database each, a summary, and a failure that stays alone.
class ConvertBatchTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(out.Path());
        fs::create_directories(scratch / "tmp");
    }
    test::CliResult Convert(std::vector<std::string> args,
                            std::map<std::string, std::string> env = {}) {
        args.insert(args.begin(), "convert");
        env.emplace("XDG_CONFIG_HOME", (scratch / "config").string());
        env.emplace("XDG_CACHE_HOME", (scratch / "cache").string());
        env.emplace("TMPDIR", (scratch / "tmp").string());
        return test::RunCli(args, env);
    }
    fs::path Noise(const std::string& name, const std::string& mark = {}) {
        std::vector<unsigned char> bytes(mark.begin(), mark.end());
        for (std::size_t i = 0; i < 4096; ++i) {
            bytes.push_back(static_cast<unsigned char>((i * 7919 + 13) % 251));
        }
        test::WriteAllBytes(scratch / name, bytes);
        return scratch / name;
    }
    std::vector<std::string> Outputs() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(out.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    bool TemporaryFilesGone() const {
        for (const auto& entry : fs::directory_iterator(scratch / "tmp")) {
            if (entry.path().filename().string().rfind("trovique-", 0) == 0) {
                return false;
            }
        }
        return true;
    }

    test::ScratchDir scratch;
    test::ScratchDir out;
};

TEST_F(ConvertBatchTest, ADamagedPresentationInTheMiddleFailsAlone) {
    if (!test::OfficeInstalled()) {
        GTEST_SKIP() << "soffice is not on the PATH";
    }
    // The office finds the .ppt damaged; the .odp is read, and found damaged, here.
    const auto result =
        Convert({(test::DecksDir() / "test.pptx").string(), Noise("damaged.ppt").string(),
                 Noise("broken.odp").string(), (test::DecksDir() / "SampleShow.ppt").string(),
                 "--out-dir", out.Path().string()});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"SampleShow.pdb", "test.pdb"}));
    // The largest presentation is converted first.
    EXPECT_EQ(result.out, (out / "SampleShow.pdb").string() + ": 2 slides\n" +
                              (out / "test.pdb").string() + ": 1 slide\n");
    EXPECT_NE(result.err.find("Converted 2 of 4 presentations; 2 failed:\n  " +
                              (scratch / "damaged.ppt").string() +
                              ": ImportFromPowerPoint error: LibreOffice could not read"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find((scratch / "broken.odp").string() +
                              ": ImportFromPowerPoint error: The presentation is damaged: the "
                              "file is not well-formed XML"),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(TemporaryFilesGone());
}

// A stand-in for the office that follows the routine's job list: it runs job for each
// presentation ($dir its folder, $name the presentation's name in it, $i its number), noting
// each start in "runs". Returns the folder to put on the PATH.
fs::path StandInOffice(const fs::path& scratch, const std::string& job) {
    const fs::path bin = scratch / "bin";
    fs::create_directories(bin);
    {
        std::ofstream script(bin / "soffice");
        script << "#!/bin/sh\nruns='" << (scratch / "runs").string() << "'\n"
               << R"SH(for a in "$@"; do case "$a" in macro:*) macro="$a";; esac; done
list=$(printf '%s' "$macro" | sed -n 's|.*ConvertMany("file://\([^"]*\)",.*|\1|p')
first=$(printf '%s' "$macro" | sed -n 's|.*","\([0-9]*\)")$|\1|p')
echo "run from $first" >> "$runs"
i=0
while IFS='|' read -r folder name want; do
    if [ "$i" -ge "$first" ]; then
        dir=${folder#file://}
)SH" << job << R"SH(
    fi
    i=$((i + 1))
done < "$list"
)SH";
    }
    ::chmod((bin / "soffice").c_str(), 0755);
    return bin;
}

std::string ReadText(const fs::path& file) {
    const auto bytes = test::ReadAllBytes(file);
    return {bytes.begin(), bytes.end()};
}

// It hangs on a presentation holding "HANG" and says it failed on every other.
TEST_F(ConvertBatchTest, AnOfficeThatHangsIsKilledAfterItsTimeAndTheRestGoOn) {
    const fs::path bin = StandInOffice(scratch.Path(), R"SH(
        if grep -q HANG "$dir/$name"; then sleep 60; fi
        echo "stand-in $i" > "$dir/failed.txt")SH");
    ASSERT_EQ(test::RunCli({"settings", "set", "Settings", "ImportTimeoutSeconds", "2"},
                           {{"XDG_CONFIG_HOME", (scratch / "config").string()}})
                  .exitCode,
              0);
    // Of one size, so that they are converted in the order given.
    const auto result = Convert({Noise("a.ppt", "PASS").string(), Noise("b.ppt", "HANG").string(),
                                 Noise("c.ppt", "PASS").string(), "--out-dir", out.Path().string()},
                                {{"PATH", bin.string() + ":" + std::getenv("PATH")}});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Outputs().empty());
    for (const auto& expected :
         {"a.ppt: ImportFromPowerPoint error: LibreOffice could not read the presentation; it may "
          "be damaged or protected by a password (stand-in 0)",
          "b.ppt: ImportFromPowerPoint error: LibreOffice did not finish reading the "
          "presentation within 2 seconds.",
          "c.ppt: ImportFromPowerPoint error: LibreOffice could not read the presentation; it may "
          "be damaged or protected by a password (stand-in 2)"}) {
        EXPECT_NE(result.err.find(expected), std::string::npos) << result.err;
    }
    // One office for a and b, a fresh one for c after b hung.
    EXPECT_EQ(ReadText(scratch / "runs"), "run from 0\nrun from 2\n");
    EXPECT_TRUE(TemporaryFilesGone());
}

// The reader of a presentation has all it needs once the last part of the PDF is written; the
// office closes the presentation after that and only then says it is done. Taking the folder
// away before then lost the office's last word, and the run went on as if the office still
// worked on that presentation: it started a second office on the ones after it.
TEST_F(ConvertBatchTest, AFolderStaysUntilTheOfficeIsDoneWithIt) {
    const fs::path bin = StandInOffice(scratch.Path(), R"SH(
        echo 1 > "$dir/loaded.txt"
        printf '%%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 400 300]>>endobj\ntrailer<</Root 1 0 R>>\n%%%%EOF\n' > "$dir/slides-1.pdf"
        echo 1 > "$dir/slides-1.txt"
        sleep 1
        if [ -d "$dir" ]; then echo done > "$dir/done.txt"; else echo "lost $i" >> "$runs"; fi)SH");
    std::vector<std::string> args;
    for (const char* name : {"a", "b", "c"}) {
        fs::copy_file(test::DecksDir() / "test.pptx", scratch / (std::string(name) + ".pptx"));
        args.push_back((scratch / (std::string(name) + ".pptx")).string());
    }
    args.insert(args.end(), {"--out-dir", out.Path().string()});
    const auto result = Convert(args, {{"PATH", bin.string() + ":" + std::getenv("PATH")}});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"a.pdb", "b.pdb", "c.pdb"}));
    EXPECT_EQ(ReadText(scratch / "runs"), "run from 0\n");
    EXPECT_TRUE(TemporaryFilesGone());
}

TEST_F(ConvertBatchTest, RefusesTwoPresentationsForOneDatabase) {
    fs::create_directories(scratch / "x");
    const fs::path a = Noise("deck.odp");
    test::WriteAllBytes(scratch / "x" / "deck.ppt", {'x'});
    const auto result = Convert(
        {a.string(), (scratch / "x" / "deck.ppt").string(), "--out-dir", out.Path().string()});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("two presentations would be written to"), std::string::npos)
        << result.err;
    EXPECT_TRUE(Outputs().empty());
}

}  // namespace
}  // namespace trovique
