// trovique-cli settings: shows the settings the program runs with, and stores one.

#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "core/common/TextEscaping.h"
#include "core/services/ApplicationTitle.h"
#include "core/settings/Application.h"
#include "core/settings/EffectiveSettings.h"
#include "core/settings/ProgramFolder.h"
#include "platform/NativeSettingsStore.h"

namespace trovique::cli {
namespace {

constexpr const char* kUsage =
    "usage: trovique-cli settings\n"
    "       trovique-cli settings set SECTION KEY VALUE\n";

int List() {
    NativeSettingsStore store;
    const CApplication application(store, ProgramDataFolder());
    for (const auto& setting : EffectiveSettings(application)) {
        std::cout << setting.section << '\t' << setting.key << '\t'
                  << OneLineText(setting.value, LineBreaks::kAsBytes) << '\t';
        if (setting.Ignored()) {
            std::cout << "ignored\t" << OneLineText(setting.ignoredText, LineBreaks::kAsBytes);
        } else {
            std::cout << (setting.stored ? "stored" : "default");
        }
        std::cout << '\n';
    }
    return kExitOk;
}

// A value can be stored and still change nothing; the user is told why and what else to set.
void WarnWhenIgnored(ISettingsStore& store, const std::string& section, const std::string& key) {
    const CApplication application(store, RunningProgramFolder());
    const auto listing = EffectiveSettings(application);
    const EffectiveSetting* setting = FindSetting(listing, section, key);
    if (setting != nullptr && setting->Ignored()) {
        std::cerr << "trovique-cli settings: warning: " << section << " " << key
                  << " is stored but not in effect: " << setting->ignoredReason << ".\n";
    }
}

int Store(const std::string& sectionName, const std::string& keyName, const std::string& value) {
    const std::string section = KnownSection(sectionName);
    if (section.empty()) {
        std::cerr << "trovique-cli settings: unknown section '" << sectionName
                  << "'; the sections are Settings, ImportUnstructured, \"Recent Files\" and "
                     "NoShowAgain\n";
        return kExitUsage;
    }
    if (keyName.empty()) {
        std::cerr << "trovique-cli settings: the key must not be empty\n";
        return kExitUsage;
    }
    NativeSettingsStore store;
    const std::string key = KnownKey(section, keyName);
    store.Set(std::string(kApplicationTitle), section, key, value);
    WarnWhenIgnored(store, section, key);
    return kExitOk;
}

int Run(const std::vector<std::string>& args) {
    if (args.empty()) {
        return List();
    }
    if (args.front() == "set" && args.size() == 4) {
        return Store(args[1], args[2], args[3]);
    }
    std::cerr << kUsage;
    return kExitUsage;
}

const CommandRegistration registration{Command{
    "settings",
    "settings [set SECTION KEY VALUE]",
    "list the settings in use (section, key, value, and whether stored or default, "
    "tab-separated; \"ignored\" and the stored text for a stored value not in effect), or "
    "store one in the user's settings",
    Run,
}};

}  // namespace
}  // namespace trovique::cli
