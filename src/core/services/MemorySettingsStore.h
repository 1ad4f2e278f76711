#pragma once

#include <map>
#include <set>
#include <string>

#include "core/services/SettingsStore.h"

namespace trovique {

// A settings store held in memory, for tests and for runs that must not touch the user's
// settings. It behaves like the registry: sections are "\"-separated paths of sub-keys (empty
// parts are ignored), a section can exist without values, values keep their kind, and names
// compare exactly.
class MemorySettingsStore : public ISettingsStore {
public:
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
    void CreateSection(const std::string& application, const std::string& section) override;

    // The number of values held over all applications, for tests that check nothing else was
    // written.
    std::size_t ValueCount() const;

private:
    using Section = std::map<std::string, SettingValue>;
    // Sections by application, then by normalised path ("a\b"; "" is the application's root).
    std::map<std::string, std::map<std::string, Section>> applications_;

    const Section* FindSection(const std::string& application, const std::string& section) const;
};

// "a\\b\" -> "a\b": the form sections are kept in.
std::string NormaliseSectionPath(const std::string& section);

}  // namespace trovique
