#include <gtest/gtest.h>

#include <vector>

#include "editor/unicode/UvxSyncedStrings.h"

TEST(SyncedStrings, TheEightBitSideWinsWhenItChanged) {
    std::u16string wide = u"caf\u00E9";
    EXPECT_EQ(GetSyncedWideString(wide, "caf\xE9"), u"caf\u00E9");
    EXPECT_EQ(GetSyncedWideString(wide, "tea"), u"tea");
    EXPECT_EQ(wide, u"tea");
}

TEST(SyncedStrings, ALossyTextEqualToTheOldOneIsSetTwice) {
    std::string ansi = "?";
    std::u16string wide = u"?";
    std::vector<std::string> sets;
    auto set = [&](const std::string& s) {
        sets.push_back(s);
        ansi = s;
    };
    SetSyncedWideString(u"\u0416", wide, ansi, set);
    EXPECT_EQ(sets, (std::vector<std::string>{"", "?"}));
    EXPECT_EQ(wide, u"\u0416");
    EXPECT_EQ(GetSyncedWideString(wide, ansi), u"\u0416");  // still in step: the wide text counts
    sets.clear();
    SetSyncedWideString(u"\u0416", wide, ansi, set);  // the same value: nothing happens
    EXPECT_TRUE(sets.empty());
    SetSyncedWideString(u"ok", wide, ansi, set);
    EXPECT_EQ(sets, (std::vector<std::string>{"ok"}));
}
