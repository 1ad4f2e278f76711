#include "core/app/ImportTimeLimit.h"

#include "core/common/NumericText.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/SettingNames.h"
#include "core/services/SettingsStore.h"

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
