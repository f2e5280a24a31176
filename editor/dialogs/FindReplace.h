#pragma once
// The search and replace routines of the main window: find the next hit
// from the cursor and select it, count the hits in the range, replace the
// selected hit, and Replace All as one undo step that rewrites the document
// in one pass. Every search goes through the document's byte search.
#include <cstdint>
#include <vector>

#include "editor/dialogs/SearchState.h"

class TDataFile;
class EditorView;

class TFindReplace {
public:
    TFindReplace(TDataFile& document, EditorView& view, TSearchState& state);

    // The replace window, while it exists (null otherwise).
    ReplaceWindowSide* ReplaceWindow = nullptr;

    // The range becomes the whole document.
    void SetWholeRange();
    // FoundCount, the wrap flag and the run's start (the cursor) anew.
    void ResetSearchState();

    // Finds the next hit from the cursor in the direction, skipping the hit
    // already selected there, wrapping once; moves the cursor to it and
    // selects it. False when the run has come round or nothing was found.
    bool FindData(const uint8_t* pattern, int32_t length, bool forward);
    // Non-overlapping hits in the range; the cursor and the state stay.
    int32_t CountMatches(const uint8_t* pattern, int32_t length);
    // One replace step (replaces the selected hit, or selects the next
    // one; true when a hit was found), or with all set the whole Replace
    // All (answers false so that the caller reports the end).
    bool ReplaceData(const uint8_t* pattern, int32_t length, bool all, const uint8_t* replacement, int32_t replaceLength);

private:
    int32_t Search(int64_t start, const uint8_t* pattern, int32_t length, bool forward, int64_t limit) const;
    bool ReplaceStep(const uint8_t* pattern, int32_t n, const uint8_t* replacement, int32_t m);
    bool ReplaceAll(const uint8_t* pattern, int32_t n, const uint8_t* replacement, int32_t m);
    // The hits from start with the limit, continuing after each hit, each at
    // least n after the last one already listed.
    void CollectMatches(std::vector<int32_t>& hits, int64_t start, int64_t limit, const uint8_t* pattern, int32_t n,
                        int64_t progressOffset, int64_t total);
    bool HitSelectedAt(int32_t position, int32_t length) const;
    void ShowEndReached(bool shown);
    void ShowProgress(int percent);

    TDataFile& FDocument;
    EditorView& FView;
    TSearchState& S;
};
