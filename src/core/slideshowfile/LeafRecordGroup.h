#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/model/Leaf.h"
#include "core/slideshowfile/LeafRecordPlan.h"

namespace trovique {

// What one record of a leaf's group carries.
enum class LeafRecordRole {
    Slide,    // the visible BITMAP record with the pictures
    OwnKind,  // working files only: the visible QAF or FACT record of a leaf without pictures
    SecondPictures,  // hidden BITMAP record with the second pair of pictures
    AuxText,         // hidden FACT record with the slide's text
    Fact,            // hidden FACT record with the fact (the notes of a slide)
};

// "slide", "slide text", "fact", ... as the preview lists a leaf's records.
std::string_view LeafRecordRoleName(LeafRecordRole role);

struct LeafGroupRecord {
    LeafRecordRole role;
    CLeaf record;
};

// The records a leaf is written as, in file order, exactly as the writer writes them: copies of
// the leaf under parentKey with the group's keys, kinds, texts and pictures set per the plan.
std::vector<LeafGroupRecord> BuildLeafRecordGroup(const CLeaf& leaf, const LeafRecordPlan& plan,
                                                  const LeafRecordKeys& keys,
                                                  std::int64_t parentKey, bool exportSwitch);

}  // namespace trovique
