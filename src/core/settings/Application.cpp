#include "core/settings/Application.h"

#include <algorithm>

#include "core/common/Error.h"
#include "core/common/NumericText.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/SettingNames.h"
#include "core/settings/Delim.h"
#include "core/settings/ProgramFolder.h"

namespace trovique {
namespace {

const char* BoolText(bool value) {
    return value ? "1" : "0";
}

// A stored yes/no: missing or empty gives the default, otherwise any non-zero number is yes.
bool ReadFlag(const std::string& text, bool fallback) {
    return text.empty() ? fallback : LeadingNumber(text) != 0.0;
}

std::filesystem::path TextToPath(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string PathToText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

std::string DefaultRecordDelimiter(int number) {
    CDelim delimiter;
    delimiter.Append('\r');
    delimiter.Append('\n');
    if (number == 1) {
        delimiter.Append('\r');
        delimiter.Append('\n');
    } else {
        delimiter.Append('\t');
    }
    return delimiter.DataString();
}

CApplication::CApplication(ISettingsStore& store, const std::filesystem::path& programFolder)
    : store_(store) {
    LoadPaths(programFolder);
    LoadImportSettings();
    LoadValidationLimit();
    LoadPalettes();
}

std::string CApplication::Read(const char* section, const char* key) const {
    return store_.GetOr(std::string(kApplicationTitle), section, key, {});
}

void CApplication::Write(const char* section, const char* key, const std::string& value) {
    store_.Set(std::string(kApplicationTitle), section, key, value);
}

void CApplication::LoadPaths(const std::filesystem::path& programFolder) {
    appPath_ = EnsureTrailingSeparator(PathToText(programFolder));
    appDataPath_ = EnsureTrailingSeparator(appPath_ + "DATA");

    std::string data = Read(settings::kSettings, settings::kLastPath);
    lastDataPath_ = EnsureTrailingSeparator(data.empty() ? appDataPath_ : data);
    graphicsStored_ = Read(settings::kSettings, settings::kLastGraphicsPath);
    if (!graphicsStored_.empty()) {
        lastGraphicsPath_ = EnsureTrailingSeparator(graphicsStored_);
    }
    if (std::string exportFolder = Read(settings::kSettings, settings::kLastExportPath);
        !exportFolder.empty()) {
        lastExportPath_ = EnsureTrailingSeparator(exportFolder);
    }
}

void CApplication::LoadImportSettings() {
    importShowDialog_ =
        ReadFlag(Read(settings::kImportUnstructured, settings::kShowDialogOnImport), true);
    if (!Read(settings::kImportUnstructured, settings::kDelimCount).empty()) {
        return;
    }
    // First start: offer the two delimiters most text files use. The count goes last, so an
    // interrupted first start writes them again next time.
    for (int number = 1; number <= kDefaultDelimiterCount; ++number) {
        Write(settings::kImportUnstructured,
              (std::string(settings::kDelim) + std::to_string(number)).c_str(),
              DefaultRecordDelimiter(number));
    }
    Write(settings::kImportUnstructured, settings::kDelimCount,
          std::to_string(kDefaultDelimiterCount));
}

void CApplication::LoadValidationLimit() {
    const std::string on = Read(settings::kSettings, settings::kValidationLimitOn);
    if (on.empty()) {
        return;  // never stored: the limit is on with the default, whatever the count says
    }
    validationLimitOn_ = LeadingNumber(on) != 0.0;
    const std::string limit = Read(settings::kSettings, settings::kValidationLimit);
    if (LeadingNumber(limit) > 0.0) {
        validationLimit_ = std::max<std::int32_t>(1, LeadingInteger(limit));
    }
}

void CApplication::LoadPalettes() {
    palettes_.Load(TextToPath(appPath_));
}

void CApplication::SetImportUnstructuredShowDlg(bool show) {
    Write(settings::kImportUnstructured, settings::kShowDialogOnImport, BoolText(show));
    importShowDialog_ = show;
}

void CApplication::SetLastDataPath(const std::string& folder) {
    Write(settings::kSettings, settings::kLastPath, folder);
    lastDataPath_ = folder.empty() ? appDataPath_ : folder;
}

const std::string& CApplication::LastGraphicsPath() const {
    // A bitmap dialog stores its folder without going through the setter.
    if (std::string stored = Read(settings::kSettings, settings::kLastGraphicsPath);
        stored != graphicsStored_) {
        lastGraphicsPath_ =
            stored.empty() ? std::nullopt : std::optional(EnsureTrailingSeparator(stored));
        graphicsStored_ = std::move(stored);
    }
    return lastGraphicsPath_ ? *lastGraphicsPath_ : lastDataPath_;
}

void CApplication::SetLastGraphicsPath(const std::string& folder) {
    Write(settings::kSettings, settings::kLastGraphicsPath, folder);
    lastGraphicsPath_ = folder.empty() ? std::nullopt : std::optional(folder);
    graphicsStored_ = folder;
}

const std::string& CApplication::LastExportPath() const {
    return lastExportPath_ ? *lastExportPath_ : lastDataPath_;
}

void CApplication::SetLastExportPath(const std::string& folder) {
    Write(settings::kSettings, settings::kLastExportPath, folder);
    lastExportPath_ = folder.empty() ? std::nullopt : std::optional(folder);
}

void CApplication::SetValidationLimit(std::int32_t limit) {
    if (limit < 1) {
        throw CError::Object(kErrValueOutOfRange, "CApplication:ValidationLimit");
    }
    Write(settings::kSettings, settings::kValidationLimit, std::to_string(limit));
    validationLimit_ = limit;
}

void CApplication::SetValidationLimitOn(bool on) {
    Write(settings::kSettings, settings::kValidationLimitOn, BoolText(on));
    validationLimitOn_ = on;
}

}  // namespace trovique
