#include "core/delivery/PathOps.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

struct SplitCase {
    std::string path;
    std::string folder;
    std::string fileName;
    std::string baseName;
};

TEST(PathOpsTest, SplitsPathsAtTheLastSeparator) {
    const SplitCase cases[] = {
        {"/home/ann/Talk.ppt", "/home/ann/", "Talk.ppt", "Talk"},
        {"Talk.ppt", "", "Talk.ppt", "Talk"},
        {"/home/ann/", "/home/ann/", "", ""},
        {"/dotted.folder/Quarter.2.ppt", "/dotted.folder/", "Quarter.2.ppt", "Quarter.2"},
        {"/dotted.folder/README", "/dotted.folder/", "README", "README"},
        {"/x/.hidden", "/x/", ".hidden", ""},
        {"/x/ends in dot.", "/x/", "ends in dot.", "ends in dot"},
        {"/Talk.ppt", "/", "Talk.ppt", "Talk"},
        {"", "", "", ""},
#if !defined(_WIN32)
        // A backslash is an ordinary character of a file name here.
        {"/in/C:\\Talk.ppt", "/in/", "C:\\Talk.ppt", "C:\\Talk"},
#else
        {"C:\\Slides\\Talk.ppt", "C:\\Slides\\", "Talk.ppt", "Talk"},
        {"C:\\Slides/Talk.ppt", "C:\\Slides/", "Talk.ppt", "Talk"},
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PathFolder(c.path), c.folder) << c.path;
        EXPECT_EQ(PathFileName(c.path), c.fileName) << c.path;
        EXPECT_EQ(PathBaseName(c.path), c.baseName) << c.path;
        EXPECT_EQ(PathFolder(c.path) + PathFileName(c.path), c.path) << "nothing is lost";
    }
}

TEST(PathOpsTest, TextHelpers) {
    const std::string sep(1, static_cast<char>(fs::path::preferred_separator));
    EXPECT_EQ(EnsureTrailingBackslash("/tmp"), "/tmp" + sep);
    EXPECT_EQ(EnsureTrailingBackslash("/tmp/"), "/tmp/");
    EXPECT_EQ(EnsureTrailingBackslash(""), "") << "an unknown folder must not become the root";

    EXPECT_EQ(TrimAtNul(std::string("C:\\TEMP\\\0\0garbage", 17)), "C:\\TEMP\\");
    EXPECT_EQ(TrimAtNul("no nul"), "no nul");
    EXPECT_EQ(TrimAtNul(std::string(3, '\0')), "");

    EXPECT_TRUE(SamePathText("/a/TROVIQUE.PRC", "/a/TROVIQUE.PRC"));
    EXPECT_FALSE(SamePathText("/a/TROVIQUE.PRC", "/b/TROVIQUE.PRC"));
#if defined(_WIN32)
    EXPECT_TRUE(SamePathText("C:\\A\\Trovique.prc", "c:\\a\\TROVIQUE.PRC"));
#else
    EXPECT_FALSE(SamePathText("/a/Trovique.prc", "/a/TROVIQUE.PRC"));
#endif
}

TEST(PathOpsTest, FileExistsOnlyForOrdinaryFiles) {
    const test::ScratchDir scratch;
    test::WriteAllBytes(scratch / "file", {'x'});
    fs::create_directory(scratch / "folder");
    fs::create_symlink(scratch / "file", scratch / "link");
    fs::create_symlink(scratch / "gone", scratch / "dangling");
    const std::pair<std::string, bool> cases[] = {
        {(scratch / "file").string(), true},
        {(scratch / "link").string(), true},
        {(scratch / "folder").string(), false},
        {(scratch / "dangling").string(), false},
        {(scratch / "missing").string(), false},
        {(scratch / "file" / "below").string(), false},
        {"", false},
    };
    for (const auto& [path, exists] : cases) {
        EXPECT_EQ(FileExists(path), exists) << path;
    }
}

}  // namespace
}  // namespace trovique
