#include "core/validation/Validate.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "ValidationFixture.h"
#include "core/common/Error.h"
#include "core/document/ElementKinds.h"
#include "core/services/MessageStyle.h"

namespace trovique {
namespace {

const std::string kNoSlides = "There must be at least one Slide in this Database.";

class ValidateTest : public testing::Test, public test::ValidationFixture {};

// Counts what the document tells its views.
class ChangeCounter : public IDocumentObserver {
public:
    void ItemChanged(int index, ItemAspects) override { changed.push_back(index); }
    std::vector<int> changed;
};

TEST_F(ValidateTest, NewSlideShowFailsOnlyForWantingASlide) {
    EXPECT_FALSE(Check());
    EXPECT_EQ(Findings(), std::vector<std::string>{kNoSlides});
    ASSERT_EQ(results.Entries().size(), 1u);
    const auto& entry = results.Entries()[0];
    EXPECT_EQ(entry.elementIndex, Root());
    EXPECT_EQ(entry.text, "\\New Slide Show");
    EXPECT_EQ(entry.kind, ElementKind::Root);
    EXPECT_EQ(entry.messages[0].control, DocumentControl::Tree);
    EXPECT_FALSE(entry.messages[0].warning);
}

TEST_F(ValidateTest, RootPaneFieldsComeFromTheRecordAndHeader) {
    AddValidBranch();
    doc->Properties().Header().SetCreator("tqvk");
    NodeOf(Root()).SetTitle("");
    NodeOf(Root()).SetProgramIconName("");
    EXPECT_FALSE(Check());
    EXPECT_EQ(Findings(),
              (std::vector<std::string>{"Slide Show Title On Palm can not be blank.",
                                        "Palm Creator ID can not be all lowercase letters.",
                                        "Label On Palm can not be blank."}));
}

TEST_F(ValidateTest, ValidSlideShowPassesAndChangesNothing) {
    AddValidBranch();
    doc->ForceDirty(false);
    ChangeCounter counter;
    doc->Tree().AddObserver(&counter);
    EXPECT_TRUE(Check());
    doc->Tree().RemoveObserver(&counter);
    EXPECT_TRUE(results.Empty());
    EXPECT_FALSE(results.Selected().has_value());
    EXPECT_TRUE(results.Visible());
    EXPECT_EQ(results.DocForm(), doc.get());
    EXPECT_FALSE(doc->Dirty());
    EXPECT_TRUE(counter.changed.empty());
}

TEST_F(ValidateTest, OutcomeIsStoredInEachRecordAndShownByItsPicture) {
    const int category = AddNodeUnder(Root(), "Planets");
    const int good = AddFactUnder(category, "Jupiter");
    const int bad = AddFactUnder(category, "<FACT>");
    doc->ForceDirty(false);
    ChangeCounter counter;
    doc->Tree().AddObserver(&counter);

    EXPECT_FALSE(Check());
    EXPECT_TRUE(NodeOf(Root()).Valid());
    EXPECT_TRUE(NodeOf(category).Valid()) << "a failing child leaves its parent's Valid alone";
    EXPECT_TRUE(LeafOf(good).Valid());
    EXPECT_FALSE(LeafOf(bad).Valid());
    EXPECT_EQ(ItemImage(doc->Tree(), bad, false), kImageLeafInvalid);
    EXPECT_TRUE(doc->Dirty());
    EXPECT_EQ(counter.changed, std::vector<int>{bad});

    // Fixed and validated again: the record turns valid, and only that change is told.
    LeafOf(bad).SetTitle("Saturn");
    doc->ForceDirty(false);
    counter.changed.clear();
    EXPECT_TRUE(Check());
    EXPECT_TRUE(LeafOf(bad).Valid());
    EXPECT_TRUE(doc->Dirty());
    EXPECT_EQ(counter.changed, std::vector<int>{bad});
    doc->Tree().RemoveObserver(&counter);
}

TEST_F(ValidateTest, DefaultTitlesAreWarningsThatFailValidation) {
    const int category = AddNodeUnder(Root(), "<Major Category>");
    AddFactUnder(category, "<FACT>");
    EXPECT_FALSE(Check());
    ASSERT_EQ(results.Entries().size(), 2u);
    for (const auto& entry : results.Entries()) {
        ASSERT_EQ(entry.messages.size(), 1u);
        EXPECT_TRUE(entry.messages[0].warning);
    }
    EXPECT_EQ(Findings(), (std::vector<std::string>{
                              "<Major Category> may not have been renamed from its default.",
                              "<FACT> may not have been renamed from its default."}));
}

TEST_F(ValidateTest, QAFOfElevenLinesFailsAndOfTenPasses) {
    const int category = AddNodeUnder(Root(), "Planets");
    const int leaf = AddQAFUnder(category, "Giants");
    // Question (1 line), answers 1 to 3 (1 each), answer 4 holding the rest.
    LeafOf(leaf).SetAnswer(4, "a\r\nb\r\nc\r\nd\r\ne\r\nf");
    EXPECT_TRUE(Check());
    LeafOf(leaf).SetAnswer(4, "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng");
    EXPECT_FALSE(Check());
    ASSERT_EQ(Findings().size(), 1u);
    EXPECT_EQ(Findings()[0],
              "Question text and all Answer text must be able to fit onto the Palm screen which "
              "has 10 available lines.  Question and Answer text would occupy 11 lines on the "
              "Palm.  Please shorten the Question text and/or Answer text.");
}

// Eight findings: the root's creator (2), then three leaves with default titles and three
// blank QAF questions.
class LimitTest : public ValidateTest {
protected:
    void SetUp() override {
        doc->Properties().Header().SetCreator("");
        const int category = AddNodeUnder(Root(), "Planets");
        for (int i = 0; i < 3; ++i) {
            AddFactUnder(category, "<FACT>");
            const int qaf = AddQAFUnder(category, "Q" + std::to_string(i));
            LeafOf(qaf).SetQuestion("");
        }
    }
};

TEST_F(LimitTest, StopsAfterTheLimitWithTheStopEntry) {
    EXPECT_FALSE(Check(CValidationLimit(true, 5)));
    EXPECT_EQ(Findings().size(), 5u);
    const auto& last = results.Entries().back();
    EXPECT_EQ(last.kind, kKindStopEntry);
    EXPECT_EQ(last.elementIndex, 0);
    EXPECT_EQ(last.text, "Validation stopped because error count has reached 5.");
    EXPECT_TRUE(last.messages.empty());
}

TEST_F(LimitTest, ItemsAfterTheStopKeepTheirValid) {
    Check(CValidationLimit(true, 5));
    // The fifth finding is the third leaf's; the leaves after it were not looked at.
    const auto& children = doc->Tree().Children(doc->Tree().FirstChild(Root()));
    EXPECT_FALSE(LeafOf(children[2]).Valid());
    for (std::size_t i = 3; i < children.size(); ++i) {
        EXPECT_TRUE(LeafOf(children[i]).Valid()) << "leaf " << i;
    }
}

TEST_F(LimitTest, ListsEveryFindingWithoutTheLimitOrBelowIt) {
    for (const auto& limit : {CValidationLimit::Off(), CValidationLimit(true, 9)}) {
        EXPECT_FALSE(Check(limit));
        EXPECT_EQ(Findings().size(), 8u);
        EXPECT_NE(results.Entries().back().kind, kKindStopEntry);
    }
    // Reaching the limit exactly with the last finding still reports the stop.
    Check(CValidationLimit(true, 8));
    EXPECT_EQ(Findings().size(), 8u);
    EXPECT_EQ(results.Entries().back().kind, kKindStopEntry);
}

TEST_F(ValidateTest, FailedRunSelectsTheFirstMessageAndShowsTheList) {
    results.Show(false);
    AddNodeUnder(Root(), "<Major Category>");
    EXPECT_FALSE(Check());
    ASSERT_TRUE(results.Selected().has_value());
    EXPECT_EQ(*results.Selected(), (CValidationResults::NodeRef{0, 0}));
    EXPECT_TRUE(results.Visible());
    EXPECT_EQ(results.Caption(), "Validation Errors For New Slide Show");
}

TEST_F(ValidateTest, StatusAndPointerAreRestored) {
    Ui().StatusBar().PushText("Ready");
    AddValidBranch();
    Check();
    EXPECT_EQ(Ui().StatusText(), "Ready");
    EXPECT_EQ(Ui().StatusPercentage(), "");
    EXPECT_EQ(Ui().Pointer(), MousePointer::Default);
    EXPECT_EQ(Ui().StatusBar().NumItems(), 0);
}

// A view that fails while the run tells it about a change.
class FailingObserver : public IDocumentObserver {
public:
    void ItemChanged(int, ItemAspects) override { throw CError::Object(kErrInvalidValue, "test"); }
};

TEST_F(ValidateTest, ErrorEndsTheRunAndKeepsWhatWasFound) {
    const int category = AddNodeUnder(Root(), "<Major Category>");
    AddFactUnder(category, "<FACT>");
    FailingObserver failing;
    doc->Tree().AddObserver(&failing);
    EXPECT_FALSE(Check());
    doc->Tree().RemoveObserver(&failing);
    // The category's finding is listed; storing its outcome failed, so the leaf never ran.
    EXPECT_EQ(Findings(), std::vector<std::string>{
                              "<Major Category> may not have been renamed from its default."});
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_EQ(Ui().Messages()[0].text, "Validate error: Invalid value.");
    EXPECT_EQ(Ui().Messages()[0].style, kStyleCritical);
    EXPECT_EQ(Ui().Pointer(), MousePointer::Default);
    EXPECT_TRUE(results.Visible());
}

TEST_F(ValidateTest, EmptyTreeDoesNotPass) {
    doc->ClearTree();
    EXPECT_FALSE(Check());
    EXPECT_EQ(Findings(), std::vector<std::string>{kNoSlides});
}

}  // namespace
}  // namespace trovique
