#pragma once

#include <string>

namespace trovique {

class CValidationResults;

// The findings of a validation run for a terminal or a file, grouped by item as the results
// window lists them: each item's reference (element index, ":", path) on a line of its own, its
// messages indented below it, warnings marked "warning: ", and the line that tells a run was
// stopped by the limit. UTF-8; empty when there are no findings.
std::string FormatFindings(const CValidationResults& results);

// The same as one JSON object:
//   {"valid": bool, "errors": n, "warnings": n, "stopped": bool,
//    "items": [{"index": n, "path": text, "kind": "root"|"node"|"leaf",
//               "findings": [{"message": text, "warning": bool, "field": text}]}],
//    "stopMessage": text (only when stopped)}
// "errors" counts the findings that are not warnings. UTF-8, ending in a line break.
std::string FindingsJson(const CValidationResults& results, bool valid);

}  // namespace trovique
