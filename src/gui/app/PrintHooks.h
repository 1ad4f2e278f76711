#pragma once

#include "gui/windows/MainWindow.h"

namespace trovique::gui {

class CQtReportPrinter;

// Printing as the main window offers it: Print (with or without the "Print" dialog), Print
// Preview and Page Setup, all on printer, their windows owned by parent.
void AddPrintHooks(MainWindowHooks& hooks, CQtReportPrinter& printer, QWidget& parent);

}  // namespace trovique::gui
