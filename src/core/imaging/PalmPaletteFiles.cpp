#include "core/imaging/PalmPaletteFiles.h"

#include <utility>

namespace trovique {
namespace {

CPalette LoadPalette(const std::filesystem::path& file, std::uint16_t colours) {
    CPalette palette;
    palette.SetNumColors(colours);
    palette.CreatePaletteFromFile(file);
    return palette;
}

}  // namespace

void PalmPaletteFiles::Load(const std::filesystem::path& folder) {
    CPalette loaded256 = LoadPalette(folder / kColor256File, 256);
    CPalette loadedMono = LoadPalette(folder / kMonochromeFile, 2);
    CPalette loaded4 = LoadPalette(folder / kGray4File, 4);
    color256 = std::move(loaded256);
    monochrome = std::move(loadedMono);
    gray4 = std::move(loaded4);
}

}  // namespace trovique
