#include <gtest/gtest.h>

#include "editor/main/BerichtLayout.h"

// The box keeps its outer width; buttons are 82 wide in the layout.
TEST(BerichtLayout, ButtonsFollowTheTextHeight) {
    for (int h : {0, 16, 48}) {
        TBerichtGeometry g = BerichtVertical(h);
        EXPECT_EQ(g.ButtonTop, h + 15);
        EXPECT_EQ(g.ClientHeight - (g.ButtonTop + 25), 5) << "5 pixels under the buttons";
        EXPECT_EQ(g.ButtonTop - (8 + h), 7) << "7 pixels under the text below the spacer";
    }
}

TEST(BerichtLayout, HorizontalPlacesForOneTwoAndThreeButtons) {
    TBerichtGeometry g;
    BerichtOneButton(g, 455, 82);
    EXPECT_EQ(g.Left1, 227 - 41);
    BerichtOneButton(g, 455, 83);  // halves truncate
    EXPECT_EQ(g.Left1, 227 - 41);

    BerichtTwoButtons(g, 455, 82);
    EXPECT_EQ(g.Left1, 227 - 82 - 7);
    EXPECT_EQ(g.Left2, 227 + 7);
    EXPECT_EQ(g.Left2 - (g.Left1 + 82), 14);

    BerichtThreeButtons(g, 455, 82, 82);
    EXPECT_EQ(g.Left2, 227 - 41);
    EXPECT_EQ(g.Left2 - (g.Left1 + 82), 14);
    EXPECT_EQ(g.Left3 - (g.Left2 + 82), 14);
}
