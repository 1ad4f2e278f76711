#pragma once

#include <string_view>

namespace trovique {

// The caption of the main window, the default title of every message and the application name
// under which the settings are stored.
inline constexpr std::string_view kApplicationTitle = "Norvane Trovique";

}  // namespace trovique
