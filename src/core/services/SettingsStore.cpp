#include "core/services/SettingsStore.h"

namespace trovique {

std::string SettingText(const SettingValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        return std::to_string(*number);
    }
    const auto& bytes = std::get<std::vector<std::uint8_t>>(value);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace trovique
