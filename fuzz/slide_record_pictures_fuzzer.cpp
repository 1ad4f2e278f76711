// A BITMAP leaf record read as the handheld preview reads it: title and pictures decoded to
// pixels from untrusted bytes. Whatever is decoded must have exactly its pixels' worth of bytes.
#include "FuzzSupport.h"
#include "core/common/Error.h"
#include "core/preview/SlideRecordPictures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trovique;
    static const PalmPalettes& palettes = fuzz::Palettes();
    SlideRecordPictures pictures;
    try {
        pictures = ReadSlideRecordPictures(std::span<const std::uint8_t>(data, size), palettes);
    } catch (const CError&) {
        return 0;
    }
    for (const RgbPicture* picture : {&pictures.color, &pictures.gray}) {
        if (picture->rgb.size() != std::size_t(picture->width) * picture->height * 3) {
            std::abort();
        }
    }
    return 0;
}
