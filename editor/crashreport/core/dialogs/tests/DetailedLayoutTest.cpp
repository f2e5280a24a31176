#include <gtest/gtest.h>

#include "editor/crashreport/core/dialogs/DetailedLayout.h"

namespace {

// Every character 7 pixels wide, as an average dialog font.
int32_t SevenPerChar(const std::string& line) { return static_cast<int32_t>(line.size()) * 7; }

TEST(DetailedLayout, BandHeightFollowsTheShownOptions)
{
    struct Case {
        bool send, screenshot, copy, link;
        int32_t band;
    } cases[] = {
        {false, false, false, false, 0}, {true, false, false, false, 20}, {false, false, true, false, 20},
        {true, true, false, false, 34},  {false, false, true, true, 34},  {true, false, true, false, 20},
        {false, false, false, true, 20},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckBandHeight(c.send, c.screenshot, c.copy, c.link), c.band)
            << c.send << c.screenshot << c.copy << c.link;
}

TEST(DetailedLayout, AShortMessageGivesTheMinimumCompactWidth)
{
    TCompactSize size = CompactDialogSize("Boom.", "Send", "Copy", SevenPerChar, 13, 4, 4, 18);
    EXPECT_EQ(size.Width, 340);
    // Two lines of 13 pixels stay under 39: no extra height.
    EXPECT_EQ(size.Height, 2 * 4 + 18 + 86);
    EXPECT_EQ(size.Label, (TLayoutRect{48, 8, 340 - (2 * 4 + 58), 26}));
}

TEST(DetailedLayout, CompactWidthGrowsWithTheLongestLineAndWrapsBeyond640)
{
    std::string medium(50, 'x');  // 350 pixels
    TCompactSize size = CompactDialogSize(medium + "\r\nshort\r\n\r\n", "S", "C", SevenPerChar, 10, 4, 4, 18);
    EXPECT_EQ(size.Width, 350 + 16 + 66);
    // Five lines (the empty ones count) of 10 pixels: 50, so 11 above 39.
    EXPECT_EQ(size.Height, 11 + 8 + 18 + 86);

    std::string longLine(200, 'y');  // 1400 pixels, m = 640 - 66 = 574
    TCompactSize wide = CompactDialogSize(longLine, "S", "C", SevenPerChar, 10, 4, 4, 18);
    EXPECT_EQ(wide.Width, 574 + 66);
    // (1400 - 574 + 16) / 574 + 1 = 2 extra lines, then the line and the send line.
    EXPECT_EQ(wide.Label.Height, 2 * 10 + 10 + 10);
}

TEST(DetailedLayout, ButtonsAndBoxesFollowTheClientSize)
{
    TDetailedLayoutInput in;
    in.ClientWidth = 466;
    in.ClientHeight = 252 + 34;
    in.BandHeight = 34;
    in.DetailedMode = true;
    in.ButtonWidth = 80;
    in.TerminateShown = true;
    in.CustomShown = false;
    in.CopyShown = true;
    in.SupportTextWidth = 100;
    TDetailedLayout out = LayoutDetailedDialog(in);
    const int32_t y = 252 + 34 - 34 - 32;
    EXPECT_EQ(out.Tab, (TLayoutRect{4, 52, 458, 131 + 34 - 34 + 31}));
    EXPECT_TRUE(out.LabelPlaced);
    EXPECT_EQ(out.Label, (TLayoutRect{48, 8, 410, 42}));
    EXPECT_EQ(out.Terminate, (TLayoutRect{5, y, 80, 25}));
    EXPECT_EQ(out.OK, (TLayoutRect{(466 - 80) / 2, y, 80, 25}));
    EXPECT_EQ(out.Details, (TLayoutRect{466 - 80 - 5, y, 80, 25}));
    EXPECT_EQ(out.SendCheck, (TLayoutRect{4, y + 34, 229, 16}));
    EXPECT_EQ(out.CopyCheck, (TLayoutRect{466 - 229 - 4, y + 34, 229, 16}));
    EXPECT_EQ(out.ScreenshotCheck, (TLayoutRect{23, y + 50, 233, 16}));
    EXPECT_EQ(out.SupportLink, (TLayoutRect{466 - 100 - 4, y + 50, 100, 13}));

    in.DetailedMode = false;
    EXPECT_FALSE(LayoutDetailedDialog(in).LabelPlaced);
}

TEST(DetailedLayout, TheCustomButtonPushesOKRightWhenTheyWouldMeet)
{
    TDetailedLayoutInput in;
    in.ClientWidth = 340;
    in.ClientHeight = 120;
    in.ButtonWidth = 100;
    in.TerminateShown = true;
    in.CustomShown = true;
    TDetailedLayout out = LayoutDetailedDialog(in);
    EXPECT_EQ(out.Custom.Left, 113);
    EXPECT_EQ(out.OK.Left, 113 + 100 + 8);
    // Without the custom button OK stays centred.
    in.CustomShown = false;
    EXPECT_EQ(LayoutDetailedDialog(in).OK.Left, (340 - 100) / 2);
    // A narrow caption never makes buttons narrower than 75.
    in.ButtonWidth = 20;
    EXPECT_EQ(LayoutDetailedDialog(in).OK.Width, 75);
}

TEST(DetailedLayout, TabsMapToPagesByTheSectionsShown)
{
    EXPECT_EQ(PageOfTab(0, false, false), dpGeneral);
    EXPECT_EQ(PageOfTab(1, false, false), dpCallStack);
    EXPECT_EQ(PageOfTab(2, true, true), dpModules);
    EXPECT_EQ(PageOfTab(5, true, true), dpCPU);
    EXPECT_EQ(PageOfTab(2, false, true), dpAssembler);
    EXPECT_EQ(PageOfTab(3, false, true), dpCPU);
    for (int page = 0; page < dpCount; ++page)
        for (bool modules : {false, true})
            for (bool assembler : {false, true}) {
                int tab = TabOfPage(page, modules, assembler);
                if (tab >= 0) {
                    EXPECT_EQ(PageOfTab(tab, modules, assembler), page) << page << modules << assembler;
                }
            }
    EXPECT_EQ(TabOfPage(dpModules, false, true), -1);
    EXPECT_EQ(TabOfPage(dpCPU, true, false), -1);
}

TEST(DetailedLayout, FrontPageFallsBackToGeneralWhenItsSectionIsMissing)
{
    EXPECT_EQ(FrontPage(ftCPU, true, false), dpGeneral);
    EXPECT_EQ(FrontPage(ftCPU, false, true), dpCPU);
    EXPECT_EQ(FrontPage(ftModules, false, true), dpGeneral);
    EXPECT_EQ(FrontPage(ftProcesses, true, false), dpProcesses);
    EXPECT_EQ(FrontPage(ftCallStack, false, false), dpCallStack);
}

TEST(DetailedLayout, DetailsCaptionShowsTheDirection)
{
    EXPECT_EQ(DetailsCaption("&Details", false), "&Details >>");
    EXPECT_EQ(DetailsCaption("&Details", true), "<< &Details");
}

}  // namespace
