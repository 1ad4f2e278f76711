#include "core/settings/EffectiveSettings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

#include "core/common/NumericText.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/SettingNames.h"
#include "core/settings/Application.h"
#include "core/settings/InstallMethod.h"

namespace trovique {
namespace {

// A hand-edited count must not make the listing endless.
constexpr std::int32_t kMostDelimitersListed = 100;

const std::array<const char*, 4> kSections = {settings::kSettings, settings::kImportUnstructured,
                                              settings::kRecentFiles, settings::kNoShowAgain};

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// Builds the listing of one section: known keys first, then whatever else is stored there.
class SectionListing {
public:
    SectionListing(const CApplication& application, const char* section,
                   std::vector<EffectiveSetting>& out)
        : store_(application.Store()), section_(section), out_(out) {}

    std::string Stored(const std::string& key) const {
        return store_.GetOr(std::string(kApplicationTitle), section_, key, {});
    }
    // A key whose effective value the caller worked out.
    void Add(const std::string& key, std::string value, bool stored) {
        listed_.insert(key);
        out_.push_back({section_, key, std::move(value), stored, {}, {}});
    }
    // A key whose stored text, when there is one, is not in effect for the reason given.
    void AddIgnored(const std::string& key, std::string value, std::string reason) {
        Add(key, std::move(value), false);
        if (std::string text = Stored(key); !text.empty()) {
            out_.back().ignoredText = std::move(text);
            out_.back().ignoredReason = std::move(reason);
        }
    }
    // A key whose stored text is used as it is.
    void AddPlain(const std::string& key, const std::string& fallback = {}) {
        const std::string text = Stored(key);
        Add(key, text.empty() ? fallback : text, !text.empty());
    }
    void AddTheRest() {
        for (auto& [key, value] : store_.Values(std::string(kApplicationTitle), section_)) {
            if (!listed_.contains(key)) {
                Add(key, value, true);
            }
        }
    }

private:
    const ISettingsStore& store_;
    std::string section_;
    std::vector<EffectiveSetting>& out_;
    std::set<std::string> listed_;
};

std::string BoolText(bool value) {
    return value ? "1" : "0";
}

// The method the delivery will use; a stored text that names none is shown as it is, since that
// is what the user has to correct.
void AddInstallMethod(const CApplication& app, SectionListing& list) {
    const std::string stored = list.Stored(settings::kInstallMethod);
    std::string method = stored;
    try {
        method = std::string(InstallMethodName(ChosenInstallMethod(app.Store())));
    } catch (const std::exception&) {
    }
    list.Add(settings::kInstallMethod, method, !stored.empty());
}

void ListSettings(const CApplication& app, std::vector<EffectiveSetting>& out) {
    SectionListing list(app, settings::kSettings, out);
    list.Add(settings::kLastPath, app.LastDataPath(), !list.Stored(settings::kLastPath).empty());
    list.Add(settings::kLastGraphicsPath, app.LastGraphicsPath(),
             !list.Stored(settings::kLastGraphicsPath).empty());
    list.Add(settings::kLastExportPath, app.LastExportPath(),
             !list.Stored(settings::kLastExportPath).empty());
    const bool limitOnStored = !list.Stored(settings::kValidationLimitOn).empty();
    list.Add(settings::kValidationLimitOn, BoolText(app.ValidationLimitOn()), limitOnStored);
    // The stored count only counts once the switch has been stored, and only when positive.
    const std::string limit = std::to_string(app.ValidationLimit());
    if (!limitOnStored) {
        list.AddIgnored(settings::kValidationLimit, limit,
                        "\"ValidationLimit\" is read only once \"ValidationLimitOn\" is stored "
                        "as well");
    } else if (LeadingNumber(list.Stored(settings::kValidationLimit)) > 0.0) {
        list.Add(settings::kValidationLimit, limit, true);
    } else {
        list.AddIgnored(settings::kValidationLimit, limit,
                        "\"ValidationLimit\" must be a number above 0");
    }
    list.AddPlain(settings::kMainWindowHandle, settings::kMainWindowHandleDefault);
    list.AddPlain(settings::kMaxInstAppWaitSeconds, settings::kMaxInstAppWaitSecondsDefault);
    AddInstallMethod(app, list);
    list.AddPlain(settings::kPilotPort, settings::kPilotPortDefault);
    list.AddPlain(settings::kInstallFolder);
    list.AddPlain(settings::kBulletChar, settings::kBulletCharDefault);
    list.AddPlain(settings::kImportTimeoutSeconds, settings::kImportTimeoutSecondsDefault);
    for (const char* window : {settings::kMainWindow, settings::kValidateWindow}) {
        for (const char* part :
             {settings::kLeft, settings::kTop, settings::kWidth, settings::kHeight}) {
            list.AddPlain(std::string(window) + part);
        }
    }
    list.AddTheRest();
}

void ListImportSettings(const CApplication& app, std::vector<EffectiveSetting>& out) {
    SectionListing list(app, settings::kImportUnstructured, out);
    list.Add(settings::kShowDialogOnImport, BoolText(app.ImportUnstructuredShowDlg()),
             !list.Stored(settings::kShowDialogOnImport).empty());
    list.AddPlain(settings::kTitleDefault);
    list.AddPlain(settings::kTitleUseFirst);
    list.AddPlain(settings::kTitleReadToDelim);
    list.AddPlain(settings::kDelimCount);
    const std::int32_t count =
        std::clamp(LeadingInteger(list.Stored(settings::kDelimCount)), 0, kMostDelimitersListed);
    for (std::int32_t number = 1; number <= count; ++number) {
        list.AddPlain(settings::kDelim + std::to_string(number));
    }
    list.AddTheRest();
}

void ListRecentFiles(const CApplication& app, std::vector<EffectiveSetting>& out) {
    SectionListing list(app, settings::kRecentFiles, out);
    for (int slot = 1; slot <= settings::kRecentFileCount; ++slot) {
        list.AddPlain(std::to_string(slot));
    }
    list.AddTheRest();
}

void ListQuestions(const CApplication& app, std::vector<EffectiveSetting>& out) {
    SectionListing list(app, settings::kNoShowAgain, out);
    for (const char* key :
         {settings::kConvertSelectedLeaf, settings::kDeleteNode, settings::kUseBigBitmap}) {
        list.AddPlain(key);
    }
    list.AddTheRest();
}

}  // namespace

std::vector<EffectiveSetting> EffectiveSettings(const CApplication& application) {
    std::vector<EffectiveSetting> out;
    ListSettings(application, out);
    ListImportSettings(application, out);
    ListRecentFiles(application, out);
    ListQuestions(application, out);
    return out;
}

const EffectiveSetting* FindSetting(const std::vector<EffectiveSetting>& settings,
                                    const std::string& section, const std::string& key) {
    const auto found = std::find_if(settings.begin(), settings.end(), [&](const auto& setting) {
        return setting.section == section && setting.key == key;
    });
    return found == settings.end() ? nullptr : &*found;
}

std::string KnownSection(std::string_view name) {
    for (const char* section : kSections) {
        if (SameName(name, section)) {
            return section;
        }
    }
    return {};
}

std::string KnownKey(const std::string& section, const std::string& key) {
    static const std::vector<std::string> kSettingsKeys = [] {
        std::vector<std::string> keys = {settings::kLastPath,
                                         settings::kLastGraphicsPath,
                                         settings::kLastExportPath,
                                         settings::kValidationLimitOn,
                                         settings::kValidationLimit,
                                         settings::kMainWindowHandle,
                                         settings::kMaxInstAppWaitSeconds,
                                         settings::kInstallMethod,
                                         settings::kPilotPort,
                                         settings::kInstallFolder,
                                         settings::kBulletChar,
                                         settings::kImportTimeoutSeconds};
        for (const char* window : {settings::kMainWindow, settings::kValidateWindow}) {
            for (const char* part :
                 {settings::kLeft, settings::kTop, settings::kWidth, settings::kHeight}) {
                keys.push_back(std::string(window) + part);
            }
        }
        return keys;
    }();
    static const std::vector<std::string> kImportKeys = {
        settings::kShowDialogOnImport, settings::kTitleDefault, settings::kTitleUseFirst,
        settings::kTitleReadToDelim, settings::kDelimCount};
    static const std::vector<std::string> kQuestionKeys = {
        settings::kConvertSelectedLeaf, settings::kDeleteNode, settings::kUseBigBitmap};

    const std::vector<std::string>* known = nullptr;
    if (section == settings::kSettings) {
        known = &kSettingsKeys;
    } else if (section == settings::kImportUnstructured) {
        known = &kImportKeys;
    } else if (section == settings::kNoShowAgain) {
        known = &kQuestionKeys;
    }
    if (known != nullptr) {
        for (const std::string& name : *known) {
            if (SameName(key, name)) {
                return name;
            }
        }
    }
    const std::string_view delim = settings::kDelim;
    if (section == settings::kImportUnstructured && key.size() > delim.size() &&
        SameName(std::string_view(key).substr(0, delim.size()), delim) &&
        std::all_of(key.begin() + delim.size(), key.end(),
                    [](char c) { return c >= '0' && c <= '9'; })) {
        return std::string(delim) + key.substr(delim.size());
    }
    return key;
}

}  // namespace trovique
