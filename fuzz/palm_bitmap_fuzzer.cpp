// A picture in the handheld's bitmap layout, read from untrusted bytes; the picture read is
// written back and read again, since a read picture ends up in the next save.
#include "FuzzSupport.h"
#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "core/imaging/Bitmap.h"
#include "core/imaging/PalmBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    static const PalmPalettes& palettes = fuzz::Palettes();
    if (size < 1) {
        return 0;
    }
    // The first byte says whether the three record fields come first.
    const bool omitRecordFields = (data[0] & 1) != 0;
    CMemoryFile file(std::vector<std::uint8_t>(data + 1, data + size));
    CPalmBitmap palm;
    try {
        palm.ReadFromFile(file, omitRecordFields, palettes);
    } catch (const CError&) {
        return 0;
    }
    CMemoryFile written;
    palm.WriteToFile(written, omitRecordFields);
    written.Seek(0);
    CPalmBitmap again;
    again.ReadFromFile(written, omitRecordFields, palettes);
    if (again.Width() != palm.Width() || again.Height() != palm.Height() ||
        again.PixelSize() != palm.PixelSize()) {
        std::abort();
    }
    for (std::int32_t row = 1; row <= palm.Height(); ++row) {
        const auto a = palm.Row(row);
        const auto b = again.Row(row);
        if (!std::equal(a.begin(), a.end(), b.begin(), b.end())) {
            std::abort();
        }
    }
    try {
        CBitmap desktop;
        desktop.ReadFromCPalmBitmap(palm);
    } catch (const CError&) {
    }
    return 0;
}
