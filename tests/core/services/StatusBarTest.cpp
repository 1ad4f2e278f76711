#include "core/services/StatusBar.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

namespace trovique {
namespace {

struct RecordingView : IStatusBarView {
    std::string panels[2];
    void SetPanelText(int panel, const std::string& text) override { panels[panel - 1] = text; }
};

class CStatusBarTest : public ::testing::Test {
protected:
    RecordingView view;
    CStatusBar status{&view};
};

TEST_F(CStatusBarTest, TextStackShowsTheLastEntry) {
    status.PushText("A");
    status.PushText("B");
    EXPECT_EQ(view.panels[0], "B");
    status.PopText();
    EXPECT_EQ(view.panels[0], "A");
    status.PopText();
    EXPECT_EQ(view.panels[0], "");
    status.PopText();  // on an empty stack: nothing to drop, panel stays empty
    EXPECT_EQ(view.panels[0], "");
    EXPECT_EQ(status.Depth(), 0u);
}

TEST_F(CStatusBarTest, SetTextReplacesTheTopOrPushesOntoAnEmptyStack) {
    status.SetText("Ready");
    EXPECT_EQ(status.Depth(), 1u);
    status.PushText("Reading");
    status.SetText("Reading slide 3");
    EXPECT_EQ(status.Depth(), 2u);
    EXPECT_EQ(view.panels[0], "Reading slide 3");
    status.PopText();
    EXPECT_EQ(view.panels[0], "Ready");
    status.Clear();
    EXPECT_EQ(status.Depth(), 0u);
    EXPECT_EQ(view.panels[0], "");
}

TEST_F(CStatusBarTest, PercentagePanel) {
    struct Case {
        std::int32_t complete;
        std::int32_t total;
        std::int16_t percentage;
        const char* panel;
    };
    const Case cases[] = {
        {7, 9, 77, "77%"},
        {0, 0, 0, ""},
        {5, 0, 0, ""},
        {0, 9, 0, ""},
        {1, 200, 0, ""},
        {2, 200, 1, "1%"},
        {9, 9, 100, "100%"},
        {12, 9, 100, "100%"},
        {-3, 9, 0, ""},
        {3, -9, 0, ""},
        {INT_MAX, INT_MAX, 100, "100%"},
        {INT_MAX - 1, INT_MAX, 99, "99%"},
    };
    for (const auto& c : cases) {
        status.SetNumItems(c.total);
        status.SetNumItemsComplete(c.complete);
        EXPECT_EQ(status.Percentage(), c.percentage) << c.complete << " of " << c.total;
        EXPECT_EQ(view.panels[1], c.panel) << c.complete << " of " << c.total;
    }
}

TEST_F(CStatusBarTest, CountsRefreshAndClearPercentageHidesIt) {
    EXPECT_EQ(status.Percentage(), -1);  // nothing computed yet
    status.SetNumItems(3);
    status.IncNumItemsComplete();
    status.IncNumItemsComplete();
    EXPECT_EQ(status.NumItemsComplete(), 2);
    EXPECT_EQ(view.panels[1], "66%");
    status.ClearPercentage();
    EXPECT_EQ(status.NumItems(), 0);
    EXPECT_EQ(status.NumItemsComplete(), 0);
    EXPECT_EQ(view.panels[1], "");
}

TEST_F(CStatusBarTest, NestedScopesRestoreTheCallersTextOnEveryWayOut) {
    status.PushText("Ready");
    try {
        CStatusTextScope outer(status, "Exporting");
        {
            CStatusTextScope inner(status, "Validating");
            EXPECT_EQ(view.panels[0], "Validating");
        }
        EXPECT_EQ(view.panels[0], "Exporting");
        throw std::runtime_error("disk full");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(view.panels[0], "Ready");
    EXPECT_EQ(status.Depth(), 1u);
}

TEST(CStatusBarUnboundTest, WorksWithoutAViewAndShowsStateWhenBound) {
    CStatusBar status;
    status.PushText("Reading");
    status.SetNumItems(4);
    status.SetNumItemsComplete(1);
    EXPECT_EQ(status.Percentage(), 25);
    RecordingView view;
    status.SetStatusBar(&view);
    EXPECT_EQ(view.panels[0], "Reading");
    EXPECT_EQ(view.panels[1], "25%");
}

}  // namespace
}  // namespace trovique
