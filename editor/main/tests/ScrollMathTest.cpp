#include <gtest/gtest.h>

#include "editor/main/ScrollMath.h"

TEST(ScrollMath, SpanAndMaxTopOffset) {
    EXPECT_EQ(ScrollSpan(0), 16);
    EXPECT_EQ(ScrollSpan(15), 16);
    EXPECT_EQ(ScrollSpan(16), 32);
    EXPECT_EQ(ScrollSpan(1000), 1008);
    EXPECT_EQ(MaxTopOffset(200, 10), 48);
    EXPECT_EQ(MaxTopOffset(32, 10), 0);
    EXPECT_EQ(MaxTopOffset(159, 10), 0);
    EXPECT_EQ(MaxTopOffset(160, 10), 16);  // the end-of-file cell needs a row
    EXPECT_EQ(MaxTopOffset(0, 1), 0);
    EXPECT_EQ(MaxTopOffset(0x7FFFEFFF, 40), (0x7FFFEFFF - 640) / 16 * 16 + 16);
}

TEST(ScrollMath, TheEndOfFileCellIsInTheLastRowWhenScrolledToTheEnd) {
    for (int size : {160, 200, 207, 208, 1000, 4095}) {
        int rows = 10;
        int top = MaxTopOffset(size, rows);
        int lastRowStart = top + 16 * (rows - 1);
        EXPECT_GE(size, lastRowStart) << size;
        EXPECT_LT(size, lastRowStart + 16) << size;
    }
}

TEST(ScrollMath, PagePositionAndThumb) {
    EXPECT_EQ(ScrollPage(10, 1000), 4761);
    EXPECT_EQ(ScrollPosition(480, 1000), 14285);
    EXPECT_EQ(ThumbTopOffset(15000, 1000), 512);
    EXPECT_EQ(ThumbTopOffset(10000, 1000), 336);
    EXPECT_EQ(ThumbTopOffset(0, 1000), 0);
    EXPECT_EQ(ScrollPosition(0, 5), 0);
    // A small file: the page is larger than the bar.
    EXPECT_EQ(ScrollPage(10, 100), 160 * 30000 / 112);
}

TEST(ScrollMath, OneGibibyteStaysWithinTheBar) {
    const int32_t size = 1 << 30;
    EXPECT_EQ(ScrollPage(40, size), 0);
    EXPECT_EQ(ScrollPosition(MaxTopOffset(size, 40), size), 29999);
    int32_t top = ThumbTopOffset(29999, size);
    EXPECT_EQ(top % 16, 0);
    EXPECT_GT(top, size - size / 20000);
    EXPECT_LE(top, size);
}

TEST(ScrollMath, WheelKeepsTheRemainder) {
    int remainder = 0;
    EXPECT_EQ(WheelRows(remainder, -120), 5);  // one notch down: five rows
    EXPECT_EQ(remainder, 0);
    EXPECT_EQ(WheelRows(remainder, -30), 1);
    EXPECT_EQ(remainder, 6);
    EXPECT_EQ(WheelRows(remainder, -18), 1);
    EXPECT_EQ(remainder, 0);
    EXPECT_EQ(WheelRows(remainder, 120), -5);
    EXPECT_EQ(remainder, 0);
    EXPECT_EQ(WheelRows(remainder, 23), 0);
    EXPECT_EQ(remainder, -23);
    EXPECT_EQ(WheelRows(remainder, 1), -1);
    EXPECT_EQ(remainder, 0);
    EXPECT_EQ(WheelRows(remainder, -32768), 1365);
    EXPECT_EQ(remainder, 8);
}
