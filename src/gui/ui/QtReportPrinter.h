#pragma once

#include <QPrinter>

#include "printing/PdfReportPrinter.h"

class QWidget;

namespace trovique::gui {

// The windows' printer: the system's default printer, its page set up once for every print of
// the session, and PDF files drawn the same way.
class CQtReportPrinter : public printing::CPdfReportPrinter {
public:
    CQtReportPrinter();

    std::string PrinterName() const override;
    // Raises CError with kNoPrinterText when no printer is installed.
    void Print(const CReportText& report) override;

    // The print preview window over report, on the printer's page.
    void Preview(const CReportText& report, QWidget* parent);
    // The page setup dialog of the printer.
    void PageSetup(QWidget* parent);

private:
    QPrinter printer_;
};

}  // namespace trovique::gui
