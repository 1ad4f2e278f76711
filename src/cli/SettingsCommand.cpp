// trovique-cli settings: shows the settings the program runs with, and stores one.

#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "core/app/Application.h"
#include "core/app/ApplicationTitle.h"
#include "core/app/EffectiveSettings.h"
#include "core/app/ProgramFolder.h"
#include "core/common/TextEscaping.h"
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
                  << OneLineText(setting.value, LineBreaks::kAsBytes) << '\t'
                  << (setting.stored ? "stored" : "default") << '\n';
    }
    return kExitOk;
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
    store.Set(std::string(kApplicationTitle), section, KnownKey(section, keyName), value);
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
    "tab-separated), or store one in the user's settings",
    Run,
}};

}  // namespace
}  // namespace trovique::cli
