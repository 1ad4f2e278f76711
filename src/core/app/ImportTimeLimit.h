#pragma once

#include <chrono>

namespace trovique {

class ISettingsStore;

// How long an office suite may take to open and render one presentation:
// "Settings"/"ImportTimeoutSeconds", or its default when missing, empty or not positive, since
// an office suite that hangs must not hold the program up for ever.
std::chrono::seconds ImportTimeLimit(const ISettingsStore& settings);

}  // namespace trovique
