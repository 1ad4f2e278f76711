#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trovique {

// Where the status bar shows itself: a window's status bar, a terminal line, a test's record.
class IStatusBarView {
public:
    virtual ~IStatusBarView() = default;
    // Panel 1 holds the current text, panel 2 the percentage ("77%" or nothing).
    virtual void SetPanelText(int panel, const std::string& text) = 0;
};

// The status-bar text stack with its percentage. Long operations push their text when they
// start and pop it on every way out, so a nested operation gives the caller's text back.
// Texts are UTF-8, as everything the user interface shows.
class CStatusBar {
public:
    CStatusBar() = default;
    explicit CStatusBar(IStatusBarView* view) : view_(view) {}

    // The bound view; nothing is shown while none is bound. Binding shows the current state.
    IStatusBarView* StatusBar() const { return view_; }
    void SetStatusBar(IStatusBarView* view);

    // Empties the text stack.
    void Clear();
    // Both counts back to 0, which hides the percentage.
    void ClearPercentage();
    void IncNumItemsComplete();
    std::int32_t NumItemsComplete() const { return numItemsComplete_; }
    void SetNumItemsComplete(std::int32_t count);
    std::int32_t NumItems() const { return numItems_; }
    void SetNumItems(std::int32_t count);
    // The last computed percentage; -1 before the first refresh.
    std::int16_t Percentage() const { return percentage_; }
    // Drops the last text, if any.
    void PopText();
    void PushText(const std::string& text);
    // Recomputes the percentage and shows the last text and the percentage.
    void Refresh();
    // Replaces the last text, or pushes it onto an empty stack.
    void SetText(const std::string& text);

    // The text panel 1 shows: the last stacked text, or nothing.
    std::string Text() const { return texts_.empty() ? std::string() : texts_.back(); }
    std::size_t Depth() const { return texts_.size(); }

private:
    IStatusBarView* view_ = nullptr;
    std::vector<std::string> texts_;
    std::int32_t numItems_ = 0;
    std::int32_t numItemsComplete_ = 0;
    std::int16_t percentage_ = -1;
};

// Pushes a status text for the life of a scope and pops it on every way out, exceptions
// included.
class CStatusTextScope {
public:
    CStatusTextScope(CStatusBar& statusBar, const std::string& text) : statusBar_(statusBar) {
        statusBar_.PushText(text);
    }
    ~CStatusTextScope() { statusBar_.PopText(); }
    CStatusTextScope(const CStatusTextScope&) = delete;
    CStatusTextScope& operator=(const CStatusTextScope&) = delete;

private:
    CStatusBar& statusBar_;
};

}  // namespace trovique
