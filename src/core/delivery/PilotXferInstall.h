#pragma once

#include <string>
#include <vector>

#include "core/delivery/InstallTool.h"

namespace trovique {

// Installs with pilot-link's pilot-xfer, found on the PATH: "pilot-xfer -p PORT -i FILES...".
// It waits for the user to press the handheld's HotSync button; the wait is limited by
// "Settings"/"MaxInstAppWaitSeconds" like the Palm install tool's, and a pilot-xfer still waiting
// then is ended, since the files it would install are about to be deleted.
class PilotXferInstall final : public IInstallTool {
public:
    PilotXferInstall(const CServices& services, IProcessRunner& runner, std::string port);

    // Raises CError 53 when pilot-xfer is not on the PATH or cannot be started, and CError 75
    // when it ends without installing (no handheld in time, a failed transfer), with what it
    // said.
    void Install(const std::vector<std::string>& files) override;
    void CheckReady() const override;
    std::string Destination() const override;

    // The command for files, the program as found on the PATH.
    std::vector<std::string> Command(const std::string& program,
                                     const std::vector<std::string>& files) const;

private:
    const CServices& services_;
    IProcessRunner& runner_;
    std::string port_;
};

}  // namespace trovique
