#pragma once
// The page view's back/forward history: the pages visited and, for each, the
// scroll position it had when it was left.
#include <cstdint>
#include <string>
#include <vector>

struct HistoryEntry {
    std::string Path;
    int32_t Position = 0;
};

class PageHistory {
public:
    bool Empty() const { return Entries_.empty(); }
    int32_t Index() const { return Index_; }  // -1 while empty
    int32_t Count() const { return static_cast<int32_t>(Entries_.size()); }
    const HistoryEntry& Current() const { return Entries_[static_cast<size_t>(Index_)]; }
    bool CanGoBack() const { return Index_ > 0; }
    bool CanGoForward() const { return Count() >= 2 && Index_ < Count() - 1; }

    // A new page: the one shown keeps its scroll position, the forward
    // entries go, and the new page becomes the one shown.
    void Visit(const std::string& path, int32_t leavingPosition);
    // Moves one back (forward) when possible; the page left keeps its
    // position. False when there is nowhere to go.
    bool Back(int32_t leavingPosition);
    bool Forward(int32_t leavingPosition);

private:
    std::vector<HistoryEntry> Entries_;
    int32_t Index_ = -1;
};

// The mouse wheel's movement not yet turned into whole steps of 25 units.
class WheelRest {
public:
    // Adds one wheel message's delta (positive away from the user) and gives
    // the pixels to scroll (positive = down) in steps of lineHeight.
    int32_t Turn(int32_t delta, int32_t lineHeight);
    int32_t Rest() const { return Rest_; }

private:
    int32_t Rest_ = 0;
};
