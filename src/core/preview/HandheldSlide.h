#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/imaging/PalmBitmap.h"
#include "core/imaging/RgbPicture.h"
#include "core/slideshowfile/LeafRecordGroup.h"

namespace trovique {

class CLeaf;
class CPalmDevice;

// One record of a leaf in the export file and its size in bytes.
struct HandheldRecord {
    LeafRecordRole role;
    std::int64_t bytes = 0;
};

// One text of a slide laid out in the handheld's lines ("Question", "Answer 1", "Fact").
struct HandheldTextBlock {
    std::string heading;
    std::vector<std::string> lines;
};

// A leaf as the handheld gets it, taken from the records export writes for it: the pictures
// of its slide record decoded back to pixels, the size of every record, the notes, and for QAF
// and FACT leaves their texts in the handheld's lines. Texts are Windows-1252, as stored.
struct HandheldSlide {
    // Export writes a visible slide record: the handheld lists this slide.
    bool shown = false;
    // The title as the slide record stores it (a BITMAP record keeps 39 characters).
    std::string storedTitle;
    RgbPicture color;
    RgbPicture gray;
    // Why the written pictures could not be read back; empty when they could.
    std::string pictureError;
    std::vector<HandheldRecord> records;
    // The fact as its hidden record stores it; the notes beneath a slide.
    std::string notes;

    // QAF: question and answers, counted against the screen; FACT: the fact.
    std::vector<HandheldTextBlock> text;
    bool isQAF = false;
    bool isFact = false;
    // Validation's count of the laid-out text.
    std::int64_t lineCount = 0;

    // The largest record, the one that meets the 64 KB limit first; 0 when there is none.
    std::int64_t LargestRecordBytes() const;
};

// Builds the records export writes for leaf, measures them and reads the slide record back.
// A picture that cannot be written or read back leaves the pictures empty and says why in
// pictureError; it never raises.
HandheldSlide BuildHandheldSlide(const CLeaf& leaf, const PalmPalettes& palettes,
                                 const CPalmDevice& device);

}  // namespace trovique
