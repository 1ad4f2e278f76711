#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "core/imaging/Bitmap.h"
#include "core/imaging/Palette.h"
#include "core/imaging/PalmBitmap.h"
#include "core/imaging/PalmPaletteFiles.h"
#include "support/BitmapWriter.h"
#include "support/TestPaths.h"

namespace trovique::test {

// The three handheld palettes as the program ships them, loaded once per test program.
inline const PalmPaletteFiles& Palettes() {
    static const PalmPaletteFiles palettes(BinDir());
    return palettes;
}

// Reads a bitmap from the bytes of a .bmp file.
inline CBitmap BitmapFromBytes(const std::vector<unsigned char>& bytes) {
    CMemoryFile file(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    CBitmap bitmap;
    bitmap.ReadFile(file, Palettes().color256);
    return bitmap;
}

inline CBitmap BitmapFromImage(const BmpImage& image) {
    return BitmapFromBytes(EncodeBmp(image));
}

// The error number a call raises, or 0 when it raises none.
template <class Body>
std::uint32_t ErrorNumberOf(Body&& body) {
    try {
        body();
    } catch (const CError& error) {
        return error.Number();
    }
    return 0;
}

inline std::vector<std::uint8_t> RowOf(const CBitmap& bitmap, std::int32_t row) {
    const auto span = bitmap.Row(row);
    return {span.begin(), span.end()};
}

inline std::vector<std::uint8_t> RowOf(const CPalmBitmap& bitmap, std::int32_t row) {
    const auto span = bitmap.Row(row);
    return {span.begin(), span.end()};
}

}  // namespace trovique::test
