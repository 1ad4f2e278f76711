#pragma once

#include <string>
#include <vector>

#include "core/services/SettingsStore.h"
#include "core/settings/Delim.h"

namespace trovique {

// How the delimited-text import titles its leaves.
enum class TitleOption {
    Default,      // the leaves keep the default name
    UseFirst,     // the first TitleUseFirst characters of the piece
    ReadToDelim,  // the piece's text before the title delimiter
};

// The options of the delimited-text import as the "Import Unstructured Options" dialog shows
// and stores them under the settings section "ImportUnstructured".
struct UnstructuredSettings {
    static constexpr int kDefaultTitleCount = 20;  // the count box before anything is stored
    static constexpr int kMaxTitleCount = 255;     // the longest leaf title
    // More stored delimiters than this are not read: a damaged count must not make the import
    // read settings for ever.
    static constexpr int kMostDelimiters = 1000;

    TitleOption titleOption = TitleOption::Default;
    int titleUseFirst = kDefaultTitleCount;
    CDelim titleDelimiter;
    std::vector<CDelim> delimiters;

    // The title characters handed to the import: the count with "Use First", else 0.
    int TitleChars() const;
    // The title delimiter handed to the import: its characters with "Read To Delimiter:",
    // else empty.
    std::string TitleDelimiterString() const;
    // Each data delimiter's characters, in list order.
    std::vector<std::string> DelimiterStrings() const;
};

// Reads the section. A stored delimiter that is not a valid definition text (or empty) is left
// out and described in problems, one line each, so that a damaged setting never turns into a
// wrong delimiter unnoticed.
UnstructuredSettings LoadUnstructuredSettings(const ISettingsStore& store,
                                              std::vector<std::string>* problems = nullptr);

// Writes every key of the section, the data delimiters numbered from 1 in list order; numbered
// delimiters left over from a longer list are removed.
void SaveUnstructuredSettings(ISettingsStore& store, const UnstructuredSettings& settings);

// The checks of the options dialog's OK button: the message to show, or empty when the value
// is acceptable.
std::string CheckTitleCount(int count);
// The check of the "Build Delimiter" dialog's OK button.
std::string CheckDelimiter(const CDelim& delimiter);

}  // namespace trovique
