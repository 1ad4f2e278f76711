#include "core/slideshowfile/SlideRecordSize.h"

#include "core/common/MemoryFile.h"
#include "core/model/Leaf.h"
#include "core/slideshowfile/LeafRecordGroup.h"
#include "core/slideshowfile/LeafRecordPlan.h"

namespace trovique {

std::int64_t ExportedSlideRecordBytes(const CLeaf& leaf) {
    const LeafRecordPlan plan = PlanLeafRecords(leaf, true);
    if (!plan.slide) {
        return 0;
    }
    // Keys take the same two bytes whatever their value, so any keys measure the same.
    for (LeafGroupRecord& group : BuildLeafRecordGroup(leaf, plan, plan.Keys(1), 0, true)) {
        if (group.role == LeafRecordRole::Slide) {
            CMemoryFile file;
            group.record.WriteToFile(file);
            return static_cast<std::int64_t>(file.Size());
        }
    }
    return 0;
}

}  // namespace trovique
