#include "core/settings/EffectiveSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/services/ApplicationTitle.h"
#include "core/services/MemorySettingsStore.h"
#include "core/settings/Application.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

class EffectiveSettingsTest : public testing::Test {
protected:
    void Store(const char* section, const std::string& key, const std::string& value) {
        store.Set(std::string(kApplicationTitle), section, key, value);
    }
    // "section/key" -> (value, stored)
    std::map<std::string, std::pair<std::string, bool>> List() {
        const CApplication app(store, test::BinDir());
        std::map<std::string, std::pair<std::string, bool>> listing;
        for (const auto& s : EffectiveSettings(app)) {
            EXPECT_TRUE(
                listing.emplace(s.section + "/" + s.key, std::pair(s.value, s.stored)).second)
                << "listed twice: " << s.section << "/" << s.key;
        }
        return listing;
    }

    MemorySettingsStore store;
};

TEST_F(EffectiveSettingsTest, ShowsTheValuesInUseAndWhereTheyCameFrom) {
    Store("Settings", "LastPath", "/data");
    Store("Settings", "ValidationLimitOn", "1");
    Store("Settings", "ValidationLimit", "0");  // refused: the default stays in use
    Store("Settings", "MWH", "");
    Store("Settings", "Colour", "blue");  // not the program's, still shown
    Store("Recent Files", "2", "/a.sdb");
    Store("ImportUnstructured", "DelimCount", "3");
    auto listing = List();
    const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
    EXPECT_EQ(listing["Settings/LastPath"], std::pair("/data" + sep, true));
    EXPECT_EQ(listing["Settings/LastExportPath"], std::pair("/data" + sep, false));
    EXPECT_EQ(listing["Settings/ValidationLimitOn"], std::pair(std::string("1"), true));
    EXPECT_EQ(listing["Settings/ValidationLimit"], std::pair(std::string("100"), false));
    EXPECT_EQ(listing["Settings/MWH"], std::pair(std::string("0"), false));
    EXPECT_EQ(listing["Settings/MaxInstAppWaitSeconds"], std::pair(std::string("180"), false));
    EXPECT_EQ(listing["Settings/BulletChar"], std::pair(std::string("149"), false));
    EXPECT_EQ(listing["Settings/MainWidth"], std::pair(std::string(), false));
    EXPECT_EQ(listing["Settings/Colour"], std::pair(std::string("blue"), true));
    EXPECT_EQ(listing["Recent Files/2"], std::pair(std::string("/a.sdb"), true));
    EXPECT_EQ(listing["Recent Files/1"], std::pair(std::string(), false));
    EXPECT_EQ(listing["ImportUnstructured/Delim3"], std::pair(std::string(), false));
    EXPECT_EQ(listing["ImportUnstructured/ShowDialogOnImport"], std::pair(std::string("1"), false));
    EXPECT_EQ(listing.count("NoShowAgain/DeleteNode"), 1u);
}

TEST_F(EffectiveSettingsTest, ShowsTheInstallMethodInUse) {
    Store("Settings", "InstallFolder", "/media/inbox");
    auto listing = List();
    // Chosen because a folder is set; the method itself was never stored.
    EXPECT_EQ(listing["Settings/InstallMethod"], std::pair(std::string("InstallFolder"), false));
    EXPECT_EQ(listing["Settings/InstallFolder"], std::pair(std::string("/media/inbox"), true));
    EXPECT_EQ(listing["Settings/PilotPort"], std::pair(std::string("usb:"), false));
    Store("Settings", "InstallMethod", "Floppy");  // shown as stored, for the user to correct
    EXPECT_EQ(List()["Settings/InstallMethod"], std::pair(std::string("Floppy"), true));
    Store("Settings", "InstallMethod", "pilotxfer");
    EXPECT_EQ(List()["Settings/InstallMethod"], std::pair(std::string("PilotXfer"), true));
    EXPECT_EQ(KnownKey("Settings", "installmethod"), "InstallMethod");
}

// A stored limit is read only under conditions; when they fail, the listing keeps the stored text
// apart from the value in effect and says what is missing.
TEST_F(EffectiveSettingsTest, AStoredLimitOutOfEffectIsToldApartFromTheValueInUse) {
    struct Case {
        const char* limitOn;  // empty: never stored
        const char* limit;
        std::string value;
        bool stored;
        const char* reasonNames;  // empty: in effect
    };
    const Case cases[] = {
        {"", "7", "100", false, "\"ValidationLimitOn\" is stored"},
        {"1", "7", "7", true, ""},
        {"1", "0", "100", false, "above 0"},
        {"0", "x", "100", false, "above 0"},
        {"", "", "100", false, ""},
    };
    for (const Case& c : cases) {
        store = MemorySettingsStore();
        if (*c.limitOn != '\0') {
            Store("Settings", "ValidationLimitOn", c.limitOn);
        }
        Store("Settings", "ValidationLimit", c.limit);
        const CApplication app(store, test::BinDir());
        const auto listing = EffectiveSettings(app);
        const EffectiveSetting* limit = FindSetting(listing, "Settings", "ValidationLimit");
        ASSERT_NE(limit, nullptr);
        SCOPED_TRACE(std::string(c.limitOn) + "/" + c.limit);
        EXPECT_EQ(limit->value, c.value);
        EXPECT_EQ(limit->stored, c.stored);
        EXPECT_EQ(limit->Ignored(), *c.reasonNames != '\0');
        if (limit->Ignored()) {
            EXPECT_EQ(limit->ignoredText, c.limit);
            EXPECT_NE(limit->ignoredReason.find(c.reasonNames), std::string::npos)
                << limit->ignoredReason;
        }
    }
}

TEST_F(EffectiveSettingsTest, AnAbsurdDelimiterCountDoesNotFloodTheListing) {
    Store("ImportUnstructured", "DelimCount", "100000000");
    EXPECT_LT(List().size(), 200u);
}

TEST(KnownNamesTest, SectionsAndKeysMatchWithoutRegardToCase) {
    EXPECT_EQ(KnownSection("settings"), "Settings");
    EXPECT_EQ(KnownSection("RECENT FILES"), "Recent Files");
    EXPECT_EQ(KnownSection("noshowagain"), "NoShowAgain");
    EXPECT_EQ(KnownSection("importunstructured"), "ImportUnstructured");
    EXPECT_EQ(KnownSection("Setting"), "");
    EXPECT_EQ(KnownSection(""), "");
    EXPECT_EQ(KnownKey("Settings", "lastpath"), "LastPath");
    EXPECT_EQ(KnownKey("Settings", "mainwidth"), "MainWidth");
    EXPECT_EQ(KnownKey("Settings", "importtimeoutseconds"), "ImportTimeoutSeconds");
    EXPECT_EQ(KnownKey("ImportUnstructured", "delimcount"), "DelimCount");
    EXPECT_EQ(KnownKey("ImportUnstructured", "DELIM12"), "Delim12");
    EXPECT_EQ(KnownKey("ImportUnstructured", "delimx"), "delimx");
    EXPECT_EQ(KnownKey("NoShowAgain", "deletenode"), "DeleteNode");
    EXPECT_EQ(KnownKey("Settings", "MyOwnKey"), "MyOwnKey");
    EXPECT_EQ(KnownKey("Settings", "deletenode"), "deletenode") << "key of another section";
}

}  // namespace
}  // namespace trovique
