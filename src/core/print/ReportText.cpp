#include "core/print/ReportText.h"

namespace trovique {

void CReportText::AppendRun(std::string_view text, const ReportFormat& format) {
    if (text.empty()) {
        return;
    }
    // Runs of one format are joined, so that writers see as few format changes as there are.
    if (!runs_.empty() && !runs_.back().lineBreak && runs_.back().format == format) {
        runs_.back().text += text;
        return;
    }
    runs_.push_back({std::string(text), format, false});
}

void CReportText::Append(std::string_view text, const ReportFormat& format) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        AppendRun(text.substr(start, i - start), format);
        AppendLineBreaks(1, format);
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    AppendRun(text.substr(start), format);
}

void CReportText::AppendLineBreaks(int count, const ReportFormat& format) {
    for (int i = 0; i < count; ++i) {
        runs_.push_back({{}, format, true});
    }
}

void CReportText::EndLine(const ReportFormat& format) {
    if (!runs_.empty() && !runs_.back().lineBreak) {
        AppendLineBreaks(1, format);
    }
}

std::string CReportText::PlainText() const {
    std::string text;
    for (const ReportRun& run : runs_) {
        text += run.lineBreak ? std::string("\n") : run.text;
    }
    return text;
}

}  // namespace trovique
