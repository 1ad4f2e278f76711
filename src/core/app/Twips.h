#pragma once

#include <cmath>
#include <cstdint>

namespace trovique {

// Window placements are stored in twips, 1440 to the inch, whatever the screen; the windows
// convert with their screen's logical dots per inch.
inline constexpr double kTwipsPerInch = 1440.0;

inline std::int32_t TwipsFromPixels(int pixels, double dotsPerInch) {
    return static_cast<std::int32_t>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

inline int PixelsFromTwips(std::int32_t twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

}  // namespace trovique
