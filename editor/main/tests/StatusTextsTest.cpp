#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/main/MainMenuLayout.h"
#include "editor/main/StatusTexts.h"

TEST(StatusTexts, PositionsInDecimalAndHexadecimal) {
    // First byte number 1, cursor 255.
    EXPECT_EQ(StatusDecimalText(255 + 1), "256");
    EXPECT_EQ(StatusHexadecimalText(255 + 1), "0x100");
    EXPECT_EQ(StatusHexadecimalText(0), "0x0");
    EXPECT_EQ(StatusHexadecimalText(0x7FFFEFFF), "0x7FFFEFFF");
    EXPECT_EQ(StatusHexadecimalText(int64_t{0x7FFFFFFF} + 1), "0x80000000");
    EXPECT_EQ(PositionHexadecimalText(0xABC), "ABC");
    EXPECT_EQ(PositionDecimalText(0), "0");
}

TEST(MainMenuLayout, EveryItemHasOneNameAndAParentBeforeIt) {
    std::set<std::string> seen;
    int captions = 0, hints = 0;
    for (const auto* layout : {&MainMenuLayout(), &StatusbarPopupLayout()}) {
        std::set<std::string> parents;
        for (const TMenuLayoutEntry& e : *layout) {
            if (*e.Parent) {
                EXPECT_TRUE(parents.count(e.Parent)) << e.Name << " before its parent " << e.Parent;
            }
            if (*e.Name) {
                EXPECT_TRUE(seen.insert(e.Name).second) << "twice: " << e.Name;
                parents.insert(e.Name);
            }
            if (*e.CaptionKey) ++captions;
            if (*e.HintKey) ++hints;
        }
    }
    // The language table gives 73 items their captions, 51 of them hints.
    EXPECT_EQ(captions, 73);
    EXPECT_EQ(hints, 51);
    for (const char* name : {"File1", "BeforeExit", "Exit1", "Lock", "Nextbytejump1", "N3Cursors1", "English1",
                             "Nederlands1", "HexadecimalFile", "N64bitsFromClipboard", "CopyPosHexa"})
        EXPECT_TRUE(seen.count(name)) << name;
}
