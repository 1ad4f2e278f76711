#include "core/services/Progress.h"

#include <limits>
#include <stdexcept>

#include "core/common/Percentage.h"

namespace trovique {

CProgress::CProgress(std::unique_ptr<IProgressView> view) : view_(std::move(view)) {
    if (!view_) {
        throw std::invalid_argument("CProgress needs a view");
    }
    Clear(false);
}

CProgress::~CProgress() {
    // The view goes with the object; hide it first so that no window lingers on screen.
    try {
        view_->Hide();
    } catch (...) {
    }
}

void CProgress::SetAllowCancel(bool allow) {
    allowCancel_ = allow;
    Update();
}

void CProgress::SetOnTop(bool onTop) {
    onTop_ = onTop;
    Update();
}

void CProgress::IncNumItemsComplete() {
    if (numItemsComplete_ < std::numeric_limits<std::int32_t>::max()) {
        ++numItemsComplete_;
    }
    Update();
}

void CProgress::SetNumItemsComplete(std::int32_t count) {
    numItemsComplete_ = count;
    Update();
}

void CProgress::SetNumItems(std::int32_t count) {
    numItems_ = count;
    Update();
}

void CProgress::SetText(const std::string& text) {
    text_ = text;
    Update();
}

void CProgress::Clear(bool hide) {
    text_.clear();
    numItems_ = 0;
    numItemsComplete_ = 0;
    allowCancel_ = true;
    view_->Reset();
    Update();
    if (hide) {
        Hide();
    }
}

void CProgress::Update() {
    percentage_ = PercentageOf(numItemsComplete_, numItems_);
    view_->Update(ProgressDisplay{text_, percentage_, onTop_, allowCancel_});
}

CProgressScope::CProgressScope(CProgress& progress, const std::string& text, std::int32_t numItems)
    : progress_(progress) {
    progress_.Clear(false);
    progress_.SetNumItems(numItems);
    progress_.SetText(text);
    progress_.Show();
}

CProgressScope::~CProgressScope() {
    try {
        progress_.Clear(true);
    } catch (...) {
    }
}

}  // namespace trovique
