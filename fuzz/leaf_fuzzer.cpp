// A leaf record of the current layout (QAF, FACT or BITMAP with its pictures), read from
// untrusted bytes.
#include "FuzzSupport.h"
#include "RecordRoundTrip.h"
#include "core/model/Leaf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    static const PalmPalettes& palettes = fuzz::Palettes();
    fuzz::CheckRecordRoundTrip<CLeaf>(
        data, size, [](CLeaf& leaf, CBinaryFile& file) { leaf.ReadFromFile(file, palettes); });
    return 0;
}
