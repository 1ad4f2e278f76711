#pragma once

#include <string>

#include "core/validation/ValidationLimit.h"

namespace trovique {

class CDocument;
class CValidationResults;

// What refuses the export of a slide show that does not pass validation.
inline constexpr const char* kMustBeValidBeforeExport = "The document must be valid before export.";

// Validates the slide show before it is written for the handheld. An invalid one is refused:
// kMustBeValidBeforeExport is reported with the information style, and the findings stay in
// results for the validation window (or a listing). Returns whether it may be exported.
bool ValidateBeforeExport(CDocument& document, CValidationResults& results,
                          const CValidationLimit& limit);

enum class ExportOutcome {
    Exported,
    Invalid,    // refused by ValidateBeforeExport; the findings are in results
    Cancelled,  // no file was chosen
    Failed,     // the export reported its error
};

// The export command: validates, asks for the file with the export dialog opened at initial
// (a folder or a proposed file), and exports to the file chosen.
ExportOutcome ExportValidSlideShow(CDocument& document, CValidationResults& results,
                                   const CValidationLimit& limit, const std::string& initial);

}  // namespace trovique
