#pragma once

#include <vector>

#include "core/print/ReportText.h"

namespace trovique {

class CDocument;
class CStatusBar;

// The texts of the report and of the status bar while it is made.
namespace report {
inline constexpr const char* kColumnSeparator = "  \t";
inline constexpr const char* kCreatorID = "Palm Creator ID:";
inline constexpr const char* kApplicationIcon = "Palm Application Icon:";
inline constexpr const char* kSplashText = "Palm Splash Screen Text";
inline constexpr const char* kContactInformation = "Palm Contact Information";
inline constexpr const char* kNumberOfTerms = "Number of Terms: ";
inline constexpr const char* kQuestion = "Question";
inline constexpr const char* kAnswer = "Answer ";
inline constexpr const char* kPrintingHeader = "Printing Header...";
inline constexpr const char* kPrinting = "Printing ";
inline constexpr const char* kSendingToFile = "Sending print data to file...";
inline constexpr const char* kSendingToPrinter = "Sending print data to printer...";
inline constexpr int kTitlePoints = 12;
inline constexpr int kHeaderPoints = 8;
inline constexpr int kLeafPoints = 10;
}  // namespace report

// The report of document: the header (when header is true) with the slide show's settings as
// its panes show them, then each of leaves (element indices, in print order): its title, fact,
// question and the answers that are not empty. Question and answers belong to QAF leaves only:
// a leaf converted to another kind keeps them in memory for a conversion back, but they are no
// part of what it shows. The status bar, when given, tells which part is being made and counts
// the leaves. Raises CError 0x80040002 for an index that is not a live leaf.
CReportText BuildPrintReport(const CDocument& document, const std::vector<int>& leaves, bool header,
                             CStatusBar* status = nullptr);

}  // namespace trovique
