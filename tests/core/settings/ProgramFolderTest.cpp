#include "core/settings/ProgramFolder.h"

#include <gtest/gtest.h>

#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

// The build tree and Windows keep the data beside the program; an installed program finds it in
// share/trovique beside its bin folder.
TEST(DataFolderForTest, BesideTheProgramFirstThenTheInstalledShareFolder) {
    test::ScratchDir root;
    const fs::path bin = root / "bin";
    const fs::path share = root / "share" / "trovique";
    fs::create_directories(bin);
    EXPECT_EQ(DataFolderFor(bin), bin) << "nothing anywhere: missing files are named beside it";
    fs::create_directories(share);
    EXPECT_EQ(DataFolderFor(bin), share);
    test::WriteAllBytes(bin / "Palm256Color.pal", {0});
    EXPECT_EQ(DataFolderFor(bin), bin);
}

}  // namespace
}  // namespace trovique
