// The window services' rules: wrapped-text height, the caption geometry and
// gradient, activity messages, the keep-in-front decision and centring.
#include <gtest/gtest.h>

#include "editor/crashreport/core/dialogs/DialogServiceRules.h"

namespace {

// Every character is 10 pixels wide; lines are 13 high.
int32_t TenPerChar(const std::string& w) { return int32_t(w.size()) * 10; }

TEST(WrappedTextHeight, LinesAndWrapping)
{
    struct Case {
        const char* text;
        int32_t width;
        int32_t lines;
    };
    const Case cases[] = {
        {"", 200, 1},                          // an empty text is one blank line
        {"Boom.", 200, 1},
        {"one\r\ntwo\r\n\r\nfour", 200, 4},    // an empty line counts
        {"aaaa bbbb cccc", 106, 2},            // 50 + 50 = 100 reaches width - 6
        {"aaaa bbbb cccc", 107, 2},
        {"aaaa bbbb", 200, 1},
        {"aaaaaaaaaaaaaaaaaaaaaaaaa", 56, 6},  // one long word: 250 / 50 = 5 more lines
        {"a-b(c)d", 36, 4},                    // words end at the separators too
    };
    for (const Case& c : cases)
        EXPECT_EQ(WrappedTextHeight(c.text, c.width, 13, TenPerChar), c.lines * 13) << c.text << " @" << c.width;
}

TEST(WrappedTextHeight, TinyWidthsDoNotDivideByZero)
{
    for (int32_t width : {-10, 0, 5, 6, 7})
        EXPECT_GT(WrappedTextHeight("a b c", width, 10, TenPerChar), 0) << width;
}

TEST(CaptionGeometry, RectanglesFromTheFrameMetrics)
{
    const TCaptionGeometry g = CaptionGeometry(400, 300, 4, 4, 17);
    EXPECT_EQ(g.Inner, (TCaptionRect{3, 3, 397, 297}));
    EXPECT_EQ(g.Caption, (TCaptionRect{4, 4, 396, 20}));
    EXPECT_EQ(g.ClientEdge, (TCaptionRect{3, 21, 397, 297}));
}

TEST(CaptionGradient, StepsDarkenAndNarrow)
{
    const auto bands = CaptionGradient({4, 4, 396, 20}, 0xC29B82);
    ASSERT_EQ(bands.size(), 3u);  // 16 / 5
    EXPECT_EQ(bands[0].Colour, 0xBA957D);  // each channel x 0.96, rounded
    EXPECT_EQ(bands[0].Rect, (TCaptionRect{4, 4, 396, 20}));
    EXPECT_EQ(bands[1].Rect, (TCaptionRect{4, 6, 396, 18}));
    EXPECT_EQ(bands[2].Rect, (TCaptionRect{4, 8, 396, 16}));
    EXPECT_LT(bands[2].Colour & 0xFF, bands[1].Colour & 0xFF);
}

TEST(CaptionGradient, CaptionShorterThanFivePixelsGetsNone)
{
    EXPECT_TRUE(CaptionGradient({0, 0, 100, 4}, 0x979797).empty());
    EXPECT_TRUE(CaptionGradient({0, 10, 100, 5}, 0x979797).empty());
}

TEST(CaptionColours, ActiveAndInactive)
{
    EXPECT_EQ(CaptionColours(true).GradientStart, 0xC29B82u);
    EXPECT_EQ(CaptionColours(true).Edge, 0x404040u);
    EXPECT_EQ(CaptionColours(false).Border, 0x606060u);
    EXPECT_EQ(CaptionColours(false).GradientStart, 0x979797u);
}

TEST(DialogActivity, WhichMessagesResetTheAutoCloseCount)
{
    for (uint32_t m : {0x4Eu, 0x111u, 0x100u, 0xA1u, 0xA3u, 0xA4u, 0xA6u, 0xA7u, 0xA9u, 0x201u, 0x203u, 0x204u,
                       0x206u, 0x207u, 0x209u, 0x20Au})
        EXPECT_TRUE(IsUserActivityMessage(m)) << std::hex << m;
    // Moves, button releases, timers, paints and key releases do not.
    for (uint32_t m : {0x200u, 0x202u, 0x205u, 0x113u, 0x0Fu, 0x101u, 0xA0u, 0x10u})
        EXPECT_FALSE(IsUserActivityMessage(m)) << std::hex << m;
}

TEST(KeepInFront, OnlyOlderWindowsOfThisProcessAreOvertaken)
{
    const std::vector<uintptr_t> own = {10, 20};
    EXPECT_TRUE(ShouldBringDialogToFront(false, 10, 99, true, own));
    EXPECT_FALSE(ShouldBringDialogToFront(true, 10, 99, true, own));   // topmost mode
    EXPECT_FALSE(ShouldBringDialogToFront(false, 99, 99, true, own));  // the dialog itself
    EXPECT_FALSE(ShouldBringDialogToFront(false, 10, 99, false, own)); // another process
    EXPECT_FALSE(ShouldBringDialogToFront(false, 30, 99, true, own));  // opened after the dialog
    EXPECT_FALSE(ShouldBringDialogToFront(false, 0, 99, true, own));
}

TEST(Centring, QuotientRoundsTowardZero)
{
    EXPECT_EQ(CentredOrigin(0, 1024, 419), 302);
    EXPECT_EQ(CentredOrigin(100, 100, 101), 100);  // (100 - 101) / 2 is 0
    EXPECT_EQ(CentredOrigin(100, 100, 103), 99);
}

} // namespace

TEST(LinkCursor, TheArrowOnWindows95AndNT4TheHandElsewhere)
{
    struct Case {
        bool nt;
        uint32_t major, minor;
        int32_t cursor;
    } cases[] = {{false, 4, 0, 32512}, {true, 4, 0, 32512}, {false, 4, 10, 32649}, {false, 4, 90, 32649},
                 {true, 5, 0, 32649}, {true, 6, 1, 32649}, {true, 10, 0, 32649}};
    for (const Case& c : cases)
        EXPECT_EQ(LinkCursorId(c.nt, c.major, c.minor), c.cursor) << c.nt << " " << c.major << "." << c.minor;
}
