#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace trovique {

// Persistent text values grouped as application -> section -> key. The program keeps its
// preferences here; on Linux a QSettings INI file under the XDG config folder, on Windows the
// registry, in tests memory. A section may itself be a path of sub-keys joined with "\".
//
// Values are UTF-8 text at this boundary; callers that keep Windows-1252 convert at the edge.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    // The stored value, or nothing when the key (or its section) is missing.
    virtual std::optional<std::string> Get(const std::string& application,
                                           const std::string& section,
                                           const std::string& key) const = 0;
    virtual void Set(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) = 0;
    // Deletes one value; an empty key deletes the whole section with its sub-keys.
    virtual void Delete(const std::string& application, const std::string& section,
                        const std::string& key) = 0;
    // The values directly in a section, in a stable order.
    virtual std::vector<std::pair<std::string, std::string>> Values(
        const std::string& application, const std::string& section) const = 0;
    // The names of the sub-sections directly below a section.
    virtual std::vector<std::string> SubKeys(const std::string& application,
                                             const std::string& section) const = 0;

    // The value, or fallback when missing or empty (a missing key reads as the caller's default).
    std::string GetOr(const std::string& application, const std::string& section,
                      const std::string& key, const std::string& fallback) const {
        auto value = Get(application, section, key);
        return value && !value->empty() ? *value : fallback;
    }
};

}  // namespace trovique
