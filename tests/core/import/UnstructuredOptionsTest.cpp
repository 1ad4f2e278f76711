#include "core/import/UnstructuredOptions.h"

#include <gtest/gtest.h>

#include "core/import/UnstructuredPreview.h"
#include "core/services/MemorySettingsStore.h"
#include "support/ScriptedUserInterface.h"

namespace trovique {
namespace {

const std::string kApp = "Norvane Trovique";
const std::string kSection = "ImportUnstructured";

class UnstructuredOptionsTest : public testing::Test {
protected:
    std::string Stored(const std::string& key) const {
        return store.Get(kApp, kSection, key).value_or("<missing>");
    }
    MemorySettingsStore store;
    test::CScriptedUserInterface ui;
};

struct CountCase {
    const char* name;
    TitleOption option;
    const char* count;
    std::string message;  // empty: accepted
};

class TitleCountTest : public UnstructuredOptionsTest,
                       public testing::WithParamInterface<CountCase> {};

TEST_P(TitleCountTest, OkChecksTheCountOnlyWithUseFirst) {
    const CountCase& c = GetParam();
    CUnstructuredOptions options(store);
    options.SetTitle(c.option);
    options.SetCountText(c.count);
    const bool closed = options.DoAction(CUnstructuredOptions::kActionOk, ui);
    EXPECT_EQ(closed, c.message.empty());
    EXPECT_EQ(ui.MessageTexts(),
              c.message.empty() ? std::vector<std::string>{} : std::vector{c.message});
    // A refused OK stores nothing.
    EXPECT_EQ(Stored("DelimCount"), c.message.empty() ? "2" : "<missing>");
}

INSTANTIATE_TEST_SUITE_P(
    Counts, TitleCountTest,
    testing::Values(CountCase{"Zero", TitleOption::UseFirst, "0",
                              "Number of characters must be greater than 0."},
                    CountCase{"Letters", TitleOption::UseFirst, "abc",
                              "Number of characters must be greater than 0."},
                    CountCase{
                        "TooMany", TitleOption::UseFirst, "256",
                        "Number of characters is limited to 255, the maximum leaf title length."},
                    CountCase{"Largest", TitleOption::UseFirst, "255", ""},
                    CountCase{"ZeroIgnoredWithDefaultNaming", TitleOption::Default, "0", ""},
                    CountCase{"ZeroIgnoredWithTitleDelimiter", TitleOption::ReadToDelim, "0", ""}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(UnstructuredOptionsTest, DelimitersAreStoredRenumberedInListOrder) {
    store.Set(kApp, kSection, "DelimCount", "3");
    store.Set(kApp, kSection, "Delim1", "13,10,13,10");
    store.Set(kApp, kSection, "Delim2", "13,10,9");
    store.Set(kApp, kSection, "Delim3", "59");
    CUnstructuredOptions options(store);
    EXPECT_TRUE(options.RemoveDelimiter(0, ui));
    options.AddDelimiter(CDelim("42,42"));
    const auto edited = options.DelimiterToEdit(1, ui);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->DataString(), "59");
    options.ReplaceDelimiter(1, CDelim("58"));
    EXPECT_EQ(
        options.DelimiterLines(),
        (std::vector<std::string>{"0x0D (CARRIAGE RETURN) AND 0x0A (LINE FEED) AND 0x09 (TAB)",
                                  "0x3A (:)", "0x2A (*) AND 0x2A (*)"}));
    ASSERT_TRUE(options.Ok(ui));
    EXPECT_EQ(Stored("DelimCount"), "3");
    EXPECT_EQ(Stored("Delim1"), "13,10,9");
    EXPECT_EQ(Stored("Delim2"), "58");
    EXPECT_EQ(Stored("Delim3"), "42,42");

    CUnstructuredOptions shorter(store);
    ASSERT_TRUE(shorter.RemoveDelimiter(2, ui));
    ASSERT_TRUE(shorter.RemoveDelimiter(0, ui));
    ASSERT_TRUE(shorter.Ok(ui));
    EXPECT_EQ(Stored("DelimCount"), "1");
    EXPECT_EQ(Stored("Delim1"), "58");
    EXPECT_EQ(Stored("Delim2"), "<missing>");
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(UnstructuredOptionsTest, EditAndRemoveWithoutSelectionSayWhy) {
    CUnstructuredOptions options(store);
    EXPECT_FALSE(options.DelimiterToEdit(std::nullopt, ui));
    EXPECT_FALSE(options.RemoveDelimiter(std::nullopt, ui));
    EXPECT_FALSE(options.RemoveDelimiter(7, ui));
    EXPECT_FALSE(options.DoAction(5, ui));
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{
                  "There is no item selected to edit.", "There is no item selected to delete.",
                  "There is no item selected to delete.", "Invalid action: 5"}));
    EXPECT_EQ(options.DelimiterLines().size(), 2u);
}

TEST_F(UnstructuredOptionsTest, CancelStoresNothing) {
    CUnstructuredOptions options(store);
    options.AddDelimiter(CDelim("59"));
    EXPECT_TRUE(options.DoAction(CUnstructuredOptions::kActionCancel, ui));
    EXPECT_EQ(Stored("DelimCount"), "<missing>");
}

struct CodeLineCase {
    int code;
    std::string line;
};

class CodeLineTest : public testing::TestWithParam<CodeLineCase> {};

TEST_P(CodeLineTest, ListsHexPrintAndName) {
    EXPECT_EQ(CDelimiterBuilder::CodeLine(GetParam().code), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Codes, CodeLineTest,
                         testing::Values(CodeLineCase{0, "0x00\t\tNULL"},
                                         CodeLineCase{9, "0x09\t\tTAB"},
                                         CodeLineCase{13, "0x0D\t\tCARRIAGE RETURN"},
                                         CodeLineCase{46, "0x2E\t.\tPERIOD"},
                                         CodeLineCase{65, "0x41\tA\tA"},
                                         CodeLineCase{200, "0xC8\t\xC8\t"}));

TEST_F(UnstructuredOptionsTest, BuiltDelimiterMustHaveData) {
    CDelimiterBuilder builder;
    EXPECT_FALSE(builder.Ok(ui));
    builder.Append(13);
    builder.Append(10);
    EXPECT_EQ(builder.Display(), "0x0D (CARRIAGE RETURN) AND 0x0A (LINE FEED)");
    EXPECT_TRUE(builder.Ok(ui));
    builder.Clear();
    EXPECT_EQ(builder.Delimiter().DataString(), "");
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Delimiter String must have data."}));
}

struct PreviewCase {
    const char* name;
    std::string text;
    TitleOption option;
    std::vector<std::string> titles;
    std::vector<std::string> facts;
    bool more;
};

class UnstructuredPreviewTest : public testing::TestWithParam<PreviewCase> {};

TEST_P(UnstructuredPreviewTest, CutsAsTheImportWould) {
    const PreviewCase& c = GetParam();
    UnstructuredSettings settings;
    settings.delimiters = {CDelim("13,10,13,10"), CDelim("13,10,9")};
    settings.titleOption = c.option;
    settings.titleUseFirst = 5;
    settings.titleDelimiter = CDelim("58");
    const UnstructuredPreview preview = PreviewUnstructuredText(c.text, settings, 3);
    std::vector<std::string> titles, facts;
    for (const PreviewPiece& piece : preview.pieces) {
        titles.push_back(piece.title);
        facts.push_back(piece.fact);
    }
    EXPECT_EQ(titles, c.titles);
    EXPECT_EQ(facts, c.facts);
    EXPECT_EQ(preview.more, c.more);
}

// clang-format off
const PreviewCase kPreviewCases[] = {
    {"DefaultDelimiters", "A\r\n\r\nB\r\n\tC", TitleOption::Default, {"", "", ""},
     {"A", "B", "C"}, false},
    {"UnixLineBreaks", "Hello world\n\nSecond\nline", TitleOption::UseFirst, {"Hello", "Secon"},
     {"Hello world", "Second | line"}, false},
    {"TitleOverALineBreak", "Hi\nthere", TitleOption::UseFirst, {"Hi | t"}, {"Hi | there"},
     false},
    {"TitleDelimiter", "Q1: what?\r\n\r\nno colon", TitleOption::ReadToDelim, {"Q1", ""},
     {"Q1: what?", "no colon"}, false},
    {"MoreThanShown", "1\n\n2\n\n3\n\n4", TitleOption::Default, {"", "", ""},
     {"1", "2", "3"}, true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Pieces, UnstructuredPreviewTest, testing::ValuesIn(kPreviewCases),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace trovique
