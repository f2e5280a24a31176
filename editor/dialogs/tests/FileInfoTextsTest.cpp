// The file information window's numbers and unit words.
#include "editor/dialogs/FileInfoTexts.h"

#include <gtest/gtest.h>

TEST(FileInfoTexts, SelectionBoundsFollowTheFirstByteNumber) {
    const FileInfoTexts t = MakeFileInfoTexts(100, true, 0, 15, 1, "from", "to");
    EXPECT_EQ(t.bounds, "(from 1 to 16)");
    EXPECT_TRUE(t.boundsVisible);
    EXPECT_EQ(t.selectionSize, "16");
    EXPECT_EQ(t.selectionUnit, "bytes");
    EXPECT_EQ(t.size, "100");
    EXPECT_EQ(t.sizeUnit, " bytes");
}

TEST(FileInfoTexts, UnitWordsForOneAndNone) {
    FileInfoTexts t = MakeFileInfoTexts(1, true, 0, 0, 0, "from", "to");
    EXPECT_EQ(t.sizeUnit, " byte");
    EXPECT_EQ(t.selectionSize, "1");
    EXPECT_EQ(t.selectionUnit, "byte");
    EXPECT_EQ(t.bounds, "(from 0 to 0)");
    t = MakeFileInfoTexts(0, false, 0, 0, 0, "from", "to");
    EXPECT_EQ(t.size, "0");
    EXPECT_EQ(t.sizeUnit, " bytes");
    EXPECT_EQ(t.selectionSize, "0");
    EXPECT_EQ(t.selectionUnit, "bytes");
    EXPECT_FALSE(t.boundsVisible);
    EXPECT_EQ(t.bounds, "");
}
