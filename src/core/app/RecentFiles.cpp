#include "core/app/RecentFiles.h"

#include <algorithm>
#include <cctype>

#include "core/services/ApplicationTitle.h"

namespace trovique {

bool SameFileName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

CRecentFiles::CRecentFiles(ISettingsStore& store) : store_(store) {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        slots_[i] = store_.GetOr(std::string(kApplicationTitle), settings::kRecentFiles,
                                 std::to_string(i + 1), "");
    }
}

bool CRecentFiles::AnyUsed() const {
    return std::any_of(slots_.begin(), slots_.end(), [](const auto& f) { return !f.empty(); });
}

void CRecentFiles::Set(const std::string& file) {
    if (file.empty()) {
        return;
    }
    std::size_t place = slots_.size() - 1;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (SameFileName(slots_[i], file)) {
            place = i;
            break;
        }
    }
    for (std::size_t i = place; i > 0; --i) {
        slots_[i] = slots_[i - 1];
    }
    slots_[0] = file;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        store_.Set(std::string(kApplicationTitle), settings::kRecentFiles, std::to_string(i + 1),
                   slots_[i]);
    }
}

}  // namespace trovique
