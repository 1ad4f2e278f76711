#include "core/settings/InstallMethod.h"

#include <array>
#include <cctype>

#include "core/codec/Windows1252.h"
#include "core/common/Error.h"
#include "core/common/FindOnPath.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/RegAPI.h"
#include "core/services/SettingNames.h"

namespace trovique {
namespace {

constexpr std::array kMethods = {InstallMethod::PalmDesktop, InstallMethod::PilotXfer,
                                 InstallMethod::InstallFolder};

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string Setting(const ISettingsStore& store, const char* key) {
    return store.GetOr(std::string(kApplicationTitle), settings::kSettings, key, {});
}

}  // namespace

std::string_view InstallMethodName(InstallMethod method) {
    switch (method) {
        case InstallMethod::PalmDesktop:
            return "PalmDesktop";
        case InstallMethod::PilotXfer:
            return "PilotXfer";
        case InstallMethod::InstallFolder:
            return "InstallFolder";
    }
    return {};
}

std::string PalmDesktopFolder(ISettingsStore& store) {
    CRegAPI registry(store);
    registry.SetRootKey(CRegAPI::kHKeyCurrentUser);
    registry.SetBasePath(kPalmDesktopBasePath);
    return registry.GetSetting(kPalmDesktopApplication, kPalmDesktopSection, kPalmDesktopPathKey,
                               {});
}

InstallMethod ChosenInstallMethod(ISettingsStore& store) {
    const std::string stored = Setting(store, settings::kInstallMethod);
    if (!stored.empty()) {
        for (const InstallMethod method : kMethods) {
            if (SameName(stored, InstallMethodName(method))) {
                return method;
            }
        }
        throw CError(kErrInvalidValue, "InstallMethod",
                     "The install method " + Utf8ToWindows1252(stored) +
                         " is unknown; \"Settings\"/\"InstallMethod\" must be PalmDesktop, "
                         "PilotXfer or InstallFolder, or empty for the program to choose.");
    }
    if (!PalmDesktopFolder(store).empty()) {
        return InstallMethod::PalmDesktop;
    }
    if (!Setting(store, settings::kInstallFolder).empty()) {
        return InstallMethod::InstallFolder;
    }
    if (!FindOnPath(kPilotXferProgram).empty()) {
        return InstallMethod::PilotXfer;
    }
    return InstallMethod::PalmDesktop;
}

}  // namespace trovique
