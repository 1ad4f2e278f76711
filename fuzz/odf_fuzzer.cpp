// An OpenDocument presentation, flat (.fodp) or packaged (.odp), read from untrusted bytes.
#include "FuzzSupport.h"
#include "core/common/Error.h"
#include "platform/OdfReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    const auto path = fuzz::WritePrivateFile("deck.fodp", {data, size});
    try {
        COdfReader reader(path);
    } catch (const CError&) {
    }
    return 0;
}
