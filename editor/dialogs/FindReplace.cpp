#include "editor/dialogs/FindReplace.h"

#include <algorithm>
#include <new>

#include "editor/document/DataFile.h"
#include "editor/main/EditorView.h"
#include "framework/Exceptions.h"

TFindReplace::TFindReplace(TDataFile& document, EditorView& view, TSearchState& state)
    : FDocument(document), FView(view), S(state) {}

void TFindReplace::SetWholeRange() {
    S.SearchRangeStart = 0;
    S.SearchRangeEnd = FDocument.size - 1;
}

void TFindReplace::ResetSearchState() {
    S.FoundCount = 0;
    S.SearchWrapped = 0;
    S.SearchStart = FView.CursorPosition();
}

void TFindReplace::ShowEndReached(bool shown) {
    if (ReplaceWindow) ReplaceWindow->ShowEndReached(shown);
}

void TFindReplace::ShowProgress(int percent) {
    if (ReplaceWindow) ReplaceWindow->ShowProgress(percent);
}

// Every search stays inside the range: forward it starts no earlier than
// the range start and a hit ends by the limit and the range end; backward
// it starts no later than the last place where a whole hit fits in the
// range, and a hit begins at or after the limit and the range start.
int32_t TFindReplace::Search(int64_t start, const uint8_t* pattern, int32_t length, bool forward, int64_t limit) const {
    if (length < 1) return -1;
    if (forward) {
        const int64_t from = std::max<int64_t>(start, S.SearchRangeStart);
        const int64_t last = std::min<int64_t>(limit, S.SearchRangeEnd);
        if (from < 0 || from > last) return -1;
        return FDocument.search(static_cast<int32_t>(from), pattern, length, true, static_cast<int32_t>(last));
    }
    const int64_t from = std::min<int64_t>(start, int64_t(S.SearchRangeEnd) - length + 1);
    const int64_t lowest = std::max<int64_t>({limit, S.SearchRangeStart, 0});
    if (from < lowest) return -1;
    return FDocument.search(static_cast<int32_t>(from), pattern, length, false, static_cast<int32_t>(lowest));
}

bool TFindReplace::HitSelectedAt(int32_t position, int32_t length) const {
    return FView.SelectionActive() && FView.SelStart() == position && FView.SelEnd() == int64_t(position) + length - 1;
}

bool TFindReplace::FindData(const uint8_t* pattern, int32_t length, bool forward) {
    S.SearchRestart = 0;
    if (length < 1) return false;
    const int32_t cur = FView.CursorPosition();
    const int64_t limit = forward ? S.SearchRangeEnd : S.SearchRangeStart;
    int32_t pos = Search(cur, pattern, length, forward, limit);
    if (pos == cur && HitSelectedAt(pos, length))
        pos = Search(forward ? int64_t(cur) + 1 : int64_t(cur) - 1, pattern, length, forward, limit);
    if (forward) {
        if (S.SearchWrapped) ShowEndReached(false);
        if (!S.SearchWrapped && pos == -1) {
            if (ReplaceWindow && ReplaceWindow->ReplaceWindowVisible() && S.SearchStart != 0) ShowEndReached(true);
            if (S.SearchRangeStart != S.SearchStart)
                pos = Search(S.SearchRangeStart, pattern, length, true, S.SearchRangeEnd);
            S.SearchWrapped = 1;
        }
        if (S.SearchWrapped && pos >= S.SearchStart) return false;
    } else {
        if (!S.SearchWrapped && pos == -1) {
            pos = Search(S.SearchRangeEnd, pattern, length, false, S.SearchRangeStart);
            S.SearchWrapped = 1;
        }
        if (S.SearchWrapped && pos <= S.SearchStart) return false;
    }
    if (pos == -1) return false;
    S.FoundCount += 1;
    FView.ShowHit(pos, pos + length - 1);
    return true;
}

int32_t TFindReplace::CountMatches(const uint8_t* pattern, int32_t length) {
    if (length < 1) return 0;
    int32_t count = 0;
    int64_t position = S.SearchRangeStart;
    for (;;) {
        const int32_t hit = Search(position, pattern, length, true, S.SearchRangeEnd);
        if (hit < 0) break;
        ++count;
        position = int64_t(hit) + length;
    }
    return count;
}

bool TFindReplace::ReplaceData(const uint8_t* pattern, int32_t length, bool all, const uint8_t* replacement,
                               int32_t replaceLength) {
    if (length < 1) return false;
    // A read-only document is refused before anything is searched, filed or
    // shown.
    FDocument.checkReadOnly();
    return all ? ReplaceAll(pattern, length, replacement, replaceLength)
               : ReplaceStep(pattern, length, replacement, replaceLength);
}

bool TFindReplace::ReplaceStep(const uint8_t* pattern, int32_t n, const uint8_t* replacement, int32_t m) {
    FDocument.beginStep();
    const int32_t replacedBefore = S.ReplaceCount;
    S.ReplaceJustSelected = 0;
    const int32_t cur = FView.CursorPosition();
    int32_t c = Search(cur, pattern, n, true, S.SearchRangeEnd);
    if (S.SearchWrapped) ShowEndReached(false);
    if (!S.SearchWrapped && c == -1) {
        if (S.SearchStart != 0) ShowEndReached(true);
        if (S.SearchRangeStart != S.SearchStart) c = Search(S.SearchRangeStart, pattern, n, true, S.SearchRangeEnd);
        S.SearchWrapped = 1;
    }
    if (c == -1 || (S.SearchWrapped && c >= S.SearchStart)) return false;

    auto count = [this] {
        S.FoundCount += 1;
        if (ReplaceWindow) ReplaceWindow->ShowCounts();
    };
    S.ReplaceJustSelected = 1;
    if (c == cur && HitSelectedAt(c, n)) {
        S.ReplaceJustSelected = 0;
        if (S.SearchRestart) count();
    }
    S.SearchRestart = 0;
    if (S.ReplaceJustSelected) {
        count();
        FView.ShowHit(c, c + n - 1);
        return true;
    }

    FView.GotoPosition(c);
    if (m > n) {
        // The growth first: it is the change that may run out of memory,
        // and then nothing has changed yet.
        FDocument.insertData(c + n, m - n, replacement + n);
        FDocument.overwrite(c, n, replacement);
        S.SearchRangeEnd += m - n;
    } else if (m < n) {
        FDocument.overwrite(c, m, replacement);
        FDocument.deleteBytes(c + m, n - m);
        S.SearchRangeEnd -= n - m;
    } else {
        FDocument.overwrite(c, m, replacement);
    }
    if (c < S.SearchStart) S.SearchStart += m - n;
    S.ReplaceCount += 1;
    FView.GotoPosition(c + m);
    if (ReplaceWindow) ReplaceWindow->ShowCounts();
    FView.ClearSelection();
    FView.RepaintAll();
    if (S.ReplaceCount != replacedBefore) FView.SetModified();
    return true;
}

void TFindReplace::CollectMatches(std::vector<int32_t>& hits, int64_t start, int64_t limit, const uint8_t* pattern,
                                  int32_t n, int64_t progressOffset, int64_t total) {
    if (!hits.empty()) start = std::max<int64_t>(start, int64_t(hits.back()) + n);
    const int64_t passStart = start;
    int64_t position = start;
    size_t found = 0;
    for (;;) {
        const int32_t hit = Search(position, pattern, n, true, limit);
        if (hit < 0) break;
        hits.push_back(hit);
        position = int64_t(hit) + n;
        if (++found % 1000 == 0 && total > 0)
            ShowProgress(static_cast<int>(std::clamp<int64_t>((position - passStart + progressOffset) * 100 / total, 0, 100)));
    }
}

// Replace All: the hits are listed first (so that a result too large for a
// document is refused before anything changes), then one snapshot makes the
// whole undo step, the document is resized once and every byte is moved at
// most once: front to back when it shrinks or keeps its size, back to front
// when it grows.
bool TFindReplace::ReplaceAll(const uint8_t* pattern, int32_t n, const uint8_t* replacement, int32_t m) {
    const int32_t cursor = FView.CursorPosition();
    const int64_t d = int64_t(m) - n;
    const int64_t total = (int64_t(S.SearchRangeEnd) - cursor) + (int64_t(S.SearchStart) - S.SearchRangeStart);

    // The progress bar goes away however the work ends.
    struct ProgressShown {
        TFindReplace& self;
        ~ProgressShown() { self.ShowProgress(-1); }
    } progress{*this};
    std::vector<int32_t> hits;
    try {
        ShowProgress(0);
        // The part already wrapped over: hits that begin before the run's
        // start, never reading past the range.
        CollectMatches(hits, S.SearchRangeStart, std::min<int64_t>(int64_t(S.SearchStart) + n - 2, S.SearchRangeEnd),
                       pattern, n, 0, total);
        CollectMatches(hits, cursor, S.SearchRangeEnd, pattern, n, int64_t(S.SearchStart) - S.SearchRangeStart, total);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(OutOfMemoryMessage());
    }
    const int64_t k = static_cast<int64_t>(hits.size());
    const int64_t k1 = std::lower_bound(hits.begin(), hits.end(), cursor) - hits.begin();
    const int64_t sizeBefore = FDocument.size;
    const int64_t g = k * d;
    if (sizeBefore + g > MaxDocumentSize) throw EOutOfMemory(OutOfMemoryMessage());

    FDocument.beginFullFillStep();
    if (k > 0) {
        FView.SetModified();
        const bool selectedAtCursor = std::binary_search(hits.begin(), hits.end(), cursor) &&
                                      HitSelectedAt(cursor, n) && S.SearchRestart == 0;
        S.FoundCount += static_cast<int32_t>(k - (selectedAtCursor ? 1 : 0));
    }
    if (g > 0) FDocument.insertFill(static_cast<int32_t>(sizeBefore), static_cast<int32_t>(g), 0);

    auto gapEnd = [&](int64_t i) { return i + 1 < k ? int64_t(hits[size_t(i + 1)]) : sizeBefore; };
    if (g <= 0) {
        int64_t shift = 0;
        for (int64_t i = 0; i < k; ++i) {
            const int64_t p = hits[size_t(i)];
            FDocument.writeRaw(static_cast<int32_t>(p + shift), m, replacement);
            const int64_t from = p + n, to = p + shift + m, count = gapEnd(i) - from;
            if (from != to && count > 0)
                FDocument.moveRaw(static_cast<int32_t>(to), static_cast<int32_t>(from), static_cast<int32_t>(count));
            S.ReplaceCount += 1;
            if (i % 1000 == 0) ShowProgress(static_cast<int>(i * 100 / k));
            shift += d;
        }
    } else {
        int64_t shift = (k - 1) * d;
        for (int64_t i = k - 1; i >= 0; --i) {
            const int64_t p = hits[size_t(i)];
            const int64_t from = p + n, to = p + shift + m, count = gapEnd(i) - from;
            if (count > 0)
                FDocument.moveRaw(static_cast<int32_t>(to), static_cast<int32_t>(from), static_cast<int32_t>(count));
            FDocument.writeRaw(static_cast<int32_t>(p + shift), m, replacement);
            S.ReplaceCount += 1;
            if (i % 1000 == 0) ShowProgress(static_cast<int>((k - i) * 100 / k));
            shift -= d;
        }
    }
    if (g < 0) FDocument.setEndOfFile(static_cast<int32_t>(sizeBefore + g));
    S.SearchStart = static_cast<int32_t>(cursor + k1 * d);
    S.SearchRangeEnd = static_cast<int32_t>(S.SearchRangeEnd + g);
    return false;
}
