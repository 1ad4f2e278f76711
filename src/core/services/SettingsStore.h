#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace trovique {

// A stored value keeps the kind it was written with where the store can hold it: text, a 32-bit
// number or raw bytes (the registry's REG_SZ, REG_DWORD and REG_BINARY).
using SettingValue = std::variant<std::string, std::uint32_t, std::vector<std::uint8_t>>;

// The text form of a value: text as it is, a number in decimal, bytes one character each.
std::string SettingText(const SettingValue& value);

// Persistent text values grouped as application -> section -> key. The program keeps its
// preferences here; on Linux a QSettings INI file under the XDG config folder, on Windows the
// registry, in tests memory. A section may itself be a path of sub-keys joined with "\".
//
// Values are UTF-8 text at this boundary; callers that keep Windows-1252 convert at the edge.
// A store whose medium fails (a settings file that cannot be written) raises CError.
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

    // Typed access for callers that care about the kind (the registry wrapper). A store that
    // keeps text only hands numbers and bytes back as text.
    virtual std::optional<SettingValue> GetValue(const std::string& application,
                                                 const std::string& section,
                                                 const std::string& key) const {
        auto text = Get(application, section, key);
        return text ? std::optional<SettingValue>(std::move(*text)) : std::nullopt;
    }
    virtual void SetValue(const std::string& application, const std::string& section,
                          const std::string& key, const SettingValue& value) {
        Set(application, section, key, SettingText(value));
    }
    // Makes an empty section exist. Stores that keep no empty sections (INI files) do nothing;
    // the section appears there with its first value.
    virtual void CreateSection(const std::string& /*application*/, const std::string& /*section*/) {
    }

    // The value, or fallback when missing or empty (a missing key reads as the caller's default).
    std::string GetOr(const std::string& application, const std::string& section,
                      const std::string& key, const std::string& fallback) const {
        auto value = Get(application, section, key);
        return value && !value->empty() ? *value : fallback;
    }
};

}  // namespace trovique
