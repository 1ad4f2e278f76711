#include "core/delivery/InstallTool.h"

#include "core/delivery/InstallFolderInstall.h"
#include "core/delivery/PilotXferInstall.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/Services.h"
#include "core/services/SettingNames.h"

namespace trovique {
namespace {

std::string Setting(const CServices& services, const char* key) {
    return services.settings.GetOr(std::string(kApplicationTitle), settings::kSettings, key, {});
}

class PalmDesktopInstall final : public IInstallTool {
public:
    PalmDesktopInstall(const CServices& services, IProcessRunner& runner,
                       ShortPathNameFunction shortPathName)
        : services_(services), runner_(runner), shortPathName_(std::move(shortPathName)) {}

    void Install(const std::vector<std::string>& files) override {
        InstallWithPalmDesktop(services_, runner_, files, shortPathName_);
    }
    std::string Destination() const override { return "the Palm install tool"; }

private:
    const CServices& services_;
    IProcessRunner& runner_;
    ShortPathNameFunction shortPathName_;
};

}  // namespace

std::unique_ptr<IInstallTool> MakeInstallTool(const CServices& services, IProcessRunner& runner,
                                              ShortPathNameFunction shortPathName) {
    switch (ChosenInstallMethod(services.settings)) {
        case InstallMethod::PilotXfer: {
            const std::string port = Setting(services, settings::kPilotPort);
            return std::make_unique<PilotXferInstall>(
                services, runner, port.empty() ? settings::kPilotPortDefault : port);
        }
        case InstallMethod::InstallFolder:
            return std::make_unique<InstallFolderInstall>(
                Setting(services, settings::kInstallFolder));
        case InstallMethod::PalmDesktop:
            break;
    }
    return std::make_unique<PalmDesktopInstall>(services, runner, std::move(shortPathName));
}

}  // namespace trovique
