#include "core/settings/WindowPlacement.h"

#include <gtest/gtest.h>

#include "core/services/ApplicationTitle.h"
#include "core/services/MemorySettingsStore.h"

namespace trovique {
namespace {

class WindowPlacementTest : public testing::Test {
protected:
    void Store(const std::string& key, const std::string& value) {
        store.Set(std::string(kApplicationTitle), "Settings", key, value);
    }
    std::string Stored(const std::string& key) const {
        return store.Get(std::string(kApplicationTitle), "Settings", key).value_or("<missing>");
    }

    MemorySettingsStore store;
    const WindowGeometry current{10, 20, 300, 400, WindowState::Normal};
};

TEST_F(WindowPlacementTest, WithoutAStoredPlacementOnlyTheFallbackStateApplies) {
    for (const char* width : {"", "0", "-5", "abc"}) {
        MemorySettingsStore fresh;
        if (*width != '\0') {
            fresh.Set(std::string(kApplicationTitle), "Settings", "MainWidth", width);
        }
        fresh.Set(std::string(kApplicationTitle), "Settings", "MainLeft", "999");
        WindowGeometry window = current;
        RestoreWindowPlacement(fresh, "Main", window, WindowState::Maximised);
        EXPECT_EQ(window.state, WindowState::Maximised) << width;
        EXPECT_EQ(window.left, 10) << width;
    }
}

TEST_F(WindowPlacementTest, AStoredPlacementIsRestoredMissingPartsKeptAndStateLeftAlone) {
    Store("ValidateWidth", "5000");
    Store("ValidateLeft", "120");
    Store("ValidateTop", "");
    Store("ValidateHeight", "3000twips");
    WindowGeometry window = current;
    RestoreWindowPlacement(store, "Validate", window, WindowState::Maximised);
    EXPECT_EQ(window.left, 120);
    EXPECT_EQ(window.top, 20);
    EXPECT_EQ(window.width, 5000);
    EXPECT_EQ(window.height, 3000);
    EXPECT_EQ(window.state, WindowState::Normal);
}

TEST_F(WindowPlacementTest, SavingWritesTheFourValuesUnderTheName) {
    SaveWindowPlacement(store, "Main", {-15, 30, 9000, 6000, WindowState::Maximised});
    EXPECT_EQ(Stored("MainLeft"), "-15");
    EXPECT_EQ(Stored("MainTop"), "30");
    EXPECT_EQ(Stored("MainWidth"), "9000");
    EXPECT_EQ(Stored("MainHeight"), "6000");
    EXPECT_EQ(Stored("ValidateLeft"), "<missing>");
}

TEST_F(WindowPlacementTest, AWindowClosedMinimisedReopensWhereItWasBefore) {
    SaveWindowPlacement(store, "Main", {100, 200, 8000, 5000, WindowState::Normal});
    SaveWindowPlacement(store, "Main", {0, 0, 1500, 500, WindowState::Minimised});
    WindowGeometry window = current;
    RestoreWindowPlacement(store, "Main", window, WindowState::Maximised);
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 200);
    EXPECT_EQ(window.width, 8000);
    EXPECT_EQ(window.height, 5000);
}

TEST_F(WindowPlacementTest, AMinimisedWindowNeverSavedStaysUnsaved) {
    SaveWindowPlacement(store, "Main", {0, 0, 1500, 500, WindowState::Minimised});
    EXPECT_EQ(store.ValueCount(), 0u);
}

}  // namespace
}  // namespace trovique
