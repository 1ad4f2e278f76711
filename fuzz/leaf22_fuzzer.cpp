// A leaf record of a version-22 file, read from untrusted bytes.
#include "RecordRoundTrip.h"
#include "core/model/Leaf22.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    fuzz::CheckRecordRoundTrip<CLeaf22>(
        data, size, [](CLeaf22& leaf, CBinaryFile& file) { leaf.ReadFromFile(file); });
    return 0;
}
