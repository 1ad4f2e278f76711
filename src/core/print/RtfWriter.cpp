#include "core/print/RtfWriter.h"

#include <cstdint>
#include <optional>
#include <span>

#include "core/codec/Windows1252.h"
#include "core/common/FileReplace.h"

namespace trovique {
namespace {

constexpr const char* kPreamble =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\plain\\f0\\fs20\r\n";

// Readers may take any plain text line as it comes; long lines are broken after this many
// characters of text, where a line break of the file means nothing.
constexpr std::size_t kLineLength = 200;

void AppendFormat(std::string& out, const ReportFormat& format) {
    out += "\\plain\\f0\\fs";
    out += std::to_string(format.pointSize * 2);
    if (format.bold) {
        out += "\\b";
    }
    if (format.underline) {
        out += "\\ul";
    }
    // The space ends the last control word; it is no part of the text.
    out += ' ';
}

void AppendText(std::string& out, const std::string& utf8) {
    static const char* kHex = "0123456789abcdef";
    std::size_t sinceBreak = 0;
    for (const char c : Utf8ToWindows1252(utf8)) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte == '\\' || byte == '{' || byte == '}') {
            out += '\\';
            out += c;
        } else if (byte == '\t') {
            out += "\\tab ";
        } else if (byte >= 0x80) {
            out += "\\'";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else if (byte >= 0x20) {
            out += c;
        }
        // Other control characters have no place in a printed text and are left out.
        if (++sinceBreak >= kLineLength) {
            out += "\r\n";
            sinceBreak = 0;
        }
    }
}

}  // namespace

std::string RtfOfReport(const CReportText& report) {
    std::string out = kPreamble;
    std::optional<ReportFormat> current;
    for (const ReportRun& run : report.Runs()) {
        if (run.format != current) {
            AppendFormat(out, run.format);
            current = run.format;
        }
        if (run.lineBreak) {
            out += "\\par\r\n";
        } else {
            AppendText(out, run.text);
        }
    }
    out += "}\r\n";
    return out;
}

void WriteRtfFile(const std::filesystem::path& file, const CReportText& report) {
    const std::string rtf = RtfOfReport(report);
    ReplaceFile(file, [&rtf](const WriteBytes& write) {
        write(std::span(reinterpret_cast<const std::uint8_t*>(rtf.data()), rtf.size()));
    });
}

}  // namespace trovique
