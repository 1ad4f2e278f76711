#pragma once

#include <QTextDocument>
#include <memory>

#include "core/print/ReportText.h"

class QPagedPaintDevice;

namespace trovique::printing {

// The report as a text document: one block per line, each run with its bold, underline and
// point size, in the sans-serif family the report is printed in.
std::unique_ptr<QTextDocument> ReportDocument(const CReportText& report);

// Draws report on device page by page, 720 twips free on every side of each page, each page's
// lines whole (a line that does not fit starts the next page). Raises CError when the device
// cannot be drawn on (a printer that cannot start, a new page refused).
void DrawReport(const CReportText& report, QPagedPaintDevice& device);

}  // namespace trovique::printing
