#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "core/imaging/Bitmap.h"
#include "core/imaging/Palette.h"
#include "core/imaging/PalmBitmap.h"
#include "core/imaging/PalmPaletteFiles.h"
#include "support/BitmapWriter.h"
#include "support/TestPaths.h"

namespace trovique::test {

// Expected record bytes, spelled out field by field as the record layouts describe them.
class Bytes {
public:
    // Hexadecimal byte pairs; blanks only separate fields for the reader.
    Bytes& Hex(std::string_view digits) {
        std::string pair;
        for (const char c : digits) {
            if (c == ' ')
                continue;
            pair += c;
            if (pair.size() == 2)
                bytes_.push_back(static_cast<std::uint8_t>(std::stoi(pair, nullptr, 16))),
                    pair.clear();
        }
        return *this;
    }
    Bytes& Word(std::uint16_t value) {
        return Raw({static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)});
    }
    Bytes& Raw(const std::vector<std::uint8_t>& values) {
        bytes_.insert(bytes_.end(), values.begin(), values.end());
        return *this;
    }
    Bytes& Zeros(std::size_t count) { return Raw(std::vector<std::uint8_t>(count, 0)); }
    // Complemented characters and one NUL; PlainText without the complement.
    Bytes& Text(std::string_view text) { return Chars(text, true).Zeros(1); }
    Bytes& PlainText(std::string_view text) { return Chars(text, false).Zeros(1); }
    // A fixed field of size bytes: complemented characters, NUL padding.
    Bytes& FixedText(std::string_view text, std::size_t size) {
        return Chars(text, true).Zeros(size - text.size());
    }
    const std::vector<std::uint8_t>& Data() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

private:
    Bytes& Chars(std::string_view text, bool complemented) {
        for (const char c : text)
            bytes_.push_back(static_cast<std::uint8_t>(complemented ? ~c : c));
        return *this;
    }
    std::vector<std::uint8_t> bytes_;
};

// The three handheld palettes the program ships, loaded once.
inline PalmPalettes Palettes() {
    static const PalmPaletteFiles palettes(BinDir());
    return palettes.Set();
}

inline std::shared_ptr<CBitmap> BitmapOf(const BmpImage& image) {
    const std::vector<unsigned char> encoded = EncodeBmp(image);
    CMemoryFile file(std::vector<std::uint8_t>(encoded.begin(), encoded.end()));
    auto bitmap = std::make_shared<CBitmap>();
    bitmap->ReadFile(file, Palettes().color256);
    return bitmap;
}

inline std::shared_ptr<CBitmap> ColorPicture(int width, int height,
                                             const std::function<Rgb(int, int)>& colorAt) {
    return BitmapOf(RgbImage(width, height, colorAt));
}

// A 1-bit black and white picture.
inline std::shared_ptr<CBitmap> MonochromePicture(int width, int height,
                                                  const std::function<bool(int, int)>& white) {
    return BitmapOf(IndexedImage(width, height, 1, {Rgb{0, 0, 0}, Rgb{255, 255, 255}},
                                 [&](int x, int y) { return white(x, y) ? 1 : 0; }));
}

// The four-level grey companion of a colour picture, as imports make them.
inline std::shared_ptr<CBitmap> GreyPicture(const CBitmap& colour) {
    auto grey = std::make_shared<CBitmap>();
    grey->CreateGrayScale4Bitmap(colour);
    return grey;
}

// Two pictures hold the same pixels. Colour tables may differ: a picture read back takes the
// handheld palette's table.
inline void ExpectSamePicture(const std::shared_ptr<CBitmap>& expected,
                              const std::shared_ptr<CBitmap>& actual, const char* which) {
    SCOPED_TRACE(which);
    ASSERT_EQ(expected == nullptr, actual == nullptr);
    if (!expected)
        return;
    EXPECT_EQ(actual->Width(), expected->Width());
    EXPECT_EQ(actual->PixelSize(), expected->PixelSize());
    EXPECT_EQ(actual->GrayScaleExpanded(), expected->GrayScaleExpanded());
    ASSERT_EQ(actual->Height(), expected->Height());
    ASSERT_EQ(actual->RowBytes(), expected->RowBytes());
    for (std::int32_t row = 1; row <= expected->Height(); ++row) {
        const auto a = actual->Row(row);
        const auto e = expected->Row(row);
        EXPECT_TRUE(std::equal(a.begin(), a.end(), e.begin())) << "row " << row;
    }
}

// The error a call raises: number and source; 0 and empty when it raises none.
struct Raised {
    std::uint32_t number = 0;
    std::string source;
};

template <class Body>
Raised RaisedBy(Body&& body) {
    try {
        body();
    } catch (const CError& error) {
        return {error.Number(), error.Source()};
    }
    return {};
}

inline std::vector<std::uint8_t> Written(const std::function<void(CBinaryFile&)>& write) {
    CMemoryFile file;
    write(file);
    return file.Data();
}

}  // namespace trovique::test
