#include "platform/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

// A process number that no longer runs: a child that has ended and been reaped.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(TempFolderTest, RemovesOnlyFoldersWhoseMakerIsGone) {
    const test::ScratchDir scratch;
    const char* old = std::getenv("TMPDIR");
    const std::string restore = old != nullptr ? old : "";
    ::setenv("TMPDIR", scratch.Path().c_str(), 1);
    const std::string dead = std::to_string(EndedProcess());
    const std::string alive = std::to_string(::getpid());
    for (const std::string& name :
         {"x-" + dead + "-abcdef", "x-" + alive + "-abcdef", "x-" + dead + "-abc",
          "y-" + dead + "-abcdef", "x-" + dead + "-ghijkl"}) {
        fs::create_directories(scratch / name / "inner");
    }
    test::WriteAllBytes(scratch / ("x-" + dead + "-ghijkl") / "inner" / "file", {'a'});
    {
        const CTempFolder mine("x-");
        EXPECT_EQ(mine.Path().filename().string().rfind("x-" + alive + "-", 0), 0u);
        EXPECT_EQ(CTempFolder::RemoveAbandoned("x-"), 2u);
        EXPECT_TRUE(fs::exists(mine.Path()));
    }
    for (const auto& [name, kept] : std::vector<std::pair<std::string, bool>>{
             {"x-" + dead + "-abcdef", false},
             {"x-" + dead + "-ghijkl", false},
             {"x-" + alive + "-abcdef", true},
             {"x-" + dead + "-abc", true},  // not a name this program makes
             {"y-" + dead + "-abcdef", true}}) {
        EXPECT_EQ(fs::exists(scratch / name), kept) << name;
    }
    if (restore.empty()) {
        ::unsetenv("TMPDIR");
    } else {
        ::setenv("TMPDIR", restore.c_str(), 1);
    }
}

}  // namespace
}  // namespace trovique
