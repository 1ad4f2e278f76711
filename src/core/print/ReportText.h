#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trovique {

// How a run of the report is drawn.
struct ReportFormat {
    bool bold = false;
    bool underline = false;
    int pointSize = 10;
    bool operator==(const ReportFormat&) const = default;
};

// One piece of the report: a run of text in one format, or a line break (whose size sets the
// height of the line it ends).
struct ReportRun {
    std::string text;  // UTF-8, never holding a line break; empty for a line break
    ReportFormat format;
    bool lineBreak = false;
    bool operator==(const ReportRun&) const = default;
};

// The printed report of a slide show as formatted text: runs appended at the end, each in its
// own format, and line breaks. Every destination (a file, the printer, a PDF) draws it from
// here, so all of them show the same text.
class CReportText {
public:
    // Appends text (UTF-8) in format. Line breaks inside it (CR LF, LF or CR) become line
    // breaks of the report in the same format.
    void Append(std::string_view text, const ReportFormat& format);
    void AppendLineBreaks(int count, const ReportFormat& format);
    // A line break unless the report is empty or already ends in one.
    void EndLine(const ReportFormat& format);

    const std::vector<ReportRun>& Runs() const { return runs_; }
    bool Empty() const { return runs_.empty(); }
    void Clear() { runs_.clear(); }
    // The text alone, each line break as "\n".
    std::string PlainText() const;

private:
    void AppendRun(std::string_view text, const ReportFormat& format);
    std::vector<ReportRun> runs_;
};

}  // namespace trovique
