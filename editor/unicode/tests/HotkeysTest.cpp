#include <gtest/gtest.h>

#include "editor/unicode/UvxCharMessages.h"
#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxHotkeys.h"

TEST(Hotkeys, HotkeyIsTheCharacterAfterTheLastSingleAmpersand) {
    struct Case { std::u16string caption, hotkey, stripped; };
    const Case cases[] = {
        {u"&File", u"F", u"File"},
        {u"Save &As", u"A", u"Save As"},
        {u"Fish && &Chips", u"C", u"Fish & Chips"},
        {u"A&&B", u"", u"A&B"},
        {u"&a&b", u"b", u"ab"},
        {u"Trailing&", u"", u"Trailing"},
        {u"\u0424\u0430&\u0439\u043B", u"\u0439", u"\u0424\u0430\u0439\u043B"},
        {u"", u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WideGetHotkey(c.caption), c.hotkey);
        EXPECT_EQ(WideStripHotkey(c.caption, false), c.stripped);
    }
}

TEST(Hotkeys, FarEasternBracketGroupGoesAsAWhole) {
    EXPECT_EQ(WideStripHotkey(u"\u30D5\u30A1\u30A4\u30EB(&F)", true), u"\u30D5\u30A1\u30A4\u30EB");
    EXPECT_EQ(WideStripHotkey(u"\u30D5\u30A1\u30A4\u30EB(&F)", false), u"\u30D5\u30A1\u30A4\u30EB(F)");
    EXPECT_TRUE(WideSameCaption(u"&open", u"O&PEN", false));
    EXPECT_FALSE(WideSameCaption(u"&open", u"close", false));
}

TEST(Hotkeys, HotkeyPositionFollowsTheFrameworkCaption) {
    EXPECT_EQ(SyncHotKeyPosition(u"\u0424\u0430\u0439\u043B", u"\u0424&\u0430\u0439\u043B", false),
              u"\u0424&\u0430\u0439\u043B");
    EXPECT_EQ(SyncHotKeyPosition(u"&Fish && Chips", u"Fish && &Chips", false), u"Fish && &Chips");
    EXPECT_EQ(SyncHotKeyPosition(u"\u30D5\u30A1", u"\u30D5\u30A1(&F)", true), u"\u30D5\u30A1(&F)");
}

TEST(Hints, ShortAndLongParts) {
    EXPECT_EQ(WideGetShortHint(u"Open|Opens a file"), u"Open");
    EXPECT_EQ(WideGetLongHint(u"Open|Opens a file"), u"Opens a file");
    EXPECT_EQ(WideGetShortHint(u"Open"), u"Open");
    EXPECT_EQ(WideGetLongHint(u"Open"), u"Open");
    EXPECT_EQ(WideGetLongHint(u"a|b|c"), u"b|c");
    EXPECT_EQ(WideGetShortHint(u"|long"), u"");
}

TEST(CharMessages, WideCharactersTravelInTheHighWord) {
    uint32_t w = 0x4E2D;
    EXPECT_EQ(MakeWMCharMsgSafeForAnsi(w), u'\u4E2D');
    EXPECT_EQ(w, 0x4E2D00FFu);
    EXPECT_EQ(GetWideCharFromWMCharMsg(w), u'\u4E2D');
    EXPECT_EQ(MakeWMCharMsgSafeForAnsi(w), u'\u4E2D') << "packing twice changes nothing";
    EXPECT_EQ(w, 0x4E2D00FFu);
    RestoreWMCharMsg(w);
    EXPECT_EQ(w, 0x4E2Du);

    w = 0xE9;  // fits in 8 bits: unchanged
    EXPECT_EQ(MakeWMCharMsgSafeForAnsi(w), u'\u00E9');
    EXPECT_EQ(w, 0xE9u);
    RestoreWMCharMsg(w);
    EXPECT_EQ(w, 0xE9u);
    EXPECT_EQ(GetWideCharFromWMCharMsg(0xFF), u'\u00FF') << "a real y-diaeresis stays one";

    SetWideCharForWMCharMsg(w, u'\u0416');
    EXPECT_EQ(w, 0x041600FFu);
    EXPECT_TRUE(IsTextMessage(0x0C) && IsTextMessage(0x0D) && IsTextMessage(0x0E));
    EXPECT_FALSE(IsTextMessage(0x0102));
}

TEST(CharMessages, HighWordOnlyWithShellProgramming) {
    uint32_t w = 0x00120034;
    EXPECT_THROW(MakeWMCharMsgSafeForAnsi(w), EUvxInternalError);
    _IsShellProgramming = true;
    w = 0x00120034;  // merged: 0x34 | 0x12 << 8
    EXPECT_EQ(MakeWMCharMsgSafeForAnsi(w), u'\u1234');
    EXPECT_EQ(w, 0x123400FFu);
    _IsShellProgramming = false;
}
