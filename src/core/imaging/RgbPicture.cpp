#include "core/imaging/RgbPicture.h"

#include <algorithm>

#include "core/imaging/PalmBitmap.h"

namespace trovique {

RgbPicture PalmBitmapToRgb(const CPalmBitmap& bitmap) {
    RgbPicture picture;
    const unsigned depth = bitmap.PixelSize();
    if (depth != 1 && depth != 2 && depth != 4 && depth != 8) {
        return picture;
    }
    picture.width = bitmap.Width();
    picture.height = bitmap.Height();
    picture.rgb.assign(std::size_t{bitmap.Width()} * bitmap.Height() * 3, 0);
    const std::vector<std::uint8_t>& table = bitmap.ColorTable();
    const unsigned mask = (1u << depth) - 1;
    const unsigned perByte = 8 / depth;
    auto out = picture.rgb.begin();
    for (std::int32_t row = 1; row <= picture.height; ++row) {
        const auto bytes = bitmap.Row(row);
        // Pixels a short row does not hold stay black.
        const std::int64_t held = std::min<std::int64_t>(
            picture.width, static_cast<std::int64_t>(bytes.size()) * perByte);
        for (std::int32_t x = 0; x < held; ++x) {
            const std::uint8_t byte = bytes[static_cast<std::size_t>(x) / perByte];
            const unsigned shift = 8 - depth * (static_cast<unsigned>(x) % perByte + 1);
            const std::size_t entry = std::size_t{(byte >> shift) & mask} * 4;
            if (entry + 2 < table.size()) {
                // Tables hold blue, green, red, 0.
                out[0] = table[entry + 2];
                out[1] = table[entry + 1];
                out[2] = table[entry];
            }
            out += 3;
        }
        out += (picture.width - held) * 3;
    }
    return picture;
}

}  // namespace trovique
