#include "core/services/RegAPI.h"

#include <gtest/gtest.h>

#include "core/common/Error.h"
#include "core/services/MemorySettingsStore.h"

namespace trovique {
namespace {

struct PathCase {
    const char* base;
    const char* application;
    const char* section;
    const char* path;
};

class ComposeKeyPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(ComposeKeyPathTest, JoinsTheNonEmptyParts) {
    const auto& [base, application, section, path] = GetParam();
    EXPECT_EQ(CRegAPI::ComposeKeyPath(base, application, section), path);
}

INSTANTIATE_TEST_SUITE_P(Table, ComposeKeyPathTest,
                         testing::Values(PathCase{"Software\\U.S. Robotics", "Pilot Desktop",
                                                  "Core",
                                                  "Software\\U.S. Robotics\\Pilot Desktop\\Core"},
                                         PathCase{"", "App", "", "App"}, PathCase{"", "", "", ""},
                                         PathCase{"Base", "", "Section", "Base\\Section"},
                                         PathCase{"", "App", "Section", "App\\Section"},
                                         PathCase{"Base", "App", "", "Base\\App"}));

class CRegAPITest : public testing::Test {
protected:
    MemorySettingsStore store;
    CRegAPI reg{store};
};

TEST_F(CRegAPITest, ReadsThePalmDesktopFolderWhereItsInstallerPutsIt) {
    store.Set("HKEY_CURRENT_USER", "Software\\U.S. Robotics\\Pilot Desktop\\Core", "Path",
              "C:\\Palm");
    EXPECT_EQ(reg.GetSetting("Pilot Desktop", "Core", "Path", ""), "") << "wrong root, base";
    reg.SetRootKey(CRegAPI::kHKeyCurrentUser);
    reg.SetBasePath("Software\\U.S. Robotics");
    EXPECT_EQ(reg.GetSetting("Pilot Desktop", "Core", "Path", ""), "C:\\Palm");
}

TEST_F(CRegAPITest, RootsAreKeptApart) {
    reg.SetBasePath("");
    reg.SaveSetting("App", "S", "K", "machine");
    reg.SetRootKey(CRegAPI::kHKeyCurrentUser);
    EXPECT_EQ(reg.GetSetting("App", "S", "K", "none"), "none");
    reg.SaveSetting("App", "S", "K", "user");
    reg.SetRootKey(CRegAPI::kHKeyLocalMachine);
    EXPECT_EQ(reg.GetSetting("App", "S", "K", "none"), "machine");
    EXPECT_EQ(store.Get("HKEY_CURRENT_USER", "App\\S", "K"), "user");
}

TEST_F(CRegAPITest, AnUnknownRootIsRefusedAndTheOldOneKept) {
    reg.SetRootKey(CRegAPI::kHKeyCurrentUser);
    EXPECT_THROW(reg.SetRootKey(0x12345678), CError);
    EXPECT_EQ(reg.RootKey(), CRegAPI::kHKeyCurrentUser);
}

TEST_F(CRegAPITest, AnEmptyStoredValueGivesTheDefault) {
    reg.SaveSetting("App", "S", "K", "");
    EXPECT_EQ(reg.GetSetting("App", "S", "K", "default"), "default");
}

struct KindCase {
    const char* text;
    RegValue stored;
};

class SaveSettingKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(SaveSettingKindTest, TypeZeroStoresPlainNumbersAsNumbersAndReadsBackTheSameText) {
    MemorySettingsStore store;
    CRegAPI reg(store);
    reg.SaveSetting("App", "S", "K", GetParam().text);
    EXPECT_EQ(reg.QueryValue("App\\S", "K"), GetParam().stored);
    EXPECT_EQ(reg.GetSetting("App", "S", "K", "?"), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SaveSettingKindTest,
    testing::Values(KindCase{"12", std::uint32_t{12}}, KindCase{"0", std::uint32_t{0}},
                    KindCase{"4294967295", std::uint32_t{4294967295}},
                    KindCase{"4294967296", std::string("4294967296")},
                    KindCase{"-5", std::string("-5")}, KindCase{"007", std::string("007")},
                    KindCase{"12.5", std::string("12.5")}, KindCase{"12abc", std::string("12abc")},
                    KindCase{"C:\\x", std::string("C:\\x")}));

TEST_F(CRegAPITest, ExplicitTypesConvert) {
    reg.SaveSetting("App", "S", "text", "12", CRegAPI::kRegSz);
    reg.SaveSetting("App", "S", "number", "12abc", CRegAPI::kRegDword);
    reg.SaveSetting("App", "S", "negative", "-3", CRegAPI::kRegDword);
    reg.SaveSetting("App", "S", "bytes", "AB", CRegAPI::kRegBinary);
    reg.SetKeyValue("App\\S", "dword bytes", std::uint32_t{0x01020304}, CRegAPI::kRegBinary);
    reg.SetKeyValue("App\\S", "kept", std::vector<std::uint8_t>{1, 2});
    EXPECT_EQ(reg.QueryValue("App\\S", "text"), RegValue(std::string("12")));
    EXPECT_EQ(reg.QueryValue("App\\S", "number"), RegValue(std::uint32_t{12}));
    EXPECT_EQ(reg.QueryValue("App\\S", "negative"), RegValue(std::uint32_t{0}));
    EXPECT_EQ(reg.QueryValue("App\\S", "bytes"), RegValue(std::vector<std::uint8_t>{'A', 'B'}));
    EXPECT_EQ(reg.QueryValue("App\\S", "dword bytes"),
              RegValue(std::vector<std::uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ(reg.QueryValue("App\\S", "kept"), RegValue(std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(reg.QueryValue("App\\S", "missing"), RegValue());
}

TEST_F(CRegAPITest, AnUnknownTypeWritesNothing) {
    EXPECT_THROW(reg.SaveSetting("App", "S", "K", "x", 99), CError);
    EXPECT_EQ(store.ValueCount(), 0u);
}

TEST_F(CRegAPITest, KeyPathsOfQueryAndSetFollowTheBasePath) {
    reg.SetKeyValue("App\\S", "K", std::string("v"));
    EXPECT_EQ(store.Get("HKEY_LOCAL_MACHINE",
                        "Software\\Norvane Inc.\\Norvane Trovique 2000\\2.3\\App\\S", "K"),
              "v");
    EXPECT_EQ(reg.GetSetting("App", "S", "K", ""), "v");
}

TEST_F(CRegAPITest, EnumeratesValuesAndSubKeysAndDeletes) {
    reg.SetBasePath("");
    reg.SaveSetting("App", "S", "a", "1");
    reg.SaveSetting("App", "S", "b", "two");
    reg.SaveSetting("App", "S\\Child", "c", "3");
    reg.CreateKey("App\\S\\Empty");
    EXPECT_EQ(reg.GetAllSettings("App", "S"),
              (std::vector<std::pair<std::string, std::string>>{{"a", "1"}, {"b", "two"}}));
    EXPECT_EQ(reg.GetAllKeys("App", "S"), (std::vector<std::string>{"Child", "Empty"}));
    reg.DeleteSetting("App", "S", "a");
    EXPECT_EQ(reg.GetSetting("App", "S", "a", "gone"), "gone");
    reg.DeleteSetting("App", "S", "");
    EXPECT_TRUE(reg.GetAllKeys("App", "S").empty());
    EXPECT_EQ(store.ValueCount(), 0u);
}

}  // namespace
}  // namespace trovique
