#pragma once

#include <filesystem>
#include <string>

#include "core/print/ReportText.h"

namespace trovique {

// The report as a Rich Text Format 1.x document: Windows-1252 declared with \ansicpg1252 and
// every character beyond ASCII written as \'hh of its code (one that the code page cannot hold
// becomes "?"), braces and backslashes escaped, tabs as \tab, each line break as \par, and
// bold, underline and point size set per run. Small enough to write by hand: no RTF library
// packaged for the system writes just this.
std::string RtfOfReport(const CReportText& report);

// Writes RtfOfReport to file through a new file that then replaces it, so that an existing
// file is either kept whole or replaced whole. Raises CError 75 when it cannot be written.
void WriteRtfFile(const std::filesystem::path& file, const CReportText& report);

}  // namespace trovique
