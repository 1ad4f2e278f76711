#pragma once

#include <cstdint>
#include <vector>

namespace trovique {

class CPalmBitmap;

// A picture as screen pixels: Height rows of Width pixels, each red, green, blue, top row first.
struct RgbPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgb;

    bool Empty() const { return width == 0 || height == 0; }
    bool operator==(const RgbPicture&) const = default;
};

// The pixels of a Palm bitmap through its colour table: 1-, 2- and 8-bit fields packed most
// significant bit first. An index beyond the table shows black rather than reading past it.
RgbPicture PalmBitmapToRgb(const CPalmBitmap& bitmap);

}  // namespace trovique
