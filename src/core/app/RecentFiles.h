#pragma once

#include <array>
#include <string>

#include "core/services/SettingNames.h"
#include "core/services/SettingsStore.h"

namespace trovique {

// File names as the program compares them: without regard to case.
bool SameFileName(const std::string& a, const std::string& b);

// The recent-file list: slots 1 to 5 (index 0 the newest) stored under "Recent Files", keys "1"
// to "5"; an empty text marks an empty slot.
class CRecentFiles {
public:
    using Slots = std::array<std::string, settings::kRecentFileCount>;

    explicit CRecentFiles(ISettingsStore& store);

    const Slots& Files() const { return slots_; }
    bool AnyUsed() const;
    // MRUSet: puts file in slot 1; the entries above its old place (slot 5 when it was absent)
    // move down by one, and all five slots are stored. An empty file changes nothing.
    void Set(const std::string& file);

private:
    ISettingsStore& store_;
    Slots slots_;
};

}  // namespace trovique
