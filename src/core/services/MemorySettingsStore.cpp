#include "core/services/MemorySettingsStore.h"

#include <algorithm>

namespace trovique {
namespace {

constexpr char kSeparator = '\\';

bool IsBelow(const std::string& path, const std::string& ancestor) {
    if (ancestor.empty()) {
        return !path.empty();
    }
    return path.size() > ancestor.size() && path.compare(0, ancestor.size(), ancestor) == 0 &&
           path[ancestor.size()] == kSeparator;
}

}  // namespace

std::string NormaliseSectionPath(const std::string& section) {
    std::string path;
    std::size_t start = 0;
    while (start <= section.size()) {
        std::size_t end = section.find(kSeparator, start);
        if (end == std::string::npos) {
            end = section.size();
        }
        if (end > start) {
            if (!path.empty()) {
                path += kSeparator;
            }
            path.append(section, start, end - start);
        }
        start = end + 1;
    }
    return path;
}

const MemorySettingsStore::Section* MemorySettingsStore::FindSection(
    const std::string& application, const std::string& section) const {
    const auto app = applications_.find(application);
    if (app == applications_.end()) {
        return nullptr;
    }
    const auto found = app->second.find(NormaliseSectionPath(section));
    return found == app->second.end() ? nullptr : &found->second;
}

std::optional<std::string> MemorySettingsStore::Get(const std::string& application,
                                                    const std::string& section,
                                                    const std::string& key) const {
    auto value = GetValue(application, section, key);
    return value ? std::optional<std::string>(SettingText(*value)) : std::nullopt;
}

std::optional<SettingValue> MemorySettingsStore::GetValue(const std::string& application,
                                                          const std::string& section,
                                                          const std::string& key) const {
    const Section* values = FindSection(application, section);
    if (values == nullptr) {
        return std::nullopt;
    }
    const auto found = values->find(key);
    return found == values->end() ? std::nullopt : std::optional<SettingValue>(found->second);
}

void MemorySettingsStore::Set(const std::string& application, const std::string& section,
                              const std::string& key, const std::string& value) {
    SetValue(application, section, key, value);
}

void MemorySettingsStore::SetValue(const std::string& application, const std::string& section,
                                   const std::string& key, const SettingValue& value) {
    CreateSection(application, section);
    applications_[application][NormaliseSectionPath(section)][key] = value;
}

void MemorySettingsStore::CreateSection(const std::string& application,
                                        const std::string& section) {
    // Like a registry key, a section brings its parents into being.
    auto& sections = applications_[application];
    const std::string path = NormaliseSectionPath(section);
    std::size_t end = 0;
    while ((end = path.find(kSeparator, end)) != std::string::npos) {
        sections[path.substr(0, end)];
        ++end;
    }
    sections[path];
}

void MemorySettingsStore::Delete(const std::string& application, const std::string& section,
                                 const std::string& key) {
    const auto app = applications_.find(application);
    if (app == applications_.end()) {
        return;
    }
    auto& sections = app->second;
    const std::string path = NormaliseSectionPath(section);
    if (!key.empty()) {
        const auto found = sections.find(path);
        if (found != sections.end()) {
            found->second.erase(key);
        }
        return;
    }
    std::erase_if(sections, [&](const auto& entry) {
        return entry.first == path || IsBelow(entry.first, path);
    });
}

std::vector<std::pair<std::string, std::string>> MemorySettingsStore::Values(
    const std::string& application, const std::string& section) const {
    std::vector<std::pair<std::string, std::string>> values;
    if (const Section* found = FindSection(application, section)) {
        for (const auto& [key, value] : *found) {
            values.emplace_back(key, SettingText(value));
        }
    }
    return values;
}

std::vector<std::string> MemorySettingsStore::SubKeys(const std::string& application,
                                                      const std::string& section) const {
    std::vector<std::string> names;
    const auto app = applications_.find(application);
    if (app == applications_.end()) {
        return names;
    }
    const std::string path = NormaliseSectionPath(section);
    const std::size_t skip = path.empty() ? 0 : path.size() + 1;
    for (const auto& [candidate, values] : app->second) {
        if (IsBelow(candidate, path) && candidate.find(kSeparator, skip) == std::string::npos) {
            names.push_back(candidate.substr(skip));
        }
    }
    return names;
}

std::size_t MemorySettingsStore::ValueCount() const {
    std::size_t count = 0;
    for (const auto& [application, sections] : applications_) {
        for (const auto& [path, values] : sections) {
            count += values.size();
        }
    }
    return count;
}

}  // namespace trovique
