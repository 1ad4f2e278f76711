#include "core/import/SlidePictures.h"

#include <vector>

#include "core/common/Error.h"
#include "core/imaging/Palette.h"
#include "core/imaging/PicturePreparation.h"
#include "core/model/Leaf.h"
#include "core/model/LeafPictures.h"

namespace trovique {
namespace {

constexpr std::size_t kBytesPerPixel = 3;

std::size_t PixelCount(PictureSize size) {
    return static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
}

// Renderings come red first; desktop bitmaps keep their pixels blue first.
std::vector<std::uint8_t> BlueFirst(std::span<const std::uint8_t> rgb) {
    std::vector<std::uint8_t> bgr(rgb.begin(), rgb.end());
    for (std::size_t at = 0; at + 2 < bgr.size(); at += kBytesPerPixel) {
        std::swap(bgr[at], bgr[at + 2]);
    }
    return bgr;
}

CBitmap ColorPicture(const RenderedSlide& rendering, const CPalette& palm256) {
    if (!IsWholeRendering(rendering, {rendering.width, rendering.height})) {
        throw CError(kErrInvalidBitmapFormat, "SlidePictures",
                     std::string(BitmapErrorDescription(kErrInvalidBitmapFormat)));
    }
    const auto bgr = BlueFirst(rendering.rgb);
    return CBitmap(rendering.width, rendering.height, bgr,
                   kBytesPerPixel * static_cast<std::size_t>(rendering.width), palm256);
}

std::shared_ptr<CBitmap> GrayPicture(const CBitmap& color, const PalmPalettes& palettes) {
    return std::make_shared<CBitmap>(GrayCompanion(color, palettes));
}

std::shared_ptr<CBitmap> MonochromePicture(const CBitmap& color, const PalmPalettes& palettes) {
    return std::make_shared<CBitmap>(MonochromeVersion(color, palettes));
}

// Gives the leaf the large pictures of one rendering when they fit a handheld record; false,
// and no large pictures, when they do not.
bool TakeLargePictures(CLeaf& leaf, const RenderedSlide& rendering, const PalmPalettes& palettes) {
    auto color = std::make_shared<CBitmap>(ColorPicture(rendering, palettes.color256));
    if (HasFewerThanThreeColors(rendering)) {
        leaf.SetAuxColorBitmap(nullptr);
        leaf.SetAuxMonochromeBitmap(MonochromePicture(*color, palettes));
        return true;
    }
    leaf.SetAuxColorBitmap(color);
    leaf.SetAuxMonochromeBitmap(nullptr);
    const auto quarterBytePerPixel =
        static_cast<std::int64_t>(PixelCount({rendering.width, rendering.height}) / 4);
    if (record::EstPalmSize(color.get()) + quarterBytePerPixel < kGrayCompanionLimit) {
        leaf.SetAuxMonochromeBitmap(GrayPicture(*color, palettes));
        if (leaf.GetPalmAuxBitmapSize() < kLargePicturesLimit) {
            return true;
        }
    }
    leaf.SetAuxColorBitmap(nullptr);
    leaf.SetAuxMonochromeBitmap(nullptr);
    return false;
}

}  // namespace

bool IsWholeRendering(const RenderedSlide& rendering, PictureSize size) {
    return size.width > 0 && size.height > 0 && rendering.width == size.width &&
           rendering.height == size.height &&
           rendering.rgb.size() == PixelCount(size) * kBytesPerPixel;
}

bool HasFewerThanThreeColors(const RenderedSlide& rendering) {
    const auto& rgb = rendering.rgb;
    const std::size_t whole = rgb.size() - rgb.size() % kBytesPerPixel;
    std::array<std::uint8_t, kBytesPerPixel> first{};
    std::array<std::uint8_t, kBytesPerPixel> second{};
    std::size_t seen = 0;
    for (std::size_t at = 0; at < whole; at += kBytesPerPixel) {
        const std::array<std::uint8_t, kBytesPerPixel> pixel{rgb[at], rgb[at + 1], rgb[at + 2]};
        if (seen >= 1 && pixel == first) {
            continue;
        }
        if (seen >= 2 && pixel == second) {
            continue;
        }
        if (seen == 2) {
            return false;
        }
        (seen == 0 ? first : second) = pixel;
        ++seen;
    }
    return true;
}

SlidePicturePair MakeSlidePictures(const RenderedSlide& rendering, const PalmPalettes& palettes) {
    const CBitmap color = ColorPicture(rendering, palettes.color256);
    if (HasFewerThanThreeColors(rendering)) {
        return SlidePicturePair{nullptr, MonochromePicture(color, palettes)};
    }
    return SlidePicturePair{std::make_shared<CBitmap>(color), GrayPicture(color, palettes)};
}

LargePictureChoice ChooseLargePictures(CLeaf& leaf, std::span<const PictureSize> sizes,
                                       const SlideRenderer& render, const PalmPalettes& palettes) {
    LargePictureChoice choice;
    bool renderFailed = false;
    leaf.SetAuxColorBitmap(nullptr);
    leaf.SetAuxMonochromeBitmap(nullptr);
    for (const PictureSize size : sizes) {
        const std::optional<RenderedSlide> rendering = render(size);
        if (!rendering || !IsWholeRendering(*rendering, size)) {
            renderFailed = true;
            choice.size = size;
            continue;
        }
        if (TakeLargePictures(leaf, *rendering, palettes)) {
            return LargePictureChoice{LargePictureOutcome::Taken, size};
        }
    }
    choice.outcome =
        renderFailed ? LargePictureOutcome::NotRendered : LargePictureOutcome::TooLarge;
    return choice;
}

}  // namespace trovique
