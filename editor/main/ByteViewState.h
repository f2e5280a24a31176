#pragma once
// The cursor and the selection over the byte view, and what moves them: the
// cursor moves that keep the screen around it, keeping the view inside the
// document, the cells to redraw after a selection changed, Select All,
// clicks, drags, the scroll bar and the wheel. The window supplies the
// document's size, the view widths and the drawing through the hooks.
#include <cstdint>
#include <vector>

#include "editor/main/ByteViewGeometry.h"
#include "editor/main/CellLook.h"
#include "editor/main/MainGlobals.h"

// Scroll bar requests, numbered as the system numbers them.
enum TScrollCode { ScrollLineUp = 0, ScrollLineDown = 1, ScrollPageUp = 2, ScrollPageDown = 3,
                   ScrollThumbPosition = 4, ScrollThumbTrack = 5 };

class TByteViewState {
public:
    virtual ~TByteViewState() = default;

    int ActiveView = 0;  // 0 Text, 1 Decimal, 2 Hexadecimal
    int CellFontSize = 0;
    int DigitIndex = 1;
    int DigitCount = 0;
    int Rows = 0;
    uint8_t SelectionActive = 0;
    uint8_t MouseSelecting = 0;
    int OldSelStart = 0, OldSelEnd = 0;
    int SelStart = 0, SelEnd = 0;
    int LastMouseX = 0, LastMouseY = 0;
    int SelAnchor = 0;
    TViewColors Colors;

    int32_t CursorPosition() const { return TopOffset + CursorOffset; }
    int32_t MaxTopOffset();

    // Cursor moves; each returns whether TopOffset changed.
    bool MoveCursorTo(int64_t position, int margin, bool updateStatus);
    bool GotoPosition(int64_t position) { return MoveCursorTo(position, 2, true); }
    bool MoveCursorRelative(int64_t offset) { return MoveCursorTo(int64_t{TopOffset} + offset, 0, true); }
    bool ClampView();
    bool ClampViewAndStatus();
    bool ClampViewAndScrollBar();

    // Screen indexes whose selection state may have changed: mode 1 the
    // whole selection, mode 0 the stretches between old and new bounds.
    std::vector<int> SelectionRepaintIndexes(int mode) const;
    void RepaintSelection(int mode);
    void SelectAll();

    int ViewAt(int x);
    int CellAt(int x, int y);
    void ResetDigitEntry() { DigitIndex = 1; }
    void ValidateActiveView();
    void SelectView(int target);

    // Left button down on the view (other buttons do nothing).
    void LeftButtonDown(bool shiftHeld, bool doubleClick, int x, int y);
    void DragSelect(bool leftButtonDown, int x, int y);
    // A scroll bar request; thumbPosition for the two thumb codes.
    void VScroll(int code, int thumbPosition);
    // The wheel moved the view by rows (negative: up).
    void WheelScroll(int rows);

protected:
    virtual int32_t DocumentSize() = 0;
    virtual TViewWidths SectionWidths() = 0;
    virtual void SetSectionWidths(const TViewWidths& widths) = 0;
    // Width for the views: client width less the scroll bar.
    virtual int ViewsWidth() = 0;
    virtual void DrawByte(int index) = 0;
    virtual void DrawAllCells() = 0;
    virtual void RepaintAll() = 0;
    virtual void InvalidateView() = 0;
    virtual void UpdateStatusBar() = 0;
    virtual void UpdateScrollBar() = 0;
    virtual void SetScrollThumb(int position) = 0;
    // The cursor view's check mark follows ActiveView.
    virtual void ShowActiveView() {}

    int HexadecimalWidth();
};
