#include "core/validation/ValidationResults.h"

#include <algorithm>

#include "core/common/NumericText.h"
#include "core/document/ElementKinds.h"
#include "core/editor/Document.h"
#include "core/services/MessageStyle.h"
#include "core/services/Messages.h"
#include "core/validation/Validate.h"

namespace trovique {
namespace {

struct Reference {
    int index = 0;
    std::string path;
};

// "17:Slide Show\Topic" -> 17 and the path; a reference without ":" is a path of index 0.
Reference SplitReference(std::string_view reference) {
    const auto colon = reference.find(':');
    if (colon == std::string_view::npos) {
        return {0, std::string(reference)};
    }
    return {LeadingInteger(reference.substr(0, colon)), std::string(reference.substr(colon + 1))};
}

bool HasMessages(ElementKind kind) {
    return kind == ElementKind::Root || kind == ElementKind::Node || kind == ElementKind::Leaf;
}

}  // namespace

int CValidationResults::ItemEntry::Image() const {
    switch (kind) {
        case ElementKind::Root:
        case ElementKind::Node:
            return kImageNodeItem;
        case ElementKind::Leaf:
            return kImageLeafItem;
        default:
            return kImageOtherItem;
    }
}

void CValidationResults::AddObserver(IValidationResultsObserver* observer) {
    observers_.push_back(observer);
}

void CValidationResults::RemoveObserver(IValidationResultsObserver* observer) {
    std::erase(observers_, observer);
}

void CValidationResults::SetDocForm(CDocument* document) {
    docForm_ = document;
    NotifyChanged();
}

std::string CValidationResults::Caption() const {
    if (docForm_ == nullptr) {
        return "Validation";
    }
    return "Validation Errors For " + docForm_->WindowTitle();
}

void CValidationResults::Clear() {
    entries_.clear();
    current_.reset();
    currentIndex_ = 0;
    docForm_ = nullptr;
    const bool hadSelection = selected_.has_value();
    selected_.reset();
    NotifyChanged();
    if (hadSelection) {
        NotifySelection();
    }
}

void CValidationResults::AddEntry(std::string_view reference, const std::string& message,
                                  DocumentControl control, ElementKind kind, bool warning) {
    Reference split = SplitReference(reference);
    if (!current_ || currentIndex_ != split.index) {
        ItemEntry entry;
        entry.text = std::move(split.path);
        entry.elementIndex = split.index;
        entry.kind = kind;
        entry.control = control;
        entries_.push_back(std::move(entry));
        current_ = entries_.size() - 1;
        currentIndex_ = split.index;
    }
    if (HasMessages(kind)) {
        entries_[*current_].messages.push_back(Message{message, split.index, control, warning});
    }
    NotifyChanged();
}

std::size_t CValidationResults::MessageCount() const {
    std::size_t count = 0;
    for (const ItemEntry& entry : entries_) {
        count += entry.messages.size();
    }
    return count;
}

bool CValidationResults::IsNode(const NodeRef& node) const {
    if (node.entry >= entries_.size()) {
        return false;
    }
    return !node.message || *node.message < entries_[node.entry].messages.size();
}

void CValidationResults::Select(const NodeRef& node) {
    if (!IsNode(node)) {
        ClearSelection();
        return;
    }
    selected_ = node;
    NotifySelection();
}

void CValidationResults::ClearSelection() {
    if (selected_) {
        selected_.reset();
        NotifySelection();
    }
}

bool CValidationResults::HighlightFirstItem() {
    for (std::size_t entry = 0; entry < entries_.size(); ++entry) {
        if (!entries_[entry].messages.empty()) {
            Select(NodeRef{entry, 0});
            return true;
        }
    }
    return false;
}

void CValidationResults::Show(bool bringToFront) {
    visible_ = true;
    for (auto* observer : observers_) {
        observer->VisibilityChanged(true, bringToFront);
    }
}

void CValidationResults::Hide() {
    visible_ = false;
    for (auto* observer : observers_) {
        observer->VisibilityChanged(false, false);
    }
}

CValidationResults::GoToOutcome CValidationResults::GoTo() {
    if (!selected_) {
        return {};
    }
    if (!selected_->IsMessage()) {
        const ItemEntry& entry = entries_[selected_->entry];
        if (entry.messages.empty()) {
            return {GoToOutcome::Action::ShowOptions, entry.elementIndex, entry.control};
        }
        Select(NodeRef{selected_->entry, 0});
    }
    const Message& message = entries_[selected_->entry].messages[*selected_->message];
    GoToOutcome outcome{GoToOutcome::Action::NotDisplayed, message.elementIndex, message.control};
    if (docForm_ != nullptr && docForm_->DisplayItem(message.elementIndex)) {
        outcome.action = GoToOutcome::Action::Displayed;
    }
    return outcome;
}

bool CValidationResults::Revalidate(const CValidationLimit& limit) {
    if (docForm_ == nullptr) {
        return false;
    }
    const bool passed = Validate(*docForm_, *this, limit);
    if (passed) {
        ReportMessage(ui_, "The Slide Show is valid.", kStyleInformation);
    }
    return passed;
}

CValidationResults::GoToOutcome CValidationResults::DoAction(int action,
                                                             const CValidationLimit& limit) {
    switch (action) {
        case kActionGoTo:
            return GoTo();
        case kActionClose:
            Hide();
            return {};
        case kActionRevalidate:
            Revalidate(limit);
            return {};
        case kActionLoad:
            Clear();
            return {};
        case kActionDoubleClick: {
            // Double-clicking an entry with messages opens or closes it; anything else goes.
            const bool itemWithMessages = selected_ && !selected_->IsMessage() &&
                                          !entries_[selected_->entry].messages.empty();
            return itemWithMessages ? GoToOutcome{} : GoTo();
        }
        default:
            ReportMessage(ui_, "Invalid action: " + std::to_string(action), kStyleExclamation);
            return {};
    }
}

void CValidationResults::DocumentClosing(const CDocument* document) {
    if (document != nullptr && docForm_ == document) {
        Clear();
        Hide();
    }
}

void CValidationResults::NotifyChanged() {
    for (auto* observer : observers_) {
        observer->ResultsChanged();
    }
}

void CValidationResults::NotifySelection() {
    for (auto* observer : observers_) {
        observer->SelectionChanged();
    }
}

}  // namespace trovique
