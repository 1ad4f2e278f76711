#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "core/import/PresentationSource.h"

namespace trovique {

class CDocument;

// What one import did.
struct PowerPointImportResult {
    // False when the import ended with an error (reported to the user); the slides added
    // before it stay in the slide show.
    bool succeeded = false;
    // The user stopped the import in the progress window; the slides up to then were added.
    bool cancelled = false;
    std::size_t slidesAdded = 0;
    std::size_t slidesRejected = 0;
    // The warnings shown at the end (Windows-1252, as they quote slide texts), empty when there
    // were none.
    std::string warnings;
};

// Turns every slide of a presentation into a BITMAP leaf under the root of document: a small
// and a large picture of the slide, its title, its text and its speaker notes. The slide show
// takes its title from the file name and its times from the file's date. Slides that cannot be
// used are skipped with a warning; the warnings are shown together at the end. Any other
// failure is reported as "ImportFromPowerPoint error: " and its description. The source is
// opened here and closed again on every way out.
PowerPointImportResult ImportFromPowerPoint(CDocument& document, IPresentationSource& source,
                                            const std::filesystem::path& file);

}  // namespace trovique
