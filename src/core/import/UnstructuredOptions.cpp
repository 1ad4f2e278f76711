#include "core/import/UnstructuredOptions.h"

#include <cstdio>
#include <functional>

#include "core/common/Error.h"
#include "core/common/NumericText.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"

namespace trovique {

CUnstructuredOptions::CUnstructuredOptions(ISettingsStore& store)
    : store_(store),
      settings_(LoadUnstructuredSettings(store)),
      countText_(std::to_string(settings_.titleUseFirst)) {}

std::vector<std::string> CUnstructuredOptions::DelimiterLines() const {
    std::vector<std::string> lines;
    lines.reserve(settings_.delimiters.size());
    for (const CDelim& delimiter : settings_.delimiters) {
        lines.push_back(delimiter.DisplayString());
    }
    return lines;
}

void CUnstructuredOptions::AddDelimiter(const CDelim& delimiter) {
    settings_.delimiters.push_back(delimiter);
}

std::optional<CDelim> CUnstructuredOptions::DelimiterToEdit(std::optional<std::size_t> selected,
                                                            IUserInterface& ui) const {
    if (!selected || *selected >= settings_.delimiters.size()) {
        ReportMessage(ui, "There is no item selected to edit.", kStyleExclamation);
        return std::nullopt;
    }
    return settings_.delimiters[*selected];
}

void CUnstructuredOptions::ReplaceDelimiter(std::size_t index, const CDelim& delimiter) {
    if (index < settings_.delimiters.size()) {
        settings_.delimiters[index] = delimiter;
    }
}

bool CUnstructuredOptions::RemoveDelimiter(std::optional<std::size_t> selected,
                                           IUserInterface& ui) {
    if (!selected || *selected >= settings_.delimiters.size()) {
        ReportMessage(ui, "There is no item selected to delete.", kStyleExclamation);
        return false;
    }
    settings_.delimiters.erase(settings_.delimiters.begin() +
                               static_cast<std::ptrdiff_t>(*selected));
    return true;
}

UnstructuredSettings CUnstructuredOptions::Current() const {
    UnstructuredSettings current = settings_;
    current.titleUseFirst = LeadingInteger(countText_);
    return current;
}

bool CUnstructuredOptions::Ok(IUserInterface& ui) {
    const UnstructuredSettings current = Current();
    if (current.titleOption == TitleOption::UseFirst) {
        const std::string problem = CheckTitleCount(current.titleUseFirst);
        if (!problem.empty()) {
            ReportMessage(ui, problem, kStyleExclamation);
            return false;
        }
    }
    return TrapErrors(
        "An error has occurred: ",
        [&](const std::string& text) { ReportFailure(ui, text, kStyleInformation); },
        [&] { SaveUnstructuredSettings(store_, current); });
}

namespace {

bool RunAction(int action, IUserInterface& ui, const std::function<bool()>& ok) {
    switch (action) {
        case CUnstructuredOptions::kActionOk:
            return ok();
        case CUnstructuredOptions::kActionCancel:
            return true;
        default:
            ReportMessage(ui, "Invalid action: " + std::to_string(action), kStyleExclamation);
            return false;
    }
}

}  // namespace

bool CUnstructuredOptions::DoAction(int action, IUserInterface& ui) {
    return RunAction(action, ui, [&] { return Ok(ui); });
}

std::string CDelimiterBuilder::CodeLine(int code) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(code) & 0xFFu);
    // A line break or another control character printed as itself would break the list's line.
    const bool control = code < 32 || code == 127;
    return std::string(hex) + "\t" + (control ? std::string() : CDelim::CharPrint(code)) + "\t" +
           CDelim::CharName(code);
}

bool CDelimiterBuilder::Ok(IUserInterface& ui) const {
    const std::string problem = CheckDelimiter(delimiter_);
    if (!problem.empty()) {
        ReportMessage(ui, problem, kStyleExclamation);
        return false;
    }
    return true;
}

bool CDelimiterBuilder::DoAction(int action, IUserInterface& ui) const {
    return RunAction(action, ui, [&] { return Ok(ui); });
}

}  // namespace trovique
