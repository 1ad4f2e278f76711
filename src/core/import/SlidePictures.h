#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "core/imaging/Bitmap.h"
#include "core/imaging/PalmBitmap.h"
#include "core/import/PresentationSource.h"

namespace trovique {

class CLeaf;

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The picture every slide shows on the handheld, and the larger picture it can be zoomed to,
// tried from the largest down until the pair of large pictures fits a handheld record.
inline constexpr PictureSize kSmallPictureSize{160, 120};
inline constexpr std::array<PictureSize, 3> kLargePictureSizes{
    {{440, 330}, {320, 240}, {264, 198}}};
// A colour picture whose Palm size plus a quarter byte per pixel (what its grey companion will
// take) reaches this is not worth making a grey companion for.
inline constexpr std::int64_t kGrayCompanionLimit = 66000;
// The large colour picture and its grey companion together stay below this, so that the record
// holding them stays below the handheld's 64K record limit.
inline constexpr std::int64_t kLargePicturesLimit = 65400;

// The two pictures of one size of a slide: a colour picture with a grey companion, or a
// monochrome picture alone when the slide has fewer than three colours.
struct SlidePicturePair {
    std::shared_ptr<CBitmap> color;
    std::shared_ptr<CBitmap> monochrome;
};

// True when the rendering has exactly the asked size and holds all its pixels.
bool IsWholeRendering(const RenderedSlide& rendering, PictureSize size);

// Fewer than three colours: such a slide is shown in black and white, colour would add nothing.
bool HasFewerThanThreeColors(const RenderedSlide& rendering);

// The rendering as pictures for the handheld: re-indexed against the 256-colour palette with a
// four-level grey companion, or against the monochrome palette alone. Raises CError for a
// rendering that is not whole.
SlidePicturePair MakeSlidePictures(const RenderedSlide& rendering, const PalmPalettes& palettes);

enum class LargePictureOutcome {
    Taken,        // the leaf holds the large pictures of `size`
    TooLarge,     // every size rendered, none fitted
    NotRendered,  // no size fitted, and at least one could not be rendered
};

struct LargePictureChoice {
    LargePictureOutcome outcome = LargePictureOutcome::TooLarge;
    PictureSize size;  // the size taken, or the last size that could not be rendered
};

using SlideRenderer = std::function<std::optional<RenderedSlide>(PictureSize size)>;

// Tries sizes in order and gives the leaf the large pictures (AuxColorBitmap and
// AuxMonochromeBitmap) of the first size that fits; the leaf keeps no large pictures when none
// does.
//
// Drawing a size is the slow part, so a size that cannot fit is not drawn when that is known
// beforehand. smallColorSize is the Palm size of the slide's small colour picture (0 for none):
// when it says that the first size is unlikely to fit (see FirstSizeUnlikelyToFit), the second
// size is drawn first; when its colour picture shows that the first size's would take more than
// it may hold (a larger drawing of a slide packs into more bytes, by about the ratio of the
// sides), the first size is passed over undrawn. The choice is the one trying every size in
// order makes.
LargePictureChoice ChooseLargePictures(CLeaf& leaf, std::span<const PictureSize> sizes,
                                       const SlideRenderer& render, const PalmPalettes& palettes,
                                       std::int64_t smallColorSize = 0);

// True when a slide whose small colour picture takes smallColorSize would, at size, most likely
// need more than a colour picture there may take: a picture of k times the pixels packs into
// about k times the bytes, seldom less than half that.
bool FirstSizeUnlikelyToFit(std::int64_t smallColorSize, PictureSize size);

}  // namespace trovique
