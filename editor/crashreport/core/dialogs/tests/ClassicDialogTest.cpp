// The classic error dialog under Wine, driven through its controls: its
// texts and layout with and without sending, the restart check box, the
// user's e-mail, Escape, the details link and the auto-close.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "editor/crashreport/core/dialogs/ClassicDialogLayout.h"
#include "editor/crashreport/core/dialogs/ErrorDialog.h"
#include "editor/crashreport/core/dialogs/tests/DialogDriver.h"
#include "editor/crashreport/support/files/WorkingFiles.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/testing/GuiTest.h"

namespace {

const std::string Report =
    "General:\r\n--------\r\n  1.1 Date : today\r\n\r\nUser:\r\n-----\r\n  3.1 ID    : u\r\n  3.3 Email : \r\n";

class ClassicDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        options = std::make_unique<TZorvikModuleOptions>("");
        options->SetAutoCloseDialogSecs(0);
        DialogState().TerminateFlag = false;
        DialogState().CancelFlag = false;
        DialogState().UserEmail.clear();
        ClearStoredEmail();
    }
    void TearDown() override { DialogState().Options = nullptr; }

    TErrorDialogInput Input(int errors = 1)
    {
        TErrorDialogInput in;
        in.Options = options.get();
        in.Message = "Boom.";
        in.Report.General = Report;
        in.Report.Full = Report + "more\r\n";
        in.Report.FullWork = in.Report.Full;
        in.ErrorsCount = errors;
        in.DialogType = edtMSClassic;
        return in;
    }
    static std::string StateFile() { return SettingsFolder() + "\\ZorvikLog.ini"; }
    static std::string StoredEmail()
    {
        char value[256] = {};
        GetPrivateProfileStringA("User", "Email", "<none>", value, sizeof value, StateFile().c_str());
        return value;
    }
    static void ClearStoredEmail() { WritePrivateProfileStringA("User", "Email", nullptr, StateFile().c_str()); }
    void EnableSmtp() { options->SetEMailSendMode(esmSMTPClient); }

    std::unique_ptr<TZorvikModuleOptions> options;
};

// True when some pixel of the rectangle (dialog client coordinates) on the
// screen is pure blue, the link's colour.
bool HasBluePixel(HWND dialog, RECT r)
{
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&r), 2);
    HDC screen = GetDC(nullptr);
    bool found = false;
    for (int y = r.top; y < r.bottom && !found; ++y)
        for (int x = r.left; x < r.right && !found; ++x)
            found = GetPixel(screen, x, y) == RGB(0, 0, 255);
    ReleaseDC(nullptr, screen);
    return found;
}

TEST_F(ClassicDialog, NoSendModeShowsTheMessageAndOK)
{
    TDialogRun run([&] { DisplayErrorDialogs(Input()); });
    HWND d = run.WaitForWindow("Error occurred");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, cdTitle), "The application has encountered a problem. We are sorry for the inconvenience.");
    EXPECT_EQ(ItemText(d, cdMessage), "Boom.");
    EXPECT_EQ(ItemText(d, cdNoSend), "&OK");
    EXPECT_TRUE(ItemVisible(d, cdNoSend));
    EXPECT_EQ(LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), cdNoSend);
    EXPECT_NE(GetWindowLongA(GetDlgItem(d, cdNoSend), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
    EXPECT_FALSE(ItemVisible(d, cdSend));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, cdSend)));
    for (int id : {cdTerminate, cdPlease, cdDescription, cdReproduceLabel, cdReproduce, cdEmailLabel, cdEmail, cdCustom})
        EXPECT_FALSE(ItemVisible(d, id)) << id;
    EXPECT_EQ(ItemText(d, cdSeeDetails), "To see what data the error report contains, ");
    // The link "click here." is painted in blue right after its lead-in.
    const RECT lead = ItemRect(d, cdSeeDetails);
    EXPECT_TRUE(HasBluePixel(d, RECT{lead.right, lead.top, lead.right + 80, lead.bottom + 4}));
    // Layout rules: the window is 419 wide, the title sits in the white
    // band, the message starts below it, OK ends the right column.
    RECT w;
    GetWindowRect(d, &w);
    EXPECT_EQ(w.right - w.left, 419);
    EXPECT_LE(ItemRect(d, cdTitle).bottom, 51);
    EXPECT_EQ(ItemRect(d, cdMessage).top, 59);
    EXPECT_EQ(ItemRect(d, cdNoSend).right, 405);
    EXPECT_GE(ItemRect(d, cdNoSend).top, lead.bottom);
    RECT client;
    GetClientRect(d, &client);
    EXPECT_LE(ItemRect(d, cdNoSend).bottom, client.bottom);
    guitest::SaveScreenshot(d, guitest::ScreenshotPath("crash_classic_dialog_nosend"));

    ClickItem(d, cdNoSend);
    ASSERT_TRUE(run.WaitEnd());
    EXPECT_EQ(DialogState().DialogType, edtNone);
    EXPECT_FALSE(DialogState().SendCheck);
    EXPECT_FALSE(DialogState().TerminateFlag);
    EXPECT_FALSE(DialogState().DialogFailed);
}

TEST_F(ClassicDialog, RestartCheckBoxFromTheFourthErrorOn)
{
    {
        TDialogRun run([&] { DisplayErrorDialogs(Input(3)); });
        HWND d = run.WaitForWindow("Error occurred");
        ASSERT_NE(d, nullptr);
        EXPECT_FALSE(ItemVisible(d, cdTerminate));
        ClickItem(d, cdNoSend);
        ASSERT_TRUE(run.WaitEnd());
    }
    TDialogRun run([&] { DisplayErrorDialogs(Input(4)); });
    HWND d = run.WaitForWindow("Error occurred");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(ItemVisible(d, cdTerminate));
    EXPECT_EQ(ItemText(d, cdTerminate), "Restart application.");
    EXPECT_GE(ItemRect(d, cdTerminate).top, ItemRect(d, cdMessage).bottom);
    ClickItem(d, cdTerminate);
    Sleep(100);
    EXPECT_EQ(SendDlgItemMessageA(d, cdTerminate, BM_GETCHECK, 0, 0), BST_CHECKED);
    ClickItem(d, cdNoSend);
    ASSERT_TRUE(run.WaitEnd());
    EXPECT_TRUE(DialogState().TerminateFlag);
}

TEST_F(ClassicDialog, SmtpSendingAsksForTheEmailAndRemembersIt)
{
    EnableSmtp();
    TDialogRun run([&] { DisplayErrorDialogs(Input()); });
    HWND d = run.WaitForWindow("Error occurred");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, cdPlease), "Please tell us about this problem.");
    EXPECT_TRUE(ItemVisible(d, cdDescription));
    EXPECT_EQ(ItemText(d, cdSend), "&Send Error Report");
    EXPECT_EQ(ItemText(d, cdNoSend), "&Don't Send");
    EXPECT_EQ(LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), cdSend);
    EXPECT_TRUE(ItemVisible(d, cdEmail));
    EXPECT_EQ(ItemText(d, cdEmailLabel), "Email address (optional): ");
    const RECT send = ItemRect(d, cdSend), noSend = ItemRect(d, cdNoSend);
    EXPECT_EQ(send.right + 8, noSend.left);
    EXPECT_EQ(send.top, noSend.top);
    EXPECT_GE(send.top, ItemRect(d, cdEmail).bottom);
    EXPECT_EQ(ItemRect(d, cdEmail).right, 405);
    guitest::SaveScreenshot(d, guitest::ScreenshotPath("crash_classic_dialog_smtp"));

    // "a@b" has no dot: the box, and the dialog stays.
    SetItemText(d, cdEmail, "a@b");
    ClickItem(d, cdSend);
    HWND box = run.WaitForWindow("Error.");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Invalid email.");
    guitest::SaveScreenshot(box, guitest::ScreenshotPath("crash_classic_dialog_invalid_email"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Sleep(300);
    EXPECT_FALSE(run.WaitEnd(200));
    EXPECT_TRUE(IsWindowVisible(d));

    SetItemText(d, cdEmail, " me@x.test ");
    ClickItem(d, cdSend);
    ASSERT_TRUE(run.WaitEnd());
    EXPECT_TRUE(DialogState().SendCheck);
    EXPECT_EQ(DialogState().UserEmail, "me@x.test");
    EXPECT_EQ(options->SMTPFrom(), "me@x.test");
    EXPECT_NE(DialogState().Report.General.find("  3.3 Email : me@x.test\r\n"), std::string::npos);
    EXPECT_NE(DialogState().Report.Full.find("  3.3 Email : me@x.test\r\n"), std::string::npos);
    EXPECT_NE(DialogState().Report.FullWork.find("  3.3 Email : me@x.test\r\n"), std::string::npos);
    EXPECT_EQ(StoredEmail(), "me@x.test");
}

TEST_F(ClassicDialog, StoredEmailIsOfferedAndAnEmptyOneAccepted)
{
    EnableSmtp();
    WritePrivateProfileStringA("User", "Email", "old@x.test", StateFile().c_str());
    TDialogRun run([&] { DisplayErrorDialogs(Input()); });
    HWND d = run.WaitForWindow("Error occurred");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, cdEmail), "old@x.test");
    SetItemText(d, cdEmail, "");
    ClickItem(d, cdNoSend);
    ASSERT_TRUE(run.WaitEnd());
    EXPECT_FALSE(DialogState().SendCheck);
    EXPECT_EQ(options->SMTPFrom(), DefaultSMTPFrom);
    EXPECT_EQ(StoredEmail(), "old@x.test");
}

TEST_F(ClassicDialog, EscapeSendsNothingAndCancels)
{
    EnableSmtp();
    TDialogRun run([&] { DisplayErrorDialogs(Input(5)); });
    HWND d = run.WaitForWindow("Error occurred");
    ASSERT_NE(d, nullptr);
    ClickItem(d, cdTerminate);
    Sleep(100);
    HWND focus = GetDlgItem(d, cdSend);
    PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    ASSERT_TRUE(run.WaitEnd());
    EXPECT_FALSE(DialogState().SendCheck);
    EXPECT_TRUE(DialogState().CancelFlag);
    EXPECT_FALSE(DialogState().TerminateFlag);
    EXPECT_EQ(DialogState().DialogType, edtNone);
}

TEST_F(ClassicDialog, ReproduceBoxWhenTheReportGetsTheText)
{
    TLogOptions l = options->LogOptions();
    l.Include(loAppendReproduceText);
    options->SetLogOptions(l);
    options->SetReproduceText("clicked Save");
    TDialogRun run([&] { DisplayErrorDialogs(Input()); });
    HWND d = run.WaitForWindow("Error occurred");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, cdReproduceLabel), "What were you doing when the problem happened (optional)?");
    EXPECT_EQ(ItemText(d, cdReproduce), "clicked Save");
    EXPECT_EQ(ItemRect(d, cdReproduce).right - ItemRect(d, cdReproduce).left, 397);
    EXPECT_GE(ItemRect(d, cdReproduce).top, ItemRect(d, cdReproduceLabel).bottom);
    SetItemText(d, cdReproduce, "  clicked Open  ");
    ClickItem(d, cdNoSend);
    ASSERT_TRUE(run.WaitEnd());
    EXPECT_EQ(options->ReproduceText(), "clicked Open");
}

TEST_F(ClassicDialog, DetailsLinkAsksForTheDetailedDialog)
{
    TDialogRun run([&] {
        DialogState().Options = options.get();
        DialogState().ExceptionMessage = "Boom.";
        DialogState().ErrorsCount = 1;
        DialogState().DialogType = edtMSClassic;
        ShowErrorDialog(true);
    });
    HWND d = run.WaitForWindow("Error occurred");
    ASSERT_NE(d, nullptr);
    const RECT lead = ItemRect(d, cdSeeDetails);
    const LPARAM at = MAKELPARAM(lead.right + 10, (lead.top + lead.bottom) / 2);
    PostMessageA(d, WM_MOUSEMOVE, 0, at);
    PostMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(d, WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(run.WaitEnd());
    EXPECT_EQ(DialogState().DialogType, edtZorvikLog);
    EXPECT_FALSE(DialogState().DialogFailed);
}

// The detailed kind's stand-in: notes how it was asked to start and closes.
bool gDetailedShown = false;
bool gDetailedForced = false;

INT_PTR CALLBACK DetailedStandIn(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        gDetailedShown = true;
        gDetailedForced = DialogState().DetailsForced;
        DialogState().Painted = true;
        DialogState().DialogType = edtNone;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

TEST_F(ClassicDialog, DetailsLinkWithAValidEmailOpensTheDetailedDialogForced)
{
    EnableSmtp();
    gDetailedShown = gDetailedForced = false;
    DialogState().DetailedDialogProc = DetailedStandIn;
    TDialogRun run([&] { DisplayErrorDialogs(Input()); });
    HWND d = run.WaitForWindow("Error occurred");
    ASSERT_NE(d, nullptr);
    const RECT lead = ItemRect(d, cdSeeDetails);
    const LPARAM at = MAKELPARAM(lead.right + 10, (lead.top + lead.bottom) / 2);
    // First with an invalid e-mail: the box, and the classic dialog stays.
    SetItemText(d, cdEmail, "a@b");
    PostMessageA(d, WM_MOUSEMOVE, 0, at);
    PostMessageA(d, WM_LBUTTONUP, 0, at);
    HWND box = run.WaitForWindow("Error.");
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(d));
    EXPECT_FALSE(gDetailedShown);
    // Then with a valid one: the detailed kind follows, in detailed mode.
    SetItemText(d, cdEmail, "me@x.test");
    PostMessageA(d, WM_MOUSEMOVE, 0, at);
    PostMessageA(d, WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(run.WaitEnd());
    DialogState().DetailedDialogProc = nullptr;
    EXPECT_TRUE(gDetailedShown);
    EXPECT_TRUE(gDetailedForced);
    EXPECT_EQ(DialogState().DialogType, edtNone);
    EXPECT_FALSE(DialogState().DialogFailed);
}

TEST_F(ClassicDialog, AutoCloseEndsTheDialogByItself)
{
    options->SetAutoCloseDialogSecs(1);
    TDialogRun run([&] { DisplayErrorDialogs(Input()); });
    ASSERT_NE(run.WaitForWindow("Error occurred"), nullptr);
    ASSERT_TRUE(run.WaitEnd(10000));
    EXPECT_EQ(DialogState().DialogType, edtNone);
    EXPECT_FALSE(DialogState().SendCheck);
}

} // namespace
