#include "support/BitmapWriter.h"

#include <fstream>
#include <stdexcept>

namespace trovique::test {
namespace {

void PutLe16(std::vector<unsigned char>& out, std::uint32_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void PutLe32(std::vector<unsigned char>& out, std::uint32_t value) {
    PutLe16(out, value & 0xFFFF);
    PutLe16(out, value >> 16);
}

std::size_t PaddedRowBytes(const BmpImage& image) {
    const std::size_t bits = static_cast<std::size_t>(image.width) * image.bitCount;
    return (bits + 31) / 32 * 4;
}

}  // namespace

std::vector<unsigned char> EncodeBmp(const BmpImage& image) {
    const std::size_t rowBytes = PaddedRowBytes(image);
    const std::uint32_t headers = 14 + image.infoSize;
    const std::uint32_t offset =
        image.pixelOffset.value_or(headers + static_cast<std::uint32_t>(image.colorTable.size()));
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, 0);  // file size, set at the end
    PutLe32(out, 0);
    PutLe32(out, offset);
    PutLe32(out, image.infoSize);
    PutLe32(out, static_cast<std::uint32_t>(image.width));
    const std::int32_t height =
        image.storedHeight.value_or(image.topDown ? -image.height : image.height);
    PutLe32(out, static_cast<std::uint32_t>(height));
    PutLe16(out, 1);
    PutLe16(out, image.bitCount);
    PutLe32(out, image.compression);
    PutLe32(out, 0);
    PutLe32(out, 2835);
    PutLe32(out, 2835);
    const std::size_t entries = image.colorTable.size() / 4;
    const bool shortTable = image.bitCount <= 8 && entries < (std::size_t{1} << image.bitCount);
    PutLe32(out, image.colorsUsed.value_or(shortTable ? static_cast<std::uint32_t>(entries) : 0));
    PutLe32(out, 0);
    out.resize(headers, 0);  // larger info headers: the rest zero
    out.insert(out.end(), image.colorTable.begin(), image.colorTable.end());
    out.resize(std::max<std::size_t>(out.size(), offset), 0);
    for (std::size_t written = 0; written < image.rows.size(); ++written) {
        const std::size_t index = image.topDown ? written : image.rows.size() - 1 - written;
        std::vector<unsigned char> row(image.rows[index].begin(), image.rows[index].end());
        row.resize(std::max(rowBytes, row.size()), 0);
        out.insert(out.end(), row.begin(), row.end());
    }
    const auto size = static_cast<std::uint32_t>(out.size());
    for (int i = 0; i < 4; ++i) {
        out[2 + static_cast<std::size_t>(i)] = static_cast<unsigned char>(size >> (8 * i));
    }
    return out;
}

void WriteBmp(const std::filesystem::path& path, const BmpImage& image) {
    const auto bytes = EncodeBmp(image);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

BmpImage RgbImage(std::int32_t width, std::int32_t height,
                  const std::function<Rgb(std::int32_t x, std::int32_t y)>& colorAt) {
    BmpImage image;
    image.width = width;
    image.height = height;
    image.bitCount = 24;
    for (std::int32_t y = 0; y < height; ++y) {
        std::vector<std::uint8_t> row;
        row.reserve(3 * static_cast<std::size_t>(width));
        for (std::int32_t x = 0; x < width; ++x) {
            const Rgb color = colorAt(x, y);
            row.insert(row.end(), {color.blue, color.green, color.red});
        }
        image.rows.push_back(std::move(row));
    }
    return image;
}

BmpImage IndexedImage(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                      const std::vector<Rgb>& palette,
                      const std::function<std::uint8_t(std::int32_t x, std::int32_t y)>& indexAt) {
    BmpImage image;
    image.width = width;
    image.height = height;
    image.bitCount = bitCount;
    for (const Rgb& color : palette) {
        image.colorTable.insert(image.colorTable.end(), {color.blue, color.green, color.red, 0});
    }
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bitCount + 7) / 8;
    for (std::int32_t y = 0; y < height; ++y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
            const int shift = 8 - bitCount - static_cast<int>(bit % 8);
            row[bit / 8] |= static_cast<std::uint8_t>(indexAt(x, y) << shift);
        }
        image.rows.push_back(std::move(row));
    }
    return image;
}

std::vector<std::uint8_t> BgrPixels(const BmpImage& image) {
    std::vector<std::uint8_t> pixels;
    for (const auto& row : image.rows) {
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    return pixels;
}

BmpImage SlideLikeImage(std::int32_t width, std::int32_t height) {
    return RgbImage(width, height, [width, height](std::int32_t x, std::int32_t y) {
        const std::int32_t titleBottom = height / 6;
        if (y < titleBottom) {
            // Title band with light text strokes.
            const bool stroke = (y > titleBottom / 3 && y < 2 * titleBottom / 3) &&
                                (x / 7) % 3 != 0 && x > width / 10 && x < width * 7 / 10;
            return stroke ? Rgb{250, 250, 240} : Rgb{31, 73, 125};
        }
        if (x > width * 6 / 10 && y > height * 3 / 10 && y < height * 8 / 10) {
            // Gradient panel, like an embedded photo or chart background.
            const auto shade =
                static_cast<std::uint8_t>(255 * (x - width * 6 / 10) / (width * 4 / 10));
            const auto depth =
                static_cast<std::uint8_t>(200 * (y - height * 3 / 10) / (height / 2));
            return Rgb{shade, static_cast<std::uint8_t>(255 - depth), 120};
        }
        const std::int32_t dx = x - width / 4;
        const std::int32_t dy = y - height * 7 / 10;
        if (dx * dx + dy * dy < (height / 8) * (height / 8)) {
            return Rgb{192, 80, 77};  // a filled circle
        }
        const std::int32_t line = (y - titleBottom) / 24;
        const bool textRow = (y - titleBottom) % 24 > 6 && (y - titleBottom) % 24 < 18;
        const bool textColumn = x > width / 12 && x < width / 2 && ((x / 5 + line) % 4 != 0);
        if (line < 6 && textRow && textColumn) {
            return Rgb{64, 64, 64};  // body text
        }
        return Rgb{255, 255, 255};
    });
}

}  // namespace trovique::test
