// The error dialogs' decisions from the options: the send offer, the restart
// check box, the e-mail box, the user's e-mail, and when the request and
// send-progress dialogs appear.
#include <gtest/gtest.h>

#include "editor/crashreport/core/dialogs/DialogFlags.h"
#include "editor/crashreport/core/dialogs/ErrorDialogRules.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

namespace {

TEST(ErrorDialogRules, SendOfferNeedsAModeNoDuplicateAndTheOption)
{
    TZorvikModuleOptions o("");
    EXPECT_FALSE(ClassicSendOptionShown(o, false));  // no send mode by default
    o.SetEMailSendMode(esmSMTPClient);
    EXPECT_TRUE(ClassicSendOptionShown(o, false));
    EXPECT_FALSE(ClassicSendOptionShown(o, true));
    TExceptionDialogOptions d = o.ExceptionDialogOptions();
    d.Exclude(edoShowSendErrorReportOption);
    o.SetExceptionDialogOptions(d);
    EXPECT_FALSE(ClassicSendOptionShown(o, false));
    o.SetEMailSendMode(esmNoSend);
    o.SetWebSendMode(wsmHTTP);
    d.Include(edoShowSendErrorReportOption);
    o.SetExceptionDialogOptions(d);
    EXPECT_TRUE(ClassicSendOptionShown(o, false));
}

TEST(ErrorDialogRules, RestartCheckFromTheFourthErrorOn)
{
    TZorvikModuleOptions o("");
    for (int n = 1; n <= 3; ++n)
        EXPECT_FALSE(ShowTerminateCheck(o, n)) << n;
    EXPECT_TRUE(ShowTerminateCheck(o, 4));
    EXPECT_EQ(ClassicLayoutInput(o, "Boom.", 4, false, false).TerminateCaption, "Restart application.");
    o.SetTerminateBtnOperation(tbTerminate);
    EXPECT_EQ(ClassicLayoutInput(o, "Boom.", 4, false, false).TerminateCaption, "Terminate application.");
    o.SetTerminateBtnOperation(tbNone);
    EXPECT_FALSE(ShowTerminateCheck(o, 100));
}

TEST(ErrorDialogRules, LayoutInputTakesTheCustomisedTexts)
{
    TZorvikModuleOptions o("");
    o.SetEMailSendMode(esmSMTPClient);
    const TClassicLayoutInput in = ClassicLayoutInput(o, "Boom.", 1, true, true);
    EXPECT_EQ(in.Title, "The application has encountered a problem. We are sorry for the inconvenience.");
    EXPECT_EQ(in.Please, "Please tell us about this problem.");
    EXPECT_EQ(in.SeeDetails, "To see what data the error report contains,");
    EXPECT_EQ(in.SeeClick, "click here.");
    EXPECT_EQ(in.SendCaption, "&Send Error Report");
    EXPECT_EQ(in.NoSendCaption, "&Don't Send");
    EXPECT_EQ(in.OKCaption, "&OK");
    EXPECT_TRUE(in.ShowEmail);
    EXPECT_TRUE(in.ShowDetailsLink);
    EXPECT_FALSE(in.ShowReproduce);

    o.SetCustomizedTexts(mtMSDialog_PleaseCaption, "Tell %NOSUCHVARIABLE_X%");
    EXPECT_EQ(ClassicLayoutInput(o, "", 1, true, true).Please, o.GetCustomizedExpandedTexts(mtMSDialog_PleaseCaption));
}

TEST(ErrorDialogRules, EmailBoxHiddenForTheMailClientAlone)
{
    TZorvikModuleOptions o("");
    o.SetEMailSendMode(esmEmailClient);
    EXPECT_FALSE(ClassicLayoutInput(o, "", 1, true, true).ShowEmail);
    o.SetWebSendMode(wsmHTTP);
    EXPECT_TRUE(ClassicLayoutInput(o, "", 1, true, true).ShowEmail);
    EXPECT_FALSE(ClassicLayoutInput(o, "", 1, false, true).ShowEmail);  // no send offer, no box
}

TEST(ErrorDialogRules, UserEmailCheck)
{
    struct Case {
        const char* email;
        TEmailCheck check;
    };
    for (const Case& c : {Case{"", ecEmpty}, Case{"   ", ecEmpty}, Case{"a@b", ecInvalid}, Case{"a.b", ecInvalid},
                          Case{"me@x.test", ecValid}, Case{"  me@x.test ", ecValid}})
        EXPECT_EQ(CheckUserEmail(c.email), c.check) << c.email;
}

TEST(ErrorDialogRules, UserEmailReplacesTheValueOfItemThreeThree)
{
    const std::string report = "User:\r\n-----\r\n  3.1 ID        : u\r\n  3.3 Email     : old@x.test\r\n  3.4 Company : c\r\n";
    EXPECT_EQ(ReplaceUserEmailLine(report, "me@x.test"),
              "User:\r\n-----\r\n  3.1 ID        : u\r\n  3.3 Email     : me@x.test\r\n  3.4 Company : c\r\n");
    // An empty value, the last line, no such item.
    EXPECT_EQ(ReplaceUserEmailLine("x\r\n  3.3 Email : ", "a@b.c"), "x\r\n  3.3 Email : a@b.c");
    EXPECT_EQ(ReplaceUserEmailLine("x\r\n  3.2 Name : n\r\n", "a@b.c"), "x\r\n  3.2 Name : n\r\n");
    EXPECT_EQ(ReplaceUserEmailLine("x\r\n  3.3 no colon\r\n  3.4 Y: z", "a@b.c"), "x\r\n  3.3 no colon\r\n  3.4 Y: z");
}

TEST(ErrorDialogRules, RequestDialogConditions)
{
    TZorvikModuleOptions o("");
    TDialogFlags f;
    f.SendCheck = true;
    EXPECT_FALSE(ShouldAskReproduceText(o, f, true));  // option off
    TLogOptions l = o.LogOptions();
    l.Include(loAppendReproduceText);
    o.SetLogOptions(l);
    EXPECT_TRUE(ShouldAskReproduceText(o, f, true));
    EXPECT_FALSE(ShouldAskReproduceText(o, f, false));  // console or web module
    f.DuplicateFlag = true;
    EXPECT_FALSE(ShouldAskReproduceText(o, f, true));
    f.DuplicateFlag = false;
    f.DialogFailed = true;
    EXPECT_FALSE(ShouldAskReproduceText(o, f, true));
    f.DialogFailed = false;
    // Neither sent nor saved: nothing to add the text to.
    f.SendCheck = false;
    o.SetSaveLogFile(false);
    EXPECT_FALSE(ShouldAskReproduceText(o, f, true));
    o.SetSaveLogFile(true);
    EXPECT_TRUE(ShouldAskReproduceText(o, f, true));
}

TEST(ErrorDialogRules, SendDialogConditions)
{
    TZorvikModuleOptions o("");
    TDialogFlags f;
    EXPECT_FALSE(ShouldShowSendDialog(o, f, true));  // no send mode
    o.SetEMailSendMode(esmSMTPClient);
    EXPECT_TRUE(ShouldShowSendDialog(o, f, true));
    EXPECT_FALSE(ShouldShowSendDialog(o, f, false));
    f.DialogFailed = true;
    EXPECT_FALSE(ShouldShowSendDialog(o, f, true));
    f.DialogFailed = false;
    TCommonSendOptions s = o.CommonSendOptions();
    s.Exclude(sndShowSendDialog);
    o.SetCommonSendOptions(s);
    EXPECT_FALSE(ShouldShowSendDialog(o, f, true));
}

} // namespace

namespace {

// The starter of the send dialog with a scripted clock and thread.
struct WaitScript {
    uint32_t now = 0;
    int focusAt = -1;      // the dialog has the focus from this time on
    int threadEndsAt = -1; // the dialog's thread ends at this time
    bool Run()
    {
        return WaitForSendDialog([&] { return focusAt >= 0 && int(now) >= focusAt; },
                                 [&](uint32_t ms) {
                                     now += ms;
                                     return threadEndsAt >= 0 && int(now) >= threadEndsAt;
                                 },
                                 [&] { return now; }, 5000);
    }
};

TEST(SendDialogStart, WaitsForTheFocus)
{
    WaitScript w;
    w.focusAt = 300;
    EXPECT_TRUE(w.Run());
    EXPECT_GE(w.now, 300u);
    EXPECT_LT(w.now, 400u);
}

TEST(SendDialogStart, StopsWhenTheDialogThreadEndsOrFails)
{
    WaitScript w;
    w.threadEndsAt = 100;  // the dialog box call failed
    EXPECT_FALSE(w.Run());
    EXPECT_LT(w.now, 200u);
}

TEST(SendDialogStart, GivesUpAfterFiveSeconds)
{
    WaitScript w;  // up, but never focused
    EXPECT_FALSE(w.Run());
    EXPECT_GE(w.now, 5000u);
    EXPECT_LT(w.now, 5100u);
}

} // namespace
