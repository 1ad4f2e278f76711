#include "core/preview/HandheldPreviewCache.h"

#include "core/document/SlideShowTree.h"
#include "core/validation/PalmDevice.h"

namespace trovique {

CHandheldPreviewCache::CHandheldPreviewCache(CSlideShowTree& tree, const PalmPalettes& palettes)
    : tree_(tree), palettes_(palettes) {
    tree_.AddObserver(this);
}

CHandheldPreviewCache::~CHandheldPreviewCache() {
    tree_.RemoveObserver(this);
}

const HandheldSlide& CHandheldPreviewCache::Slide(int item) {
    auto found = slides_.find(item);
    if (found == slides_.end()) {
        const CLeaf& leaf = *tree_.Entry(item).Leaf;
        found =
            slides_.emplace(item, BuildHandheldSlide(leaf, palettes_, DefaultPalmDevice())).first;
    }
    return found->second;
}

void CHandheldPreviewCache::ItemChanged(int index, ItemAspects aspects) {
    if (aspects.Has(ItemAspect::Title) || aspects.Has(ItemAspect::Image) ||
        aspects.Has(ItemAspect::Content)) {
        slides_.erase(index);
    }
}

void CHandheldPreviewCache::ItemRemoved(int, std::size_t, int) {
    slides_.clear();
}

void CHandheldPreviewCache::ResetEnded() {
    slides_.clear();
}

}  // namespace trovique
