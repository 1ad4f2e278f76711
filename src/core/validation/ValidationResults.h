#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/ElementKinds.h"
#include "core/validation/DocumentControl.h"
#include "core/validation/ValidationLimit.h"

namespace trovique {

class CDocument;
class IUserInterface;

// The kind of the entry that reports a run stopped by the error limit; it has no message below.
inline constexpr ElementKind kKindStopEntry = ElementKind::Unset;

// Told when the findings list changes, so that the results window follows it.
class IValidationResultsObserver {
public:
    virtual ~IValidationResultsObserver() = default;
    // Entries were added or cleared, or DocForm changed.
    virtual void ResultsChanged() {}
    virtual void SelectionChanged() {}
    // The window is to be shown (brought to front when asked) or hidden.
    virtual void VisibilityChanged(bool visible, bool bringToFront) {
        (void)visible, (void)bringToFront;
    }
};

// The findings of the last validation run as the results window shows them: a two-level tree
// with one item entry per offending item and that item's messages below it. There is one list for
// the whole program; it remembers which slide show it lists (DocForm), the target of Go To and
// Revalidate.
//
// Consecutive findings for the same item gather under one entry; a later finding for an item
// whose entry is no longer the newest starts a second entry, so the list keeps the order in which
// the tree was walked.
class CValidationResults {
public:
    // Pictures of the tree nodes.
    static constexpr int kImageMessage = 1;
    static constexpr int kImageNodeItem = 3;
    static constexpr int kImageLeafItem = 4;
    static constexpr int kImageOtherItem = 5;

    struct Message {
        std::string text;
        // The element index of the item the finding is about; the node's tag.
        int elementIndex = 0;
        DocumentControl control = DocumentControl::None;
        bool warning = false;

        std::string Tag() const { return std::to_string(elementIndex); }
    };

    struct ItemEntry {
        // The path part of the reference.
        std::string text;
        int elementIndex = 0;
        ElementKind kind = ElementKind::Root;
        bool expanded = true;
        // Where Go To leads for an entry without messages (the stop entry).
        DocumentControl control = DocumentControl::None;
        std::vector<Message> messages;

        int Image() const;
        int ExpandedImage() const { return Image(); }
    };

    // A node of the list: an item entry, or one of its messages.
    struct NodeRef {
        std::size_t entry = 0;
        std::optional<std::size_t> message;

        bool IsMessage() const { return message.has_value(); }
        bool operator==(const NodeRef&) const = default;
    };

    // What Go To did.
    struct GoToOutcome {
        enum class Action {
            Nothing,      // nothing selected
            ShowOptions,  // the stop entry: the options dialog is to open
            Displayed,    // DocForm shows the item; the window focuses control
            NotDisplayed  // no DocForm, or the item is gone (DocForm said so)
        };
        Action action = Action::Nothing;
        int elementIndex = 0;
        DocumentControl control = DocumentControl::None;
    };

    // Numbers of the window's actions.
    static constexpr int kActionGoTo = 0;
    static constexpr int kActionClose = 1;
    static constexpr int kActionRevalidate = 2;
    static constexpr int kActionLoad = 100;
    static constexpr int kActionDoubleClick = 101;

    // Messages (Revalidate's report, invalid actions) are shown through ui.
    explicit CValidationResults(IUserInterface& ui) : ui_(ui) {}
    CValidationResults(const CValidationResults&) = delete;
    CValidationResults& operator=(const CValidationResults&) = delete;

    void AddObserver(IValidationResultsObserver* observer);
    void RemoveObserver(IValidationResultsObserver* observer);

    CDocument* DocForm() const { return docForm_; }
    void SetDocForm(CDocument* document);
    // "Validation Errors For " and the listed slide show's window title; "Validation" when the
    // list belongs to none.
    std::string Caption() const;

    // Empties the list, forgets the current entry, the selection and DocForm.
    void Clear();
    // Adds one finding. reference is the element index, ":" and the item's path; a reference
    // without ":" has index 0 and is its own path. kind: 0 root, 1 node, 3 leaf, 6 stop entry
    // (any kind but 0, 1 and 3 gets no message node).
    void AddEntry(std::string_view reference, const std::string& message, DocumentControl control,
                  ElementKind kind, bool warning);

    const std::vector<ItemEntry>& Entries() const { return entries_; }
    bool Empty() const { return entries_.empty(); }
    std::size_t MessageCount() const;

    // Go To is offered while the list holds anything, Revalidate while it belongs to a document.
    bool GoToEnabled() const { return !entries_.empty(); }
    bool RevalidateEnabled() const { return docForm_ != nullptr; }

    const std::optional<NodeRef>& Selected() const { return selected_; }
    // Selects a node of the list; a reference to no node clears the selection.
    void Select(const NodeRef& node);
    void ClearSelection();
    // Selects the first message of the list; false when there is none.
    bool HighlightFirstItem();

    bool Visible() const { return visible_; }
    // Shows the window, in front of the others when bringToFront.
    void Show(bool bringToFront);
    void Hide();

    // Go To: an item entry leads to its first message; a message asks DocForm to display its
    // item; the stop entry asks for the options dialog.
    GoToOutcome GoTo();
    // Validates DocForm again (refilling this list) and reports "The Slide Show is valid." when
    // it passes. False when there is no DocForm or the slide show did not pass.
    bool Revalidate(const CValidationLimit& limit);
    // The window's action dispatcher: the buttons, loading and double-click. An unknown number
    // is reported as "Invalid action: " and the number. Go To's outcome is returned for the
    // window to act on.
    GoToOutcome DoAction(int action, const CValidationLimit& limit);

    // A slide show window is closing: a list that belongs to it is emptied and hidden, so that
    // nothing leads to a closed window.
    void DocumentClosing(const CDocument* document);

private:
    bool IsNode(const NodeRef& node) const;
    void NotifyChanged();
    void NotifySelection();

    IUserInterface& ui_;
    std::vector<IValidationResultsObserver*> observers_;
    CDocument* docForm_ = nullptr;
    std::vector<ItemEntry> entries_;
    // The entry new messages go under, and the element index it stands for.
    std::optional<std::size_t> current_;
    int currentIndex_ = 0;
    std::optional<NodeRef> selected_;
    bool visible_ = false;
};

}  // namespace trovique
