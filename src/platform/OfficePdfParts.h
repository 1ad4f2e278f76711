#pragma once

#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/PdfSlideRenderer.h"

namespace trovique {

class COfficeRun;

// Finds the pages of the PDF an office run writes in parts (see COfficeRun): the parts follow
// each other, and each one's marker tells where the next begins. Safe for use by several
// threads at once; nobody waits on another thread's behalf.
class COfficePdfParts {
public:
    COfficePdfParts(COfficeRun& run, std::size_t job, std::filesystem::path folder,
                    std::size_t pageCount);

    // As a PdfPageLocator: the page's part once it is written. Raises CError when the office
    // failed or its markers make no sense.
    std::optional<PdfPageLocation> Locate(std::size_t page, bool wait);

private:
    // The part holding page among those already known.
    std::optional<PdfPageLocation> Known(std::size_t page, std::size_t& nextFirst) const;

    COfficeRun& run_;
    std::size_t job_;
    std::filesystem::path folder_;
    std::size_t pageCount_;
    mutable std::mutex mutex_;
    std::vector<std::size_t> lastPages_;  // of the parts known so far, in order
};

}  // namespace trovique
