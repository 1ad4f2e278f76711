#include "core/import/UnstructuredSettings.h"

#include <gtest/gtest.h>

#include <map>

#include "core/services/MemorySettingsStore.h"

namespace trovique {
namespace {

const std::string kApp = "Norvane Trovique";
const std::string kSection = "ImportUnstructured";

class UnstructuredSettingsTest : public testing::Test {
protected:
    void Store(const std::map<std::string, std::string>& values) {
        for (const auto& [key, value] : values) {
            store.Set(kApp, kSection, key, value);
        }
    }
    std::string Stored(const std::string& key) const {
        return store.Get(kApp, kSection, key).value_or("<missing>");
    }
    static std::vector<std::string> DataStrings(const UnstructuredSettings& settings) {
        std::vector<std::string> texts;
        for (const CDelim& delimiter : settings.delimiters) {
            texts.push_back(delimiter.DataString());
        }
        return texts;
    }

    MemorySettingsStore store;
};

TEST_F(UnstructuredSettingsTest, NothingStoredGivesDefaultNamingAndTheFirstStartDelimiters) {
    const UnstructuredSettings loaded = LoadUnstructuredSettings(store);
    EXPECT_EQ(loaded.titleOption, TitleOption::Default);
    EXPECT_EQ(loaded.titleUseFirst, 20);
    EXPECT_EQ(DataStrings(loaded), (std::vector<std::string>{"13,10,13,10", "13,10,9"}));
    EXPECT_EQ(loaded.DelimiterStrings(), (std::vector<std::string>{"\r\n\r\n", "\r\n\t"}));
    EXPECT_EQ(loaded.TitleChars(), 0);
    EXPECT_EQ(loaded.TitleDelimiterString(), "");
}

// The three stored title keys, and what the dialog and the import make of them.
struct TitleCase {
    const char* name;
    std::string titleDefault, useFirst, readToDelim;
    TitleOption option;
    int countBox;
    int titleChars;
    std::string titleDelimiter;
};

class TitleOptionTest : public UnstructuredSettingsTest,
                        public testing::WithParamInterface<TitleCase> {};

TEST_P(TitleOptionTest, ReadsTheTitleOption) {
    const TitleCase& c = GetParam();
    Store({{"TitleDefault", c.titleDefault},
           {"TitleUseFirst", c.useFirst},
           {"TitleReadToDelim", c.readToDelim}});
    const UnstructuredSettings loaded = LoadUnstructuredSettings(store);
    EXPECT_EQ(loaded.titleOption, c.option);
    EXPECT_EQ(loaded.titleUseFirst, c.countBox);
    EXPECT_EQ(loaded.TitleChars(), c.titleChars);
    EXPECT_EQ(loaded.TitleDelimiterString(), c.titleDelimiter);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, TitleOptionTest, testing::Values(
    TitleCase{"Default", "1", "0", "", TitleOption::Default, 20, 0, ""},
    TitleCase{"UseFirst", "0", "12", "", TitleOption::UseFirst, 12, 12, ""},
    TitleCase{"ReadToDelim", "0", "0", "58", TitleOption::ReadToDelim, 20, 0, ":"},
    TitleCase{"DefaultWinsOverLeftovers", "1", "7", "58", TitleOption::Default, 7, 0, ""},
    TitleCase{"DamagedTitleDelimiter", "0", "0", "5x", TitleOption::Default, 20, 0, ""}),
    [](const testing::TestParamInfo<TitleCase>& c) { return std::string(c.param.name); });
// clang-format on

TEST_F(UnstructuredSettingsTest, ReadsAsManyDelimitersAsCountedAndReportsDamagedOnes) {
    Store({{"DelimCount", "5"},
           {"Delim1", "59"},
           {"Delim2", "13,,10"},
           {"Delim3", ""},
           {"Delim4", "13,10"},
           {"Delim6", "9"}});
    std::vector<std::string> problems;
    const UnstructuredSettings loaded = LoadUnstructuredSettings(store, &problems);
    EXPECT_EQ(DataStrings(loaded), (std::vector<std::string>{"59", "13,10"}));
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_NE(problems[0].find("ImportUnstructured/Delim2 \"13,,10\""), std::string::npos);
    EXPECT_NE(problems[1].find("ImportUnstructured/Delim3 is empty"), std::string::npos);
    EXPECT_EQ(problems[2], "ImportUnstructured/Delim5 is counted in DelimCount but not stored.");
}

TEST_F(UnstructuredSettingsTest, AnAbsurdCountDoesNotReadForEver) {
    Store({{"DelimCount", "2147483647"}, {"Delim1", "59"}});
    std::vector<std::string> problems;
    const UnstructuredSettings loaded = LoadUnstructuredSettings(store, &problems);
    EXPECT_EQ(DataStrings(loaded), (std::vector<std::string>{"59"}));
    EXPECT_EQ(problems,
              (std::vector<std::string>{
                  "ImportUnstructured/DelimCount is 2147483647; only the first 1000 delimiters "
                  "are read.",
                  "ImportUnstructured/Delim2, Delim3, Delim4 and 996 more are counted in "
                  "DelimCount but not stored."}));
}

TEST_F(UnstructuredSettingsTest, SavingWritesEveryKeyRenumbersAndDropsLeftovers) {
    Store({{"DelimCount", "3"}, {"Delim1", "1"}, {"Delim2", "2"}, {"Delim3", "3"}});
    UnstructuredSettings settings;
    settings.titleOption = TitleOption::ReadToDelim;
    settings.titleUseFirst = 30;
    settings.titleDelimiter.SetDataString("58,32");
    settings.delimiters = {CDelim("13,10,13,10"), CDelim("59")};
    SaveUnstructuredSettings(store, settings);
    EXPECT_EQ(Stored("TitleDefault"), "0");
    EXPECT_EQ(Stored("TitleUseFirst"), "0");
    EXPECT_EQ(Stored("TitleReadToDelim"), "58,32");
    EXPECT_EQ(Stored("DelimCount"), "2");
    EXPECT_EQ(Stored("Delim1"), "13,10,13,10");
    EXPECT_EQ(Stored("Delim2"), "59");
    EXPECT_EQ(Stored("Delim3"), "<missing>");

    settings.titleOption = TitleOption::UseFirst;
    SaveUnstructuredSettings(store, settings);
    EXPECT_EQ(Stored("TitleUseFirst"), "30");
    EXPECT_EQ(Stored("TitleReadToDelim"), "");
    const UnstructuredSettings loaded = LoadUnstructuredSettings(store);
    EXPECT_EQ(loaded.titleOption, TitleOption::UseFirst);
    EXPECT_EQ(loaded.titleUseFirst, 30);
    EXPECT_EQ(loaded.titleDelimiter.DataString(), "");
    EXPECT_EQ(DataStrings(loaded), (std::vector<std::string>{"13,10,13,10", "59"}));
}

TEST(UnstructuredDialogChecksTest, TitleCountAndDelimiter) {
    const std::string tooSmall = "Number of characters must be greater than 0.";
    const std::string tooLarge =
        "Number of characters is limited to 255, the maximum leaf title length.";
    for (const auto& [count, message] : std::vector<std::pair<int, std::string>>{
             {-5, tooSmall}, {0, tooSmall}, {1, ""}, {255, ""}, {256, tooLarge}}) {
        EXPECT_EQ(CheckTitleCount(count), message) << count;
    }
    EXPECT_EQ(CheckDelimiter(CDelim()), "Delimiter String must have data.");
    EXPECT_EQ(CheckDelimiter(CDelim("0")), "");
}

}  // namespace
}  // namespace trovique
