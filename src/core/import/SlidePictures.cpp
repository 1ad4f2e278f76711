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

// The most a colour picture of size may take and still get a grey companion.
std::int64_t ColorRoom(PictureSize size) {
    return kGrayCompanionLimit - static_cast<std::int64_t>(PixelCount(size) / 4);
}

// The fewest bytes a colour picture of a slide takes at size larger when it takes bytes at size
// smaller. A picture packs into bytes along its edges and its rows, so a larger drawing takes
// about the ratio of the sides more (all the real decks measured: 1.37 to 1.9 times); half way
// between that ratio and 1 leaves room for the unusual.
std::int64_t AtLeastWhenLarger(std::int64_t bytes, PictureSize smaller, PictureSize larger) {
    return bytes * (larger.width + smaller.width) / (2 * smaller.width);
}

// Gives the leaf the large pictures of one rendering when they fit a handheld record; false,
// and no large pictures, when they do not. color: the rendering's colour picture when it is
// already made.
bool TakeLargePictures(CLeaf& leaf, const RenderedSlide& rendering, const PalmPalettes& palettes,
                       std::shared_ptr<CBitmap> color) {
    if (!color) {
        color = std::make_shared<CBitmap>(ColorPicture(rendering, palettes.color256));
    }
    if (HasFewerThanThreeColors(rendering)) {
        leaf.SetAuxColorBitmap(nullptr);
        leaf.SetAuxMonochromeBitmap(MonochromePicture(*color, palettes));
        return true;
    }
    leaf.SetAuxColorBitmap(color);
    leaf.SetAuxMonochromeBitmap(nullptr);
    if (record::EstPalmSize(color.get()) < ColorRoom({rendering.width, rendering.height})) {
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

bool FirstSizeUnlikelyToFit(std::int64_t smallColorSize, PictureSize size) {
    const auto smallPixels = static_cast<std::int64_t>(PixelCount(kSmallPictureSize));
    const auto pixels = static_cast<std::int64_t>(PixelCount(size));
    return smallColorSize > 0 && smallColorSize * pixels / (2 * smallPixels) >= ColorRoom(size);
}

LargePictureChoice ChooseLargePictures(CLeaf& leaf, std::span<const PictureSize> sizes,
                                       const SlideRenderer& render, const PalmPalettes& palettes,
                                       std::int64_t smallColorSize) {
    LargePictureChoice choice;
    bool renderFailed = false;
    leaf.SetAuxColorBitmap(nullptr);
    leaf.SetAuxMonochromeBitmap(nullptr);
    std::vector<std::optional<std::optional<RenderedSlide>>> drawn(sizes.size());
    const auto rendering = [&](std::size_t index) -> const std::optional<RenderedSlide>& {
        if (!drawn[index]) {
            drawn[index] = render(sizes[index]);
        }
        return *drawn[index];
    };
    std::size_t first = 0;
    std::shared_ptr<CBitmap> nextColor;
    if (sizes.size() >= 2 && FirstSizeUnlikelyToFit(smallColorSize, sizes[0])) {
        const std::optional<RenderedSlide>& next = rendering(1);
        if (next && IsWholeRendering(*next, sizes[1]) && !HasFewerThanThreeColors(*next)) {
            nextColor = std::make_shared<CBitmap>(ColorPicture(*next, palettes.color256));
            const std::int64_t firstAtLeast =
                AtLeastWhenLarger(record::EstPalmSize(nextColor.get()), sizes[1], sizes[0]);
            first = firstAtLeast >= ColorRoom(sizes[0]) ? 1 : 0;
        }
    }
    for (std::size_t index = first; index < sizes.size(); ++index) {
        const std::optional<RenderedSlide>& current = rendering(index);
        if (!current || !IsWholeRendering(*current, sizes[index])) {
            renderFailed = true;
            choice.size = sizes[index];
            continue;
        }
        if (TakeLargePictures(leaf, *current, palettes, index == 1 ? nextColor : nullptr)) {
            return LargePictureChoice{LargePictureOutcome::Taken, sizes[index]};
        }
    }
    choice.outcome =
        renderFailed ? LargePictureOutcome::NotRendered : LargePictureOutcome::TooLarge;
    return choice;
}

}  // namespace trovique
