#include <gtest/gtest.h>

#include "editor/main/CellLook.h"

namespace {
TCellContext Context() {
    TCellContext k;
    k.Widths = {275, 450, 340};
    k.Size = 100;
    return k;
}
}  // namespace

TEST(CellLook, TextViewShowsCharactersFramesAndTheEndBar) {
    TCellContext k = Context();
    k.CursorOffset = 50;
    const TViewColors& c = k.Colors;
    TCellLook a = DescribeCell(ViewText, 3, 'A', k);
    EXPECT_EQ(a.Shape, TCellShape::Text);
    EXPECT_EQ(a.Text, "A");
    EXPECT_TRUE(a.Centred);
    EXPECT_EQ(a.Brush, c.Background);
    EXPECT_EQ(a.Font, c.Data1);
    TCellLook tab = DescribeCell(ViewText, 3, 9, k);  // a tab is a glyph
    EXPECT_EQ(tab.Shape, TCellShape::Text);
    EXPECT_EQ(tab.Text, "\t");
    TCellLook zero = DescribeCell(ViewText, 3, 0, k);
    EXPECT_EQ(zero.Shape, TCellShape::Frame);
    EXPECT_EQ(zero.Mark, c.Data2);
    for (uint8_t b : {10, 13}) {
        TCellLook line = DescribeCell(ViewText, 3, b, k);
        EXPECT_EQ(line.Shape, TCellShape::Frame);
        EXPECT_EQ(line.Mark, c.Data1);
    }
    TCellLook end = DescribeCell(ViewText, 100, 0, k);
    EXPECT_EQ(end.Shape, TCellShape::Bar);
    EXPECT_EQ(end.Mark, c.Data2);
    EXPECT_EQ(DescribeCell(ViewText, 101, 0, k).Shape, TCellShape::Empty);
}

TEST(CellLook, CursorIsASolidBlockInTheActiveViewAndGreyElsewhere) {
    TCellContext k = Context();
    k.CursorOffset = 5;
    k.ActiveView = ViewDecimal;
    const TViewColors& c = k.Colors;
    TCellLook active = DescribeCell(ViewDecimal, 5, 7, k);
    EXPECT_EQ(active.Brush, c.Data1);
    EXPECT_EQ(active.Font, c.Background);
    EXPECT_EQ(active.Text, "7");
    EXPECT_EQ(active.Underline, "_  ");
    TCellLook other = DescribeCell(ViewHexadecimal, 5, 7, k);
    EXPECT_EQ(other.Brush, c.Cursor);
    EXPECT_EQ(other.Text, "07");
    EXPECT_EQ(other.Underline, "");
    // A selection hides the cursor in the inactive views.
    k.SelectionActive = true;
    k.SelStart = 0;
    k.SelEnd = 10;
    EXPECT_EQ(DescribeCell(ViewHexadecimal, 5, 7, k).Brush, c.Selection);
    EXPECT_EQ(DescribeCell(ViewDecimal, 5, 7, k).Brush, c.Data1);
}

TEST(CellLook, DecimalTextsAndDigitUnderlines) {
    TCellContext k = Context();
    k.CursorOffset = 1;
    k.ActiveView = ViewDecimal;
    EXPECT_EQ(DescribeCell(ViewDecimal, 0, 7, k).Text, "  7");
    EXPECT_EQ(DescribeCell(ViewDecimal, 0, 255, k).Text, "255");
    EXPECT_EQ(DescribeCell(ViewDecimal, 1, 42, k).Text, "42");
    k.DigitIndex = 3;
    EXPECT_EQ(DescribeCell(ViewDecimal, 1, 7, k).Text, "07");
    EXPECT_EQ(DescribeCell(ViewDecimal, 1, 7, k).Underline, "  _");
    k.DigitIndex = 2;
    EXPECT_EQ(DescribeCell(ViewDecimal, 1, 7, k).Text, "7");
    EXPECT_EQ(DescribeCell(ViewDecimal, 1, 7, k).Underline, " _ ");
    EXPECT_EQ(DescribeCell(ViewDecimal, 100, 0, k).Text, "   ");
    // Alternate columns alternate the data colours.
    EXPECT_EQ(DescribeCell(ViewDecimal, 2, 1, k).Font, k.Colors.Data1);
    EXPECT_EQ(DescribeCell(ViewDecimal, 3, 1, k).Font, k.Colors.Data2);
}

TEST(CellLook, HexadecimalTextsAndUnderlines) {
    TCellContext k = Context();
    k.ActiveView = ViewHexadecimal;
    EXPECT_EQ(DescribeCell(ViewHexadecimal, 0, 0xAB, k).Text, "AB");
    EXPECT_EQ(DescribeCell(ViewHexadecimal, 0, 0xAB, k).Underline, "_ ");
    k.DigitIndex = 2;
    EXPECT_EQ(DescribeCell(ViewHexadecimal, 0, 0xAB, k).Underline, " _");
    EXPECT_EQ(DescribeCell(ViewHexadecimal, 100, 0, k).Text, "  ");
    EXPECT_EQ(DescribeCell(ViewHexadecimal, 120, 0, k).Text, "  ");
}

TEST(CellLook, SelectedCellsUseTheSelectionColours) {
    TCellContext k = Context();
    k.CursorOffset = 50;
    k.SelectionActive = true;
    k.SelStart = 10;
    k.SelEnd = 20;
    const TViewColors& c = k.Colors;
    TCellLook in = DescribeCell(ViewText, 10, 'x', k);
    EXPECT_EQ(in.Brush, c.Selection);
    EXPECT_EQ(in.Font, c.SelectedText);
    EXPECT_EQ(DescribeCell(ViewText, 15, 0, k).Mark, c.SelectedText);
    EXPECT_EQ(DescribeCell(ViewText, 21, 'x', k).Brush, c.Background);
    EXPECT_EQ(DescribeCell(ViewText, 9, 'x', k).Brush, c.Background);
    // The selection follows the document, not the screen.
    k.TopOffset = 16;
    EXPECT_EQ(DescribeCell(ViewText, 0, 'x', k).Brush, c.Selection);
    EXPECT_EQ(DescribeCell(ViewText, 5, 'x', k).Brush, c.Background);
}

TEST(CellLook, EmptyDocumentShowsOnlyTheEndOfFileCell) {
    TCellContext k = Context();
    k.Size = 0;
    k.ActiveView = ViewHexadecimal;
    TCellLook text = DescribeCell(ViewText, 0, 0, k);
    EXPECT_EQ(text.Shape, TCellShape::Bar);
    EXPECT_EQ(text.Brush, k.Colors.Cursor);
    EXPECT_EQ(DescribeCell(ViewDecimal, 0, 0, k).Text, "   ");
    EXPECT_EQ(DescribeCell(ViewHexadecimal, 0, 0, k).Text, "  ");
    EXPECT_EQ(DescribeCell(ViewText, 1, 0, k).Shape, TCellShape::Empty);
    // In the active Text view the bar of the cursor cell is in the background colour.
    k.ActiveView = ViewText;
    EXPECT_EQ(DescribeCell(ViewText, 0, 0, k).Mark, k.Colors.Background);
    EXPECT_EQ(DescribeCell(ViewText, 0, 0, k).Brush, k.Colors.Data1);
}
