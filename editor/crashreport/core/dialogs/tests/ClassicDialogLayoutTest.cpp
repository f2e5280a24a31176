// The classic dialog's layout with a measure of fixed character widths:
// which controls show, the column, the order from top to bottom, the
// buttons' captions and places, the window height.
#include <gtest/gtest.h>

#include "editor/crashreport/core/dialogs/ClassicDialogLayout.h"

namespace {

// Characters 6 pixels wide (bold 7), lines 13 high, no wrapping below 400.
class FixedMeasure : public TLayoutMeasure {
public:
    int32_t TextHeight(TLayoutFont font, const std::string& text, int32_t width) override
    {
        const int32_t w = TextWidth(font, text);
        return 13 * (1 + w / std::max(width - 6, 1));
    }
    int32_t TextWidth(TLayoutFont font, const std::string& text) override
    {
        return int32_t(text.size()) * (font == lfBold ? 7 : 6);
    }
};

TClassicLayoutInput Input()
{
    TClassicLayoutInput in;
    in.Title = "The application has encountered a problem.";
    in.Message = "Boom.";
    in.TerminateCaption = "Restart application.";
    in.Please = "Please tell us about this problem.";
    in.Description = "We have created an error report.";
    in.SeeDetails = "To see what data the error report contains, ";
    in.SeeClick = "click here.";
    in.HowToReproduce = "What were you doing?";
    in.EmailCaption = "Email address:";
    in.SendCaption = "&Send Error Report";
    in.NoSendCaption = "&Don't Send";
    in.OKCaption = "&OK";
    in.CustomCaption = "Help";
    in.CyBorder = 1;
    in.CyFrame = 4;
    in.CyCaption = 19;
    return in;
}

TEST(ClassicDialogLayout, NoSendModeShowsOnlyTheMessageAndOK)
{
    TClassicLayoutInput in = Input();
    in.ShowDetailsLink = true;
    FixedMeasure m;
    const TClassicLayout l = LayoutClassicDialog(in, m);
    EXPECT_TRUE(l[cdTitle].Visible);
    EXPECT_EQ(l[cdTitle].Y, (51 - 13) / 2);
    EXPECT_EQ(l[cdMessage].Y, 59);
    EXPECT_EQ(l[cdMessage].Text, "Boom.");
    for (int id : {cdTerminate, cdPlease, cdDescription, cdReproduceLabel, cdReproduce, cdEmailLabel, cdEmail, cdSend,
                   cdCustom})
        EXPECT_FALSE(l[id].Visible) << id;
    EXPECT_TRUE(l[cdNoSend].Visible);
    EXPECT_EQ(l[cdNoSend].Text, "&OK");
    // The link follows its lead-in text on the same line.
    EXPECT_EQ(l[cdSeeDetails].Text, "To see what data the error report contains, ");
    EXPECT_EQ(l.LinkLeft, 8 + l[cdSeeDetails].Width);
    EXPECT_EQ(l.LinkTop, l[cdSeeDetails].Y);
    EXPECT_EQ(l.LinkRight - l.LinkLeft, 6 * 11);
    EXPECT_GE(l[cdNoSend].Y, l.LinkBottom);
    EXPECT_EQ(l.WindowWidth, 419);
    EXPECT_EQ(l.WindowHeight, l[cdNoSend].Y + l[cdNoSend].Height + 4 + 19 + 10);
}

TEST(ClassicDialogLayout, SendingShowsTheOfferTheEmailAndBothButtons)
{
    TClassicLayoutInput in = Input();
    in.SendOptionShown = true;
    in.SendCheck = true;
    in.ShowEmail = true;
    in.ShowTerminate = true;
    in.ShowReproduce = true;
    in.ShowDetailsLink = true;
    in.ShowCustomButton = true;
    FixedMeasure m;
    const TClassicLayout l = LayoutClassicDialog(in, m);
    // Top to bottom, none overlapping the next.
    const int order[] = {cdMessage, cdTerminate, cdPlease, cdDescription, cdSeeDetails, cdReproduceLabel, cdReproduce,
                         cdEmail, cdNoSend};
    for (size_t i = 0; i + 1 < std::size(order); ++i) {
        EXPECT_TRUE(l[order[i]].Visible) << order[i];
        EXPECT_LE(l[order[i]].Y + l[order[i]].Height - 1, l[order[i + 1]].Y) << order[i] << " / " << order[i + 1];
    }
    EXPECT_EQ(l[cdTerminate].Y, l[cdMessage].Y + 13 + 10);
    EXPECT_EQ(l[cdNoSend].Text, "&Don't Send");
    EXPECT_EQ(l[cdSend].Text, "&Send Error Report");
    // Button widths: caption without "&" + 4 borders + 16, at least 75.
    EXPECT_EQ(l[cdNoSend].Width, 10 * 6 + 4 + 16);   // "Don't Send"
    EXPECT_EQ(ClassicButtonWidth(m, "&OK", 1), 75);
    EXPECT_EQ(l[cdSend].Width, 17 * 6 + 4 + 16);     // "Send Error Report"
    EXPECT_EQ(l[cdNoSend].X + l[cdNoSend].Width, 405);
    EXPECT_EQ(l[cdSend].X + l[cdSend].Width + 8, l[cdNoSend].X);
    EXPECT_EQ(l[cdCustom].X, 8);
    EXPECT_TRUE(l[cdCustom].Visible);
    // The e-mail box sits right of its label and ends with the column.
    EXPECT_EQ(l[cdEmail].X, 8 + l[cdEmailLabel].Width);
    EXPECT_EQ(l[cdEmail].X + l[cdEmail].Width, 405);
    EXPECT_EQ(l[cdEmailLabel].Y, l[cdEmail].Y + 4);
    // Fixed-font lines: the reproduce box holds four and its borders.
    EXPECT_EQ(l[cdReproduce].Height, 8 + 4 * 13);
    EXPECT_EQ(l[cdReproduce].Width, 397);
}

TEST(ClassicDialogLayout, SendOptionWithoutTheCheckKeepsOK)
{
    TClassicLayoutInput in = Input();
    in.SendOptionShown = true;
    in.SendCheck = false;
    FixedMeasure m;
    EXPECT_EQ(LayoutClassicDialog(in, m)[cdNoSend].Text, "&OK");
}

TEST(ClassicDialogLayout, LongMessagesWrapAndPushTheRestDown)
{
    TClassicLayoutInput in = Input();
    FixedMeasure m;
    const int32_t shortBottom = LayoutClassicDialog(in, m).WindowHeight;
    in.Message = std::string(300, 'x');
    const TClassicLayout l = LayoutClassicDialog(in, m);
    EXPECT_EQ(l[cdMessage].Height, 13 * 5 + 1);
    EXPECT_EQ(l.WindowHeight, shortBottom + 4 * 13);
}

} // namespace
