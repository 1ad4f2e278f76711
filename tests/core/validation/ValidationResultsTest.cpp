#include "core/validation/ValidationResults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ValidationFixture.h"
#include "core/document/ElementKinds.h"
#include "core/services/MessageStyle.h"

namespace trovique {
namespace {

using Action = CValidationResults::GoToOutcome::Action;
using NodeRef = CValidationResults::NodeRef;

class ValidationResultsTest : public testing::Test, public test::ValidationFixture {
protected:
    void Add(int index, const std::string& message, ElementKind kind = ElementKind::Leaf,
             DocumentControl control = DocumentControl::LeafTitle) {
        results.AddEntry(std::to_string(index) + ":Show\\Item " + std::to_string(index), message,
                         control, kind, false);
    }
    std::vector<std::size_t> MessagesPerEntry() const {
        std::vector<std::size_t> counts;
        for (const auto& entry : results.Entries()) {
            counts.push_back(entry.messages.size());
        }
        return counts;
    }
};

struct GroupingCase {
    const char* name;
    std::vector<int> indices;
    std::vector<std::size_t> messagesPerEntry;
};

class GroupingTest : public ValidationResultsTest,
                     public testing::WithParamInterface<GroupingCase> {};

TEST_P(GroupingTest, StartsAnEntryWheneverTheItemChanges) {
    for (const int index : GetParam().indices) {
        Add(index, "finding");
    }
    EXPECT_EQ(MessagesPerEntry(), GetParam().messagesPerEntry);
}

INSTANTIATE_TEST_SUITE_P(Findings, GroupingTest,
                         testing::Values(GroupingCase{"ThreeThenOne", {4, 4, 4, 9}, {3, 1}},
                                         // An item's later finding starts a second entry.
                                         GroupingCase{"FiveSevenFive", {5, 7, 5}, {1, 1, 1}},
                                         GroupingCase{"One", {2}, {1}},
                                         GroupingCase{"None", {}, {}}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ValidationResultsTest, EntriesAndMessagesCarryWhatTheWindowShows) {
    results.AddEntry("2:\\Show", "root finding", DocumentControl::Tree, ElementKind::Root, false);
    results.AddEntry("5:\\Show\\Planets", "node finding", DocumentControl::NodeTitle,
                     ElementKind::Node, true);
    results.AddEntry("17:\\Show\\Planets\\Mars", "leaf finding", DocumentControl::Question,
                     ElementKind::Leaf, false);
    results.AddEntry("0:Validation stopped because error count has reached 3.", "",
                     DocumentControl::None, kKindStopEntry, false);
    const auto& entries = results.Entries();
    ASSERT_EQ(entries.size(), 4u);
    const std::vector<int> images = {3, 3, 4, 5};
    const std::vector<std::string> texts = {
        "\\Show", "\\Show\\Planets", "\\Show\\Planets\\Mars",
        "Validation stopped because error count has reached 3."};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].Image(), images[i]) << i;
        EXPECT_EQ(entries[i].text, texts[i]) << i;
        EXPECT_TRUE(entries[i].expanded) << i;
    }
    EXPECT_TRUE(entries[3].messages.empty());
    const auto& message = entries[2].messages.at(0);
    EXPECT_EQ(message.text, "leaf finding");
    EXPECT_EQ(message.Tag(), "17");
    EXPECT_EQ(message.control, DocumentControl::Question);
    EXPECT_TRUE(entries[1].messages.at(0).warning);
    EXPECT_EQ(results.MessageCount(), 3u);
}

TEST_F(ValidationResultsTest, ReferenceWithoutColonIsItsOwnPathOfIndexZero) {
    results.AddEntry("no colon here", "m", DocumentControl::None, ElementKind::Leaf, false);
    // The path keeps any later colon.
    results.AddEntry("12:a:b", "m", DocumentControl::None, ElementKind::Leaf, false);
    ASSERT_EQ(results.Entries().size(), 2u);
    EXPECT_EQ(results.Entries()[0].elementIndex, 0);
    EXPECT_EQ(results.Entries()[0].text, "no colon here");
    EXPECT_EQ(results.Entries()[1].elementIndex, 12);
    EXPECT_EQ(results.Entries()[1].text, "a:b");
}

TEST_F(ValidationResultsTest, ClearForgetsEverythingAndGroupingStartsAfresh) {
    results.SetDocForm(doc.get());
    Add(4, "one");
    results.HighlightFirstItem();
    results.Clear();
    EXPECT_TRUE(results.Empty());
    EXPECT_EQ(results.DocForm(), nullptr);
    EXPECT_FALSE(results.Selected().has_value());
    EXPECT_FALSE(results.GoToEnabled());
    EXPECT_FALSE(results.RevalidateEnabled());
    EXPECT_EQ(results.Caption(), "Validation");
    Add(4, "two");
    EXPECT_EQ(MessagesPerEntry(), std::vector<std::size_t>{1});
    EXPECT_TRUE(results.GoToEnabled());
}

TEST_F(ValidationResultsTest, HighlightFirstItemSelectsTheFirstMessage) {
    EXPECT_FALSE(results.HighlightFirstItem());
    results.AddEntry("0:stopped", "", DocumentControl::None, kKindStopEntry, false);
    EXPECT_FALSE(results.HighlightFirstItem()) << "the stop entry has no message";
    Add(4, "one");
    Add(4, "two");
    EXPECT_TRUE(results.HighlightFirstItem());
    EXPECT_EQ(*results.Selected(), (NodeRef{1, 0}));
}

TEST_F(ValidationResultsTest, GoToOnAnEntryShowsItsFirstMessagesItemAndField) {
    const int category = AddNodeUnder(Root(), "<Major Category>");
    const int leaf = AddFactUnder(category, "Mars");
    LeafOf(leaf).SetSeeAlso(2, leaf);
    LeafOf(leaf).SetSeeAlso(3, leaf);
    EXPECT_FALSE(Check());
    doc->Tree().Select(Root());
    results.Select(NodeRef{1, std::nullopt});

    const auto outcome = results.GoTo();
    EXPECT_EQ(outcome.action, Action::Displayed);
    EXPECT_EQ(outcome.elementIndex, leaf);
    EXPECT_EQ(outcome.control, DocumentControl::SeeAlso2);
    EXPECT_EQ(*results.Selected(), (NodeRef{1, 0}));
    EXPECT_EQ(doc->Tree().Selected(), leaf);

    results.Select(NodeRef{0, 0});
    EXPECT_EQ(results.GoTo().elementIndex, category);
    EXPECT_EQ(doc->Tree().Selected(), category);
}

TEST_F(ValidationResultsTest, GoToOnTheStopEntryOpensTheOptions) {
    Add(4, "one");
    results.AddEntry("0:stopped", "", DocumentControl::None, kKindStopEntry, false);
    results.Select(NodeRef{1, std::nullopt});
    EXPECT_EQ(results.GoTo().action, Action::ShowOptions);
    // A double-click does the same on the stop entry, and only opens an entry with messages.
    EXPECT_EQ(results.DoAction(CValidationResults::kActionDoubleClick, {}).action,
              Action::ShowOptions);
    results.Select(NodeRef{0, std::nullopt});
    EXPECT_EQ(results.DoAction(CValidationResults::kActionDoubleClick, {}).action, Action::Nothing);
}

TEST_F(ValidationResultsTest, GoToWithoutSelectionDocumentOrLiveItemDoesNothing) {
    EXPECT_EQ(results.GoTo().action, Action::Nothing);
    Add(4, "one");
    results.HighlightFirstItem();
    EXPECT_EQ(results.GoTo().action, Action::NotDisplayed) << "no DocForm";
    EXPECT_TRUE(Ui().Messages().empty());
    // The element is outside the slide show: the window says it is gone.
    results.SetDocForm(doc.get());
    Add(9999, "gone");
    results.Select(NodeRef{1, 0});
    EXPECT_EQ(results.GoTo().action, Action::NotDisplayed);
    EXPECT_EQ(Ui().MessageTexts(), std::vector<std::string>{"The node has been deleted."});
}

TEST_F(ValidationResultsTest, RevalidatingAFixedSlideShowEmptiesTheList) {
    EXPECT_FALSE(results.Revalidate(CValidationLimit())) << "no DocForm";
    const int leaf = AddFactUnder(AddNodeUnder(Root(), "Planets"), "<FACT>");
    EXPECT_FALSE(Check());
    EXPECT_TRUE(results.RevalidateEnabled());
    LeafOf(leaf).SetTitle("Mars");
    results.DoAction(CValidationResults::kActionRevalidate, CValidationLimit());
    EXPECT_TRUE(results.Empty());
    EXPECT_EQ(results.DocForm(), doc.get());
    ASSERT_EQ(Ui().Messages().size(), 1u);
    EXPECT_EQ(Ui().Messages()[0].text, "The Slide Show is valid.");
    EXPECT_EQ(Ui().Messages()[0].style, kStyleInformation);
}

TEST_F(ValidationResultsTest, ClosingTheListedSlideShowLeavesNothingPointingAtIt) {
    EXPECT_FALSE(Check());
    auto other = NewDocument();
    results.DocumentClosing(other.get());
    EXPECT_EQ(results.DocForm(), doc.get());
    results.DocumentClosing(doc.get());
    EXPECT_EQ(results.DocForm(), nullptr);
    EXPECT_TRUE(results.Empty());
    EXPECT_FALSE(results.Visible());
}

}  // namespace
}  // namespace trovique
