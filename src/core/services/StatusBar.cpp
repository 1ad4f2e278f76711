#include "core/services/StatusBar.h"

#include "core/common/Percentage.h"

namespace trovique {

void CStatusBar::SetStatusBar(IStatusBarView* view) {
    view_ = view;
    Refresh();
}

void CStatusBar::Clear() {
    texts_.clear();
    Refresh();
}

void CStatusBar::ClearPercentage() {
    numItems_ = 0;
    numItemsComplete_ = 0;
    Refresh();
}

void CStatusBar::IncNumItemsComplete() {
    if (numItemsComplete_ < INT32_MAX) {
        SetNumItemsComplete(numItemsComplete_ + 1);
    } else {
        Refresh();
    }
}

void CStatusBar::SetNumItemsComplete(std::int32_t count) {
    numItemsComplete_ = count;
    Refresh();
}

void CStatusBar::SetNumItems(std::int32_t count) {
    numItems_ = count;
    Refresh();
}

void CStatusBar::PopText() {
    if (!texts_.empty()) {
        texts_.pop_back();
    }
    Refresh();
}

void CStatusBar::PushText(const std::string& text) {
    texts_.push_back(text);
    Refresh();
}

void CStatusBar::SetText(const std::string& text) {
    if (texts_.empty()) {
        PushText(text);
        return;
    }
    texts_.back() = text;
    Refresh();
}

void CStatusBar::Refresh() {
    percentage_ = PercentageOf(numItemsComplete_, numItems_);
    if (view_ == nullptr) {
        return;
    }
    view_->SetPanelText(1, Text());
    view_->SetPanelText(2, percentage_ > 0 ? std::to_string(percentage_) + "%" : std::string());
}

}  // namespace trovique
