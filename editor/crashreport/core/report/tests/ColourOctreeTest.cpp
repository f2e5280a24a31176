#include <gtest/gtest.h>

#include "editor/crashreport/core/report/ColourOctree.h"

namespace {

TPaletteEntry Rgb(int r, int g, int b)
{
    return TPaletteEntry{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

TEST(ColourOctree, FewColoursGiveOneEntryEachInTreeOrderAndBlackAfter)
{
    TColourOctree tree;
    // Repeats count once; the order is that of the tree, not of arrival.
    for (int i = 0; i < 3; ++i) {
        tree.AddColour(255, 255, 255);
        tree.AddColour(200, 10, 10);
        tree.AddColour(0, 0, 0);
        tree.AddColour(0, 128, 0);
    }
    TScreenshotPalette palette;
    ASSERT_EQ(tree.GetPalette(palette), 4);
    EXPECT_EQ(palette[0], Rgb(0, 0, 0));
    EXPECT_EQ(palette[1], Rgb(0, 128, 0));     // first split: green bit 7 (index 2)
    EXPECT_EQ(palette[2], Rgb(200, 10, 10));   // red bit 7 (index 4)
    EXPECT_EQ(palette[3], Rgb(255, 255, 255)); // all three (index 7)
    for (size_t i = 4; i < palette.size(); ++i)
        EXPECT_EQ(palette[i], Rgb(0, 0, 0)) << i;
}

// All 256 greys fill the tree exactly; one more colour folds the newest
// inner node of the deepest level that has two leaves: greys 254 and 255
// become their mean (integer division), the new red stays exact.
TEST(ColourOctree, TheTwoHundredAndFiftySeventhColourFoldsTheNewestDeepestPair)
{
    TColourOctree tree;
    for (int v = 0; v < 256; ++v)
        tree.AddColour(static_cast<uint8_t>(v), static_cast<uint8_t>(v), static_cast<uint8_t>(v));
    EXPECT_EQ(tree.LeafCount(), 256);
    tree.AddColour(255, 0, 0);
    EXPECT_EQ(tree.LeafCount(), 256);

    TScreenshotPalette palette;
    ASSERT_EQ(tree.GetPalette(palette), 256);
    size_t i = 0;
    for (int v = 0; v < 128; ++v, ++i)
        EXPECT_EQ(palette[i], Rgb(v, v, v)) << i;
    EXPECT_EQ(palette[i++], Rgb(255, 0, 0));
    for (int v = 128; v < 254; ++v, ++i)
        EXPECT_EQ(palette[i], Rgb(v, v, v)) << i;
    EXPECT_EQ(palette[i], Rgb(254, 254, 254));
}

TEST(ColourOctree, NeverHoldsMoreThan256LeavesWhateverComes)
{
    TColourOctree tree;
    uint32_t seed = 12345;
    for (int n = 0; n < 200000; ++n) {
        seed = seed * 1103515245u + 12345u;
        tree.AddColour(static_cast<uint8_t>(seed >> 24), static_cast<uint8_t>(seed >> 16), static_cast<uint8_t>(seed >> 8));
        ASSERT_LE(tree.LeafCount(), 256) << n;
    }
    TScreenshotPalette palette;
    const int count = tree.GetPalette(palette);
    EXPECT_EQ(count, tree.LeafCount());
    EXPECT_GT(count, 1);
}

TEST(ColourOctree, EmptyTreeGivesAllBlack)
{
    TColourOctree tree;
    TScreenshotPalette palette;
    palette.fill(Rgb(1, 2, 3));
    EXPECT_EQ(tree.GetPalette(palette), 0);
    EXPECT_EQ(palette[0], Rgb(0, 0, 0));
    EXPECT_EQ(palette[255], Rgb(0, 0, 0));
}

}  // namespace
