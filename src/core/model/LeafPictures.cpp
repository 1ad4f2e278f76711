#include "core/model/LeafPictures.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "core/model/RecordFields.h"

namespace trovique::record {
namespace {

constexpr std::size_t kNoPictureBytes = 4;
constexpr std::uint64_t kWordBytes = 4;

std::optional<CPalmBitmap> ToPalm(const CBitmap* bitmap) {
    if (bitmap == nullptr) {
        return std::nullopt;
    }
    CPalmBitmap palm;
    palm.ReadFromCBitmap(*bitmap);
    return palm;
}

std::shared_ptr<CBitmap> ReadOnePicture(CBinaryFile& file, const PalmPalettes& palettes,
                                        CPalmBitmap& palm) {
    palm.ReadFromFile(file, true, palettes);
    // A slide picture without pixels shows nothing and cannot be written back as it was read,
    // so the record would change on every save.
    if (palm.Width() == 0 || palm.Height() == 0) {
        throw CError(kErrInvalidBitmapFormat, "CLeaf:ReadFromFile",
                     std::string(BitmapErrorDescription(kErrInvalidBitmapFormat)));
    }
    auto bitmap = std::make_shared<CBitmap>();
    bitmap->ReadFromCPalmBitmap(palm);
    return bitmap;
}

// A grey picture is the monochrome one of a slide wherever it is stored: it is written back in
// the monochrome slot, and a grey picture read into the colour slot would be dropped by the
// no-monochrome marker on the next read.
bool IsColourPicture(const CBitmap& bitmap) {
    return bitmap.NumColors() > 2 && !bitmap.GrayScaleExpanded();
}

void Place(std::shared_ptr<CBitmap> bitmap, PicturePair& pictures) {
    (IsColourPicture(*bitmap) ? pictures.color : pictures.monochrome) = std::move(bitmap);
}

}  // namespace

void WritePictureBlock(CBinaryFile& file, const CBitmap* monochrome, const CBitmap* color) {
    std::optional<CPalmBitmap> mono = ToPalm(monochrome);
    const std::optional<CPalmBitmap> colour = ToPalm(color);
    if (!mono && !colour) {
        const std::array<std::uint8_t, kNoPictureBytes> none{};
        file.Write(none);
        return;
    }
    std::uint64_t pad = 0;
    if (mono && colour) {
        // The colour picture starts at the next 4-byte boundary after the monochrome one, and
        // the monochrome header tells how far that is. Measuring what is written keeps the
        // offset right whatever form the monochrome bitmap takes.
        CMemoryFile measure;
        mono->WriteToFile(measure, true);
        const std::uint64_t size = measure.Size();
        pad = (kWordBytes - size % kWordBytes) % kWordBytes;
        mono->SetNextDepthOffset(CheckedWord(static_cast<std::int64_t>((size + pad) / kWordBytes)));
    } else if (mono) {
        mono->SetNextDepthOffset(0);
    }
    if (mono) {
        mono->WriteToFile(file, true);
        const std::array<std::uint8_t, kWordBytes> zeros{};
        file.Write(std::span<const std::uint8_t>(zeros.data(), static_cast<std::size_t>(pad)));
    }
    if (colour) {
        colour->WriteToFile(file, true);
    }
}

PicturePair ReadPictureBlock(CBinaryFile& file, const PalmPalettes& palettes) {
    PicturePair pictures;
    const std::uint64_t start = file.Position();
    // A record cut off here is damaged, not a slide without pictures.
    std::array<std::uint8_t, kNoPictureBytes> head{};
    file.Read(head);
    if (std::all_of(head.begin(), head.end(), [](std::uint8_t b) { return b == 0; })) {
        return pictures;
    }
    file.Seek(start);

    CPalmBitmap first;
    Place(ReadOnePicture(file, palettes, first), pictures);
    if (first.NextDepthOffset() > 0) {
        const std::uint64_t next = start + kWordBytes * first.NextDepthOffset();
        if (next >= file.Size()) {
            throw CError(kErrInputPastEnd, "CLEAF:ReadFromFile", "Input past end of file.");
        }
        file.Seek(next);
        CPalmBitmap second;
        Place(ReadOnePicture(file, palettes, second), pictures);
    }
    return pictures;
}

std::int64_t EstPalmSize(const CBitmap* bitmap) {
    if (bitmap == nullptr) {
        return 0;
    }
    CPalmBitmap palm;
    try {
        palm.ReadFromCBitmap(*bitmap);
    } catch (const CError&) {
        // Too large for the handheld's 16-bit fields: its plain size, far above any limit, is
        // the honest answer for the size checks that ask.
        return static_cast<std::int64_t>(bitmap->RowBytes()) * bitmap->Height() + 22;
    }
    return palm.EstFileSize();
}

}  // namespace trovique::record
