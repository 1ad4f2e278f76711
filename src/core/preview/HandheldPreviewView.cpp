#include "core/preview/HandheldPreviewView.h"

#include "core/codec/Windows1252.h"
#include "core/editor/Document.h"
#include "core/preview/HandheldPreviewCache.h"
#include "core/validation/PalmDevice.h"

namespace trovique {
namespace {

constexpr const char* kLineBreak = "\r\n";

// Sizes in tenths of a kilobyte, rounded, without the locale's decimal mark.
std::string Kilobytes(std::int64_t bytes) {
    if (bytes < 1024) {
        return std::to_string(bytes) + " bytes";
    }
    const std::int64_t tenths = (bytes * 10 + 512) / 1024;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " KB";
}

std::string RecordsText(const HandheldSlide& slide) {
    std::string text = "Records: ";
    for (std::size_t at = 0; at < slide.records.size(); ++at) {
        text += at > 0 ? ", " : "";
        text += std::string(LeafRecordRoleName(slide.records[at].role)) + " " +
                Kilobytes(slide.records[at].bytes);
    }
    return slide.records.empty() ? std::string() : text;
}

std::string LaidOutText(const HandheldSlide& slide) {
    std::string text;
    for (const HandheldTextBlock& block : slide.text) {
        if (block.lines.empty()) {
            continue;
        }
        text += text.empty() ? "" : kLineBreak;
        text += block.heading + ":" + kLineBreak;
        for (const std::string& line : block.lines) {
            text += Windows1252ToUtf8(line) + kLineBreak;
        }
    }
    return text;
}

std::string LineCountText(const HandheldSlide& slide, const CPalmDevice& device) {
    const std::string lines = std::to_string(slide.lineCount);
    if (slide.isQAF) {
        const std::int64_t available = device.QandALines();
        if (slide.lineCount <= available) {
            return "Question and answers: " + lines + " of " + std::to_string(available) + " lines";
        }
        return "Question and answers: " + lines + " lines, more than the " +
               std::to_string(available) + " the " + device.Name() + " shows";
    }
    if (slide.isFact) {
        const std::int64_t perScreen = device.FactLines();
        const std::int64_t screens = (slide.lineCount + perScreen - 1) / perScreen;
        return "Fact: " + lines + (slide.lineCount == 1 ? " line, " : " lines, ") +
               std::to_string(screens) + (screens == 1 ? " screen" : " screens") + " of " +
               std::to_string(perScreen) + " lines";
    }
    return {};
}

// Every record must fit the limit; the largest one meets it first.
std::string LargestRecordText(const HandheldSlide& slide) {
    const HandheldRecord* largest = nullptr;
    for (const HandheldRecord& record : slide.records) {
        if (largest == nullptr || record.bytes > largest->bytes) {
            largest = &record;
        }
    }
    if (largest == nullptr) {
        return "Nothing of this slide is written for the handheld.";
    }
    return (slide.records.size() == 1 ? "Record (" : "Largest record (") +
           std::string(LeafRecordRoleName(largest->role)) + "): " + RecordSizeText(largest->bytes);
}

void DescribePictures(const HandheldSlide& slide, HandheldPreviewView& view) {
    if (!slide.pictureError.empty()) {
        view.pictureNote = "The pictures could not be read back: " + slide.pictureError;
    } else if (!slide.shown) {
        view.pictureNote = "The handheld does not list this slide: it has no picture.";
    } else {
        view.colorNote = slide.color.Empty() ? "No colour picture" : "";
        view.grayNote = slide.gray.Empty() ? "No grey picture" : "";
    }
}

}  // namespace

std::string RecordSizeText(std::int64_t bytes) {
    std::string text = Kilobytes(bytes) + " of 64 KB";
    if (bytes > kMaxHandheldRecordBytes) {
        text += ": too big for the handheld";
    }
    return text;
}

HandheldPreviewView ViewHandheldPreview(const CDocument& document, CHandheldPreviewCache& cache,
                                        int item) {
    HandheldPreviewView view;
    const CSlideShowTree& tree = document.Tree();
    if (item == 0 || !tree.IsLive(item) || !tree.Entry(item).IsLeaf() || !tree.Entry(item).Leaf) {
        view.hint = "Select a slide to see it as the handheld shows it.";
        return view;
    }
    if (document.IsLeafLocked(item)) {
        view.hint = CDocument::kLockedLeafNotice;
        return view;
    }
    const HandheldSlide& slide = cache.Slide(item);
    const CPalmDevice& device = DefaultPalmDevice();
    view.slide = &slide;
    view.title = Windows1252ToUtf8(slide.storedTitle);
    view.page = "Page " + std::to_string(tree.Entry(item).Leaf->LPI());
    view.notes = Windows1252ToUtf8(slide.notes);
    DescribePictures(slide, view);
    view.sizeBytes = slide.LargestRecordBytes();
    view.tooBig = view.sizeBytes > kMaxHandheldRecordBytes;
    view.size = LargestRecordText(slide);
    view.records = RecordsText(slide);
    view.laidOutText = LaidOutText(slide);
    view.lineCount = LineCountText(slide, device);
    return view;
}

}  // namespace trovique
