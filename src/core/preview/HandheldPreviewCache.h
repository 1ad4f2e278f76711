#pragma once

#include <map>

#include "core/document/DocumentObserver.h"
#include "core/preview/HandheldSlide.h"

namespace trovique {

class CSlideShowTree;

// Keeps the HandheldSlide of every leaf looked at, so that showing a leaf again costs nothing,
// and forgets a leaf as soon as the document says its title, picture or content changed.
// A removal or a reset forgets everything: they are rare, and element indices may be given out
// again after them. Pages are not kept here; they change with every insertion before a leaf.
class CHandheldPreviewCache final : public IDocumentObserver {
public:
    CHandheldPreviewCache(CSlideShowTree& tree, const PalmPalettes& palettes);
    ~CHandheldPreviewCache() override;
    CHandheldPreviewCache(const CHandheldPreviewCache&) = delete;
    CHandheldPreviewCache& operator=(const CHandheldPreviewCache&) = delete;

    // The handheld's view of leaf item (a live leaf), built on first use.
    const HandheldSlide& Slide(int item);
    bool Holds(int item) const { return slides_.count(item) != 0; }

    void ItemChanged(int index, ItemAspects aspects) override;
    void ItemRemoved(int parent, std::size_t row, int index) override;
    void ResetEnded() override;

private:
    CSlideShowTree& tree_;
    PalmPalettes palettes_;
    std::map<int, HandheldSlide> slides_;
};

}  // namespace trovique
