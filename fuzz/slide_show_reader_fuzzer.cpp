// A whole slide show file (.sdb or .pdb), opened from a private temporary folder.
#include "FuzzSupport.h"
#include "core/editor/Document.h"
#include "core/slideshowfile/SlideShowReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    static const PalmPalettes& palettes = fuzz::Palettes();
    const auto path = fuzz::WritePrivateFile("show.sdb", {data, size});
    fuzz::CQuietServices services;
    CDocument document(services.Services(), palettes);
    Read(document, path, false);  // reports damage to the (quiet) user and returns false
    return 0;
}
