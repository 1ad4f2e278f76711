#include "core/preview/SlideRecordPictures.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/codec/FieldCodec.h"
#include "core/codec/UnsignedInt.h"
#include "core/common/MemoryFile.h"
#include "core/model/Leaf.h"
#include "core/model/RecordType.h"

namespace trovique {
namespace {

constexpr std::string_view kSource = "ReadSlideRecordPictures";
// Record type, key, parent key, page, three see-also slots and the two flag bytes.
constexpr std::uint64_t kFieldsBeforeTitle = 7 * 2 + 2;
constexpr std::uint64_t kWordBytes = 4;

[[noreturn]] void RaiseDamaged() {
    throw CError(kErrInvalidBitmapFormat, std::string(kSource),
                 std::string(BitmapErrorDescription(kErrInvalidBitmapFormat)));
}

std::uint16_t ReadU16(CBinaryFile& file) {
    CUnsignedInt value;
    value.ReadFromFile(file);
    return value.Value();
}

void Place(const CPalmBitmap& bitmap, SlideRecordPictures& pictures) {
    if (bitmap.Width() == 0 || bitmap.Height() == 0) {
        RaiseDamaged();
    }
    (bitmap.PixelSize() == 8 ? pictures.color : pictures.gray) = PalmBitmapToRgb(bitmap);
}

}  // namespace

SlideRecordPictures ReadSlideRecordPictures(std::span<const std::uint8_t> record,
                                            const PalmPalettes& palettes) {
    CMemoryFile file(std::vector<std::uint8_t>(record.begin(), record.end()));
    const std::uint16_t fixedRegion = ReadU16(file);
    if (ReadU16(file) != kRecordTypeBitmap || fixedRegion < kFieldsBeforeTitle) {
        RaiseDamaged();
    }
    file.Seek(2 + kFieldsBeforeTitle);
    SlideRecordPictures pictures;
    pictures.title = ReadFieldString(file, CLeaf::kBitmapTitleField, true, true);
    // The picture block follows the fixed region.
    const std::uint64_t start = 2 + std::uint64_t{fixedRegion};
    if (start > file.Size()) {
        RaiseDamaged();
    }
    file.Seek(start);
    std::array<std::uint8_t, kWordBytes> head{};
    file.Read(head);
    if (std::all_of(head.begin(), head.end(), [](std::uint8_t b) { return b == 0; })) {
        return pictures;
    }
    file.Seek(start);
    CPalmBitmap first;
    first.ReadFromFile(file, true, palettes);
    Place(first, pictures);
    if (first.NextDepthOffset() > 0) {
        const std::uint64_t next = start + kWordBytes * first.NextDepthOffset();
        if (next >= file.Size()) {
            RaiseDamaged();
        }
        file.Seek(next);
        CPalmBitmap second;
        second.ReadFromFile(file, true, palettes);
        Place(second, pictures);
    }
    return pictures;
}

}  // namespace trovique
