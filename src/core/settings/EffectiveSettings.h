#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trovique {

class CApplication;

// One setting as the program sees it: the value in use and whether it came from the store or
// is the default. A stored text can be out of effect, the default being used instead: then it is
// kept in ignoredText and ignoredReason says why, naming what else must be stored.
struct EffectiveSetting {
    std::string section;
    std::string key;
    std::string value;
    bool stored = false;
    std::string ignoredText;
    std::string ignoredReason;

    bool Ignored() const { return !ignoredReason.empty(); }
};

// Every setting the program knows, section by section in the order the sections are documented,
// followed in each section by any other values stored there. The values are those the program
// uses: a corrupt stored text shows the default it falls back to.
std::vector<EffectiveSetting> EffectiveSettings(const CApplication& application);

// The listed setting of that section and key (proper names), or null when it is not listed.
const EffectiveSetting* FindSetting(const std::vector<EffectiveSetting>& settings,
                                    const std::string& section, const std::string& key);

// The section's proper name when it is one of the program's sections (any letter case), else
// empty.
std::string KnownSection(std::string_view name);
// The key's proper name when it is a known key of that section (any letter case), else the name
// as given.
std::string KnownKey(const std::string& section, const std::string& key);

}  // namespace trovique
