#include "core/delivery/HotSyncInstall.h"

#include <cctype>

#include "core/common/Error.h"
#include "core/common/NumericText.h"
#include "core/delivery/InstallTool.h"
#include "core/delivery/PathOps.h"
#include "core/delivery/ShellAndWait.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/Services.h"
#include "core/services/SettingNames.h"

namespace trovique {
namespace {

// The command line the tool was written for is limited; past this the short forms are used.
constexpr std::size_t kLongArgumentList = 128;

// A failed short form falls back to the long one: a path with a blank beats no path.
std::string ShortOrLong(const std::string& path, const ShortPathNameFunction& shortPathName) {
    std::string shortPath = TrimAtNul(shortPathName(path));
    return shortPath.empty() ? path : shortPath;
}

std::string ShortFolderLongName(const std::string& file,
                                const ShortPathNameFunction& shortPathName) {
    const std::string name = PathFileName(file);
    if (name.find(' ') != std::string::npos) {
        return ShortOrLong(file, shortPathName);
    }
    const std::string folder = PathFolder(file);
    if (folder.empty()) {
        return file;
    }
    return EnsureTrailingBackslash(ShortOrLong(folder, shortPathName)) + name;
}

std::size_t JoinedLength(const std::vector<std::string>& arguments) {
    std::size_t length = arguments.empty() ? 0 : arguments.size() - 1;
    for (const auto& argument : arguments) {
        length += argument.size();
    }
    return length;
}

bool StartsWithNumber(const std::string& text) {
    std::size_t at = text.find_first_not_of(" \t");
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        ++at;
    }
    return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) != 0;
}

}  // namespace

std::vector<std::string> InstallToolArguments(const std::vector<std::string>& files,
                                              const ShortPathNameFunction& shortPathName) {
    if (!shortPathName) {
        return files;
    }
    std::vector<std::string> arguments;
    for (const auto& file : files) {
        arguments.push_back(ShortFolderLongName(file, shortPathName));
    }
    if (JoinedLength(arguments) >= kLongArgumentList) {
        arguments.clear();
        for (const auto& file : files) {
            arguments.push_back(ShortOrLong(file, shortPathName));
        }
    }
    return arguments;
}

int InstallToolWaitSeconds(const CServices& services) {
    const std::string stored = services.settings.GetOr(
        std::string(kApplicationTitle), settings::kSettings, settings::kMaxInstAppWaitSeconds, {});
    return LeadingInteger(StartsWithNumber(stored) ? stored
                                                   : settings::kMaxInstAppWaitSecondsDefault);
}

void InstallWithPalmDesktop(const CServices& services, IProcessRunner& runner,
                            const std::vector<std::string>& files,
                            const ShortPathNameFunction& shortPathName) {
    const std::string folder = PalmDesktopFolder(services.settings);
    if (folder.empty()) {
        throw CError(kErrHotSyncInstall, kHotSyncInstallSource, kNoInstallToolText);
    }
    std::vector<std::string> command = {EnsureTrailingBackslash(folder) + kInstallToolName};
    for (auto& argument : InstallToolArguments(files, shortPathName)) {
        command.push_back(std::move(argument));
    }
    // Whether the tool was closed in time changes nothing: the files are queued or they are not,
    // and either way the run goes on to clean up.
    (void)ShellAndWait(runner, services.ui, command, InstallToolWaitSeconds(services));
}

void InstallWithHotSync(const CServices& services, IProcessRunner& runner,
                        const std::vector<std::string>& files,
                        const ShortPathNameFunction& shortPathName) {
    MakeInstallTool(services, runner, shortPathName)->Install(files);
}

}  // namespace trovique
