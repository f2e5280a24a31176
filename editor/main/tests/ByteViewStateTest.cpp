#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "editor/main/ByteViewState.h"
#include "editor/main/ScrollMath.h"

namespace {

// The state over a document of a given size, recording what it asks the
// window to draw.
class FakeView : public TByteViewState {
public:
    FakeView(int32_t size, int rows) : size(size) {
        Rows = rows;
        TopOffset = CursorOffset = OldCursorOffset = 0;
    }
    int32_t size;
    TViewWidths widths{275, 450, 275};
    int viewsWidth = 1000;
    std::vector<int> drawn;
    int fullRepaints = 0, allCells = 0, statusUpdates = 0, scrollBarUpdates = 0, invalidated = 0;
    int thumb = -1;

    void ClearLog() {
        drawn.clear();
        fullRepaints = allCells = statusUpdates = scrollBarUpdates = invalidated = 0;
    }
    std::set<int> DrawnSet() const { return {drawn.begin(), drawn.end()}; }

protected:
    int32_t DocumentSize() override { return size; }
    TViewWidths SectionWidths() override { return widths; }
    void SetSectionWidths(const TViewWidths& w) override { widths = w; }
    int ViewsWidth() override { return viewsWidth; }
    void DrawByte(int index) override { drawn.push_back(index); }
    void DrawAllCells() override { ++allCells; }
    void RepaintAll() override { ++fullRepaints; }
    void InvalidateView() override { ++invalidated; }
    void UpdateStatusBar() override { ++statusUpdates; }
    void UpdateScrollBar() override { ++scrollBarUpdates; }
    void SetScrollThumb(int position) override { thumb = position; }
    TDataFile& Document() override { return doc; }
    bool ReadOnlyOn() override { return false; }
    bool KeepSizeOn() override { return false; }
    bool InsertModeOn() override { return false; }
    bool MoveRightOn() override { return true; }
    std::string LanguageText(const char* key) override { return key; }
    int ShowMessage1(const std::string&, const std::string&) override { return 6; }
    int AskYesNo(const std::string&) override { return 6; }
    void MarkModified() override {}
    void ResizeWindow(int, int) override {}
    TDataFile doc;
};

// Pixel of the middle of a Text view cell (cells 17 wide, rows 25 high).
int TextX(int column) { return column * 17 + 8; }
int RowY(int row) { return row * 25 + 12; }

}  // namespace

TEST(ByteViewState, GotoPositionKeepsTwoRowsOfMargin) {
    FakeView v(10000, 10);
    EXPECT_TRUE(v.GotoPosition(5000));
    EXPECT_EQ(TopOffset, 4880);
    EXPECT_EQ(CursorOffset, 120);
    EXPECT_TRUE(v.GotoPosition(100));
    EXPECT_EQ(TopOffset, 64);
    EXPECT_EQ(CursorOffset, 36);
    // Inside the margins: the screen stays.
    EXPECT_FALSE(v.GotoPosition(120));
    EXPECT_EQ(TopOffset, 64);
    EXPECT_EQ(CursorOffset, 56);
}

TEST(ByteViewState, MoveCursorToClampsToTheDocument) {
    FakeView v(10000, 10);
    v.MoveCursorTo(10000 + 10, 2, true);
    EXPECT_EQ(v.CursorPosition(), 10000);  // the end-of-file cell
    EXPECT_EQ(TopOffset, MaxTopOffset(10000, 10));
    v.MoveCursorTo(-5, 2, true);
    EXPECT_EQ(v.CursorPosition(), 0);
    EXPECT_EQ(TopOffset, 0);
    v.MoveCursorTo(int64_t{1} << 40, 0, true);  // far beyond any 32-bit position
    EXPECT_EQ(v.CursorPosition(), 10000);
}

TEST(ByteViewState, MoveCursorToUpdatesTheStatusOnlyWhenTheCursorMoves) {
    FakeView v(1000, 10);
    v.MoveCursorTo(0, 0, true);
    EXPECT_EQ(v.statusUpdates, 0);
    v.MoveCursorTo(5, 0, false);
    EXPECT_EQ(v.statusUpdates, 0);
    v.MoveCursorTo(6, 0, true);
    EXPECT_EQ(v.statusUpdates, 1);
}

TEST(ByteViewState, MarginZeroScrollsByWholeRowsOnlyAsFarAsNeeded) {
    FakeView v(1000, 10);
    EXPECT_TRUE(v.MoveCursorRelative(160));  // one cell below the screen
    EXPECT_EQ(TopOffset, 16);
    EXPECT_EQ(CursorOffset, 144);
    EXPECT_TRUE(v.MoveCursorRelative(-1));   // one cell above the screen
    EXPECT_EQ(TopOffset, 0);
    EXPECT_EQ(CursorOffset, 15);
}

TEST(ByteViewState, GotoFarBelowLeavesTheCursorOnTheThirdRowFromTheBottom) {
    FakeView v(100000, 20);
    v.GotoPosition(50000);
    EXPECT_EQ(CursorOffset / 16, 20 - 3);
    v.GotoPosition(20005);
    EXPECT_EQ(CursorOffset / 16, 2);
    // A row start far above needs the screen to start on its own row: the
    // cursor must stand strictly after the margin rows.
    v.GotoPosition(10000);
    EXPECT_EQ(TopOffset, 10000);
    EXPECT_EQ(CursorOffset, 0);
    // Near the start the screen cannot scroll above 0.
    v.GotoPosition(5);
    EXPECT_EQ(TopOffset, 0);
    // Near the end it cannot scroll past MaxTopOffset.
    v.GotoPosition(100000);
    EXPECT_EQ(TopOffset, MaxTopOffset(100000, 20));
}

TEST(ByteViewState, ClampViewKeepsThePositionWhileTheScreenMoves) {
    FakeView v(1000, 10);
    TopOffset = -32;
    CursorOffset = 40;
    EXPECT_TRUE(v.ClampView());
    EXPECT_EQ(TopOffset, 0);
    EXPECT_EQ(CursorOffset, 8);
    TopOffset = 2000;
    CursorOffset = 0;
    EXPECT_TRUE(v.ClampView());
    EXPECT_EQ(TopOffset, MaxTopOffset(1000, 10));
    EXPECT_EQ(v.CursorPosition(), 1000);  // clamped to the end-of-file cell
    // A cursor far below the screen pulls the screen down to it.
    TopOffset = 0;
    CursorOffset = 200;
    EXPECT_TRUE(v.ClampView());
    EXPECT_EQ(TopOffset, 48);
    EXPECT_EQ(CursorOffset, 152);
    EXPECT_FALSE(v.ClampView());
}

TEST(ByteViewState, ClampViewOnAnEmptyDocument) {
    FakeView v(0, 10);
    TopOffset = 16;
    CursorOffset = 3;
    v.ClampView();
    EXPECT_EQ(TopOffset, 0);
    EXPECT_EQ(CursorOffset, 0);
}

TEST(ByteViewState, RepaintSelectionRedrawsOnlyWhatChanged) {
    FakeView v(1000, 10);
    TopOffset = 32;
    v.SelStart = 40;
    v.SelEnd = 45;
    EXPECT_EQ(v.SelectionRepaintIndexes(1), (std::vector<int>{8, 9, 10, 11, 12, 13}));
    v.OldSelStart = 40;
    v.OldSelEnd = 45;
    v.SelEnd = 48;
    EXPECT_EQ(v.SelectionRepaintIndexes(0), (std::vector<int>{13, 14, 15, 16}));
    v.OldSelStart = 20;  // start moved from above the screen
    v.SelStart = 35;
    EXPECT_EQ(v.SelectionRepaintIndexes(0), (std::vector<int>{0, 1, 2, 3, 13, 14, 15, 16}));
    // A selection reaching far below the screen stops at 16 x Rows.
    v.SelStart = 100;
    v.SelEnd = 900;
    std::vector<int> all = v.SelectionRepaintIndexes(1);
    EXPECT_EQ(all.front(), 68);
    EXPECT_EQ(all.back(), 160);
    v.RepaintSelection(1);
    EXPECT_EQ(v.drawn, all);
}

TEST(ByteViewState, SelectAllEndsOnTheEndOfFileCell) {
    FakeView v(1000, 10);
    v.SelectAll();
    EXPECT_EQ(v.SelectionActive, 1);
    EXPECT_EQ(v.SelStart, 0);
    EXPECT_EQ(v.SelEnd, 999);
    EXPECT_EQ(v.CursorPosition(), 1000);
    EXPECT_EQ(TopOffset, MaxTopOffset(1000, 10));
    EXPECT_EQ(v.fullRepaints, 1);
    FakeView empty(0, 10);
    empty.SelectAll();
    EXPECT_EQ(empty.SelEnd, -1);
    EXPECT_EQ(empty.CursorPosition(), 0);
}

TEST(ByteViewState, ClickPlacesTheCursorAndPicksTheView) {
    FakeView v(1000, 10);
    v.LeftButtonDown(false, false, TextX(5), RowY(2));
    EXPECT_EQ(v.CursorPosition(), 37);
    EXPECT_EQ(v.ActiveView, ViewText);
    EXPECT_EQ(v.SelAnchor, 37);
    EXPECT_EQ(v.MouseSelecting, 1);
    // The old and the new cursor cells are redrawn, nothing else.
    EXPECT_EQ(v.DrawnSet(), (std::set<int>{0, 37}));
    // A click in the Hexadecimal view makes it the active view.
    v.LeftButtonDown(false, false, 275 + 450 + 5, RowY(0));
    EXPECT_EQ(v.ActiveView, ViewHexadecimal);
    EXPECT_EQ(v.CursorPosition(), 0);
}

TEST(ByteViewState, ClickBelowTheLastWholeRowMovesNothingButPicksTheView) {
    FakeView v(1000, 10);
    v.LeftButtonDown(false, false, 300, RowY(10));
    EXPECT_EQ(v.ActiveView, ViewDecimal);
    EXPECT_EQ(v.CursorPosition(), 0);
}

TEST(ByteViewState, ClickPastTheEndLandsOnTheEndOfFileCell) {
    FakeView v(20, 10);
    v.LeftButtonDown(false, false, TextX(10), RowY(5));
    EXPECT_EQ(v.CursorPosition(), 20);
}

TEST(ByteViewState, SingleClickOnACollapsedViewDoesNothingAndDoubleClickOpensIt) {
    FakeView v(1000, 10);
    v.widths = {4, 496, 500};
    v.ActiveView = ViewDecimal;
    v.LeftButtonDown(false, false, 2, RowY(1));
    EXPECT_EQ(v.ActiveView, ViewDecimal);
    EXPECT_EQ(v.widths.W0, 4);
    v.DigitIndex = 2;
    v.LeftButtonDown(false, true, 2, RowY(1));
    EXPECT_EQ(v.ActiveView, ViewText);
    EXPECT_EQ(v.DigitIndex, 1);
    EXPECT_EQ(v.widths.W0, 400);
    EXPECT_EQ(v.widths.W1, 500);
    EXPECT_EQ(v.widths.W2, 100);
    EXPECT_EQ(v.invalidated, 1);
    EXPECT_EQ(v.CursorPosition(), 0);
}

TEST(ByteViewState, DragSelectsFromTheAnchorAndReturningRemovesIt) {
    FakeView v(1000, 10);
    v.LeftButtonDown(false, false, TextX(2), RowY(1));  // position 18
    v.ClearLog();
    v.DragSelect(true, TextX(2) + 2, RowY(1));  // less than 5 pixels: nothing
    EXPECT_EQ(v.SelectionActive, 0);
    v.DragSelect(true, TextX(6), RowY(2));  // position 38
    EXPECT_EQ(v.SelectionActive, 1);
    EXPECT_EQ(v.SelStart, 18);
    EXPECT_EQ(v.SelEnd, 38);
    EXPECT_EQ(v.DrawnSet().size(), 21u);  // the new selection as a whole
    v.ClearLog();
    v.DragSelect(true, TextX(6), RowY(3));  // position 54: only the new part
    EXPECT_EQ(v.SelEnd, 54);
    EXPECT_EQ(v.DrawnSet(), (std::set<int>{38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54}));
    v.DragSelect(true, TextX(0), RowY(0));  // before the anchor: swapped
    EXPECT_EQ(v.SelStart, 0);
    EXPECT_EQ(v.SelEnd, 18);
    v.DragSelect(true, TextX(2), RowY(1));  // back on the anchor
    EXPECT_EQ(v.SelectionActive, 0);
    EXPECT_EQ(v.CursorPosition(), 18);
}

TEST(ByteViewState, DragWithoutTheButtonOrWithoutAPressSelectsNothing) {
    FakeView v(1000, 10);
    v.DragSelect(true, TextX(6), RowY(2));  // no press before
    EXPECT_EQ(v.SelectionActive, 0);
    v.LeftButtonDown(false, false, TextX(2), RowY(1));
    v.DragSelect(false, TextX(6), RowY(2));  // button up
    EXPECT_EQ(v.SelectionActive, 0);
    EXPECT_EQ(v.SelStart, 18);  // the anchor is fixed even so
}

TEST(ByteViewState, DragToTheEndOfFileCellSelectsUpToTheLastByte) {
    FakeView v(40, 10);
    v.LeftButtonDown(false, false, TextX(2), RowY(0));
    v.ClearLog();
    v.DragSelect(true, TextX(8), RowY(2));  // position 40: the end-of-file cell
    EXPECT_EQ(v.SelectionActive, 1);
    EXPECT_EQ(v.SelStart, 2);
    EXPECT_EQ(v.SelEnd, 39);
    EXPECT_EQ(v.CursorPosition(), 39);
    // Past the end: the last byte, never the end-of-file position.
    v.DragSelect(true, TextX(15), RowY(6));
    EXPECT_EQ(v.SelEnd, 39);
}

TEST(ByteViewState, DragBelowTheScreenScrollsOneRowPerStep) {
    FakeView v(10000, 10);
    v.LeftButtonDown(false, false, TextX(3), RowY(8));  // position 131
    v.DragSelect(true, TextX(3), 300);  // below before any selection: nothing yet
    EXPECT_EQ(v.SelectionActive, 0);
    EXPECT_EQ(TopOffset, 0);
    v.DragSelect(true, TextX(3), RowY(9));  // position 147: the selection starts
    ASSERT_EQ(v.SelectionActive, 1);
    v.ClearLog();
    v.DragSelect(true, TextX(3), 300);  // below: one row down
    EXPECT_EQ(TopOffset, 16);
    // The last cell of the row below the screen.
    EXPECT_EQ(v.CursorPosition(), 175);
    EXPECT_EQ(v.SelEnd, 175);
    EXPECT_EQ(v.fullRepaints, 1);
    v.DragSelect(true, TextX(3), 306);
    EXPECT_EQ(TopOffset, 32);
    // Above the screen: one row up.
    v.DragSelect(true, TextX(3), -10);
    EXPECT_EQ(TopOffset, 16);
    EXPECT_EQ(v.CursorPosition(), 16);
}

TEST(ByteViewState, ShiftClickExtendsAnActiveSelection) {
    FakeView v(1000, 10);
    v.LeftButtonDown(false, false, TextX(2), RowY(0));
    v.DragSelect(true, TextX(8), RowY(0));
    ASSERT_EQ(v.SelEnd, 8);
    v.LeftButtonDown(true, false, TextX(4), RowY(3));
    EXPECT_EQ(v.SelectionActive, 1);
    EXPECT_EQ(v.SelStart, 2);
    EXPECT_EQ(v.SelEnd, 52);
    // A plain click ends the selection.
    v.LeftButtonDown(false, false, TextX(4), RowY(4));
    EXPECT_EQ(v.SelectionActive, 0);
}

TEST(ByteViewState, DragDoesNotSelectIntoANarrowView) {
    FakeView v(1000, 10);
    v.widths = {275, 450, 50};
    v.LeftButtonDown(false, false, TextX(2), RowY(0));
    v.DragSelect(true, 275 + 450 + 10, RowY(3));
    EXPECT_EQ(v.SelectionActive, 0);
    EXPECT_EQ(v.CursorPosition(), 2);
}

TEST(ByteViewState, ScrollBarAndWheelMoveTheScreenAndClearTheSelection) {
    FakeView v(100000, 10);
    v.SelectionActive = 1;
    v.VScroll(ScrollLineDown, 0);
    EXPECT_EQ(TopOffset, 16);
    EXPECT_EQ(v.SelectionActive, 0);
    EXPECT_EQ(v.scrollBarUpdates, 1);
    EXPECT_EQ(v.allCells, 1);
    v.VScroll(ScrollPageDown, 0);
    EXPECT_EQ(TopOffset, 16 + 9 * 16);
    v.VScroll(ScrollPageUp, 0);
    v.VScroll(ScrollLineUp, 0);
    v.VScroll(ScrollLineUp, 0);
    EXPECT_EQ(TopOffset, 0);
    v.ClearLog();
    v.VScroll(ScrollThumbTrack, 15000);
    EXPECT_EQ(TopOffset, ThumbTopOffset(15000, 100000));
    EXPECT_EQ(v.thumb, 15000);
    EXPECT_EQ(v.scrollBarUpdates, 0);
    v.SelectionActive = 1;
    v.VScroll(8, 0);  // the end of a scroll: a repaint only
    EXPECT_EQ(v.SelectionActive, 0);
    EXPECT_EQ(v.allCells, 2);
    int top = TopOffset;
    v.SelectionActive = 1;
    v.WheelScroll(5);
    EXPECT_EQ(TopOffset, top + 80);
    EXPECT_EQ(v.SelectionActive, 0);
}

TEST(ByteViewState, ScrollingKeepsTheCursorsScreenPlace) {
    FakeView v(1000, 10);
    CursorOffset = 20;
    v.VScroll(ScrollLineDown, 0);
    EXPECT_EQ(CursorOffset, 20);
    EXPECT_EQ(v.CursorPosition(), 36);
    v.WheelScroll(-1);
    EXPECT_EQ(TopOffset, 0);
    EXPECT_EQ(v.CursorPosition(), 20);
    // Scrolling up past the start: the screen stops at 0 and the cursor
    // keeps the position the scroll gave it, here before the first byte,
    // so it lands on byte 0.
    v.WheelScroll(-5);
    EXPECT_EQ(TopOffset, 0);
    EXPECT_EQ(v.CursorPosition(), 0);
}

TEST(ByteViewState, ScrollingDownPastTheEndClampsAndMovesTheCursorWithTheScreen) {
    FakeView v(200, 10);
    CursorOffset = 150;
    v.WheelScroll(50);
    EXPECT_EQ(TopOffset, 48);
    EXPECT_LE(v.CursorPosition(), 200);
}

TEST(ByteViewState, SelectViewWidensACollapsedView) {
    FakeView v(1000, 10);
    v.widths = {496, 500, 4};
    v.SelectView(ViewHexadecimal);
    EXPECT_EQ(v.ActiveView, ViewHexadecimal);
    EXPECT_EQ(v.widths.W0, 400);
    EXPECT_EQ(v.widths.W1, 100);
    EXPECT_EQ(v.widths.W2, 500);
    v.ClearLog();
    v.SelectView(ViewText);  // wide enough: only the cursor cell is redrawn
    EXPECT_EQ(v.ActiveView, ViewText);
    EXPECT_EQ(v.drawn, std::vector<int>{0});
}
