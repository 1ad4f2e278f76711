#include "gui/ui/QtReportPrinter.h"

#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>

#include "core/common/Error.h"
#include "printing/ReportDocument.h"

namespace trovique::gui {

CQtReportPrinter::CQtReportPrinter() : printer_(QPrinter::HighResolution) {
    // Without a printer the page is still set up and previewed, as the PDF will have it.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setPageSize(QPageSize(QPageSize::A4));
    }
}

std::string CQtReportPrinter::PrinterName() const {
    return QPrinterInfo::defaultPrinter().printerName().toStdString();
}

void CQtReportPrinter::Print(const CReportText& report) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        throw CError(kErrPathFileAccess, "Print", kNoPrinterText);
    }
    printer_.setOutputFormat(QPrinter::NativeFormat);
    printer_.setPrinterName(info.printerName());
    printing::DrawReport(report, printer_);
}

void CQtReportPrinter::Preview(const CReportText& report, QWidget* parent) {
    QPrintPreviewDialog preview(&printer_, parent);
    preview.setObjectName(QStringLiteral("frmPrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report](QPrinter* printer) {
                         try {
                             printing::DrawReport(report, *printer);
                         } catch (const std::exception&) {
                             // The preview then shows an empty page; printing reports the error.
                         }
                     });
    preview.resize(720, 800);
    preview.exec();
}

void CQtReportPrinter::PageSetup(QWidget* parent) {
    QPageSetupDialog dialog(&printer_, parent);
    dialog.exec();
}

}  // namespace trovique::gui
