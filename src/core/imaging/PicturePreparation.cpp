#include "core/imaging/PicturePreparation.h"

#include <utility>

#include "core/imaging/Palette.h"

namespace trovique {

bool IsMonochromePicture(const CBitmap& bitmap) {
    return bitmap.NumColors() < 3;
}

void ReindexForKind(CBitmap& bitmap, const PalmPalettes& palettes) {
    if (bitmap.GrayScaleExpanded()) {
        bitmap.ConvertPalette(palettes.gray4);
    } else if (IsMonochromePicture(bitmap)) {
        bitmap.ConvertPalette(palettes.monochrome);
    } else {
        bitmap.ConvertPalette(palettes.color256);
    }
}

CBitmap GrayCompanion(const CBitmap& color, const PalmPalettes& palettes) {
    CBitmap gray;
    gray.CreateGrayScale4Bitmap(color);
    gray.ConvertPalette(palettes.gray4);
    return gray;
}

CBitmap MonochromeVersion(const CBitmap& picture, const PalmPalettes& palettes) {
    CBitmap monochrome;
    if (picture.PixelSize() == 1) {
        monochrome = picture;
    } else {
        monochrome.CreateMonochromeBitmap(picture);
    }
    monochrome.ConvertPalette(palettes.monochrome);
    return monochrome;
}

CBitmap PrepareForDepth(CBitmap bitmap, int depth, const PalmPalettes& palettes) {
    switch (depth) {
        case 1:
            return MonochromeVersion(bitmap, palettes);
        case 2:
            return GrayCompanion(bitmap, palettes);
        default:
            bitmap.WidenToEightBits();
            bitmap.ConvertPalette(palettes.color256);
            return bitmap;
    }
}

}  // namespace trovique
