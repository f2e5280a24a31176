#include "editor/main/CellLook.h"

#include <cstdio>

namespace {
struct CellState {
    int32_t position;
    bool selected, cursor, activeCursor;
};

std::string DecimalText(uint8_t byte, bool activeCursor, int digitIndex) {
    char text[8];
    if (!activeCursor) {
        std::snprintf(text, sizeof text, "%3u", byte);
    } else if (byte < 10 && digitIndex == 3) {
        std::snprintf(text, sizeof text, "0%u", byte);
    } else {
        std::snprintf(text, sizeof text, "%u", byte);
    }
    return text;
}

std::string HexText(uint8_t byte) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

// The number views: Background on the active cursor, Selected Text in the
// selection, otherwise the two data colours in turn by column.
TColor NumberFontColor(const CellState& s, int column, const TViewColors& c) {
    if (s.activeCursor) return c.Background;
    if (s.selected) return c.SelectedText;
    return column % 2 == 0 ? c.Data1 : c.Data2;
}
}  // namespace

TCellLook DescribeCell(int view, int index, uint8_t byte, const TCellContext& k) {
    const TViewColors& c = k.Colors;
    int column = index % 16, row = index / 16;
    CellState s;
    s.position = k.TopOffset + index;
    s.selected = k.SelectionActive && k.SelStart <= s.position && s.position <= k.SelEnd;
    s.cursor = index == k.CursorOffset;
    s.activeCursor = s.cursor && view == k.ActiveView;

    TCellLook look;
    look.Rect = CellRect(view, k.Widths, column, row);
    look.Brush = s.selected ? c.Selection : c.Background;
    if (s.cursor) {
        // The active view shows a solid block; the others a cursor-coloured
        // cell, which a selection hides.
        if (view == k.ActiveView) look.Brush = c.Data1;
        else if (!s.selected) look.Brush = c.Cursor;
    }
    bool inFile = s.position < k.Size;

    if (view == ViewText) {
        if (inFile && byte != 0 && byte != 10 && byte != 13) {
            look.Shape = TCellShape::Text;
            look.Font = s.activeCursor ? c.Background : s.selected ? c.SelectedText : c.Data1;
            look.Text = std::string(1, static_cast<char>(byte));
            look.Centred = true;
        } else if (inFile) {
            look.Shape = TCellShape::Frame;
            look.Mark = s.activeCursor ? c.Background : s.selected ? c.SelectedText : byte == 0 ? c.Data2 : c.Data1;
        } else if (s.position == k.Size) {
            look.Shape = TCellShape::Bar;
            look.Mark = s.activeCursor ? c.Background : s.selected ? c.SelectedText : c.Data2;
        } else {
            look.Shape = TCellShape::Empty;
        }
        return look;
    }

    look.Shape = TCellShape::Text;
    look.Font = NumberFontColor(s, column, c);
    if (view == ViewDecimal) {
        look.Text = inFile ? DecimalText(byte, s.activeCursor, k.DigitIndex) : "   ";
        if (s.activeCursor) {
            static const char* const marks[] = {"_  ", " _ ", "  _"};
            if (k.DigitIndex >= 1 && k.DigitIndex <= 3) look.Underline = marks[k.DigitIndex - 1];
        }
    } else {
        look.Text = inFile ? HexText(byte) : "  ";
        if (s.activeCursor) {
            if (k.DigitIndex == 1) look.Underline = "_ ";
            else if (k.DigitIndex == 2) look.Underline = " _";
        }
    }
    return look;
}
