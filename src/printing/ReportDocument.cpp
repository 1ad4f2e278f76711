#include "printing/ReportDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>

#include "core/common/Error.h"
#include "core/print/ReportPrinter.h"

namespace trovique::printing {
namespace {

constexpr const char* kSource = "PrintReport";

QTextCharFormat CharFormatOf(const ReportFormat& format) {
    QTextCharFormat chars;
    chars.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    chars.setFontUnderline(format.underline);
    chars.setFontPointSize(format.pointSize);
    return chars;
}

[[noreturn]] void Fail(const char* what) {
    throw CError(kErrPathFileAccess, kSource, what);
}

}  // namespace

std::unique_ptr<QTextDocument> ReportDocument(const CReportText& report) {
    auto document = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    document->setDefaultFont(font);
    document->setDocumentMargin(0);
    QTextCursor cursor(document.get());
    bool firstBlock = true;
    for (const ReportRun& run : report.Runs()) {
        const QTextCharFormat chars = CharFormatOf(run.format);
        if (firstBlock) {
            // The first block exists already; it takes the format of the report's first run.
            cursor.setBlockCharFormat(chars);
            firstBlock = false;
        }
        if (run.lineBreak) {
            // The mark that ends a line keeps that line as tall as its size, even when empty.
            cursor.setBlockCharFormat(chars);
            cursor.insertBlock(QTextBlockFormat(), chars);
        } else {
            cursor.insertText(QString::fromStdString(run.text), chars);
        }
    }
    return document;
}

void DrawReport(const CReportText& report, QPagedPaintDevice& device) {
    constexpr double kMarginMillimetres = kReportMarginTwips / 1440.0 * 25.4;
    device.setPageMargins(
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter);
    const std::unique_ptr<QTextDocument> document = ReportDocument(report);
    document->documentLayout()->setPaintDevice(&device);
    const QSizeF page = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    document->setPageSize(page);

    QPainter painter;
    if (!painter.begin(&device)) {
        Fail("The printer could not be started.");
    }
    const int pages = document->pageCount();
    for (int number = 0; number < pages; ++number) {
        if (number > 0 && !device.newPage()) {
            painter.end();
            Fail("The printer refused a new page.");
        }
        const QRectF view(QPointF(0, number * page.height()), page);
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        document->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    if (!painter.end()) {
        Fail("The printer could not finish the document.");
    }
}

}  // namespace trovique::printing
