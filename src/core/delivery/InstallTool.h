#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/delivery/HotSyncInstall.h"
#include "core/settings/InstallMethod.h"

namespace trovique {

class IProcessRunner;
struct CServices;

// One way of handing the viewer application and a slide show to the handheld.
class IInstallTool {
public:
    virtual ~IInstallTool() = default;
    // files: full paths, the viewer application first, then the database. Raises CError when
    // they could not be handed over; a tool the user closes late is no failure of the hand-over.
    virtual void Install(const std::vector<std::string>& files) = 0;
    // Raises the CError Install would raise for a tool that is plainly not there (no install
    // folder, no pilot-xfer), so that the run can stop before its long import.
    virtual void CheckReady() const {}
    // Where the files went, for the user: "the Palm install tool", "pilot-xfer on usb:", ...
    virtual std::string Destination() const = 0;
};

// The tool of the method the settings choose (ChosenInstallMethod), which raises for an unknown
// method.
std::unique_ptr<IInstallTool> MakeInstallTool(const CServices& services, IProcessRunner& runner,
                                              ShortPathNameFunction shortPathName = {});

}  // namespace trovique
