#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace trovique::test {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// A Windows bitmap file to write, with every header field a test may want to bend.
struct BmpImage {
    std::int32_t width = 0;
    std::int32_t height = 0;  // number of rows, positive; topDown stores it negative
    std::uint16_t bitCount = 8;
    bool topDown = false;
    // (blue, green, red, 0) per entry, written as given.
    std::vector<std::uint8_t> colorTable;
    // Top row first, each row's pixel bytes without padding: packed indices for 1, 4 and 8 bits,
    // blue, green, red for 24 bits. Rows are padded to 4 bytes when written.
    std::vector<std::vector<std::uint8_t>> rows;

    std::uint32_t infoSize = 40;
    std::uint32_t compression = 0;
    // Default: the number of table entries when fewer than the depth allows, else 0.
    std::optional<std::uint32_t> colorsUsed;
    std::optional<std::uint32_t> pixelOffset;  // default: right after the colour table
    std::optional<std::int32_t> storedHeight;  // default: height, negated when topDown
};

// The bytes of a .bmp file for image.
std::vector<unsigned char> EncodeBmp(const BmpImage& image);
void WriteBmp(const std::filesystem::path& path, const BmpImage& image);

// A 24-bit picture whose pixel (x, y), y = 0 the top row, is colorAt(x, y).
BmpImage RgbImage(std::int32_t width, std::int32_t height,
                  const std::function<Rgb(std::int32_t x, std::int32_t y)>& colorAt);
// A 1-, 4- or 8-bit picture with the given palette whose pixel (x, y) is entry indexAt(x, y).
BmpImage IndexedImage(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                      const std::vector<Rgb>& palette,
                      const std::function<std::uint8_t(std::int32_t x, std::int32_t y)>& indexAt);

// The blue, green, red bytes of a whole 24-bit picture, top row first, rows unpadded.
std::vector<std::uint8_t> BgrPixels(const BmpImage& image);

// A picture like a rendered slide: a white page with a coloured title band, a soft gradient
// panel, text-like strokes and a few shapes in strong colours.
BmpImage SlideLikeImage(std::int32_t width, std::int32_t height);

}  // namespace trovique::test
