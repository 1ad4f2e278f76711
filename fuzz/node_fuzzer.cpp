// A node record of the current layout, read from untrusted bytes.
#include "RecordRoundTrip.h"
#include "core/model/Node.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    fuzz::CheckRecordRoundTrip<CNode>(
        data, size, [](CNode& node, CBinaryFile& file) { node.ReadFromFile(file); });
    return 0;
}
