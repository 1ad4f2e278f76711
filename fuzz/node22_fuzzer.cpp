// A node record of a version-22 file, read from untrusted bytes.
#include "RecordRoundTrip.h"
#include "core/model/Node22.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    fuzz::CheckRecordRoundTrip<CNode22>(
        data, size, [](CNode22& node, CBinaryFile& file) { node.ReadFromFile(file); });
    return 0;
}
