// A presentation package (.pptx): a zip of XML parts, read from untrusted bytes.
#include "FuzzSupport.h"
#include "core/common/Error.h"
#include "platform/PptxReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    const auto path = fuzz::WritePrivateFile("deck.pptx", {data, size});
    try {
        CPptxReader reader(path);
    } catch (const CError&) {
    }
    return 0;
}
