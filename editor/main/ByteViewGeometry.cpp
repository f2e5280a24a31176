#include "editor/main/ByteViewGeometry.h"

#include <algorithm>

// Divisions truncate toward zero throughout, as integer division does.
TViewCells ViewCells(int view, const TViewWidths& s) {
    TViewCells v;
    switch (view) {
        case ViewText:
            v.CellWidth = s.W0 / 16;
            v.Origin = 0;
            v.Right = s.W0;
            break;
        case ViewDecimal:
            v.CellWidth = (s.W1 - s.W1 / 17) / 16;
            // The gap never pushes the last column past the section.
            v.Gap = std::min(s.W1 / 17, s.W1 - 1 - 16 * v.CellWidth);
            v.Origin = s.W0;
            v.Right = s.W0 + s.W1;
            break;
        default:
            v.CellWidth = (s.W2 - s.W2 / 17) / 16;
            v.Gap = s.W2 / 17;
            v.Origin = s.W0 + s.W1;
            v.Right = s.W0 + s.W1 + s.W2;
            break;
    }
    return v;
}

TRect CellRect(int view, const TViewWidths& widths, int column, int row) {
    TViewCells v = ViewCells(view, widths);
    int x = v.Origin + column * v.CellWidth + (column / 8) * v.Gap;
    int y = RowHeight * row;
    TRect r{x, y, x + v.CellWidth, y + RowHeight};
    // The last cell of the Text and Decimal views stops short of the
    // separator line drawn at the view's right edge.
    if (view != ViewHexadecimal && x + v.CellWidth >= v.Right) r.Right -= 1;
    return r;
}

int TextFontHeight(int w0) { return static_cast<int>(std::min(w0 / 16, 20) * 1.2); }
int DecimalFontHeight(int w1) { return std::min((w1 - w1 / 17) / 16, 30) * 6 / 10; }
int HexadecimalFontHeight(int w2) { return std::min((w2 - w2 / 17) / 16, 20) * 9 / 10; }

int ViewFontHeight(int view, const TViewWidths& s) {
    if (view == ViewText) return TextFontHeight(s.W0);
    if (view == ViewDecimal) return DecimalFontHeight(s.W1);
    return HexadecimalFontHeight(s.W2);
}

int ViewCellFontSize(int view, const TViewWidths& s) {
    return view == ViewText ? std::min(s.W0 / 16, 20) : ViewFontHeight(view, s);
}

int ViewAt(int x, const TViewWidths& s) {
    if (x < s.W0) return ViewText;
    if (x < s.W0 + s.W1) return ViewDecimal;
    return ViewHexadecimal;
}

namespace {
// Column under x′ in a view with a gap after the eighth column.
int GappedColumn(int xInView, int cw, int gap) {
    int column = xInView / cw;
    if (column > 7) column = (xInView - gap) / cw;
    return std::min(column, 15);
}
}  // namespace

int CellIndexAt(int x, int y, const TViewWidths& s, int hexWidth) {
    int column;
    switch (ViewAt(x, s)) {
        case ViewText: {
            int cw = s.W0 / 16;
            if (cw == 0) cw = 1;
            column = std::min(x / cw, 15);
            break;
        }
        case ViewDecimal: {
            TViewCells v = ViewCells(ViewDecimal, s);
            column = GappedColumn(x - s.W0, v.CellWidth == 0 ? 1 : v.CellWidth, v.Gap);
            break;
        }
        default: {
            int gap = hexWidth / 17;
            int cw = (hexWidth - gap) / 16;
            column = GappedColumn(x - s.W0 - s.W1, cw == 0 ? 1 : cw, gap);
            break;
        }
    }
    return column + 16 * (y / RowHeight);
}

TViewWidths FitViewWidths(const TViewWidths& sections, int w) {
    int a = sections.W0, b = sections.W1, c = sections.W2;
    if (a > w) a = w, b = 0, c = 0;
    if (a + b > w) b = w - a, c = 0;
    if (b < 4 && c < 4) a = w - 8, b = 4;
    else if (a < 4 && c < 4) a = 4, b = w - 8;
    else if (b < 4 && a < 4) a = 4, b = 4;
    else if (b < 4) a -= 2, b = 4;
    else if (a < 4) b -= 2, a = 4;
    else if (c < 4) a -= 2, b -= 2;
    return {a, b, w - a - b};
}

int ValidActiveView(int active, int w0, int w1, int hexWidth) {
    for (int pass = 0; pass < 2; ++pass) {
        if (active == ViewText && w0 < MinDrawnViewWidth) ++active;
        if (active == ViewDecimal && w1 < MinDrawnViewWidth) ++active;
        if (active == ViewHexadecimal && hexWidth < MinDrawnViewWidth) ++active;
        active %= 3;
    }
    return active;
}

TViewWidths WidenForView(const TViewWidths& sections, int current, int target, int w, bool& widened) {
    widened = sections.Width(target) < MinDrawnViewWidth;
    if (!widened) return sections;
    // The view that is neither the current nor the target one (the highest).
    int other = 2;
    while (other == current || other == target) --other;
    int big = static_cast<int>(0.5 * w), small = static_cast<int>(0.4 * w);
    int rest = w - small - big;
    int width[3] = {sections.W0, sections.W1, sections.W2};
    if (target == ViewText) {
        width[ViewText] = small, width[current] = big, width[other] = rest;
    } else if (current == ViewText) {
        width[ViewText] = small, width[target] = big, width[other] = rest;
    } else {
        width[ViewDecimal] = big, width[ViewHexadecimal] = small, width[ViewText] = rest;
    }
    width[ViewHexadecimal] = w - width[ViewText] - width[ViewDecimal];
    return {width[0], width[1], width[2]};
}
