#include "core/imaging/BitmapPixels.h"

#include <cstddef>
#include <span>

#include "core/imaging/Bitmap.h"

namespace trovique {
namespace {

constexpr std::size_t kEntryBytes = 4;  // blue, green, red, 0

std::size_t IndexAt(std::span<const std::uint8_t> row, std::int32_t x, std::uint16_t pixelSize) {
    const auto at = static_cast<std::size_t>(x);
    switch (pixelSize) {
        case 1:
            return at / 8 < row.size() ? (row[at / 8] >> (7 - at % 8)) & 1 : 0;
        case 4:
            return at / 2 < row.size() ? (at % 2 == 0 ? row[at / 2] >> 4 : row[at / 2] & 0x0F) : 0;
        default:
            return at < row.size() ? row[at] : 0;
    }
}

}  // namespace

std::vector<std::uint32_t> ArgbPixels(const CBitmap& bitmap) {
    const std::int32_t width = bitmap.Width();
    const std::int32_t height = bitmap.Height();
    if (width <= 0 || height <= 0) {
        return {};
    }
    const std::vector<std::uint8_t>& table = bitmap.ColorTable();
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::int32_t row = 1; row <= height; ++row) {
        const auto bytes = bitmap.Row(row);
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t entry = IndexAt(bytes, x, bitmap.PixelSize()) * kEntryBytes;
            std::uint32_t argb = 0xFF000000u;
            if (entry + 2 < table.size()) {
                argb |= std::uint32_t{table[entry + 2]} << 16 |
                        std::uint32_t{table[entry + 1]} << 8 | table[entry];
            }
            pixels.push_back(argb);
        }
    }
    return pixels;
}

}  // namespace trovique
