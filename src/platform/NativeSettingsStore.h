#pragma once

#include <string>

#include "core/services/SettingsStore.h"

namespace trovique {

// The user's settings kept the platform's own way through QSettings: on Linux one INI file per
// application, "$XDG_CONFIG_HOME/<organisation>/<application>.conf"; on Windows the registry
// under HKEY_CURRENT_USER\Software\<organisation>\<application>. Sections are groups; a section
// path "a\b" is a group inside a group. Application names that are registry roots
// ("HKEY_CURRENT_USER") are the registry itself on Windows and a file of that name elsewhere.
//
// Every call opens the settings afresh and writes through at once, so several processes see
// each other's changes. A write that cannot be saved raises CError naming the file. A file that
// could not be read whole (damaged by hand) is copied to "<file>.damaged" when first read,
// since the next write keeps only what could be read.
class NativeSettingsStore : public ISettingsStore {
public:
    static constexpr const char* kOrganisation = "Norvane";

    explicit NativeSettingsStore(std::string organisation = kOrganisation);

    std::optional<std::string> Get(const std::string& application, const std::string& section,
                                   const std::string& key) const override;
    void Set(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) override;
    void Delete(const std::string& application, const std::string& section,
                const std::string& key) override;
    std::vector<std::pair<std::string, std::string>> Values(
        const std::string& application, const std::string& section) const override;
    std::vector<std::string> SubKeys(const std::string& application,
                                     const std::string& section) const override;
    std::optional<SettingValue> GetValue(const std::string& application, const std::string& section,
                                         const std::string& key) const override;
    void SetValue(const std::string& application, const std::string& section,
                  const std::string& key, const SettingValue& value) override;

    // Where an application's settings live: the file, or the registry key on Windows.
    std::string Location(const std::string& application) const;

private:
    std::string organisation_;
};

}  // namespace trovique
