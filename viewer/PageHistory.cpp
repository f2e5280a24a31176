#include "viewer/PageHistory.h"

void PageHistory::Visit(const std::string& path, int32_t leavingPosition) {
    if (!Entries_.empty()) {
        Entries_[static_cast<size_t>(Index_)].Position = leavingPosition;
        Entries_.resize(static_cast<size_t>(Index_) + 1);
    }
    Entries_.push_back({path, 0});
    Index_ = Count() - 1;
}

bool PageHistory::Back(int32_t leavingPosition) {
    if (!CanGoBack()) return false;
    Entries_[static_cast<size_t>(Index_)].Position = leavingPosition;
    --Index_;
    return true;
}

bool PageHistory::Forward(int32_t leavingPosition) {
    if (!CanGoForward()) return false;
    Entries_[static_cast<size_t>(Index_)].Position = leavingPosition;
    ++Index_;
    return true;
}

int32_t WheelRest::Turn(int32_t delta, int32_t lineHeight) {
    // The rest stays small (below 25 in size) between messages and the delta
    // is 16 bits, so this cannot overflow.
    Rest_ -= delta;
    int32_t pixels = 0;
    if (Rest_ > 24) {
        pixels = lineHeight * (Rest_ / 25);
        Rest_ %= 25;
    } else if (Rest_ < -24) {
        pixels = -lineHeight * (-Rest_ / 25);
        Rest_ = -((-Rest_) % 25);
    }
    return pixels;
}
