#include "core/slideshowfile/LeafRecordPlan.h"

#include "core/model/Leaf.h"

namespace trovique {

std::size_t LeafRecordPlan::ExtraRecords() const {
    return static_cast<std::size_t>(secondPictures) + static_cast<std::size_t>(auxText) +
           static_cast<std::size_t>(fact);
}

std::size_t LeafRecordPlan::Records() const {
    return static_cast<std::size_t>(slide) + static_cast<std::size_t>(ownKind) + ExtraRecords();
}

LeafRecordKeys LeafRecordPlan::Keys(std::int64_t own) const {
    LeafRecordKeys keys;
    keys.own = own;
    std::int64_t next = own + 1;
    keys.secondPictures = secondPictures ? next++ : 0;
    keys.auxText = auxText ? next++ : 0;
    keys.fact = fact ? next++ : 0;
    return keys;
}

LeafRecordPlan PlanLeafRecords(const CLeaf& leaf, bool exportSwitch) {
    const bool hasPictures = leaf.ColorBitmap() || leaf.MonochromeBitmap();
    LeafRecordPlan plan;
    // A working file stores a leaf as its own kind: a QAF or FACT leaf that still holds the
    // pictures of its time as a slide would otherwise come back as a slide without its question.
    // A slide is marked by its BITMAP flag alone: an imported slide carries the FACT flag too
    // (its notes are its fact), and is still a slide.
    plan.slide = exportSwitch ? hasPictures : leaf.BITMAPOnly();
    plan.ownKind = !exportSwitch && !plan.slide;
    // Second pictures only ever follow a visible record: after nothing, a reader would take
    // them for the previous slide's.
    plan.secondPictures =
        (plan.slide || plan.ownKind) && (leaf.AuxColorBitmap() || leaf.AuxMonochromeBitmap());
    plan.auxText = !leaf.AuxText().empty();
    plan.fact = !plan.ownKind && !leaf.Fact().empty();
    return plan;
}

}  // namespace trovique
