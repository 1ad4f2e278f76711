#include "core/import/UnstructuredSettings.h"

#include <algorithm>

#include "core/common/Error.h"
#include "core/common/NumericText.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/SettingNames.h"
#include "core/settings/Application.h"

namespace trovique {
namespace {

const std::string kApplication(kApplicationTitle);
constexpr const char* kSection = settings::kImportUnstructured;

std::string DelimKey(int number) {
    return settings::kDelim + std::to_string(number);
}

std::string Stored(const ISettingsStore& store, const std::string& key) {
    return store.Get(kApplication, kSection, key).value_or(std::string());
}

// A stored definition as a delimiter; nothing when it is empty or damaged.
bool ParseStored(const std::string& key, const std::string& text, CDelim& delimiter,
                 std::vector<std::string>* problems) {
    try {
        delimiter.SetDataString(text);
    } catch (const CError&) {
        if (problems != nullptr) {
            problems->push_back(std::string(kSection) + "/" + key + " \"" + text +
                                "\" is not a delimiter definition (character codes 0 to 255 "
                                "separated by commas) and is ignored.");
        }
        return false;
    }
    if (delimiter.DataString().empty() && problems != nullptr) {
        problems->push_back(std::string(kSection) + "/" + key + " is empty and is ignored.");
    }
    return !delimiter.DataString().empty();
}

// One line for every counted delimiter that is not stored, however many.
std::string MissingDelimiters(const std::vector<std::string>& keys) {
    constexpr std::size_t kNamed = 3;
    std::string line = std::string(kSection) + "/";
    for (std::size_t i = 0; i < keys.size() && i < kNamed; ++i) {
        line += (i > 0 ? ", " : "") + keys[i];
    }
    if (keys.size() > kNamed) {
        line += " and " + std::to_string(keys.size() - kNamed) + " more";
    }
    return line + (keys.size() == 1 ? " is" : " are") + " counted in " + settings::kDelimCount +
           " but not stored.";
}

}  // namespace

int UnstructuredSettings::TitleChars() const {
    return titleOption == TitleOption::UseFirst ? titleUseFirst : 0;
}

std::string UnstructuredSettings::TitleDelimiterString() const {
    return titleOption == TitleOption::ReadToDelim ? titleDelimiter.DelimString() : std::string();
}

std::vector<std::string> UnstructuredSettings::DelimiterStrings() const {
    std::vector<std::string> strings;
    strings.reserve(delimiters.size());
    for (const CDelim& delimiter : delimiters) {
        strings.push_back(delimiter.DelimString());
    }
    return strings;
}

UnstructuredSettings LoadUnstructuredSettings(const ISettingsStore& store,
                                              std::vector<std::string>* problems) {
    UnstructuredSettings loaded;
    const std::int32_t useFirst = LeadingInteger(Stored(store, settings::kTitleUseFirst));
    if (useFirst > 0) {
        loaded.titleUseFirst = useFirst;
    }
    const std::string titleDelimiter = Stored(store, settings::kTitleReadToDelim);
    const bool hasTitleDelimiter =
        !titleDelimiter.empty() &&
        ParseStored(settings::kTitleReadToDelim, titleDelimiter, loaded.titleDelimiter, problems);

    const std::string titleDefault = Stored(store, settings::kTitleDefault);
    if (titleDefault.empty() || LeadingNumber(titleDefault) != 0.0) {
        loaded.titleOption = TitleOption::Default;
    } else if (useFirst > 0) {
        loaded.titleOption = TitleOption::UseFirst;
    } else if (hasTitleDelimiter) {
        loaded.titleOption = TitleOption::ReadToDelim;
    }

    const std::string countText = Stored(store, settings::kDelimCount);
    if (countText.empty()) {
        // Nothing stored yet: the delimiters a first start stores.
        for (int number = 1; number <= kDefaultDelimiterCount; ++number) {
            loaded.delimiters.emplace_back(DefaultRecordDelimiter(number));
        }
        return loaded;
    }
    const std::int32_t stored = LeadingInteger(countText);
    const std::int32_t count = std::clamp(stored, 0, UnstructuredSettings::kMostDelimiters);
    if (stored > count && problems != nullptr) {
        problems->push_back(std::string(kSection) + "/" + settings::kDelimCount + " is " +
                            countText + "; only the first " + std::to_string(count) +
                            " delimiters are read.");
    }
    std::vector<std::string> missing;
    for (int number = 1; number <= count; ++number) {
        const std::string key = DelimKey(number);
        const auto text = store.Get(kApplication, kSection, key);
        CDelim delimiter;
        if (!text) {
            missing.push_back(key);
        } else if (ParseStored(key, *text, delimiter, problems)) {
            loaded.delimiters.push_back(std::move(delimiter));
        }
    }
    if (!missing.empty() && problems != nullptr) {
        problems->push_back(MissingDelimiters(missing));
    }
    return loaded;
}

void SaveUnstructuredSettings(ISettingsStore& store, const UnstructuredSettings& settings) {
    const auto write = [&](const std::string& key, const std::string& value) {
        store.Set(kApplication, kSection, key, value);
    };
    const TitleOption option = settings.titleOption;
    write(settings::kTitleDefault, option == TitleOption::Default ? "1" : "0");
    write(settings::kTitleUseFirst,
          std::to_string(option == TitleOption::UseFirst ? settings.titleUseFirst : 0));
    write(settings::kTitleReadToDelim,
          option == TitleOption::ReadToDelim ? settings.titleDelimiter.DataString() : "");
    const int count = static_cast<int>(settings.delimiters.size());
    for (int number = 1; number <= count; ++number) {
        write(DelimKey(number),
              settings.delimiters[static_cast<std::size_t>(number) - 1].DataString());
    }
    // The count goes after the delimiters, so that an interrupted write never counts a
    // delimiter that is not there; then the leftovers of a longer list go.
    const std::int32_t oldCount = std::clamp(LeadingInteger(Stored(store, settings::kDelimCount)),
                                             0, UnstructuredSettings::kMostDelimiters);
    write(settings::kDelimCount, std::to_string(count));
    for (int number = count + 1; number <= oldCount; ++number) {
        store.Delete(kApplication, kSection, DelimKey(number));
    }
}

std::string CheckTitleCount(int count) {
    if (count <= 0) {
        return "Number of characters must be greater than 0.";
    }
    if (count > UnstructuredSettings::kMaxTitleCount) {
        return "Number of characters is limited to " +
               std::to_string(UnstructuredSettings::kMaxTitleCount) +
               ", the maximum leaf title length.";
    }
    return {};
}

std::string CheckDelimiter(const CDelim& delimiter) {
    return delimiter.DataString().empty() ? "Delimiter String must have data." : std::string();
}

}  // namespace trovique
