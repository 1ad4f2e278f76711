#pragma once

#include <cstdint>
#include <string>

#include "core/services/SettingsStore.h"

namespace trovique {

enum class WindowState { Normal, Minimised, Maximised };

// Where a window is, in twips as the settings keep it; the faces convert from their own units.
struct WindowGeometry {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    WindowState state = WindowState::Normal;
};

// Gives window its stored placement under "Settings"/name + "Left", "Top", "Width", "Height".
// With no usable stored width (never saved) the window only takes fallbackState; otherwise each
// missing value keeps the window's current one. The state is never stored.
void RestoreWindowPlacement(const ISettingsStore& store, const std::string& name,
                            WindowGeometry& window, WindowState fallbackState);

// Stores the window's placement, unless it is minimised: the placement it had before is then
// the one worth keeping.
void SaveWindowPlacement(ISettingsStore& store, const std::string& name,
                         const WindowGeometry& window);

}  // namespace trovique
