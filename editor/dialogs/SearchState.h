#pragma once
// The state that search, Find Next and replace share, so that repeated
// presses continue where the last one stopped and a run wraps round once.
#include <cstdint>

struct TSearchState {
    int32_t FoundCount = 0;        // hits reported since the last reset
    int32_t ReplaceCount = 0;      // replacements since the last reset
    uint8_t SearchRestart = 1;     // the next press starts a new run
    uint8_t SearchWrapped = 0;     // this run has wrapped to the other end of the range
    int32_t SearchStart = 0;       // the cursor when the run began; the run ends back there
    int32_t SearchRangeStart = 0;  // lowest position searched
    int32_t SearchRangeEnd = -1;   // highest position a hit may cover (inclusive)
    uint8_t SearchInSelection = 0;
    uint8_t ReplaceAllMode = 0;       // the Replace All button was the last pressed
    uint8_t ReplaceJustSelected = 0;  // the last replace step only selected a hit
};

// The replace window as the search routines see it: its end-reached label,
// its counts and its progress bar. Absent while only the search window runs.
class ReplaceWindowSide {
public:
    virtual ~ReplaceWindowSide() = default;
    virtual bool ReplaceWindowVisible() const = 0;
    virtual void ShowEndReached(bool shown) = 0;
    virtual void ShowCounts() = 0;
    // 0 to 100; -1 hides the bar.
    virtual void ShowProgress(int percent) = 0;
};
