#include "core/settings/WindowPlacement.h"

#include "core/common/NumericText.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/SettingNames.h"

namespace trovique {
namespace {

// The stored number, or current when the key is missing or empty.
std::int32_t ReadNumber(const ISettingsStore& store, const std::string& key, std::int32_t current) {
    const std::string text =
        store.GetOr(std::string(kApplicationTitle), settings::kSettings, key, {});
    return text.empty() ? current : LeadingInteger(text);
}

// Whether a placement was ever stored: its width reads as a positive number.
bool HasStoredPlacement(const ISettingsStore& store, const std::string& name) {
    const std::string width = store.GetOr(std::string(kApplicationTitle), settings::kSettings,
                                          name + settings::kWidth, "-1000");
    return LeadingNumber(width) > 0.0;
}

void WriteNumber(ISettingsStore& store, const std::string& key, std::int32_t value) {
    store.Set(std::string(kApplicationTitle), settings::kSettings, key, std::to_string(value));
}

}  // namespace

void RestoreWindowPlacement(const ISettingsStore& store, const std::string& name,
                            WindowGeometry& window, WindowState fallbackState) {
    if (!HasStoredPlacement(store, name)) {
        window.state = fallbackState;
        return;
    }
    window.left = ReadNumber(store, name + settings::kLeft, window.left);
    window.top = ReadNumber(store, name + settings::kTop, window.top);
    window.width = ReadNumber(store, name + settings::kWidth, window.width);
    window.height = ReadNumber(store, name + settings::kHeight, window.height);
}

void SaveWindowPlacement(ISettingsStore& store, const std::string& name,
                         const WindowGeometry& window) {
    if (window.state == WindowState::Minimised) {
        return;
    }
    WriteNumber(store, name + settings::kLeft, window.left);
    WriteNumber(store, name + settings::kTop, window.top);
    WriteNumber(store, name + settings::kWidth, window.width);
    WriteNumber(store, name + settings::kHeight, window.height);
}

}  // namespace trovique
