#pragma once

#include <iosfwd>

namespace trovique {
class CDocument;
}

namespace trovique::cli {

class CCliContext;

// Validates a slide show before it is written for the handheld, with the user's error limit.
// An invalid one is refused: "The document must be valid before export." is reported and the
// findings follow on err, grouped by item. Returns whether the slide show may be exported.
bool ValidateBeforeExport(CCliContext& context, CDocument& document, std::ostream& err);

}  // namespace trovique::cli
