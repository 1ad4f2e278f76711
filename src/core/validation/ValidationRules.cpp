#include "core/validation/ValidationRules.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "core/document/ElementKinds.h"
#include "core/editor/Document.h"
#include "core/model/Leaf.h"
#include "core/model/NodeFields.h"
#include "core/model/NodeLevel.h"
#include "core/slideshowfile/SlideRecordSize.h"
#include "core/validation/ValidationResults.h"

namespace trovique {
namespace {

constexpr const char* kRenamedFromDefault = " may not have been renamed from its default.";

// An empty code counts as all lowercase too.
bool AllLowercase(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string TooLongForDevice(const CPalmDevice& device, int lines) {
    const std::string available = std::to_string(device.QandALines());
    return "Question text and all Answer text must be able to fit onto the " + device.Name() +
           " screen which has " + available +
           " available lines.  Question and Answer text would occupy " + std::to_string(lines) +
           " lines on the " + device.Name() +
           ".  Please shorten the Question text and/or Answer text.";
}

// The estimate of a slide's pictures leaves out the record's fixed part, its title and the
// pictures' headers; within this many bytes of the limit the record is measured as written.
constexpr std::int64_t kRecordSizeMargin = 256;

// Whether the slide record export writes for a BITMAP leaf is over the handheld's limit. The
// estimate answers for nearly every slide; only one that comes near the limit is written out.
bool SlideRecordTooBig(const CLeaf& leaf) {
    const std::int64_t estimate = leaf.GetPalmBitmapSize();
    if (estimate > CValidationRun::kMaxLeafBytes) {
        return true;
    }
    if (estimate <= CValidationRun::kMaxLeafBytes - kRecordSizeMargin) {
        return false;
    }
    return ExportedSlideRecordBytes(leaf) > CValidationRun::kMaxLeafBytes;
}

}  // namespace

// The findings of one item: each fails the item and counts once.
class CValidationRun::Item {
public:
    Item(CValidationRun& run, const std::string& reference, ElementKind kind)
        : run_(run), reference_(reference), kind_(kind) {}

    // Lists a finding; returns whether the rules may go on (the limit is not reached).
    bool Add(const std::string& message, DocumentControl control, bool warning = false) {
        AddWithoutLimitTest(message, control, warning);
        return !run_.Stopped();
    }
    void AddWithoutLimitTest(const std::string& message, DocumentControl control,
                             bool warning = false) {
        run_.Record(reference_, message, control, kind_, warning);
        passed_ = false;
    }
    bool Passed() const { return passed_; }

private:
    CValidationRun& run_;
    const std::string& reference_;
    ElementKind kind_;
    bool passed_ = true;
};

RootPaneValues RootPaneValuesOf(const CDocument& document) {
    RootPaneValues values;
    values.creatorID = document.Properties().Header().Creator();
    values.leafCount = document.Tree().LeafCount();
    const int root = document.Tree().GetNodeInfoIndexOfRoot();
    if (root != 0 && document.Tree().Entry(root).Node) {
        const CNode& node = *document.Tree().Entry(root).Node;
        values.title = node.Title();
        values.labelOnPalm = node.ProgramIconName();
        values.splashText = node.SplashComments();
        values.contactText = node.AboutComments();
    }
    return values;
}

CValidationRun::CValidationRun(CValidationResults& results, CValidationLimit limit,
                               const CPalmDevice& device)
    : results_(results), limit_(limit), device_(device) {}

void CValidationRun::Record(const std::string& reference, const std::string& message,
                            DocumentControl control, ElementKind kind, bool warning) {
    results_.AddEntry(reference, message, control, kind, warning);
    ++count_;
}

void CValidationRun::AddStopEntry() {
    results_.AddEntry("0:Validation stopped because error count has reached " +
                          std::to_string(limit_.Limit()) + ".",
                      {}, DocumentControl::None, kKindStopEntry, false);
}

bool CValidationRun::CheckRoot(const std::string& reference, const RootPaneValues& root) {
    Item item(*this, reference, ElementKind::Root);
    const auto rules = [&] {
        if (root.title.empty() && !item.Add("Slide Show Title On Palm can not be blank.",
                                            DocumentControl::SlideShowTitle)) {
            return;
        }
        if (root.creatorID.empty() &&
            !item.Add("Palm Creator ID can not be blank.", DocumentControl::CreatorID)) {
            return;
        }
        if (AllLowercase(root.creatorID) &&
            !item.Add("Palm Creator ID can not be all lowercase letters.",
                      DocumentControl::CreatorID)) {
            return;
        }
        if (root.labelOnPalm.empty() &&
            !item.Add("Label On Palm can not be blank.", DocumentControl::LabelOnPalm)) {
            return;
        }
        if (root.splashText.size() > kMaxSplashText &&
            !item.Add("Slide Show Splash Screen Text can not be more than " +
                          std::to_string(kMaxSplashText) + " characters.",
                      DocumentControl::SplashText)) {
            return;
        }
        if (root.contactText.size() > kMaxContactText &&
            !item.Add("Slide Show Contact Screen Information can not be more than " +
                          std::to_string(kMaxContactText) + " characters.",
                      DocumentControl::ContactText)) {
            return;
        }
        if (root.leafCount < 1) {
            item.Add("There must be at least one Slide in this Database.", DocumentControl::Tree);
        }
    };
    rules();
    return item.Passed();
}

bool CValidationRun::CheckNode(const std::string& reference, const CNodeFields& node, int level) {
    Item item(*this, reference, ElementKind::Node);
    const std::string& title = node.Title();
    const std::string_view levelName = NodeLevelName(level);
    const auto rules = [&] {
        if (title.empty() &&
            !item.Add("Slide Title can not be blank.", DocumentControl::NodeTitle)) {
            return;
        }
        if (title.size() > kMaxNodeTitle &&
            !item.Add("The maximum length for " + std::string(levelName) + " Title is limited to " +
                          std::to_string(kMaxNodeTitle) + ".",
                      DocumentControl::NodeTitle)) {
            return;
        }
        // The default title of a node is its level name in angle brackets.
        const std::string defaultTitle = "<" + std::string(levelName) + ">";
        if (title.starts_with(defaultTitle)) {
            item.Add(title + kRenamedFromDefault, DocumentControl::NodeTitle, true);
        }
    };
    rules();
    return item.Passed();
}

bool CValidationRun::CheckLeaf(const std::string& reference, const CLeaf& leaf) {
    Item item(*this, reference, ElementKind::Leaf);
    const std::string& title = leaf.Title();
    const bool hasBitmap = leaf.ColorBitmap() || leaf.MonochromeBitmap();
    const bool isQAF = leaf.Kind() == LeafKind::QAF;
    const bool isBitmap = leaf.Kind() == LeafKind::Bitmap;
    // Converting the pictures is the dear part of the size; it is done once for both rules.
    std::optional<bool> slideTooBig;
    const auto bitmapTooBig = [&] {
        if (!slideTooBig) {
            slideTooBig = SlideRecordTooBig(leaf);
        }
        return *slideTooBig;
    };
    const auto rules = [&] {
        if (title.empty() &&
            !item.Add("Slide Title must not be blank.", DocumentControl::LeafTitle)) {
            return;
        }
        if (title.size() > kMaxLeafTitle &&
            !item.Add("The maximum length for a Slide Title is limited to " +
                          std::to_string(kMaxLeafTitle) + ".",
                      DocumentControl::LeafTitle)) {
            return;
        }
        if (hasBitmap && bitmapTooBig() &&
            !item.Add("The bitmaps you selected have made this Slide too big.  It's maximum "
                      "size is 65535 bytes.",
                      DocumentControl::ColorBitmapButton)) {
            return;
        }
        if (isQAF) {
            if (leaf.Difficulty() == 0 &&
                !item.Add("QAF Difficulty must be selected.", DocumentControl::Difficulty)) {
                return;
            }
            CheckQuestionAndAnswers(item, leaf);
            if (Stopped()) {
                return;
            }
        }
        if (isBitmap) {
            if (!hasBitmap &&
                !item.Add("Either a color bitmap or a monochrome bitmap must be set for BITMAP "
                          "leaves.",
                          DocumentControl::ColorBitmapButton)) {
                return;
            }
            if (hasBitmap && bitmapTooBig() &&
                !item.Add("The bitmaps you selected have made this leaf too big.  It's maximum "
                          "size is 65535 bytes.",
                          DocumentControl::ColorBitmapButton)) {
                return;
            }
        }
        if (!CheckSeeAlso(item, leaf)) {
            return;
        }
        for (const char* defaultTitle : {"<BITMAP>", "<FACT>", "<QAF>"}) {
            if (title.starts_with(defaultTitle)) {
                item.Add(title + kRenamedFromDefault, DocumentControl::LeafTitle, true);
                return;
            }
        }
    };
    rules();
    return item.Passed();
}

// Only the first of the question and answer findings is listed: the author fills in the
// question and answers before their length matters.
void CValidationRun::CheckQuestionAndAnswers(Item& item, const CLeaf& leaf) {
    if (leaf.Question().empty()) {
        item.Add("QAF Question must not be blank.", DocumentControl::Question);
    } else if (leaf.GetAnswer(1).empty()) {
        item.Add("QAF First answer must not be blank.", DocumentControl::FirstAnswer);
    } else if (leaf.GetAnswer(2).empty()) {
        item.Add("QAF Second answer must not be blank.", DocumentControl::SecondAnswer);
    } else {
        const int lines = GetQAFLineCount(leaf, device_);
        if (lines > device_.QandALines()) {
            item.Add(TooLongForDevice(device_, lines), DocumentControl::Question);
        }
    }
}

// The See-Also findings of one kind are listed together before the limit is looked at. Returns
// whether the rules may go on.
bool CValidationRun::CheckSeeAlso(Item& item, const CLeaf& leaf) {
    std::array<std::uint16_t, 4> slots{};
    for (int slot = 1; slot <= CLeafFields::kNumSeeAlso; ++slot) {
        slots[static_cast<std::size_t>(slot)] = leaf.SeeAlso(slot);
    }
    for (int slot = 1; slot <= CLeafFields::kNumSeeAlso; ++slot) {
        // A leaf without a key (0) cannot point at itself through an empty slot.
        if (leaf.Key() != 0 && slots[static_cast<std::size_t>(slot)] == leaf.Key()) {
            item.AddWithoutLimitTest("Slide contains a See Also link which references itself.",
                                     SeeAlsoControl(slot));
        }
    }
    if (Stopped()) {
        return false;
    }
    for (int first = 1; first < CLeafFields::kNumSeeAlso; ++first) {
        const std::uint16_t value = slots[static_cast<std::size_t>(first)];
        if (value > 0) {
            for (int second = first + 1; second <= CLeafFields::kNumSeeAlso; ++second) {
                if (slots[static_cast<std::size_t>(second)] == value) {
                    item.AddWithoutLimitTest("See Also links can not point to the same Slide.",
                                             SeeAlsoControl(first));
                }
            }
        }
        // One finding per repeated target is enough once the item has failed.
        if (!item.Passed()) {
            break;
        }
    }
    return !Stopped();
}

}  // namespace trovique
