#include "support/DocumentFixture.h"

#include "support/TestPaths.h"

namespace trovique::test {

const PalmPalettes& TestPalettes() {
    static const auto load = [](const char* file, std::uint16_t colours) {
        auto palette = std::make_unique<CPalette>();
        palette->SetNumColors(colours);
        palette->CreatePaletteFromFile(BinDir() / file);
        return palette;
    };
    static const auto color = load("Palm256Color.pal", 256);
    static const auto mono = load("PalmMonochrome.pal", 2);
    static const auto gray = load("Palm4Color.pal", 4);
    static const PalmPalettes palettes{*color, *mono, *gray};
    return palettes;
}

}  // namespace trovique::test
