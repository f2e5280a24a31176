#include <gtest/gtest.h>

#include "editor/main/ByteViewGeometry.h"

TEST(ByteViewGeometry, DecimalViewOf450HasCellsOf26WithGapOf26AndFont15) {
    TViewWidths w{275, 450, 75};
    TViewCells d = ViewCells(ViewDecimal, w);
    EXPECT_EQ(d.CellWidth, 26);
    EXPECT_EQ(d.Gap, 26);
    EXPECT_EQ(DecimalFontHeight(450), 15);
    EXPECT_EQ(TextFontHeight(275), 20);
    EXPECT_EQ(ViewCellFontSize(ViewText, w), 17);
    EXPECT_EQ(ViewCellFontSize(ViewDecimal, w), 15);
}

TEST(ByteViewGeometry, FontHeightsFollowTheSectionWidths) {
    struct Case { int width, text, decimal, hex; } cases[] = {
        {0, 0, 0, 0},        {16, 1, 0, 0},       {80, 6, 2, 3},         {160, 12, 5, 8},
        {275, 20, 9, 14},    {320, 24, 10, 16},   {1000, 24, 18, 18},    {2000, 24, 18, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(TextFontHeight(c.width), c.text);
        EXPECT_EQ(DecimalFontHeight(c.width), c.decimal);
        EXPECT_EQ(HexadecimalFontHeight(c.width), c.hex);
    }
    // trunc(n x 1.2) for every text cell width up to the cap of 20.
    for (int n = 0; n <= 20; ++n) EXPECT_EQ(TextFontHeight(16 * n), n * 12 / 10) << n;
}

TEST(ByteViewGeometry, CellRectanglesLeaveAGapAfterTheEighthColumn) {
    TViewWidths w{275, 450, 340};
    // Text: 17 wide, no gap; the last cell stops one short of the separator.
    EXPECT_EQ(CellRect(ViewText, w, 0, 0).Left, 0);
    EXPECT_EQ(CellRect(ViewText, w, 15, 2).Left, 255);
    EXPECT_EQ(CellRect(ViewText, w, 15, 2).Top, 50);
    EXPECT_EQ(CellRect(ViewText, w, 15, 2).Right, 272);
    // Decimal: origin 275, gap 26 after column 7.
    EXPECT_EQ(CellRect(ViewDecimal, w, 7, 0).Left, 275 + 7 * 26);
    EXPECT_EQ(CellRect(ViewDecimal, w, 8, 0).Left, 275 + 8 * 26 + 26);
    EXPECT_EQ(CellRect(ViewDecimal, w, 8, 1).Bottom, 50);
    // Hexadecimal: (340 - 20) / 16 = 20 wide, gap 20.
    EXPECT_EQ(CellRect(ViewHexadecimal, w, 9, 0).Left, 725 + 9 * 20 + 20);
    EXPECT_EQ(CellRect(ViewHexadecimal, w, 15, 0).Right, 725 + 15 * 20 + 20 + 20);
}

TEST(ByteViewGeometry, TheLastTextCellIsOnePixelNarrowerWhenItTouchesTheSeparator) {
    TViewWidths exact{160, 450, 75};  // 16 cells of 10 fill the view exactly
    EXPECT_EQ(CellRect(ViewText, exact, 15, 0).Right, 159);
    EXPECT_EQ(CellRect(ViewText, exact, 14, 0).Right, 150);
    TViewWidths spare{165, 450, 75};  // 5 pixels spare: the cell keeps its width
    EXPECT_EQ(CellRect(ViewText, spare, 15, 0).Right, 160);
}

TEST(ByteViewGeometry, DecimalGapNeverPushesTheLastCellPastTheSection) {
    // 101: cw = (101 - 5) / 16 = 6, gap min(5, 101 - 1 - 96 = 4) = 4.
    TViewCells d = ViewCells(ViewDecimal, {0, 101, 0});
    EXPECT_EQ(d.CellWidth, 6);
    EXPECT_EQ(d.Gap, 4);
    EXPECT_LT(CellRect(ViewDecimal, {0, 101, 0}, 15, 0).Right, 101);
}

TEST(ByteViewGeometry, ViewAtSplitsAtTheSectionEdges) {
    TViewWidths w{275, 450, 75};
    EXPECT_EQ(ViewAt(0, w), ViewText);
    EXPECT_EQ(ViewAt(274, w), ViewText);
    EXPECT_EQ(ViewAt(275, w), ViewDecimal);
    EXPECT_EQ(ViewAt(724, w), ViewDecimal);
    EXPECT_EQ(ViewAt(725, w), ViewHexadecimal);
    EXPECT_EQ(ViewAt(5000, w), ViewHexadecimal);
}

TEST(ByteViewGeometry, CellIndexAtFindsColumnAndRowInEachView) {
    TViewWidths w{275, 450, 340};
    struct Case { int x, y, index; } cases[] = {
        {0, 0, 0},            {16, 0, 0},         {17, 0, 1},          {274, 0, 15},
        {10, 24, 0},          {10, 25, 16},       {10, 260, 160},
        {275, 0, 0},          {275 + 8 * 26 - 1, 0, 7},
        {275 + 8 * 26 + 5, 0, 7},               // in the gap: still column 7... see below
        {275 + 9 * 26 + 26, 0, 9},              {724, 0, 15},
        {725, 0, 0},          {725 + 20 * 8 + 20, 50, 40},             {1064, 0, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(CellIndexAt(c.x, c.y, w, 340), c.index);
    }
}

TEST(ByteViewGeometry, CellIndexAtOfAZeroWidthTextViewTakesCellWidthOne) {
    // A text view of 0 pixels: no division by zero; x lands in column min(x, 15).
    TViewWidths w{0, 450, 340};
    EXPECT_EQ(CellIndexAt(0, 0, {1, 450, 340}, 340), 0);
    EXPECT_EQ(CellIndexAt(449 + 340 + 100, 0, w, 0), 15);
}

TEST(ByteViewGeometry, FitViewWidthsKeepsSliversAndFillsWithHexadecimal) {
    struct Case { TViewWidths in; int w; TViewWidths out; } cases[] = {
        {{900, 450, 75}, 800, {792, 4, 4}},   // the Text view takes the window
        {{275, 450, 75}, 800, {275, 450, 75}},
        {{275, 450, 75}, 1000, {275, 450, 275}},
        {{275, 600, 75}, 800, {273, 523, 4}},  // no room for Hexadecimal: a sliver
        {{2, 450, 75}, 800, {4, 448, 348}},   // Text dragged closed
        {{275, 1, 75}, 800, {273, 4, 523}},   // Decimal dragged closed
        {{2, 1, 75}, 800, {4, 4, 792}},       // both closed
        {{1, 798, 0}, 800, {4, 792, 4}},      // Text and Hexadecimal closed
        {{275, 450, 75}, 725, {275, 450, 0}},
    };
    for (const Case& c : cases) {
        TViewWidths r = FitViewWidths(c.in, c.w);
        SCOPED_TRACE(testing::Message() << c.in.W0 << "," << c.in.W1 << "," << c.in.W2 << " in " << c.w);
        EXPECT_EQ(r.W0, c.out.W0);
        EXPECT_EQ(r.W1, c.out.W1);
        EXPECT_EQ(r.W2, c.out.W2);
        EXPECT_EQ(r.W0 + r.W1 + r.W2, c.w);
    }
}

TEST(ByteViewGeometry, ChoosingACollapsedViewWidensIt) {
    bool widened = false;
    // Text active, Hexadecimal 4 px wide, 1000 px for the views.
    TViewWidths r = WidenForView({496, 500, 4}, ViewText, ViewHexadecimal, 1000, widened);
    EXPECT_TRUE(widened);
    EXPECT_EQ(r.W0, 400);
    EXPECT_EQ(r.W2, 500);
    EXPECT_EQ(r.W1, 100);
    // Decimal active, Text collapsed: Text 40 %, Decimal 50 %.
    r = WidenForView({4, 500, 496}, ViewDecimal, ViewText, 1000, widened);
    EXPECT_EQ(r.W0, 400);
    EXPECT_EQ(r.W1, 500);
    EXPECT_EQ(r.W2, 100);
    // Hexadecimal active, Decimal collapsed: Decimal 50 %, Hexadecimal 40 %.
    r = WidenForView({496, 4, 500}, ViewHexadecimal, ViewDecimal, 1000, widened);
    EXPECT_EQ(r.W1, 500);
    EXPECT_EQ(r.W2, 400);
    EXPECT_EQ(r.W0, 100);
    // Wide enough already: nothing changes.
    r = WidenForView({275, 450, 275}, ViewText, ViewDecimal, 1000, widened);
    EXPECT_FALSE(widened);
    EXPECT_EQ(r.W1, 450);
}

TEST(ByteViewGeometry, ValidActiveViewSkipsNarrowViews) {
    EXPECT_EQ(ValidActiveView(0, 275, 450, 275), 0);
    EXPECT_EQ(ValidActiveView(0, 99, 450, 275), 1);
    EXPECT_EQ(ValidActiveView(0, 100, 450, 275), 0);
    EXPECT_EQ(ValidActiveView(1, 275, 4, 275), 2);
    EXPECT_EQ(ValidActiveView(2, 275, 450, 4), 0);
    EXPECT_EQ(ValidActiveView(2, 4, 450, 4), 1);
    EXPECT_EQ(ValidActiveView(1, 4, 4, 4), 0);  // all narrow
}
