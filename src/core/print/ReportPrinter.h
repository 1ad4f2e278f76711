#pragma once

#include <filesystem>
#include <string>

#include "core/print/ReportText.h"

namespace trovique {

// What draws the report on paper or into a PDF: the face's printer (the windows) or a PDF
// writer alone (the command line). Both draw it page by page with half-inch margins.
class IReportPrinter {
public:
    virtual ~IReportPrinter() = default;
    // The current printer's name, empty when no printer is installed.
    virtual std::string PrinterName() const = 0;
    // Prints report on the current printer; raises CError when there is none or it fails.
    virtual void Print(const CReportText& report) = 0;
    // Writes report as a PDF file, replacing an existing one whole; raises CError on failure.
    virtual void WritePdf(const CReportText& report, const std::filesystem::path& file) = 0;
};

// Every side of the page keeps 720 twips (half an inch) free.
inline constexpr int kReportMarginTwips = 720;

// Raised by a printer that has no printer to print on.
inline constexpr const char* kNoPrinterText =
    "No printer is installed. Install a printer, or choose Print To File to write the report "
    "as an RTF or PDF file.";

}  // namespace trovique
