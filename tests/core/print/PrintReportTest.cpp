#include "core/print/PrintReport.h"

#include <gtest/gtest.h>

#include <functional>

#include "PrintFixture.h"
#include "core/print/PageList.h"
#include "core/print/PrintOptions.h"

namespace trovique {
namespace {

class PrintReportTest : public test::PrintTestBase {};

// The header as the report prints it for a slide show titled "Quiz", labelled "Q".
const std::string kHeader = "Quiz\n\nPalm Creator ID:  \tTQVK\nPalm Application Icon:  \tQ\n";

TEST_F(PrintReportTest, PrintsWhatEachCaseHolds) {
    struct Case {
        const char* name;
        std::vector<test::LeafContent> leaves;
        bool header;
        std::string splash, contact;
        std::string expected;
    };
    const Case cases[] = {
        {"no leaves, header only", {}, true, {}, {}, kHeader + "Number of Terms:   \t0"},
        {"a leaf with only a title", {{"Alone"}}, false, {}, {}, "\n\nAlone\n"},
        {"answer 3 left empty",
         {{"Q1", "F", "Why?", {"a", "b", "", "d"}}},
         false,
         {},
         {},
         "\n\nQ1\nF\nQuestion\n\nWhy?\nAnswer 1\n\na\nAnswer 2\n\nb\nAnswer 4\n\nd\n"},
        {"a FACT leaf keeps its former question to itself",
         {{"F1", "Fact", "Old question", {"old"}, LeafKind::Fact}},
         false,
         {},
         {},
         "\n\nF1\nFact\n"},
        {"splash and contact on lines of their own, line breaks kept",
         {},
         true,
         "Hello\r\nthere",
         "Me",
         kHeader + "Palm Splash Screen Text\n\nHello\nthere\nPalm Contact Information\n\nMe\n\n"
                   "Number of Terms:   \t0"},
        {"Windows-1252 shown as the panes show it",
         {{"Caf\xE9"}},
         false,
         {},
         {},
         "\n\nCaf\u00e9\n"},
    };
    for (const Case& c : cases) {
        doc = NewDocument();
        SetRoot("Quiz", "Q", c.splash, c.contact);
        std::vector<int> items;
        for (const auto& leaf : c.leaves) {
            items.push_back(AddLeaf(leaf));
        }
        EXPECT_EQ(BuildPrintReport(*doc, items, c.header).PlainText(), c.expected) << c.name;
    }
}

TEST_F(PrintReportTest, TitlesAreBoldUnderlinedAndSizedAndStatusCountsTheLeaves) {
    SetRoot("Quiz", "Q");
    const int first = AddLeaf({"One", "x"});
    const int second = AddLeaf({"Two"});
    const CReportText report = BuildPrintReport(*doc, {first, second}, true, &Ui().StatusBar());
    const auto& runs = report.Runs();
    const auto find = [&](const std::string& text) {
        for (const ReportRun& run : runs) {
            if (run.text == text) {
                return run.format;
            }
        }
        ADD_FAILURE() << "no run " << text;
        return ReportFormat{};
    };
    EXPECT_EQ(find("Quiz"), (ReportFormat{true, true, 12}));
    EXPECT_EQ(find("One"), (ReportFormat{true, true, 10}));
    EXPECT_EQ(find("x"), (ReportFormat{false, false, 10}));
    EXPECT_EQ(runs[2].format.pointSize, 8);  // the header's lines
    EXPECT_EQ(Ui().StatusText(), "Printing Two");
    EXPECT_EQ(Ui().StatusPercentage(), "100%");
    EXPECT_THROW(BuildPrintReport(*doc, {Root()}, false), CError);
}

TEST_F(PrintReportTest, OptionsOfferTitledLeavesAndALockedShowHidesProtectedOnes) {
    const int open = AddLeaf({"Open"});
    const int untitled = AddLeaf({""});
    const int secret = AddLeaf({"Secret", "", "", {}, LeafKind::QAF, true});
    EXPECT_EQ(QualifyingLeaves(*doc), (std::vector<int>{open, untitled, secret}));
    EXPECT_EQ(CPrintOptions(*doc, Ui(), "P").ChosenLeaves(), (std::vector<int>{open, secret}));
    doc->Properties().SetLocked(true);
    EXPECT_EQ(QualifyingLeaves(*doc), (std::vector<int>{open, untitled}));
    const CPrintOptions locked(*doc, Ui(), "P");
    ASSERT_EQ(locked.Lines().size(), 1u);
    EXPECT_EQ(locked.Lines()[0], (PrintListLine{"Open", open, true}));
}

TEST_F(PrintReportTest, DialogActions) {
    struct Step {
        int action;
        bool header, toFile;
        std::string printer;
        bool closes;
        std::vector<int> chosen;
        std::string message;
    };
    const Step steps[] = {
        {CPrintOptions::kActionDeselectAll, true, false, "P", false, {}, ""},
        {CPrintOptions::kActionOK,
         false,
         false,
         "P",
         false,
         {},
         CPrintOptions::NothingToPrintText()},
        {CPrintOptions::kActionOK, true, false, "P", true, {}, ""},
        {CPrintOptions::kActionSelectAll, false, false, "P", false, {7, 9}, ""},
        {CPrintOptions::kActionOK, false, false, "P", true, {7, 9}, ""},
        {CPrintOptions::kActionCancel, true, false, "P", true, {7, 9}, ""},
        {5, true, false, "P", false, {7, 9}, "Invalid action: 5"},
    };
    for (const Step& step : steps) {
        Ui().ClearMessages();
        CPrintOptions options({{"A", 7, true}, {"B", 9, true}}, Ui(), step.printer);
        if (step.chosen.empty()) {
            options.DoAction(CPrintOptions::kActionDeselectAll);
        }
        options.SetHeaderInfo(step.header);
        options.SetToFile(step.toFile);
        EXPECT_EQ(options.DoAction(step.action), step.closes) << step.action;
        EXPECT_EQ(options.ChosenLeaves(), step.chosen) << step.action;
        EXPECT_EQ(options.OK(), step.closes && step.action == CPrintOptions::kActionOK);
        EXPECT_EQ(Ui().MessageTexts(),
                  step.message.empty() ? std::vector<std::string>{} : std::vector{step.message});
    }
    EXPECT_EQ(CPrintOptions::NothingToPrintText(),
              "There is nothing to print!  Select an item from the Terms to Print list or choose "
              "to Include Header Information.");
}

TEST_F(PrintReportTest, PrinterLabelAndOKFollowThePrinterAndTheFileBox) {
    const struct {
        std::string printer;
        bool toFile;
        std::string label;
        bool okEnabled;
    } cases[] = {{"Laser", false, "Laser", true},
                 {"", false, "No printer is installed", false},
                 {"", true, "No printer is installed", true}};
    for (const auto& c : cases) {
        CPrintOptions options(std::vector<PrintListLine>{}, Ui(), c.printer);
        options.SetToFile(c.toFile);
        options.DoAction(CPrintOptions::kActionInitialise);
        options.DoAction(CPrintOptions::kActionUpdateOK);
        EXPECT_EQ(options.PrinterLabel(), c.label);
        EXPECT_EQ(options.OKEnabled(), c.okEnabled) << c.printer << c.toFile;
        EXPECT_EQ(options.CurrentLine(), -1);
    }
}

TEST(PageListTest, NumbersAndRanges) {
    using Pages = std::optional<std::vector<std::size_t>>;
    const std::pair<const char*, Pages> cases[] = {
        {"1,3-5", Pages({1, 3, 4, 5})},
        {"5-5,2,5", Pages({5, 2})},
        {"6", std::nullopt},
        {"0", std::nullopt},
        {"4-2", std::nullopt},
        {"1,", std::nullopt},
        {"", std::nullopt},
        {"1-3-5", std::nullopt},
        {"x", std::nullopt},
        {"-1", std::nullopt},
    };
    for (const auto& [text, pages] : cases) {
        EXPECT_EQ(ParsePageList(text, 5), pages) << text;
    }
}

}  // namespace
}  // namespace trovique
