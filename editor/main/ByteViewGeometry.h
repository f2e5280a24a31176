#pragma once
// Where the byte view puts things: the three views side by side, their cell
// widths and gaps, the rectangle of a cell, the font height of a view, which
// view and which cell lies under a point, and how the three view widths
// follow the window.
#include "framework/Graphic.h"

enum TByteViewKind { ViewText = 0, ViewDecimal = 1, ViewHexadecimal = 2 };

constexpr int RowHeight = 25;
constexpr int BytesPerRow = 16;
// A view narrower than this is neither drawn nor given the cursor.
constexpr int MinDrawnViewWidth = 100;

// The widths of the three header sections: Text, Decimal, Hexadecimal.
struct TViewWidths {
    int W0 = 0, W1 = 0, W2 = 0;
    int Width(int view) const { return view == ViewText ? W0 : view == ViewDecimal ? W1 : W2; }
};

// Cell width, gap between the eighth and ninth column, and the x where the
// view starts.
struct TViewCells {
    int CellWidth = 0;
    int Gap = 0;
    int Origin = 0;
    int Right = 0;  // the view's right edge (origin + section width)
};

TViewCells ViewCells(int view, const TViewWidths& widths);
// The rectangle of column c, row r of a view.
TRect CellRect(int view, const TViewWidths& widths, int column, int row);

// Font heights of the views, and the value SetViewFont keeps for each.
int TextFontHeight(int w0);
int DecimalFontHeight(int w1);
int HexadecimalFontHeight(int w2);
int ViewFontHeight(int view, const TViewWidths& widths);
int ViewCellFontSize(int view, const TViewWidths& widths);

// The view under x.
int ViewAt(int x, const TViewWidths& widths);
// Screen index under (x, y): column plus 16 per whole row. hexWidth is the
// width left for the Hexadecimal view (client width minus scroll bar minus
// the other two sections).
int CellIndexAt(int x, int y, const TViewWidths& widths, int hexWidth);

// The section widths for a window whose width for the views (client width
// minus scroll bar) is w: a view dragged closed keeps a sliver of 4 pixels,
// and the Hexadecimal section fills the rest.
TViewWidths FitViewWidths(const TViewWidths& sections, int w);

// The view that gets the keyboard when `active` is too narrow: the next one
// that is wide enough, 0 when none is. hexWidth as for CellIndexAt.
int ValidActiveView(int active, int w0, int w1, int hexWidth);

// Section widths after choosing `target` as the cursor view while `current`
// has it; unchanged when the target's section is wide enough already.
// widened tells which happened.
TViewWidths WidenForView(const TViewWidths& sections, int current, int target, int w, bool& widened);
