#include "support/DocumentFixture.h"

#include "core/imaging/PalmPaletteFiles.h"
#include "support/TestPaths.h"

namespace trovique::test {

const PalmPalettes& TestPalettes() {
    static const PalmPaletteFiles files(BinDir());
    static const PalmPalettes palettes = files.Set();
    return palettes;
}

}  // namespace trovique::test
