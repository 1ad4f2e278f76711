#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace trovique {

// What the progress window shows after each change.
struct ProgressDisplay {
    std::string text;  // UTF-8
    std::int16_t percentage = 0;
    bool onTop = true;
    bool allowCancel = true;
};

// The progress window as CProgress drives it: a window with a label, a bar and a Cancel button
// in the program, a line on a terminal, a record in tests.
class IProgressView {
public:
    virtual ~IProgressView() = default;
    // Shows the label, the bar, top-most or not, Cancel enabled or not, and repaints.
    virtual void Update(const ProgressDisplay& display) = 0;
    // Shows without waiting (the view is modeless).
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual int Top() const = 0;
    virtual void SetTop(int top) = 0;
    // Set by the Cancel button, and by an attempt to close the view, which is refused. A
    // window implementation lets pending events run here so that the click is seen.
    virtual bool UserCancel() = 0;
    // Clears UserCancel.
    virtual void Reset() = 0;
};

// The progress window of long operations over many items. It owns its view for its whole life;
// operations set the counts as they go and poll UserCancel between items.
class CProgress {
public:
    explicit CProgress(std::unique_ptr<IProgressView> view);
    ~CProgress();
    CProgress(const CProgress&) = delete;
    CProgress& operator=(const CProgress&) = delete;

    bool AllowCancel() const { return allowCancel_; }
    void SetAllowCancel(bool allow);
    int Top() const { return view_->Top(); }
    void SetTop(int top) { view_->SetTop(top); }
    // Whether the window stays above the others; true from creation, kept by Clear.
    bool OnTop() const { return onTop_; }
    void SetOnTop(bool onTop);
    bool UserCancel() { return view_->UserCancel(); }
    void IncNumItemsComplete();
    std::int32_t NumItemsComplete() const { return numItemsComplete_; }
    void SetNumItemsComplete(std::int32_t count);
    std::int32_t NumItems() const { return numItems_; }
    void SetNumItems(std::int32_t count);
    // 0 to 100; 0 while NumItems is 0.
    std::int16_t Percentage() const { return percentage_; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // Empty text, counts 0, Cancel allowed again and a pending cancel forgotten; hides the
    // window when asked to.
    void Clear(bool hide);
    void Hide() { view_->Hide(); }
    void Show() { view_->Show(); }
    bool Visible() const { return view_->Visible(); }

private:
    void Update();

    std::unique_ptr<IProgressView> view_;
    std::string text_;
    std::int32_t numItems_ = 0;
    std::int32_t numItemsComplete_ = 0;
    std::int16_t percentage_ = 0;
    bool allowCancel_ = true;
    bool onTop_ = true;
};

// Clears and shows the progress window for the life of a scope and hides it again on every way
// out, so that an operation that fails half-way leaves no window behind.
class CProgressScope {
public:
    CProgressScope(CProgress& progress, const std::string& text, std::int32_t numItems);
    ~CProgressScope();
    CProgressScope(const CProgressScope&) = delete;
    CProgressScope& operator=(const CProgressScope&) = delete;

private:
    CProgress& progress_;
};

}  // namespace trovique
