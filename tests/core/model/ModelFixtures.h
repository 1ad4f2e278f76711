#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
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
#include "support/BitmapWriter.h"
#include "support/TestPaths.h"

namespace trovique::test {

// Expected record bytes, spelled out field by field the way the record layouts describe them.
class Bytes {
public:
    Bytes& Word(std::uint16_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
        bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
        return *this;
    }
    Bytes& Byte(std::uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    Bytes& Raw(std::initializer_list<std::uint8_t> values) {
        bytes_.insert(bytes_.end(), values);
        return *this;
    }
    Bytes& Raw(const std::vector<std::uint8_t>& values) {
        bytes_.insert(bytes_.end(), values.begin(), values.end());
        return *this;
    }
    Bytes& Zeros(std::size_t count) {
        bytes_.insert(bytes_.end(), count, 0);
        return *this;
    }
    // Characters stored as their complement (no line breaks in these), then one NUL.
    Bytes& Text(std::string_view text) {
        Chars(text, true);
        return Byte(0);
    }
    Bytes& PlainText(std::string_view text) {
        Chars(text, false);
        return Byte(0);
    }
    // A fixed field of size bytes: complemented characters, NUL padding.
    Bytes& FixedText(std::string_view text, std::size_t size) {
        Chars(text, true);
        return Zeros(size - text.size());
    }
    const std::vector<std::uint8_t>& Data() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

private:
    void Chars(std::string_view text, bool complemented) {
        for (const char c : text) {
            const auto byte = static_cast<std::uint8_t>(c);
            bytes_.push_back(complemented ? static_cast<std::uint8_t>(byte ^ 0xFF) : byte);
        }
    }

    std::vector<std::uint8_t> bytes_;
};

// The three handheld palettes the program ships, loaded once.
struct ModelPalettes {
    CPalette color256;
    CPalette monochrome;
    CPalette gray4;

    ModelPalettes() {
        Load(color256, 256, "Palm256Color.pal");
        Load(monochrome, 2, "PalmMonochrome.pal");
        Load(gray4, 4, "Palm4Color.pal");
    }
    PalmPalettes Set() const { return {color256, monochrome, gray4}; }

private:
    static void Load(CPalette& palette, std::uint16_t count, const char* name) {
        palette.SetNumColors(count);
        palette.CreatePaletteFromFile(BinDir() / name);
    }
};

inline const ModelPalettes& Palettes() {
    static const ModelPalettes palettes;
    return palettes;
}

inline std::shared_ptr<CBitmap> BitmapOf(const BmpImage& image) {
    const std::vector<unsigned char> encoded = EncodeBmp(image);
    CMemoryFile file(std::vector<std::uint8_t>(encoded.begin(), encoded.end()));
    auto bitmap = std::make_shared<CBitmap>();
    bitmap->ReadFile(file, Palettes().color256);
    return bitmap;
}

// An 8-bit colour picture whose pixel (x, y) is colorAt(x, y).
inline std::shared_ptr<CBitmap> ColorPicture(std::int32_t width, std::int32_t height,
                                             const std::function<Rgb(int, int)>& colorAt) {
    return BitmapOf(RgbImage(width, height, colorAt));
}

// A 1-bit black and white picture.
inline std::shared_ptr<CBitmap> MonochromePicture(std::int32_t width, std::int32_t height,
                                                  const std::function<bool(int, int)>& white) {
    return BitmapOf(IndexedImage(width, height, 1, {Rgb{0, 0, 0}, Rgb{255, 255, 255}},
                                 [&](int x, int y) { return white(x, y) ? 1 : 0; }));
}

// A four-level grey companion of a colour picture, as imports make them.
inline std::shared_ptr<CBitmap> GreyPicture(const CBitmap& colour) {
    auto grey = std::make_shared<CBitmap>();
    grey->CreateGrayScale4Bitmap(colour);
    return grey;
}

inline std::vector<std::uint8_t> RowOf(const CBitmap& bitmap, std::int32_t row) {
    const auto span = bitmap.Row(row);
    return {span.begin(), span.end()};
}

// Two pictures hold the same pixels (colour tables may differ: a picture read back takes the
// handheld palette's table).
inline void ExpectSamePicture(const std::shared_ptr<CBitmap>& expected,
                              const std::shared_ptr<CBitmap>& actual, const char* which) {
    SCOPED_TRACE(which);
    ASSERT_EQ(expected == nullptr, actual == nullptr);
    if (!expected) {
        return;
    }
    EXPECT_EQ(actual->Width(), expected->Width());
    ASSERT_EQ(actual->Height(), expected->Height());
    EXPECT_EQ(actual->PixelSize(), expected->PixelSize());
    EXPECT_EQ(actual->GrayScaleExpanded(), expected->GrayScaleExpanded());
    ASSERT_EQ(actual->RowBytes(), expected->RowBytes());
    for (std::int32_t row = 1; row <= expected->Height(); ++row) {
        EXPECT_EQ(RowOf(*actual, row), RowOf(*expected, row)) << "row " << row;
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
