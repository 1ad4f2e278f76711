// A Windows bitmap file, read from untrusted bytes in memory.
#include "FuzzSupport.h"
#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "core/imaging/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    static const PalmPalettes& palettes = fuzz::Palettes();
    CMemoryFile file(std::vector<std::uint8_t>(data, data + size));
    CBitmap bitmap;
    try {
        bitmap.ReadFile(file, palettes.color256);
    } catch (const CError&) {
    }
    return 0;
}
