#include "core/settings/Application.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/Error.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/MemorySettingsStore.h"
#include "support/TestPaths.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

constexpr char kSep = static_cast<char>(fs::path::preferred_separator);
const char* const kPalettes[] = {"Palm256Color.pal", "PalmMonochrome.pal", "Palm4Color.pal"};

// A store that refuses writes on demand, as a settings file on a full disk does.
class RefusingStore : public MemorySettingsStore {
public:
    bool refuse = false;
    void Set(const std::string& a, const std::string& s, const std::string& k,
             const std::string& v) override {
        if (refuse) {
            throw CError(kErrPathFileAccess, "RefusingStore", "disk full");
        }
        MemorySettingsStore::Set(a, s, k, v);
    }
};

class CApplicationTest : public testing::Test {
protected:
    CApplicationTest() {
        for (const char* name : kPalettes) {
            fs::copy_file(test::BinDir() / name, program.Path() / name);
        }
    }

    std::string Stored(const char* section, const char* key) const {
        return store.Get(std::string(kApplicationTitle), section, key).value_or("<missing>");
    }
    void Store(const char* section, const char* key, const std::string& value) {
        store.Set(std::string(kApplicationTitle), section, key, value);
    }
    std::string ProgramFolder() const { return program.Path().string() + kSep; }

    test::ScratchDir program;
    RefusingStore store;
};

TEST_F(CApplicationTest, FirstStartWritesTheDefaultDelimitersOnceOnly) {
    { const CApplication first(store, program.Path()); }
    EXPECT_EQ(Stored("ImportUnstructured", "DelimCount"), "2");
    EXPECT_EQ(Stored("ImportUnstructured", "Delim1"), "13,10,13,10");
    EXPECT_EQ(Stored("ImportUnstructured", "Delim2"), "13,10,9");
    EXPECT_EQ(store.ValueCount(), 3u) << "nothing else is written at start";

    Store("ImportUnstructured", "Delim1", "59");
    Store("ImportUnstructured", "DelimCount", "1");
    const CApplication second(store, program.Path());
    EXPECT_EQ(Stored("ImportUnstructured", "Delim1"), "59");
    EXPECT_EQ(Stored("ImportUnstructured", "DelimCount"), "1");
}

TEST_F(CApplicationTest, AnEmptyDelimiterCountCountsAsAFirstStart) {
    Store("ImportUnstructured", "DelimCount", "");
    const CApplication app(store, program.Path());
    EXPECT_EQ(Stored("ImportUnstructured", "DelimCount"), "2");
}

TEST_F(CApplicationTest, FoldersDeriveFromTheProgramFolder) {
    const CApplication app(store, program.Path());
    EXPECT_EQ(app.AppPath(), ProgramFolder());
    EXPECT_EQ(app.AppDataPath(), ProgramFolder() + "DATA" + kSep);
    EXPECT_EQ(app.LastDataPath(), app.AppDataPath());
    EXPECT_EQ(app.LastGraphicsPath(), app.AppDataPath());
    EXPECT_EQ(app.LastExportPath(), app.AppDataPath());
    const CApplication again(store, ProgramFolder());  // a trailing separator is not doubled
    EXPECT_EQ(again.AppPath(), ProgramFolder());
}

TEST_F(CApplicationTest, StoredFoldersGetTheirTrailingSeparatorOnRead) {
    Store("Settings", "LastPath", "/data");
    Store("Settings", "LastGraphicsPath", "/pictures/");
    const CApplication app(store, program.Path());
    EXPECT_EQ(app.LastDataPath(), std::string("/data") + kSep);
    EXPECT_EQ(app.LastGraphicsPath(), "/pictures/");
    EXPECT_EQ(app.LastExportPath(), std::string("/data") + kSep);
    EXPECT_EQ(Stored("Settings", "LastPath"), "/data") << "reading does not rewrite";
}

TEST_F(CApplicationTest, GraphicsAndExportFoldersFollowTheDataFolderUntilSet) {
    CApplication app(store, program.Path());
    app.SetLastDataPath("/d1/");
    EXPECT_EQ(app.LastGraphicsPath(), "/d1/");
    EXPECT_EQ(app.LastExportPath(), "/d1/");
    app.SetLastGraphicsPath("/g");
    app.SetLastDataPath("/d2/");
    EXPECT_EQ(app.LastGraphicsPath(), "/g") << "the setter stores the text unchanged";
    EXPECT_EQ(app.LastExportPath(), "/d2/");
    EXPECT_EQ(Stored("Settings", "LastGraphicsPath"), "/g");
    EXPECT_EQ(Stored("Settings", "LastExportPath"), "<missing>");

    const CApplication next(store, program.Path());
    EXPECT_EQ(next.LastDataPath(), "/d2/");
    EXPECT_EQ(next.LastGraphicsPath(), std::string("/g") + kSep);
    EXPECT_EQ(next.LastExportPath(), "/d2/");
}

TEST_F(CApplicationTest, GraphicsFolderFollowsWhatABitmapDialogStored) {
    CApplication app(store, program.Path());
    app.SetLastGraphicsPath("/g");
    Store("Settings", "LastGraphicsPath", "/chosen/");  // as GetFileName stores it
    EXPECT_EQ(app.LastGraphicsPath(), "/chosen/");
    Store("Settings", "LastGraphicsPath", "");
    EXPECT_EQ(app.LastGraphicsPath(), app.LastDataPath());
}

struct LimitCase {
    const char* on;  // nullptr: never stored
    const char* limit;
    bool expectOn;
    std::int32_t expectLimit;
};

class ValidationLimitTest : public CApplicationTest,
                            public testing::WithParamInterface<LimitCase> {};

TEST_P(ValidationLimitTest, ReadsTheSwitchThenTheCount) {
    const auto& c = GetParam();
    if (c.on != nullptr) {
        Store("Settings", "ValidationLimitOn", c.on);
    }
    if (c.limit != nullptr) {
        Store("Settings", "ValidationLimit", c.limit);
    }
    const CApplication app(store, program.Path());
    EXPECT_EQ(app.ValidationLimitOn(), c.expectOn);
    EXPECT_EQ(app.ValidationLimit(), c.expectLimit);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValidationLimitTest,
    testing::Values(LimitCase{nullptr, nullptr, true, 100}, LimitCase{nullptr, "5", true, 100},
                    LimitCase{"", "5", true, 100}, LimitCase{"1", "0", true, 100},
                    LimitCase{"1", "-3", true, 100}, LimitCase{"1", "25", true, 25},
                    LimitCase{"1", "25 errors", true, 25}, LimitCase{"1", "junk", true, 100},
                    LimitCase{"0", "7", false, 7}, LimitCase{"junk", "7", false, 7},
                    LimitCase{"2", "0.4", true, 1}, LimitCase{"1", "1e12", true, 2147483647}));

TEST_F(CApplicationTest, ImportDialogSwitchReadsAsANumber) {
    for (const auto& [text, expected] : std::vector<std::pair<const char*, bool>>{
             {"", true}, {"1", true}, {"0", false}, {"no", false}, {"5x", true}}) {
        Store("ImportUnstructured", "ShowDialogOnImport", text);
        const CApplication app(store, program.Path());
        EXPECT_EQ(app.ImportUnstructuredShowDlg(), expected) << text;
    }
}

TEST_F(CApplicationTest, SettersWriteAtOnce) {
    CApplication app(store, program.Path());
    app.SetValidationLimitOn(false);
    app.SetValidationLimit(12);
    app.SetImportUnstructuredShowDlg(false);
    EXPECT_EQ(Stored("Settings", "ValidationLimitOn"), "0");
    EXPECT_EQ(Stored("Settings", "ValidationLimit"), "12");
    EXPECT_EQ(Stored("ImportUnstructured", "ShowDialogOnImport"), "0");
    const CApplication next(store, program.Path());
    EXPECT_FALSE(next.ValidationLimitOn());
    EXPECT_EQ(next.ValidationLimit(), 12);
    EXPECT_FALSE(next.ImportUnstructuredShowDlg());
}

TEST_F(CApplicationTest, AFailedWriteKeepsTheOldValue) {
    CApplication app(store, program.Path());
    store.refuse = true;
    EXPECT_THROW(app.SetValidationLimit(7), CError);
    EXPECT_THROW(app.SetLastDataPath("/elsewhere/"), CError);
    EXPECT_THROW(app.SetValidationLimitOn(false), CError);
    EXPECT_EQ(app.ValidationLimit(), 100);
    EXPECT_EQ(app.LastDataPath(), app.AppDataPath());
    EXPECT_TRUE(app.ValidationLimitOn());
}

TEST_F(CApplicationTest, AZeroLimitIsRefused) {
    CApplication app(store, program.Path());
    EXPECT_THROW(app.SetValidationLimit(0), CError);
    EXPECT_EQ(app.ValidationLimit(), 100);
    EXPECT_EQ(Stored("Settings", "ValidationLimit"), "<missing>");
}

TEST_F(CApplicationTest, LoadsTheThreePalettes) {
    const CApplication app(store, program.Path());
    EXPECT_EQ(app.Palm256ColorPalette().NumColors(), 256);
    EXPECT_EQ(app.PalmMonoPalette().NumColors(), 2);
    EXPECT_EQ(app.PalmMonoPalette().ColorTable().size(), 8u);
    EXPECT_EQ(app.Palm4ColorPalette().NumColors(), 4);
}

TEST_F(CApplicationTest, AMissingOrShortPaletteStopsConstructionNamingTheFile) {
    for (const char* name : kPalettes) {
        const fs::path file = program / name;
        const auto bytes = test::ReadAllBytes(file);
        for (const bool missing : {true, false}) {
            if (missing) {
                fs::remove(file);
            } else {
                test::WriteAllBytes(file,
                                    std::vector<unsigned char>(bytes.begin(), bytes.begin() + 30));
            }
            try {
                const CApplication app(store, program.Path());
                ADD_FAILURE() << name << " was not reported";
            } catch (const CError& error) {
                EXPECT_NE(error.Description().find(name), std::string::npos) << error.Description();
            }
        }
        test::WriteAllBytes(file, bytes);
    }
}

}  // namespace
}  // namespace trovique
