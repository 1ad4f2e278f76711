#include "platform/OfficeLauncher.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/TempFolder.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

void WriteProgram(const fs::path& file, bool executable) {
    std::ofstream(file) << "#!/bin/sh\n";
    fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read);
}

struct LaunchCase {
    const char* name;
    const char* program;  // as called, in a folder holding the office's files below
    bool binary;          // soffice.bin beside it
    bool splash;          // oosplash beside it
    bool splashRuns;      // and it may be run
    bool direct;          // oosplash is started instead
};

class OfficeLauncherTest : public testing::TestWithParam<LaunchCase> {};

TEST_P(OfficeLauncherTest, StartsTheSplashDirectlyOnlyBesideARealOffice) {
    const LaunchCase& c = GetParam();
    CTempFolder folder("trovique-launch-");
    const fs::path program = folder.Path() / "program";
    fs::create_directories(program);
    WriteProgram(program / c.program, true);
    if (c.binary) {
        WriteProgram(program / "soffice.bin", true);
    }
    if (c.splash) {
        WriteProgram(program / "oosplash", c.splashRuns);
    }
    // Called through a link, as /usr/bin/soffice is.
    const fs::path link = folder.Path() / "soffice-link";
    fs::create_symlink(program / c.program, link);

    const OfficeLaunch launch = OfficeLaunchFor(link);
    if (c.direct) {
        EXPECT_EQ(launch.program, (fs::canonical(program) / "oosplash").string());
        EXPECT_EQ(launch.environment, std::vector<std::string>{"SAL_ENABLE_FILE_LOCKING=1"});
    } else {
        EXPECT_EQ(launch.program, link.string());
        EXPECT_TRUE(launch.environment.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Installations, OfficeLauncherTest,
    testing::Values(LaunchCase{"Office", "soffice", true, true, true, true},
                    LaunchCase{"NoSplash", "soffice", true, false, false, false},
                    LaunchCase{"SplashNotRunnable", "soffice", true, true, false, false},
                    LaunchCase{"NoOfficeBinary", "soffice", false, true, true, false},
                    LaunchCase{"AnotherProgram", "fake-office", true, true, true, false}),
    [](const testing::TestParamInfo<LaunchCase>& param) { return std::string(param.param.name); });

TEST(OfficeLauncherTest, AMissingProgramIsLeftToFailAsItself) {
    EXPECT_EQ(OfficeLaunchFor("/nonexistent/soffice").program, "/nonexistent/soffice");
}

}  // namespace
}  // namespace trovique
