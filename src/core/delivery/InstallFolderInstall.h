#pragma once

#include <string>
#include <vector>

#include "core/delivery/InstallTool.h"

namespace trovique {

// Copies the files into a folder that something else picks up from: an emulator's auto-install
// folder, a sync tool's queue. Each file appears there whole or not at all (written beside its
// place and renamed over it), so a watcher never takes a half-copied database. A viewer
// application already there is kept when it is newer than the one shipped, or the same.
class InstallFolderInstall final : public IInstallTool {
public:
    explicit InstallFolderInstall(std::string folder);

    // Raises CError 75 when no folder is set, it is not a folder, or a copy fails; a copy that
    // fails leaves the file there before unchanged.
    void Install(const std::vector<std::string>& files) override;
    void CheckReady() const override;
    std::string Destination() const override;

private:
    std::string folder_;
};

// Whether the viewer application at candidate should replace the one at installed: when
// nothing (or no viewer application) is there, or candidate is newer. Newer means a higher
// database version in the header, then a later modification time in the header; files whose
// headers cannot both be read compare by their file times.
bool ViewerIsNewer(const std::string& candidate, const std::string& installed);

}  // namespace trovique
