#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/preview/HandheldSlide.h"

namespace trovique {

class CDocument;
class CHandheldPreviewCache;

// Everything the preview pane shows for the selected item, texts in UTF-8. For a root, a node,
// a deleted item or a locked leaf only hint is set.
struct HandheldPreviewView {
    std::string hint;
    // The leaf's cached handheld view; null with a hint.
    const HandheldSlide* slide = nullptr;

    std::string title;  // as the slide record stores it
    std::string page;   // "Page 12"
    std::string notes;  // the fact beneath the picture
    // Why no picture at all can be shown (the slide is not listed, or its pictures cannot be
    // read back); empty when the pictures are shown.
    std::string pictureNote;
    std::string colorNote;  // why there is no colour picture; empty when there is one
    std::string grayNote;   // the same for the grey picture
    std::string size;       // "23.4 KB of 64 KB"
    std::string records;    // "Records: slide 23.4 KB, fact 1.2 KB"
    std::int64_t sizeBytes = 0;
    bool tooBig = false;
    // QAF and FACT leaves: the laid-out text as "Question" heading lines then the lines, and
    // its line count ("9 of 10 lines for the question and answers").
    std::string laidOutText;
    std::string lineCount;
};

// The largest size a record may have on the handheld.
inline constexpr std::int64_t kMaxHandheldRecordBytes = 65535;

// "23.4 KB of 64 KB", "850 bytes of 64 KB"; over the limit followed by ": too big for the
// handheld".
std::string RecordSizeText(std::int64_t bytes);

HandheldPreviewView ViewHandheldPreview(const CDocument& document, CHandheldPreviewCache& cache,
                                        int item);

}  // namespace trovique
