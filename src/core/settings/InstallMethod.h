#pragma once

#include <string>
#include <string_view>

namespace trovique {

class ISettingsStore;

// Where the Palm Desktop keeps its installation folder: the value "Path" of the key
// HKEY_CURRENT_USER\Software\U.S. Robotics\Pilot Desktop\Core. Off Windows the same names are
// kept in the settings store (see CRegAPI).
inline constexpr const char* kPalmDesktopBasePath = "Software\\U.S. Robotics";
inline constexpr const char* kPalmDesktopApplication = "Pilot Desktop";
inline constexpr const char* kPalmDesktopSection = "Core";
inline constexpr const char* kPalmDesktopPathKey = "Path";

// pilot-link's installer, looked for on the PATH.
inline constexpr const char* kPilotXferProgram = "pilot-xfer";

// The three ways a slide show and its viewer reach the handheld, chosen by
// "Settings"/"InstallMethod".
enum class InstallMethod {
    PalmDesktop,    // the Palm Desktop's install tool, queued for the next HotSync
    PilotXfer,      // pilot-xfer, which installs at once over the handheld's port
    InstallFolder,  // copies into a folder that an emulator or a sync tool picks files up from
};

// The setting's texts for the methods; stored texts are compared without regard to case.
std::string_view InstallMethodName(InstallMethod method);

// The Palm Desktop's installation folder as registered; empty when it is not installed.
std::string PalmDesktopFolder(ISettingsStore& store);

// The method in use: the stored one, else the Palm Desktop's tool where its key exists, else
// the install folder once one is set, else pilot-xfer when it is on the PATH, else the Palm
// Desktop's tool again, whose missing key is then the error the user sees. A stored text that
// names none of the methods raises CError naming the choices.
InstallMethod ChosenInstallMethod(ISettingsStore& store);

}  // namespace trovique
