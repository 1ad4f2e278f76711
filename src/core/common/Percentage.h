#pragma once

#include <algorithm>
#include <cstdint>

namespace trovique {

// The whole percentage of complete out of total, as the status bar and the progress window show
// it: 0 when there is nothing to count, never above 100 (a caller may count past its total) and
// never below 0. The product is taken in 64 bits so that large counts cannot overflow.
inline std::int16_t PercentageOf(std::int32_t complete, std::int32_t total) {
    if (total <= 0 || complete <= 0) {
        return 0;
    }
    const std::int64_t percent = std::int64_t{complete} * 100 / total;
    return static_cast<std::int16_t>(std::min<std::int64_t>(percent, 100));
}

}  // namespace trovique
