#pragma once

#include <filesystem>

#include "core/imaging/Palette.h"
#include "core/imaging/PalmBitmap.h"

namespace trovique {

// The handheld's three palettes, read from the palette files that ship beside the program.
struct PalmPaletteFiles {
    static constexpr const char* kColor256File = "Palm256Color.pal";
    static constexpr const char* kMonochromeFile = "PalmMonochrome.pal";
    static constexpr const char* kGray4File = "Palm4Color.pal";

    CPalette color256;
    CPalette monochrome;
    CPalette gray4;

    PalmPaletteFiles() = default;
    explicit PalmPaletteFiles(const std::filesystem::path& folder) { Load(folder); }

    // Loads all three from folder. Raises the CError of the first file that cannot be loaded,
    // which names it; the palettes held before are then kept.
    void Load(const std::filesystem::path& folder);
    PalmPalettes Set() const { return {color256, monochrome, gray4}; }
};

}  // namespace trovique
