#pragma once

#include <cstdint>
#include <memory>

#include "core/common/BinaryFile.h"
#include "core/imaging/Bitmap.h"
#include "core/imaging/PalmBitmap.h"

// The picture block of a BITMAP leaf record: the monochrome and the colour picture as Palm
// bitmaps, the monochrome one first and pointing at the colour one, or four NUL bytes when the
// slide has no picture.
namespace trovique::record {

struct PicturePair {
    std::shared_ptr<CBitmap> color;
    std::shared_ptr<CBitmap> monochrome;
};

void WritePictureBlock(CBinaryFile& file, const CBitmap* monochrome, const CBitmap* color);
PicturePair ReadPictureBlock(CBinaryFile& file, const PalmPalettes& palettes);

// The estimated stored size of a picture as a Palm bitmap; 0 for none.
std::int64_t EstPalmSize(const CBitmap* bitmap);

}  // namespace trovique::record
