#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

constexpr char kSep = static_cast<char>(fs::path::preferred_separator);

// Each test keeps its settings in a config folder of its own, never the user's.
class SettingsCommandTest : public testing::Test {
protected:
    test::CliResult Run(const std::vector<std::string>& args) {
        return test::RunCli(args, {{"XDG_CONFIG_HOME", config.Path().string()}});
    }
    fs::path SettingsFile() const { return config / "Norvane" / "Norvane Trovique.conf"; }
    static bool Lists(const test::CliResult& result, const std::string& line) {
        return result.out.find(line + "\n") != std::string::npos;
    }

    test::ScratchDir config;
};

TEST_F(SettingsCommandTest, ListsDefaultsAndTheDelimitersAFirstStartStores) {
    const auto result = Run({"settings"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string data = test::BinDir().string() + kSep + "DATA" + kSep;
    EXPECT_TRUE(Lists(result, "Settings\tLastPath\t" + data + "\tdefault")) << result.out;
    EXPECT_TRUE(Lists(result, "Settings\tValidationLimit\t100\tdefault")) << result.out;
    EXPECT_TRUE(Lists(result, "ImportUnstructured\tDelim1\t13,10,13,10\tstored")) << result.out;
    EXPECT_TRUE(Lists(result, "ImportUnstructured\tDelim2\t13,10,9\tstored")) << result.out;
    EXPECT_TRUE(Lists(result, "Recent Files\t1\t\tdefault")) << result.out;
    EXPECT_TRUE(fs::is_regular_file(SettingsFile()));
}

TEST_F(SettingsCommandTest, SetStoresAValueTheNextRunUses) {
    ASSERT_EQ(Run({"settings", "set", "settings", "lastpath", "/srv/shows"}).exitCode, 0);
    ASSERT_EQ(Run({"settings", "set", "Recent Files", "1", "/a b/\"c\", d.sdb"}).exitCode, 0);
    ASSERT_EQ(Run({"settings", "set", "Settings", "ValidationLimitOn", "0"}).exitCode, 0);
    const auto result = Run({"settings"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(Lists(result, std::string("Settings\tLastPath\t/srv/shows") + kSep + "\tstored"))
        << result.out;
    EXPECT_TRUE(
        Lists(result, std::string("Settings\tLastGraphicsPath\t/srv/shows") + kSep + "\tdefault"))
        << result.out;
    EXPECT_TRUE(Lists(result, "Settings\tValidationLimitOn\t0\tstored")) << result.out;
    EXPECT_TRUE(Lists(result, "Recent Files\t1\t/a b/\"c\", d.sdb\tstored")) << result.out;
}

// A limit stored before its switch changes nothing: the user is told which key to store as well,
// and the listing shows the stored text beside the default in use until then.
TEST_F(SettingsCommandTest, ALimitThatTakesNoEffectIsToldAndListedApart) {
    const auto set = Run({"settings", "set", "Settings", "ValidationLimit", "7"});
    EXPECT_EQ(set.exitCode, 0);
    EXPECT_NE(set.err.find("warning: Settings ValidationLimit is stored but not in effect"),
              std::string::npos)
        << set.err;
    EXPECT_NE(set.err.find("\"ValidationLimitOn\""), std::string::npos) << set.err;
    EXPECT_TRUE(Lists(Run({"settings"}), "Settings\tValidationLimit\t100\tignored\t7"));

    const auto on = Run({"settings", "set", "Settings", "ValidationLimitOn", "1"});
    EXPECT_EQ(on.exitCode, 0);
    EXPECT_EQ(on.err, "");
    EXPECT_TRUE(Lists(Run({"settings"}), "Settings\tValidationLimit\t7\tstored"));
}

TEST_F(SettingsCommandTest, ControlCharactersStayOnTheirLine) {
    ASSERT_EQ(Run({"settings", "set", "NoShowAgain", "Odd", "a\tb\nc"}).exitCode, 0);
    EXPECT_TRUE(Lists(Run({"settings"}), "NoShowAgain\tOdd\ta\\x09b\\x0Ac\tstored"));
}

TEST_F(SettingsCommandTest, BadUsageIsRefusedAndStoresNothing) {
    const std::vector<std::vector<std::string>> refused = {
        {"settings", "set", "Colours", "Background", "blue"},
        {"settings", "set", "Settings", "", "x"},
        {"settings", "set", "Settings", "LastPath"},
        {"settings", "unset", "Settings", "LastPath"},
    };
    for (const auto& args : refused) {
        const auto result = Run(args);
        EXPECT_EQ(result.exitCode, 2) << args[2];
        EXPECT_FALSE(result.err.empty()) << args[2];
    }
    EXPECT_NE(Run(refused.front()).err.find("unknown section 'Colours'"), std::string::npos);
    EXPECT_FALSE(fs::exists(SettingsFile()));
}

TEST_F(SettingsCommandTest, AFailedWriteIsReportedAsAFailure) {
    fs::create_directories(SettingsFile());  // a folder where the file should be
    const auto result = Run({"settings", "set", "Settings", "LastPath", "/x"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(SettingsFile().string()), std::string::npos) << result.err;
}

TEST_F(SettingsCommandTest, AMissingPaletteEndsTheRunNamingTheFile) {
    // A copy of the program without the palettes beside it.
    test::ScratchDir program;
    for (const std::string& file : test::CliProgramFiles()) {
        fs::copy_file(test::BinDir() / file, program / file);
    }
    fs::copy_file(test::BinDir() / "Palm256Color.pal", program / "Palm256Color.pal");
    const std::string command = "XDG_CONFIG_HOME='" + config.Path().string() + "' '" +
                                (program / "trovique-cli").string() + "' settings >/dev/null 2>'" +
                                (program / "err").string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream in(program / "err");
    std::stringstream err;
    err << in.rdbuf();
    EXPECT_NE(err.str().find("PalmMonochrome.pal"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace trovique
