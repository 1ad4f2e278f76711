#include "printing/PdfReportPrinter.h"

#include <QBuffer>
#include <QPdfWriter>
#include <span>

#include "core/common/Error.h"
#include "core/common/FileReplace.h"
#include "printing/ReportDocument.h"

namespace trovique::printing {

void CPdfReportPrinter::Print(const CReportText& report) {
    (void)report;
    throw CError(kErrPathFileAccess, "Print", kNoPrinterText);
}

void CPdfReportPrinter::WritePdf(const CReportText& report, const std::filesystem::path& file) {
    // Drawn in memory first, so that the file is replaced only by a complete document.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Trovique"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        DrawReport(report, writer);
    }
    const QByteArray& bytes = buffer.data();
    ReplaceFile(file, [&bytes](const WriteBytes& write) {
        write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        static_cast<std::size_t>(bytes.size())));
    });
}

}  // namespace trovique::printing
