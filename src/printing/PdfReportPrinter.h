#pragma once

#include "core/print/ReportPrinter.h"

namespace trovique::printing {

// Writes reports as PDF files (A4, drawn as the printer draws them); has no printer of its own,
// so Print raises CError with kNoPrinterText. Needs a QGuiApplication for its fonts.
class CPdfReportPrinter : public IReportPrinter {
public:
    std::string PrinterName() const override { return {}; }
    void Print(const CReportText& report) override;
    void WritePdf(const CReportText& report, const std::filesystem::path& file) override;
};

}  // namespace trovique::printing
