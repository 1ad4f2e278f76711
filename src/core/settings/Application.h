#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/imaging/PalmPaletteFiles.h"
#include "core/services/SettingsStore.h"

namespace trovique {

// The program's preferences and the data it loads once at start: made once by start-up before
// anything reads a setting, alive until the process ends. Settings are read from the store at
// construction; each setter writes its key at once, so nothing needs saving at exit. A setter
// whose write fails raises the store's CError and keeps the old value.
//
// Folders are UTF-8 text ending in the platform's path separator.
class CApplication {
public:
    // Reads the settings, stores the default import delimiters on a first start and loads the
    // three palettes from programFolder. A palette that cannot be loaded raises CError naming
    // its file: the program cannot convert a single picture without it.
    CApplication(ISettingsStore& store, const std::filesystem::path& programFolder);
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    // Whether windows may be shown; set by start-up, not stored.
    bool AllowGUI() const { return allowGUI_; }
    void SetAllowGUI(bool allow) { allowGUI_ = allow; }

    const std::string& AppPath() const { return appPath_; }
    const std::string& AppDataPath() const { return appDataPath_; }

    bool ImportUnstructuredShowDlg() const { return importShowDialog_; }
    void SetImportUnstructuredShowDlg(bool show);

    // Folders offered by the file dialogs. The setters store the text unchanged; the separator
    // is added when the settings are next loaded. The graphics and export folders follow the
    // data folder, in this run too, until they are set once. An empty folder reads as it would
    // at the next start: the DATA folder for data, the data folder for the other two. The
    // graphics folder also follows what the bitmap file dialogs store (FileDialog.h).
    const std::string& LastDataPath() const { return lastDataPath_; }
    void SetLastDataPath(const std::string& folder);
    const std::string& LastGraphicsPath() const;
    void SetLastGraphicsPath(const std::string& folder);
    const std::string& LastExportPath() const;
    void SetLastExportPath(const std::string& folder);

    const CPalette& Palm256ColorPalette() const { return palettes_.color256; }
    const CPalette& PalmMonoPalette() const { return palettes_.monochrome; }
    const CPalette& Palm4ColorPalette() const { return palettes_.gray4; }
    PalmPalettes Palettes() const { return palettes_.Set(); }

    // How many findings validation lists while the limit is on; at least 1. A smaller value
    // raises CError and keeps the old one: a limit of 0 would hide every finding.
    std::int32_t ValidationLimit() const { return validationLimit_; }
    void SetValidationLimit(std::int32_t limit);
    bool ValidationLimitOn() const { return validationLimitOn_; }
    void SetValidationLimitOn(bool on);

    ISettingsStore& Store() const { return store_; }

    static constexpr std::int32_t kDefaultValidationLimit = 100;

private:
    ISettingsStore& store_;
    bool allowGUI_ = false;
    std::string appPath_;
    std::string appDataPath_;
    bool importShowDialog_ = true;
    std::string lastDataPath_;
    mutable std::optional<std::string> lastGraphicsPath_;  // empty: follows the data folder
    mutable std::string graphicsStored_;                   // the stored text it was made from
    std::optional<std::string> lastExportPath_;
    bool validationLimitOn_ = true;
    std::int32_t validationLimit_ = kDefaultValidationLimit;
    PalmPaletteFiles palettes_;

    std::string Read(const char* section, const char* key) const;
    void Write(const char* section, const char* key, const std::string& value);
    void LoadPaths(const std::filesystem::path& programFolder);
    void LoadImportSettings();
    void LoadValidationLimit();
    void LoadPalettes();
};

// The import delimiters stored on a first start: an empty line, and a line break followed by a
// tab. Their definition texts, as the delimiter class writes them.
std::string DefaultRecordDelimiter(int number);
inline constexpr int kDefaultDelimiterCount = 2;

}  // namespace trovique
