#include "core/common/MemoryFile.h"

#include <algorithm>

namespace trovique {

void CMemoryFile::Read(std::span<std::uint8_t> destination) {
    RequireRemaining(destination.size());
    if (destination.empty()) {
        return;  // the position may lie past the end, where no iterator may point
    }
    std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(position_), destination.size(),
                destination.begin());
    position_ += destination.size();
}

void CMemoryFile::Write(std::span<const std::uint8_t> source) {
    const std::uint64_t end = position_ + source.size();
    if (end > data_.size()) {
        data_.resize(end);  // writing past the end, as a file would, fills the gap with zeros
    }
    std::copy(source.begin(), source.end(), data_.begin() + static_cast<std::ptrdiff_t>(position_));
    position_ = end;
}

}  // namespace trovique
