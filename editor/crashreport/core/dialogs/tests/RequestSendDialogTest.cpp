// The request dialog and the send-progress dialog under Wine: texts, layout
// rules, what they store, where they stand, and when they do not appear.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <memory>

#include "editor/crashreport/core/dialogs/DialogWindowServices.h"
#include "editor/crashreport/core/dialogs/RequestDialog.h"
#include "editor/crashreport/core/dialogs/SendDialog.h"
#include "editor/crashreport/core/dialogs/tests/DialogDriver.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/testing/GuiTest.h"

namespace {

class CrashSideDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        options = std::make_unique<TZorvikModuleOptions>("");
        TLogOptions l = options->LogOptions();
        l.Include(loAppendReproduceText);
        options->SetLogOptions(l);
        TDialogState& s = DialogState();
        s.Options = options.get();
        s.SendCheck = true;
        s.DuplicateFlag = false;
        s.DialogFailed = false;
        s.GuiProgram = true;
        s.InlineProcessing = false;
        s.DialogType = edtNone;
    }
    void TearDown() override
    {
        DialogState().Options = nullptr;
        DialogState().PaintedNotify = nullptr;
    }
    std::unique_ptr<TZorvikModuleOptions> options;
};

TEST_F(CrashSideDialogs, RequestDialogAsksAndKeepsWhatWasTyped)
{
    options->SetReproduceText("first");
    TDialogRun run([] { AskReproduceText(); });
    HWND d = run.WaitForWindow("Request");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(ItemText(d, 100), "Please describe the steps to reproduce the error:");
    EXPECT_EQ(ItemText(d, 101), "first");
    EXPECT_EQ(ItemText(d, 2), "&OK");
    // Layout: label and box at x 10 across the window less 27, the button
    // 75 x 23 under the box's right part.
    RECT w;
    GetWindowRect(d, &w);
    const int a = (w.right - w.left) - 27;
    const RECT label = ItemRect(d, 100), box = ItemRect(d, 101), ok = ItemRect(d, 2);
    EXPECT_EQ(label.left, 10);
    EXPECT_EQ(label.top, 10);
    EXPECT_EQ(label.right - label.left, a);
    EXPECT_EQ(box.top, label.bottom + 4);
    EXPECT_EQ(box.right - box.left, a);
    EXPECT_EQ(ok.left, a - 65);
    EXPECT_EQ(ok.top, box.bottom + 6);
    EXPECT_EQ(ok.right - ok.left, 75);
    EXPECT_EQ(ok.bottom - ok.top, 23);
    RECT client;
    GetClientRect(d, &client);
    EXPECT_LE(ok.bottom, client.bottom);
    guitest::SaveScreenshot(d, guitest::ScreenshotPath("crash_request_dialog"));

    // Escape stores the text typed so far, as OK does.
    SetItemText(d, 101, "  opened a file\r\nthen saved  ");
    PostMessageA(GetDlgItem(d, 2), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ASSERT_TRUE(run.WaitEnd());
    EXPECT_EQ(options->ReproduceText(), "opened a file\r\nthen saved");
}

TEST_F(CrashSideDialogs, LongRequestMakesTheDialogTaller)
{
    auto open = [&](const std::string& request, int& labelHeight) {
        options->SetCustomizedTexts(mtReproduceDialog_Request, request);
        TDialogRun run([] { AskReproduceText(); });
        HWND d = run.WaitForWindow("Request");
        EXPECT_NE(d, nullptr);
        if (!d)
            return 0L;
        RECT w;
        GetWindowRect(d, &w);
        const RECT label = ItemRect(d, 100);
        labelHeight = label.bottom - label.top;
        ClickItem(d, 2);
        EXPECT_TRUE(run.WaitEnd());
        return w.bottom - w.top;
    };
    int shortLabel = 0, longLabel = 0;
    const long shortHeight = open("Why?", shortLabel);
    const long longHeight = open(std::string(60, 'x') + " " + std::string(60, 'y') + " " + std::string(60, 'z') +
                                     " " + std::string(60, 'w'),
                                 longLabel);
    EXPECT_GT(longLabel, shortLabel);
    EXPECT_EQ(longHeight - shortHeight, longLabel - shortLabel);
}

TEST_F(CrashSideDialogs, RequestDialogStaysAwayWhenNothingKeepsTheText)
{
    options->SetSaveLogFile(false);
    DialogState().SendCheck = false;
    TDialogRun run([] { AskReproduceText(); });
    EXPECT_TRUE(run.WaitEnd(3000));
    DialogState().SendCheck = true;
    DialogState().DialogFailed = true;
    TDialogRun failed([] { AskReproduceText(); });
    EXPECT_TRUE(failed.WaitEnd(3000));
}

TEST_F(CrashSideDialogs, CentredSendDialogShowsProgressAndClosesOnItsMessage)
{
    options->SetEMailSendMode(esmSMTPClient);
    // The processing is told once when the dialog paints: its waiting main
    // thread answers its own messages from then on.
    std::atomic<int> paintedNotes{0};
    DialogState().PaintedNotify = [&paintedNotes] { ++paintedNotes; };
    StartSendDialog(true);
    HWND d = SendDialogWindow();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(DialogState().SendDialogFocused);
    EXPECT_EQ(guitest::WindowText(d), "Send.");
    EXPECT_EQ(ItemText(d, 100), "...");
    char cls[64] = {};
    GetClassNameA(GetDlgItem(d, 101), cls, sizeof cls);
    EXPECT_STREQ(cls, "msctls_progress32");
    EXPECT_EQ(DialogState().KeepInFrontWindow, d);
    // Centred on the work area.
    RECT w;
    GetWindowRect(d, &w);
    const RECT work = WorkAreaOfWindow(d);
    EXPECT_LE(std::abs((w.left + w.right) / 2 - (work.left + work.right) / 2), 1);
    // A sender's updates.
    SendDlgItemMessageA(d, 100, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Message 1/1: Connecting to server..."));
    SendDlgItemMessageA(d, 101, PBM_SETPOS, 40, 0);
    Sleep(200);
    guitest::SaveScreenshot(d, guitest::ScreenshotPath("crash_send_dialog_centred"));
    EXPECT_EQ(SendDlgItemMessageA(d, 101, PBM_GETPOS, 0, 0), 40);
    InvalidateRect(d, nullptr, TRUE);
    Sleep(200);
    EXPECT_EQ(paintedNotes.load(), 1);
    EXPECT_TRUE(DialogState().Painted);

    SendMessageA(d, SendDialogCloseMessage, 0, 0);
    ASSERT_EQ(WaitForSingleObject(DialogState().SendDialogThread, 5000), WAIT_OBJECT_0);
    EXPECT_FALSE(IsWindow(d));
    EXPECT_EQ(SendDialogWindow(), nullptr);
}

TEST_F(CrashSideDialogs, SeparatedSendDialogStandsInTheCornerAndLetsOthersInFront)
{
    options->SetEMailSendMode(esmSMTPClient);
    StartSendDialog(false);
    HWND d = SendDialogWindow();
    ASSERT_NE(d, nullptr);
    Sleep(200);
    RECT w;
    GetWindowRect(d, &w);
    const RECT work = ForegroundWorkArea();
    EXPECT_EQ(w.right, work.right);
    EXPECT_EQ(w.bottom, work.bottom);
    EXPECT_EQ(DialogState().CaptionMetric, SM_CYSMCAPTION);
    EXPECT_NE(GetWindowLongPtrA(d, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(DialogState().KeepInFrontWindow, nullptr);
    guitest::SaveScreenshot(d, guitest::ScreenshotPath("crash_send_dialog_corner"));
    SendMessageA(d, SendDialogCloseMessage, 0, 0);
    ASSERT_EQ(WaitForSingleObject(DialogState().SendDialogThread, 5000), WAIT_OBJECT_0);
}

TEST_F(CrashSideDialogs, NoSendDialogWithoutItsOptionOrASendMode)
{
    StartSendDialog(true);  // no send mode
    EXPECT_EQ(SendDialogWindow(), nullptr);
    EXPECT_TRUE(DialogState().Painted);

    options->SetEMailSendMode(esmSMTPClient);
    TCommonSendOptions s = options->CommonSendOptions();
    s.Exclude(sndShowSendDialog);
    options->SetCommonSendOptions(s);
    StartSendDialog(true);
    EXPECT_EQ(SendDialogWindow(), nullptr);

    s.Include(sndShowSendDialog);
    options->SetCommonSendOptions(s);
    DialogState().DialogFailed = true;
    StartSendDialog(true);
    EXPECT_EQ(SendDialogWindow(), nullptr);
}

} // namespace
