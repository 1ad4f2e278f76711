#include "core/services/FileDialog.h"

#include <filesystem>

#include "core/services/ApplicationTitle.h"
#include "core/services/Messages.h"
#include "core/services/SettingNames.h"

namespace trovique {
namespace {

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool Exists(const std::string& file) {
    std::error_code error;
    return std::filesystem::exists(PathOf(file), error);
}

std::string ChooseOnce(IUserInterface& ui, const FileDialogSpec& spec) {
    CModalScope modal(ui);
    return ui.ChooseFile(spec);
}

std::string GraphicsFolder(const CServices& services) {
    return services.settings
        .Get(std::string(kApplicationTitle), settings::kSettings, settings::kLastGraphicsPath)
        .value_or(std::string());
}

void RememberGraphicsFolder(const CServices& services, const std::string& file) {
    FileDialogSpec chosen;
    chosen.initial = file;
    const std::string folder = StartOf(chosen).folder;
    if (!folder.empty()) {
        services.settings.Set(std::string(kApplicationTitle), settings::kSettings,
                              settings::kLastGraphicsPath, folder);
    }
}

}  // namespace

std::string ReplaceQuestion(const std::string& file) {
    return file + "\r\nThis file already exists.\r\n\r\nReplace existing file?";
}

std::string GetFileName(const CServices& services, const FileDialogSpec& spec) {
    FileDialogSpec shown = spec;
    if (shown.initial.empty() && IsBitmapDialog(spec.kind)) {
        shown.initial = GraphicsFolder(services);
    }
    for (;;) {
        const std::string typed = ChooseOnce(services.ui, shown);
        if (typed.empty()) {
            return {};
        }
        const std::string chosen = WithDefaultExtension(typed, spec);
        if (spec.askReplace && Exists(chosen) &&
            ReportMessage(services.ui, ReplaceQuestion(chosen), kStyleYesNoWarning) !=
                MessageAnswer::Yes) {
            shown.initial = chosen;
            continue;
        }
        if (IsBitmapDialog(spec.kind)) {
            RememberGraphicsFolder(services, chosen);
        }
        return chosen;
    }
}

}  // namespace trovique
