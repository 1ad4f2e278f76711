#include "gui/app/PrintHooks.h"

#include "core/common/Error.h"
#include "core/editor/Document.h"
#include "core/print/PrintDocument.h"
#include "core/services/Messages.h"
#include "gui/dialogs/PrintOptionsDialog.h"
#include "gui/ui/QtReportPrinter.h"

namespace trovique::gui {

void AddPrintHooks(MainWindowHooks& hooks, CQtReportPrinter& printer, QWidget& parent) {
    hooks.print = [&printer, &parent](CDocument& document, bool withDialog) {
        PrintDocument(document, withDialog, printer, [&parent](CPrintOptions& options) {
            PrintOptionsDialog::Show(options, &parent);
        });
    };
    hooks.printPreview = [&printer, &parent](CDocument& document) {
        try {
            printer.Preview(PreviewReport(document), &parent);
        } catch (const std::exception& error) {
            ReportFailure(document.Services().ui,
                          TrappedErrorText("An error has occurred: ", error), kStyleInformation);
        }
    };
    hooks.pageSetup = [&printer, &parent] { printer.PageSetup(&parent); };
}

}  // namespace trovique::gui
