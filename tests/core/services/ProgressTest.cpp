#include "core/services/Progress.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/ScriptedUserInterface.h"

namespace trovique {
namespace {

using test::CScriptedUserInterface;

TEST(CProgressTest, StartsClearedAndOnTop) {
    CScriptedUserInterface ui;
    CProgress& progress = ui.Progress();
    EXPECT_EQ(progress.Text(), "");
    EXPECT_EQ(progress.NumItems(), 0);
    EXPECT_EQ(progress.Percentage(), 0);
    EXPECT_TRUE(progress.AllowCancel());
    EXPECT_TRUE(progress.OnTop());
    EXPECT_FALSE(ui.ProgressVisible());
    EXPECT_FALSE(progress.UserCancel());
}

TEST(CProgressTest, EveryChangeUpdatesTheWindow) {
    CScriptedUserInterface ui;
    CProgress& progress = ui.Progress();
    progress.SetText("Importing slides");
    progress.SetNumItems(9);
    for (int i = 0; i < 7; ++i) {
        progress.IncNumItemsComplete();
    }
    const ProgressDisplay& shown = ui.ProgressUpdates().back();
    EXPECT_EQ(shown.text, "Importing slides");
    EXPECT_EQ(shown.percentage, 77);
    EXPECT_EQ(progress.Percentage(), 77);
    progress.SetNumItemsComplete(40);
    EXPECT_EQ(ui.ProgressUpdates().back().percentage, 100);
    progress.SetOnTop(false);
    progress.SetAllowCancel(false);
    EXPECT_FALSE(ui.ProgressUpdates().back().onTop);
    EXPECT_FALSE(ui.ProgressUpdates().back().allowCancel);
}

TEST(CProgressTest, ClearResetsAllButOnTop) {
    CScriptedUserInterface ui;
    CProgress& progress = ui.Progress();
    progress.SetOnTop(false);
    progress.SetAllowCancel(false);
    progress.SetText("Reading");
    progress.SetNumItems(4);
    progress.SetNumItemsComplete(2);
    progress.Show();
    ui.PressCloseBox();
    ASSERT_TRUE(progress.UserCancel());

    for (const bool hide : {false, true}) {
        progress.Clear(hide);
        EXPECT_EQ(progress.Text(), "");
        EXPECT_EQ(progress.NumItems(), 0);
        EXPECT_EQ(progress.NumItemsComplete(), 0);
        EXPECT_EQ(progress.Percentage(), 0);
        EXPECT_TRUE(progress.AllowCancel());
        EXPECT_FALSE(progress.OnTop());
        EXPECT_FALSE(progress.UserCancel());
        EXPECT_EQ(ui.ProgressVisible(), !hide);
    }
}

TEST(CProgressTest, ScopeStopsAtCancelAndHidesOnEveryWayOut) {
    CScriptedUserInterface ui;
    CProgress& progress = ui.Progress();
    int done = 0;
    {
        CProgressScope scope(progress, "Converting", 10);
        EXPECT_TRUE(ui.ProgressVisible());
        ui.CancelAfterUpdates(3);
        while (!progress.UserCancel() && done < 10) {
            ++done;
            progress.IncNumItemsComplete();
        }
    }
    EXPECT_EQ(done, 3);
    EXPECT_FALSE(ui.ProgressVisible());
    EXPECT_FALSE(progress.UserCancel());  // the next operation starts afresh

    try {
        CProgressScope scope(progress, "Converting", 10);
        throw std::runtime_error("broken slide");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(ui.ProgressVisible());
}

}  // namespace
}  // namespace trovique
