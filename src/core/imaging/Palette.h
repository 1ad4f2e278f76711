#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/imaging/NearestColourTable.h"

namespace trovique {

// One of the handheld's fixed colour palettes, loaded from a RIFF palette file that ships beside
// the program. Desktop pictures are re-indexed against it: every colour becomes the index of the
// nearest palette colour (smallest squared RGB distance, the first such entry on a tie, so every
// palette colour maps to its own first index).
//
// Lookups are exact and fast, through a nearest-colour table: the shipped palettes use the one
// worked out when the program was built, any other palette one worked out at load. All lookups
// are const and touch no mutable state, so a loaded palette may be shared freely.
class CPalette {
public:
    // A palette file holds at most this many entries.
    static constexpr std::size_t kMaxColors = 256;

    std::uint16_t NumColors() const { return numColors_; }
    // The number of entries the next load reads. Changing it discards colours loaded for another
    // count, because they no longer describe this palette.
    void SetNumColors(std::uint16_t count);

    // Reads NumColors entries (red, green, blue, flags) after the file's 24-byte header. Raises
    // CError naming the file when it is missing or short or NumColors is 0 or above 256; the
    // palette keeps what it held before.
    void CreatePaletteFromFile(const std::filesystem::path& path);

    // NumColors x (blue, green, red, 0), the order bitmaps keep their colour tables in.
    const std::vector<std::uint8_t>& ColorTable() const { return colorTable_; }
    // Copies the colour table over the start of destination, growing it when it is shorter.
    void CopyColorTable(std::vector<std::uint8_t>& destination) const;

    // Re-indexes size / 3 pixels stored blue, green, red: indices gets one byte per pixel.
    bool Convert24BitColor(std::span<const std::uint8_t> bgrPixels,
                           std::vector<std::uint8_t>& indices) const;
    // The nearest index to entry colorIndex of a (blue, green, red, 0) table; raises CError when
    // the table does not hold that entry.
    std::uint8_t GetPaletteIndexFromSrcColorTable(std::size_t colorIndex,
                                                  std::span<const std::uint8_t> sourceTable) const;
    // The 32-bit colour value red + green * 256 + blue * 65536.
    static std::uint32_t BuildColorRef(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    // The nearest palette index; 0 while nothing is loaded.
    std::uint8_t NearestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
        return table_.Nearest(red, green, blue);
    }
    // The same answer found by comparing every entry: the yardstick for NearestIndex.
    std::uint8_t BruteForceNearestIndex(std::uint8_t red, std::uint8_t green,
                                        std::uint8_t blue) const;

    // Whether lookups go through the table built with the program for this palette.
    bool UsesBuiltInTable() const { return builtInTable_; }

private:
    void Clear();
    void TakeNearestTable();

    std::uint16_t numColors_ = 0;
    std::vector<std::uint8_t> colorTable_;
    std::vector<PaletteColour> entries_;
    CNearestColourTable table_;
    bool builtInTable_ = false;
};

}  // namespace trovique
