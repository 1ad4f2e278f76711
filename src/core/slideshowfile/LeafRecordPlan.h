#pragma once

#include <cstddef>
#include <cstdint>

namespace trovique {

class CLeaf;

// The keys of a leaf's records in a file; 0 for a record that is not written.
struct LeafRecordKeys {
    std::int64_t own = 0;
    std::int64_t secondPictures = 0;
    std::int64_t auxText = 0;
    std::int64_t fact = 0;
};

// Which records a leaf is written as, in file order: its visible record (the slide, or in a
// working file the record of its own kind when it has no pictures), then the hidden records
// with its second pictures, its aux text and its fact.
struct LeafRecordPlan {
    bool slide = false;    // visible BITMAP record with the pictures
    bool ownKind = false;  // visible QAF or FACT record holding the fact itself
    bool secondPictures = false;
    bool auxText = false;
    bool fact = false;

    std::size_t ExtraRecords() const;
    std::size_t Records() const;
    // The leaf's own key is its SaveID; the extra records take the keys right after it.
    LeafRecordKeys Keys(std::int64_t own) const;
};

// Export files keep the handheld's layout exactly: a leaf without pictures has no visible
// record there. Working files keep every leaf visible, as the kind it is, so that they read back
// whole.
LeafRecordPlan PlanLeafRecords(const CLeaf& leaf, bool exportSwitch);

}  // namespace trovique
