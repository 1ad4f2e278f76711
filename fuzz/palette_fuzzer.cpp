// A RIFF palette file, loaded from a private temporary folder.
#include "FuzzSupport.h"
#include "core/common/Error.h"
#include "core/imaging/Palette.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    if (size < 2) {
        return 0;
    }
    // The first two bytes give the number of entries to read (little-endian, 0..511).
    const auto count = static_cast<std::uint16_t>((data[0] | (data[1] << 8)) & 0x1FF);
    const auto path = fuzz::WritePrivateFile("colors.pal", {data + 2, size - 2});
    CPalette palette;
    try {
        palette.SetNumColors(count);
        palette.CreatePaletteFromFile(path);
    } catch (const CError&) {
        return 0;
    }
    if (palette.ColorTable().size() != std::size_t{palette.NumColors()} * 4) {
        std::abort();
    }
    const std::uint8_t pixel[3] = {data[0], data[1], 0x80};
    std::vector<std::uint8_t> indices;
    palette.Convert24BitColor(pixel, indices);
    if (indices.size() != 1 || indices[0] >= palette.NumColors() ||
        palette.NearestIndex(0x80, data[1], data[0]) != indices[0]) {
        std::abort();
    }
    return 0;
}
