#include "core/services/RegAPI.h"

#include <array>
#include <cmath>
#include <limits>

#include "core/common/Error.h"
#include "core/common/NumericText.h"

namespace trovique {
namespace {

struct RootEntry {
    std::uint32_t handle;
    std::string_view name;
};

constexpr std::array<RootEntry, 5> kRoots{{
    {CRegAPI::kHKeyClassesRoot, "HKEY_CLASSES_ROOT"},
    {CRegAPI::kHKeyCurrentUser, "HKEY_CURRENT_USER"},
    {CRegAPI::kHKeyLocalMachine, "HKEY_LOCAL_MACHINE"},
    {CRegAPI::kHKeyUsers, "HKEY_USERS"},
    {CRegAPI::kHKeyCurrentConfig, "HKEY_CURRENT_CONFIG"},
}};

std::uint32_t TextToNumber(const std::string& text) {
    const double number = std::nearbyint(LeadingNumber(text));
    if (!(number > 0.0)) {
        return 0;
    }
    constexpr double kHighest = std::numeric_limits<std::uint32_t>::max();
    return number >= kHighest ? std::numeric_limits<std::uint32_t>::max()
                              : static_cast<std::uint32_t>(number);
}

// The kind SaveSetting's type 0 chooses for a text.
SettingValue ChooseKind(const std::string& text) {
    if (IsPlainUnsigned32(text)) {
        return TextToNumber(text);
    }
    return text;
}

std::vector<std::uint8_t> NumberBytes(std::uint32_t number) {
    return {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
}

SettingValue AsStored(const RegValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        return *number;
    }
    if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value)) {
        return *bytes;
    }
    return std::string();
}

SettingValue Convert(const RegValue& value, std::uint32_t type, const char* source) {
    const SettingValue stored = AsStored(value);
    switch (type) {
        case CRegAPI::kRegChoose:
            if (const auto* text = std::get_if<std::string>(&stored)) {
                return ChooseKind(*text);
            }
            return stored;
        case CRegAPI::kRegSz:
            return SettingText(stored);
        case CRegAPI::kRegDword:
            if (const auto* number = std::get_if<std::uint32_t>(&stored)) {
                return *number;
            }
            return TextToNumber(SettingText(stored));
        case CRegAPI::kRegBinary:
            if (const auto* number = std::get_if<std::uint32_t>(&stored)) {
                return NumberBytes(*number);
            }
            if (const auto* text = std::get_if<std::string>(&stored)) {
                return std::vector<std::uint8_t>(text->begin(), text->end());
            }
            return stored;
        default:
            throw CError::Object(kErrInvalidValue, source);
    }
}

}  // namespace

CRegAPI::CRegAPI(ISettingsStore& store) : store_(store) {}

std::string_view CRegAPI::RootName(std::uint32_t root) {
    for (const auto& entry : kRoots) {
        if (entry.handle == root) {
            return entry.name;
        }
    }
    return {};
}

void CRegAPI::SetRootKey(std::uint32_t root) {
    if (RootName(root).empty()) {
        throw CError::Object(kErrInvalidValue, "CRegAPI:RootKey");
    }
    rootKey_ = root;
}

std::string CRegAPI::ComposeKeyPath(std::string_view base, std::string_view application,
                                    std::string_view section) {
    std::string path;
    for (const std::string_view part : {base, application, section}) {
        if (part.empty()) {
            continue;
        }
        if (!path.empty()) {
            path += '\\';
        }
        path += part;
    }
    return path;
}

std::string CRegAPI::GetSetting(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& fallback) const {
    return store_.GetOr(Root(), ComposeKeyPath(basePath_, application, section), key, fallback);
}

void CRegAPI::SaveSetting(const std::string& application, const std::string& section,
                          const std::string& key, const std::string& value, std::uint32_t type) {
    Write(ComposeKeyPath(basePath_, application, section), key,
          Convert(value, type, "CRegAPI:SaveSetting"));
}

void CRegAPI::DeleteSetting(const std::string& application, const std::string& section,
                            const std::string& key) {
    store_.Delete(Root(), ComposeKeyPath(basePath_, application, section), key);
}

std::vector<std::pair<std::string, std::string>> CRegAPI::GetAllSettings(
    const std::string& application, const std::string& section) const {
    return store_.Values(Root(), ComposeKeyPath(basePath_, application, section));
}

std::vector<std::string> CRegAPI::GetAllKeys(const std::string& application,
                                             const std::string& section) const {
    return store_.SubKeys(Root(), ComposeKeyPath(basePath_, application, section));
}

RegValue CRegAPI::QueryValue(const std::string& keyPath, const std::string& valueName) const {
    const auto value = store_.GetValue(Root(), ComposeKeyPath(basePath_, keyPath, {}), valueName);
    if (!value) {
        return std::monostate{};
    }
    return std::visit([](const auto& held) { return RegValue(held); }, *value);
}

void CRegAPI::SetKeyValue(const std::string& keyPath, const std::string& valueName,
                          const RegValue& value, std::uint32_t type) {
    Write(ComposeKeyPath(basePath_, keyPath, {}), valueName,
          Convert(value, type, "CRegAPI:SetKeyValue"));
}

void CRegAPI::CreateKey(const std::string& keyPath) {
    store_.CreateSection(Root(), ComposeKeyPath(basePath_, keyPath, {}));
}

void CRegAPI::Write(const std::string& keyPath, const std::string& valueName,
                    const SettingValue& value) {
    store_.SetValue(Root(), keyPath, valueName, value);
}

}  // namespace trovique
