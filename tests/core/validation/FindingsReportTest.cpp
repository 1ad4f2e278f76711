#include "core/validation/FindingsReport.h"

#include <gtest/gtest.h>

#include "core/document/ElementKinds.h"
#include "core/validation/ValidationResults.h"
#include "support/ScriptedUserInterface.h"

namespace trovique {
namespace {

class FindingsReportTest : public testing::Test {
protected:
    void SetUp() override {
        results.AddEntry("2:\\Show", "Palm Creator ID can not be blank.",
                         DocumentControl::CreatorID, ElementKind::Root, false);
        // Titles are Windows-1252 and may hold quotes, backslashes and line breaks.
        results.AddEntry("7:\\Show\\Caf\xe9 \"A\"", "<FACT> may\r\nnot", DocumentControl::LeafTitle,
                         ElementKind::Leaf, true);
        results.AddEntry("7:\\Show\\Caf\xe9 \"A\"", "QAF Question must not be blank.",
                         DocumentControl::Question, ElementKind::Leaf, false);
        results.AddEntry("0:Validation stopped because error count has reached 3.", "",
                         DocumentControl::None, kKindStopEntry, false);
    }

    test::CScriptedUserInterface ui;
    CValidationResults results{ui};
};

TEST_F(FindingsReportTest, TextGroupsMessagesUnderTheirItem) {
    EXPECT_EQ(FormatFindings(results),
              "2:\\Show\n"
              "  Palm Creator ID can not be blank.\n"
              "7:\\Show\\Caf\xc3\xa9 \"A\"\n"
              "  warning: <FACT> may  not\n"
              "  QAF Question must not be blank.\n"
              "Validation stopped because error count has reached 3.\n");
}

TEST_F(FindingsReportTest, JsonEscapesAndCounts) {
    EXPECT_EQ(FindingsJson(results, false),
              "{\"valid\": false, \"errors\": 2, \"warnings\": 1, \"stopped\": true, \"items\": [\n"
              "  {\"index\": 2, \"path\": \"\\\\Show\", \"kind\": \"root\", \"findings\": "
              "[{\"message\": \"Palm Creator ID can not be blank.\", \"warning\": false, "
              "\"field\": \"creator-id\"}]},\n"
              "  {\"index\": 7, \"path\": \"\\\\Show\\\\Caf\xc3\xa9 \\\"A\\\"\", \"kind\": "
              "\"leaf\", \"findings\": [{\"message\": \"<FACT> may\\r\\nnot\", \"warning\": true, "
              "\"field\": \"leaf-title\"}, {\"message\": \"QAF Question must not be blank.\", "
              "\"warning\": false, \"field\": \"question\"}]}\n"
              "], \"stopMessage\": \"Validation stopped because error count has reached 3.\"}\n");
}

TEST(FindingsReportEmptyTest, NothingFound) {
    test::CScriptedUserInterface ui;
    const CValidationResults results{ui};
    EXPECT_EQ(FormatFindings(results), "");
    EXPECT_EQ(FindingsJson(results, true),
              "{\"valid\": true, \"errors\": 0, \"warnings\": 0, \"stopped\": false, "
              "\"items\": []}\n");
}

}  // namespace
}  // namespace trovique
