#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/print/PrintOptions.h"
#include "core/print/ReportPrinter.h"

namespace trovique {

class CDocument;

// What a report file becomes: a PDF for a name ending in ".pdf" (any case), RTF otherwise.
enum class ReportFileFormat { Rtf, Pdf };
ReportFileFormat FormatOfReportFile(const std::string& file);

// Shows the "Print" dialog modally over options, handing each click to options.DoAction;
// returns when it closed.
using PrintOptionsDialog = std::function<void(CPrintOptions& options)>;

// Builds the report of leaves (element indices, print order; empty for none) with or without
// the header, and sends it to toFile (UTF-8; RTF or PDF by its name) or, when toFile is empty,
// to the printer. Hourglass and status texts meanwhile; any error is reported as "An error has
// occurred: " and its text, and false returned. An existing file is replaced whole or kept.
bool PrintLeaves(CDocument& document, const std::vector<int>& leaves, bool printHeader,
                 const std::string& toFile, IReportPrinter& printer);

// The Print command. Without the dialog, every qualifying leaf goes to the printer with the
// header. With it, the dialog offers the qualifying leaves that have a title; after OK the
// selected ones are printed, to a file the "Print To" dialog asks for when "Print To File" is
// ticked. False when cancelled or failed.
bool PrintDocument(CDocument& document, bool showOptions, IReportPrinter& printer,
                   const PrintOptionsDialog& dialog);

// The report the preview shows: what PrintDocument without the dialog prints.
CReportText PreviewReport(const CDocument& document);

}  // namespace trovique
