#include "core/app/ImportTimeLimit.h"

#include "core/app/ApplicationTitle.h"
#include "core/app/NumericText.h"
#include "core/app/SettingNames.h"
#include "core/app/SettingsStore.h"

namespace trovique {

std::chrono::seconds ImportTimeLimit(const ISettingsStore& settings) {
    const std::int32_t stored = LeadingInteger(settings.GetOr(
        std::string(kApplicationTitle), settings::kSettings, settings::kImportTimeoutSeconds, {}));
    if (stored > 0) {
        return std::chrono::seconds(stored);
    }
    return std::chrono::seconds(LeadingInteger(settings::kImportTimeoutSecondsDefault));
}

}  // namespace trovique
