#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/document/ElementKinds.h"
#include "core/validation/DocumentControl.h"
#include "core/validation/PalmDevice.h"
#include "core/validation/ValidationLimit.h"

namespace trovique {

class CDocument;
class CLeaf;
class CNodeFields;
class CValidationResults;

// What the root rules read: the fields of the root pane and the slide show's leaf count.
struct RootPaneValues {
    std::string title;
    std::string creatorID;
    std::string labelOnPalm;
    std::string splashText;
    std::string contactText;
    std::size_t leafCount = 0;
};

// The root pane's values of a slide show: the root record's texts and the creator code of the
// database header.
RootPaneValues RootPaneValuesOf(const CDocument& document);

// One validation run: the rules of each kind of item, the error counter and the limit. Every
// finding goes to the results list and counts once; once the count reaches the limit the
// remaining rules of the item are skipped, and the caller skips every further item.
class CValidationRun {
public:
    static constexpr std::size_t kMaxSplashText = 250;
    static constexpr std::size_t kMaxContactText = 250;
    static constexpr std::size_t kMaxNodeTitle = 25;
    static constexpr std::size_t kMaxLeafTitle = 255;
    // The handheld reads a record of at most this many bytes. A BITMAP leaf's slide record is
    // judged by its size as export writes it.
    static constexpr std::int64_t kMaxLeafBytes = 65535;

    CValidationRun(CValidationResults& results, CValidationLimit limit,
                   const CPalmDevice& device = DefaultPalmDevice());

    int ErrorCount() const { return count_; }
    // True once the limit stops the run.
    bool Stopped() const { return limit_.ValidationErrorOverLimit(count_); }

    // Each applies the rules of its kind of item, in order, and returns whether the item passed
    // them. reference is the element index, ":" and the item's path.
    bool CheckRoot(const std::string& reference, const RootPaneValues& root);
    // level: 12 to 15 (its name goes into the title length message).
    bool CheckNode(const std::string& reference, const CNodeFields& node, int level);
    bool CheckLeaf(const std::string& reference, const CLeaf& leaf);

    // Lists the entry that tells the run was stopped by the limit.
    void AddStopEntry();

private:
    class Item;
    friend class Item;

    void Record(const std::string& reference, const std::string& message, DocumentControl control,
                ElementKind kind, bool warning);
    void CheckQuestionAndAnswers(Item& item, const CLeaf& leaf);
    bool CheckSeeAlso(Item& item, const CLeaf& leaf);

    CValidationResults& results_;
    CValidationLimit limit_;
    const CPalmDevice& device_;
    int count_ = 0;
};

}  // namespace trovique
