#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/import/UnstructuredSettings.h"

namespace trovique {

class IUserInterface;

// The "Import Unstructured Options" dialog: the data delimiters in list order, the leaf title
// rule and its count as typed. It edits a copy of the stored options; OK checks the count and
// stores every key at once, Cancel leaves the settings as they were.
class CUnstructuredOptions {
public:
    static constexpr int kActionOk = 0;
    static constexpr int kActionCancel = 1;

    explicit CUnstructuredOptions(ISettingsStore& store);

    const UnstructuredSettings& Settings() const { return settings_; }
    // The list under "Data Delimiters": each delimiter's DisplayString.
    std::vector<std::string> DelimiterLines() const;

    void AddDelimiter(const CDelim& delimiter);
    // The delimiter "Edit..." opens, or nothing (after "There is no item selected to edit.")
    // when nothing is selected.
    std::optional<CDelim> DelimiterToEdit(std::optional<std::size_t> selected,
                                          IUserInterface& ui) const;
    void ReplaceDelimiter(std::size_t index, const CDelim& delimiter);
    // "Remove": false (after "There is no item selected to delete.") without a selection.
    bool RemoveDelimiter(std::optional<std::size_t> selected, IUserInterface& ui);

    TitleOption Title() const { return settings_.titleOption; }
    void SetTitle(TitleOption option) { settings_.titleOption = option; }
    // The "Use First" count box, as typed.
    const std::string& CountText() const { return countText_; }
    void SetCountText(std::string text) { countText_ = std::move(text); }
    // The title delimiter and its DisplayString beside "Read To Delimiter:".
    const CDelim& TitleDelimiter() const { return settings_.titleDelimiter; }
    void SetTitleDelimiter(const CDelim& delimiter) { settings_.titleDelimiter = delimiter; }
    std::string TitleDelimiterLine() const { return settings_.titleDelimiter.DisplayString(); }

    // The options as they stand in the dialog, the count read from its box; what the preview
    // and the import use once OK has accepted them.
    UnstructuredSettings Current() const;

    // OK: with "Use First" the count must lie in 1..255, else its message is shown and the
    // dialog stays open (false). Then every setting is stored, the delimiters numbered from 1
    // in list order, and the dialog closes (true). A store that fails keeps the dialog open.
    bool Ok(IUserInterface& ui);
    // The dialog's buttons by number; whether the dialog closes. An unknown number is reported
    // as "Invalid action: " and the number.
    bool DoAction(int action, IUserInterface& ui);

private:
    ISettingsStore& store_;
    UnstructuredSettings settings_;
    std::string countText_;
};

// The "Build Delimiter" dialog: a delimiter built code by code from the list of all 256 codes.
class CDelimiterBuilder {
public:
    CDelimiterBuilder() = default;
    explicit CDelimiterBuilder(const CDelim& start) : delimiter_(start) {}

    // A line of the code list: "0x" and two hexadecimal digits, a tab, CharPrint, a tab,
    // CharName.
    static std::string CodeLine(int code);

    const CDelim& Delimiter() const { return delimiter_; }
    // "Add To Delimiter String" or a double click on a code.
    void Append(int code) { delimiter_.Append(code); }
    void Clear() { delimiter_.Clear(); }
    // The text box: the delimiter's DisplayString.
    std::string Display() const { return delimiter_.DisplayString(); }
    // OK: false (after "Delimiter String must have data.") for an empty delimiter.
    bool Ok(IUserInterface& ui) const;
    // The buttons by number (0 OK, 1 Cancel); whether the dialog closes. An unknown number is
    // reported as "Invalid action: " and the number.
    bool DoAction(int action, IUserInterface& ui) const;

private:
    CDelim delimiter_;
};

}  // namespace trovique
