#include "editor/main/ByteViewState.h"

#include <algorithm>
#include <cstdlib>

#include "editor/main/ScrollMath.h"

int32_t TByteViewState::MaxTopOffset() { return ::MaxTopOffset(DocumentSize(), Rows); }

int TByteViewState::HexadecimalWidth() {
    TViewWidths s = SectionWidths();
    return ViewsWidth() - s.W0 - s.W1;
}

// The cursor goes to an absolute position; the screen scrolls so that it
// stays more than `margin` rows inside, by whole rows only as far as needed.
// A byte half typed in the Decimal or Hexadecimal view ends where the cursor
// leaves it: the next digit starts a new byte.
bool TByteViewState::MoveCursorTo(int64_t target, int margin, bool updateStatus) {
    int32_t oldPosition = CursorPosition();
    int32_t oldTop = TopOffset;
    int32_t size = DocumentSize();
    auto position = static_cast<int32_t>(std::clamp<int64_t>(target, 0, size));
    if (TopOffset > MaxTopOffset()) TopOffset = MaxTopOffset();
    auto inside = [&] {
        int64_t top = TopOffset;
        return top + 16 * margin < position && position < top + 16 * int64_t{Rows - margin};
    };
    if (!inside()) {
        int32_t rowStart = position / 16 * 16;
        int64_t top;
        if (position > oldPosition) top = int64_t{rowStart} - 16 * int64_t{Rows - margin} + 16;
        else top = int64_t{rowStart} - 16 * int64_t{margin};
        TopOffset = static_cast<int32_t>(std::clamp<int64_t>(top, INT32_MIN, INT32_MAX));
        if (!inside()) TopOffset = rowStart;
        TopOffset = std::max(TopOffset, 0);
        TopOffset = std::min(TopOffset, MaxTopOffset());
    }
    CursorOffset = position - TopOffset;
    if (position != oldPosition) ResetDigitEntry();
    if (position != oldPosition && updateStatus) UpdateStatusBar();
    return TopOffset != oldTop;
}

// After scrolling or resizing: the screen back inside the document, the
// cursor on the same position where the screen moved under it.
bool TByteViewState::ClampView() {
    int32_t oldTop = TopOffset;
    int32_t size = DocumentSize();
    if (CursorOffset > 16 * Rows) {
        int32_t d = (CursorOffset - 16 * Rows) / 16 * 16 + 16;
        TopOffset += d;
        CursorOffset -= d;
    }
    if (TopOffset < 0) {
        CursorOffset += TopOffset;
        TopOffset = 0;
    }
    int32_t maxTop = MaxTopOffset();
    if (TopOffset > maxTop) {
        CursorOffset += TopOffset - maxTop;
        TopOffset = maxTop;
    }
    if (int64_t{TopOffset} + CursorOffset > size) CursorOffset = size - TopOffset;
    if (int64_t{TopOffset} + CursorOffset < 0) CursorOffset = -TopOffset;
    return TopOffset != oldTop;
}

bool TByteViewState::ClampViewAndStatus() {
    bool changed = ClampView();
    UpdateStatusBar();
    return changed;
}

bool TByteViewState::ClampViewAndScrollBar() {
    bool changed = ClampViewAndStatus();
    UpdateScrollBar();
    return changed;
}

std::vector<int> TByteViewState::SelectionRepaintIndexes(int mode) const {
    std::vector<int> indexes;
    int last = 16 * Rows;
    // Every screen index whose position lies from a to b (inclusive).
    auto stretch = [&](int64_t a, int64_t b) {
        if (a > b) std::swap(a, b);
        int64_t from = std::max<int64_t>(a - TopOffset, 0), to = std::min<int64_t>(b - TopOffset, last);
        for (int64_t i = from; i <= to; ++i) indexes.push_back(static_cast<int>(i));
    };
    if (mode == 1) {
        if (SelStart <= SelEnd) stretch(SelStart, SelEnd);
    } else {
        if (OldSelStart != SelStart) stretch(OldSelStart, SelStart);
        if (OldSelEnd != SelEnd) stretch(OldSelEnd, SelEnd);
    }
    return indexes;
}

void TByteViewState::RepaintSelection(int mode) {
    for (int i : SelectionRepaintIndexes(mode)) DrawByte(i);
}

void TByteViewState::SelectAll() {
    int32_t size = DocumentSize();
    SelectionActive = 1;
    SelStart = SelAnchor = 0;
    SelEnd = size - 1;
    TopOffset = MaxTopOffset();
    CursorOffset = std::max(size - TopOffset, 0);
    RepaintAll();
}

int TByteViewState::ViewAt(int x) { return ::ViewAt(x, SectionWidths()); }

int TByteViewState::CellAt(int x, int y) {
    OldCursorOffset = CursorOffset;
    return CellIndexAt(x, y, SectionWidths(), HexadecimalWidth());
}

void TByteViewState::ValidateActiveView() {
    TViewWidths s = SectionWidths();
    ActiveView = ValidActiveView(ActiveView, s.W0, s.W1, HexadecimalWidth());
    ShowActiveView();
}

void TByteViewState::SelectView(int target) {
    bool widened = false;
    TViewWidths widths = WidenForView(SectionWidths(), ActiveView, target, ViewsWidth(), widened);
    if (widened) SetSectionWidths(widths);
    ActiveView = target;
    ValidateActiveView();
    if (widened) InvalidateView();
    else DrawByte(CursorOffset);
}

void TByteViewState::LeftButtonDown(bool shiftHeld, bool doubleClick, int x, int y) {
    int view = ViewAt(x);
    if (SectionWidths().Width(view) < MinDrawnViewWidth) {
        // A collapsed view opens on a double click.
        if (doubleClick) {
            ResetDigitEntry();
            SelectView(view);
        }
        return;
    }
    ActiveView = view;
    ValidateActiveView();
    DrawByte(OldCursorOffset);
    // The cursor cell shows which view is active now.
    DrawByte(CursorOffset);
    if (shiftHeld && SelectionActive) {
        MouseSelecting = 1;
        DragSelect(true, x, y);
        return;
    }
    ResetDigitEntry();
    int i = CellAt(x, y);
    if (y / RowHeight > Rows - 1) return;
    if (MoveCursorRelative(i)) {
        RepaintAll();
    } else {
        DrawByte(OldCursorOffset);
        DrawByte(CursorOffset);
    }
    SelAnchor = CursorPosition();
    LastMouseX = x;
    LastMouseY = y;
    MouseSelecting = 1;
    if (SelectionActive) {
        SelectionActive = 0;
        RepaintSelection(1);
    }
}

void TByteViewState::DragSelect(bool leftButtonDown, int x, int y) {
    if (!MouseSelecting) return;
    if (!SelectionActive) SelStart = SelEnd = SelAnchor = CursorPosition();
    if (!leftButtonDown) return;
    int32_t size = DocumentSize();
    int64_t i = CellAt(x, y);
    if (y / RowHeight > Rows - 1 && !SelectionActive) return;
    // Above the screen: one row up; below: one row down; never past the
    // last byte nor before the first.
    if (i < 0 || y < 0) i = -16;
    if (i >= 16 * Rows) i = 16 * Rows + 15;
    if (TopOffset + i >= size) i = int64_t{size} - TopOffset - 1;
    if (TopOffset + i < 0) i = 0;
    if (std::abs(LastMouseX - x) + std::abs(LastMouseY - y) < 5) return;
    if (SectionWidths().Width(ViewAt(x)) < MinDrawnViewWidth) return;
    bool scrolled = MoveCursorRelative(i);
    if (CursorPosition() == SelAnchor) {
        SelectionActive = 0;
        if (!scrolled) RepaintSelection(1);
    } else {
        bool fresh = !SelectionActive;
        SelectionActive = 1;
        OldSelStart = SelStart;
        OldSelEnd = SelEnd;
        SelStart = SelAnchor;
        SelEnd = CursorPosition();
        if (SelEnd < SelStart) std::swap(SelStart, SelEnd);
        if (SelEnd == size) {
            SelEnd = size - 1;
            scrolled = true;
        }
        if (!scrolled) RepaintSelection(fresh ? 1 : 0);
    }
    if (scrolled) RepaintAll();
    LastMouseX = x;
    LastMouseY = y;
}

void TByteViewState::VScroll(int code, int thumbPosition) {
    SelectionActive = 0;
    int page = std::max(Rows - 1, 1);
    switch (code) {
        case ScrollLineUp: TopOffset -= 16; break;
        case ScrollLineDown: TopOffset += 16; break;
        case ScrollPageUp: TopOffset -= 16 * page; break;
        case ScrollPageDown: TopOffset += 16 * page; break;
        case ScrollThumbPosition:
        case ScrollThumbTrack:
            TopOffset = ThumbTopOffset(thumbPosition, DocumentSize());
            SetScrollThumb(thumbPosition);
            break;
        default: break;
    }
    if (code >= ScrollLineUp && code <= ScrollPageDown) {
        ClampViewAndStatus();
        UpdateScrollBar();
    } else if (code == ScrollThumbPosition || code == ScrollThumbTrack) {
        ClampViewAndStatus();
    }
    DrawAllCells();
}

void TByteViewState::WheelScroll(int rows) {
    if (rows == 0) return;
    SelectionActive = 0;
    TopOffset += 16 * rows;
    ClampViewAndStatus();
    UpdateScrollBar();
    DrawAllCells();
}
