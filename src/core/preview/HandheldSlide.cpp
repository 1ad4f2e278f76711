#include "core/preview/HandheldSlide.h"

#include <algorithm>
#include <exception>

#include "core/common/Error.h"
#include "core/common/MemoryFile.h"
#include "core/model/Leaf.h"
#include "core/preview/PalmTextLayout.h"
#include "core/preview/SlideRecordPictures.h"
#include "core/validation/PalmDevice.h"

namespace trovique {
namespace {

HandheldTextBlock Block(std::string heading, const std::string& text, const CPalmDevice& device) {
    return {std::move(heading), LayOutPalmText(text, device).lines};
}

void LayOutText(const CLeaf& leaf, const CPalmDevice& device, HandheldSlide& slide) {
    slide.isQAF = leaf.Kind() == LeafKind::QAF;
    slide.isFact = leaf.Kind() == LeafKind::Fact;
    if (slide.isQAF) {
        // What validation measures against the screen: the question and each answer.
        slide.text.push_back(Block("Question", leaf.Question(), device));
        for (int answer = 1; answer <= CLeaf::kNumAnswers; ++answer) {
            slide.text.push_back(
                Block("Answer " + std::to_string(answer), leaf.GetAnswer(answer), device));
        }
    } else if (slide.isFact) {
        slide.text.push_back(Block("Fact", slide.notes, device));
        // A FACT slide's fact is its page itself, not notes beneath a picture.
        slide.notes.clear();
    }
    for (const HandheldTextBlock& block : slide.text) {
        slide.lineCount += static_cast<std::int64_t>(block.lines.size());
    }
}

void ReadBackPictures(const std::vector<std::uint8_t>& bytes, const PalmPalettes& palettes,
                      HandheldSlide& slide) {
    try {
        SlideRecordPictures pictures = ReadSlideRecordPictures(bytes, palettes);
        slide.storedTitle = std::move(pictures.title);
        slide.color = std::move(pictures.color);
        slide.gray = std::move(pictures.gray);
    } catch (const std::exception& error) {
        slide.pictureError = DescribeError(error);
    }
}

}  // namespace

std::int64_t HandheldSlide::LargestRecordBytes() const {
    std::int64_t largest = 0;
    for (const HandheldRecord& record : records) {
        largest = std::max(largest, record.bytes);
    }
    return largest;
}

HandheldSlide BuildHandheldSlide(const CLeaf& leaf, const PalmPalettes& palettes,
                                 const CPalmDevice& device) {
    HandheldSlide slide;
    slide.storedTitle = leaf.Title();
    const LeafRecordPlan plan = PlanLeafRecords(leaf, true);
    // Keys take the same two bytes whatever their value, so any keys measure the same.
    for (LeafGroupRecord& group : BuildLeafRecordGroup(leaf, plan, plan.Keys(1), 0, true)) {
        if (group.role == LeafRecordRole::Fact) {
            slide.notes = group.record.Fact();
        }
        CMemoryFile file;
        try {
            group.record.WriteToFile(file);
        } catch (const std::exception& error) {
            // A picture too large for the handheld's layout cannot be written at all.
            slide.pictureError = DescribeError(error);
            continue;
        }
        slide.records.push_back({group.role, static_cast<std::int64_t>(file.Size())});
        if (group.role == LeafRecordRole::Slide) {
            slide.shown = true;
            ReadBackPictures(file.Data(), palettes, slide);
        }
    }
    LayOutText(leaf, device, slide);
    return slide;
}

}  // namespace trovique
