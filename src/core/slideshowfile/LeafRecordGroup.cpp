#include "core/slideshowfile/LeafRecordGroup.h"

#include <string>

namespace trovique {
namespace {

// Trailing line breaks of a fact would show as blank lines at the end of the handheld's page.
std::string WithoutTrailingLineBreaks(const std::string& text) {
    const auto end = text.find_last_not_of("\r\n");
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

class CGroupBuilder {
public:
    CGroupBuilder(const CLeaf& leaf, const LeafRecordKeys& keys, std::int64_t parentKey,
                  bool exportSwitch)
        : leaf_(leaf), keys_(keys), parentKey_(parentKey), exportSwitch_(exportSwitch) {}

    // Every record of the group starts as a copy of the leaf under the group's parent.
    CLeaf Copy(std::int64_t key) const {
        CLeaf record;
        leaf_.Clone(record);
        record.SetSpareFlag(leaf_.SpareFlag());
        record.SetKey(key);
        record.SetParentKey(parentKey_);
        for (int slot = 1; slot <= CLeaf::kNumSeeAlso; ++slot) {
            record.SetSeeAlso(slot, 0);
        }
        return record;
    }

    void AsSlide(CLeaf& record) const {
        record.SetBITMAPOnly(true);
        record.SetFACTOnly(false);
        if (exportSwitch_) {
            // The handheld takes Copyable from the fact record. A working file keeps it here
            // too, or a slide without a fact would lose it.
            record.SetCopyable(false);
        }
        record.SetFact({});
        record.SetSeeAlso(1, keys_.auxText);
        record.SetSeeAlso(2, keys_.fact);
    }

    static void AsText(CLeaf& record, std::string text) {
        record.SetFact(std::move(text));
        record.SetColorBitmap(nullptr);
        record.SetMonochromeBitmap(nullptr);
        record.SetFACTOnly(true);
        record.SetBITMAPOnly(false);
        record.ForceHidden();
    }

private:
    const CLeaf& leaf_;
    const LeafRecordKeys& keys_;
    std::int64_t parentKey_;
    bool exportSwitch_;
};

}  // namespace

std::string_view LeafRecordRoleName(LeafRecordRole role) {
    switch (role) {
        case LeafRecordRole::Slide:
            return "slide";
        case LeafRecordRole::OwnKind:
            return "leaf";
        case LeafRecordRole::SecondPictures:
            return "second pictures";
        case LeafRecordRole::AuxText:
            return "slide text";
        case LeafRecordRole::Fact:
            return "fact";
    }
    return {};
}

std::vector<LeafGroupRecord> BuildLeafRecordGroup(const CLeaf& leaf, const LeafRecordPlan& plan,
                                                  const LeafRecordKeys& keys,
                                                  std::int64_t parentKey, bool exportSwitch) {
    const CGroupBuilder builder(leaf, keys, parentKey, exportSwitch);
    std::vector<LeafGroupRecord> group;
    group.reserve(plan.Records());
    if (plan.slide) {
        CLeaf slide = builder.Copy(keys.own);
        builder.AsSlide(slide);
        group.push_back({LeafRecordRole::Slide, std::move(slide)});
    }
    if (plan.ownKind) {
        // A working file keeps a leaf without pictures in a visible record of its kind, the
        // fact inside it and the aux text in the hidden record that slot 1 names.
        CLeaf own = builder.Copy(keys.own);
        own.SetBITMAPOnly(false);
        // Its kind stores no pictures; left on the copy they would still mark its flags.
        own.SetColorBitmap(nullptr);
        own.SetMonochromeBitmap(nullptr);
        own.SetSeeAlso(1, keys.auxText);
        group.push_back({LeafRecordRole::OwnKind, std::move(own)});
    }
    if (plan.secondPictures) {
        CLeaf second = builder.Copy(keys.secondPictures);
        builder.AsSlide(second);
        second.SetColorBitmap(leaf.AuxColorBitmap());
        second.SetMonochromeBitmap(leaf.AuxMonochromeBitmap());
        second.ForceHidden();
        group.push_back({LeafRecordRole::SecondPictures, std::move(second)});
    }
    if (plan.auxText) {
        CLeaf aux = builder.Copy(keys.auxText);
        CGroupBuilder::AsText(aux, leaf.AuxText());
        group.push_back({LeafRecordRole::AuxText, std::move(aux)});
    }
    if (plan.fact) {
        CLeaf fact = builder.Copy(keys.fact);
        CGroupBuilder::AsText(fact, WithoutTrailingLineBreaks(leaf.Fact()));
        group.push_back({LeafRecordRole::Fact, std::move(fact)});
    }
    return group;
}

}  // namespace trovique
