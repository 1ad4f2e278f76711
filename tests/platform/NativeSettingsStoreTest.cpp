#include "platform/NativeSettingsStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/common/Error.h"
#include "core/settings/Application.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

// QSettings reads XDG_CONFIG_HOME once per process, so every test of this program shares one
// temporary config folder and keeps apart by using an application name of its own.
const fs::path& ConfigHome() {
    static const test::ScratchDir folder;
    static const bool set = ::setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1) == 0;
    EXPECT_TRUE(set);
    return folder.Path();
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class NativeSettingsStoreTest : public testing::Test {
protected:
    void SetUp() override {
        application = testing::UnitTest::GetInstance()->current_test_info()->name();
        file = ConfigHome() / "Norvane" / (application + ".conf");
        // Never let a test write into the real user's settings.
        ASSERT_EQ(store.Location(application), file.string());
    }

    NativeSettingsStore store;
    std::string application;
    fs::path file;
};

struct RoundTripCase {
    const char* key;
    std::string value;
};

const RoundTripCase kRoundTrips[] = {
    {"Plain", "/home/ann/Slide Shows/"},
    {"Key With Spaces", "a, b, c"},
    {"Delim1", "13,10,13,10"},
    {"Quotes", "say \"hi\" 'there'"},
    {"Semicolon;Hash#Equals=", "x;y#z=w"},
    {"Back\\slash", "C:\\Program Files\\Palm\\"},
    {"Forward/slash", "a/b"},
    {"Percent%25", "100%"},
    {"%", "the key is a lone percent sign"},
    {"", "default value"},
    {"Lines", "one\r\ntwo\nthree"},
    {"Blanks", "  padded  "},
    {"At", "@ByteArray(not bytes)"},
    {"Bool", "true"},
    {"Empty", ""},
    {"Caf\xC3\xA9", "\xE2\x82\xAC 5"},
    {"[Section]", "[x]"},
};

TEST_F(NativeSettingsStoreTest, KeysAndValuesSurviveARoundTrip) {
    for (const auto& [key, value] : kRoundTrips) {
        store.Set(application, "Settings", key, value);
    }
    const NativeSettingsStore fresh;
    for (const auto& [key, value] : kRoundTrips) {
        EXPECT_EQ(fresh.Get(application, "Settings", key), value) << "key '" << key << "'";
    }
    EXPECT_EQ(fresh.Values(application, "Settings").size(), std::size(kRoundTrips));
    for (const auto& [key, value] : fresh.Values(application, "Settings")) {
        EXPECT_EQ(fresh.Get(application, "Settings", key), value) << "listed as '" << key << "'";
    }
    EXPECT_TRUE(fs::is_regular_file(file));
}

TEST_F(NativeSettingsStoreTest, TheFileIsAPlainIniFileOneGroupPerSection) {
    store.Set(application, "Settings", "LastPath", "/x/");
    store.Set(application, "Recent Files", "1", "/a.sdb");
    const std::string text = ReadText(file);
    EXPECT_NE(text.find("[Settings]\nLastPath=/x/\n"), std::string::npos) << text;
    EXPECT_NE(text.find("1=/a.sdb"), std::string::npos) << text;
}

TEST_F(NativeSettingsStoreTest, HandWrittenValuesWithBareCommasReadAsOneText) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "[ImportUnstructured]\nDelim1=13,10,13,10\nDelimCount=1\n";
    EXPECT_EQ(store.Get(application, "ImportUnstructured", "Delim1"), "13,10,13,10");
    EXPECT_EQ(store.Get(application, "ImportUnstructured", "DelimCount"), "1");
}

TEST_F(NativeSettingsStoreTest, SectionPathsAreNestedGroups) {
    store.Set(application, "Software\\Palm\\Core", "Path", "/opt/palm");
    store.Set(application, "Software\\Palm", "Version", "4");
    store.Set(application, "Software\\Other", "k", "v");
    store.Set(application, "SoftwareX", "k", "v");
    EXPECT_EQ(store.Get(application, "Software\\Palm\\Core", "Path"), "/opt/palm");
    EXPECT_EQ(store.SubKeys(application, "Software"), (std::vector<std::string>{"Other", "Palm"}));
    EXPECT_EQ(store.Values(application, "Software\\Palm"),
              (std::vector<std::pair<std::string, std::string>>{{"Version", "4"}}));

    store.Delete(application, "Software\\Palm", "Version");
    EXPECT_FALSE(store.Get(application, "Software\\Palm", "Version"));
    EXPECT_EQ(store.Get(application, "Software\\Palm\\Core", "Path"), "/opt/palm");
    store.Delete(application, "Software", "");
    EXPECT_FALSE(store.Get(application, "Software\\Palm\\Core", "Path"));
    EXPECT_FALSE(store.Get(application, "Software\\Other", "k"));
    EXPECT_EQ(store.Get(application, "SoftwareX", "k"), "v");
}

TEST_F(NativeSettingsStoreTest, BytesKeepTheirKindNumbersReadAsText) {
    const std::vector<std::uint8_t> bytes{0, 1, 0xFF, ',', '"'};
    store.SetValue(application, "S", "bytes", bytes);
    store.SetValue(application, "S", "number", std::uint32_t{4000000000});
    EXPECT_EQ(store.GetValue(application, "S", "bytes"), SettingValue(bytes));
    EXPECT_EQ(store.Get(application, "S", "number"), "4000000000");
}

TEST_F(NativeSettingsStoreTest, ADamagedFileIsKeptBeforeItIsRewritten) {
    fs::create_directories(file.parent_path());
    const std::string damaged = "k\"=v\n[Settings]\nMine=kept by hand\n";
    std::ofstream(file) << damaged;
    store.Set(application, "Settings", "LastPath", "/x/");
    EXPECT_EQ(store.Get(application, "Settings", "LastPath"), "/x/");
    EXPECT_EQ(ReadText(file.string() + ".damaged"), damaged);
}

TEST_F(NativeSettingsStoreTest, AWriteThatCannotBeSavedRaisesNamingTheFile) {
    fs::create_directories(file);  // a folder where the file should be
    try {
        store.Set(application, "Settings", "LastPath", "/x/");
        FAIL() << "the write was reported as done";
    } catch (const CError& error) {
        EXPECT_NE(error.Description().find(file.string()), std::string::npos)
            << error.Description();
    }
}

TEST_F(NativeSettingsStoreTest, TheApplicationWritesItsFirstStartDefaultsOnce) {
    { const CApplication first(store, test::BinDir()); }
    const std::string programFile = NativeSettingsStore().Location("Norvane Trovique");
    ASSERT_EQ(fs::path(programFile).parent_path(), ConfigHome() / "Norvane");
    const std::string afterFirst = ReadText(programFile);
    EXPECT_NE(afterFirst.find("Delim1=\"13,10,13,10\""), std::string::npos) << afterFirst;
    EXPECT_NE(afterFirst.find("DelimCount=2"), std::string::npos) << afterFirst;
    const CApplication second(store, test::BinDir());
    EXPECT_EQ(ReadText(programFile), afterFirst);
}

}  // namespace
}  // namespace trovique
