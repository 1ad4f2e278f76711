#include "platform/OfficePdfParts.h"

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "core/common/Error.h"
#include "platform/OfficeRun.h"

namespace trovique {
namespace {

namespace fs = std::filesystem;

std::string PartName(std::size_t first) {
    return "slides-" + std::to_string(first);
}

// The marker's number. The office creates the file before it writes into it, so an empty one
// is read again for a little while.
std::optional<std::size_t> ReadLastPage(const fs::path& marker) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        std::ifstream in(marker);
        long long last = -1;
        in >> last;
        if (in && last >= 0) {
            return static_cast<std::size_t>(last);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}

}  // namespace

COfficePdfParts::COfficePdfParts(COfficeRun& run, std::size_t job, fs::path folder,
                                 std::size_t pageCount)
    : run_(run), job_(job), folder_(std::move(folder)), pageCount_(pageCount) {}

std::optional<PdfPageLocation> COfficePdfParts::Known(std::size_t page,
                                                      std::size_t& nextFirst) const {
    std::size_t first = 1;
    for (const std::size_t last : lastPages_) {
        if (page <= last) {
            return PdfPageLocation{folder_ / (PartName(first) + ".pdf"),
                                   static_cast<int>(page - first + 1)};
        }
        first = last + 1;
    }
    nextFirst = first;
    return std::nullopt;
}

std::optional<PdfPageLocation> COfficePdfParts::Locate(std::size_t page, bool wait) {
    if (page < 1 || page > pageCount_) {
        return std::nullopt;
    }
    for (;;) {
        std::size_t first = 1;
        {
            const std::lock_guard lock(mutex_);
            if (auto location = Known(page, first)) {
                return location;
            }
        }
        const std::string marker = PartName(first) + ".txt";
        if (!run_.WaitForFile(job_, marker, wait)) {
            return std::nullopt;
        }
        const auto last = ReadLastPage(folder_ / marker);
        if (!last || *last < first || *last > pageCount_) {
            throw CError(
                kErrPathFileAccess, "CLibreOfficeSource",
                "LibreOffice did not say which slides it drew into " + PartName(first) + ".pdf.");
        }
        const std::lock_guard lock(mutex_);
        std::size_t known = 1;
        if (!Known(*last, known) && known == first) {
            lastPages_.push_back(*last);
        }
    }
}

}  // namespace trovique
