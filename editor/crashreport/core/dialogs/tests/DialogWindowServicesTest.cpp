// The window services on real dialogs under Wine: fonts, caption style and
// custom caption, the auto-close and keep-in-front timers, centring and the
// text measures.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "editor/crashreport/core/dialogs/DialogWindowServices.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

namespace {

// A modeless dialog of the request template driven by the services, as the
// crash dialogs use them.
INT_PTR CALLBACK ServicesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    NoteDialogActivity(message);
    switch (message) {
    case WM_INITDIALOG:
        CreateDialogFonts(dialog);
        SetWindowTextA(dialog, "Services");
        if (lParam & 1)
            StartAutoCloseTimer(dialog);
        if (lParam & 2)
            StartKeepInFrontTimer(dialog);
        return TRUE;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        if (PaintCustomCaption(message, wParam, "Services", dialog)) {
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        StopAutoCloseTimer(dialog);
        StopKeepInFrontTimer(dialog);
        DestroyDialogFonts();
        return TRUE;
    }
    return FALSE;
}

class DialogServices : public ::testing::Test {
protected:
    void SetUp() override
    {
        options = std::make_unique<TZorvikModuleOptions>("");
        DialogState().Options = options.get();
        DialogState().DialogType = edtZorvikLog;
    }
    void TearDown() override
    {
        if (dialog && IsWindow(dialog))
            DestroyWindow(dialog);
        PumpUntilIdle();
        DialogState().Options = nullptr;
    }
    HWND Open(LPARAM flags = 0)
    {
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), "ZV_REQUEST", nullptr, ServicesProc, flags);
        EXPECT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        PumpUntilIdle();
        return dialog;
    }
    // Pumps until the dialog is gone or maxMs have passed; the time it took.
    DWORD PumpUntilClosed(DWORD maxMs)
    {
        const DWORD start = GetTickCount();
        while (IsWindow(dialog) && GetTickCount() - start < maxMs)
            PumpUntilIdle(5, 50);
        return GetTickCount() - start;
    }
    std::unique_ptr<TZorvikModuleOptions> options;
    HWND dialog = nullptr;
};

TEST_F(DialogServices, SevenFontsWhileTheDialogLivesNoneAfter)
{
    Open();
    for (int f = 0; f < DialogFontCount; ++f)
        EXPECT_NE(DialogFont(TDialogFont(f)), nullptr) << f;
    LOGFONTA lf{};
    GetObjectA(DialogFont(dfPlainLink), sizeof lf, &lf);
    EXPECT_TRUE(lf.lfUnderline);
    GetObjectA(DialogFont(dfLink), sizeof lf, &lf);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(lf.lfWeight, 700);
    GetObjectA(DialogFont(dfBold), sizeof lf, &lf);
    EXPECT_FALSE(lf.lfUnderline);
    EXPECT_EQ(lf.lfWeight, 700);
    GetObjectA(DialogFont(dfFixed), sizeof lf, &lf);
    EXPECT_EQ(std::string(lf.lfFaceName), DialogState().FixedFace);
    EXPECT_EQ(lf.lfPitchAndFamily, 49);
    DestroyWindow(dialog);
    for (int f = 0; f < DialogFontCount; ++f)
        EXPECT_EQ(DialogFont(TDialogFont(f)), nullptr) << f;
}

TEST_F(DialogServices, CaptionStyleFollowsTheLookAndTheTopmostOption)
{
    // Without the library's look: the normal caption, no tool-window style.
    Open();
    SetWindowLongPtrA(dialog, GWL_EXSTYLE, GetWindowLongPtrA(dialog, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    RECT before;
    GetWindowRect(dialog, &before);
    SetupCaptionStyle(dialog, false);
    RECT after;
    GetWindowRect(dialog, &after);
    EXPECT_EQ(DialogState().CaptionMetric, SM_CYCAPTION);
    EXPECT_EQ(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + GetSystemMetrics(SM_CYCAPTION) - 18);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_FALSE(PaintCustomCaption(WM_NCPAINT, 1, "Services", dialog));
    DestroyWindow(dialog);

    // Forced: the small caption; topmost when the option says so.
    TExceptionDialogOptions o = options->ExceptionDialogOptions();
    o.Include(edoShowInTopMostMode);
    options->SetExceptionDialogOptions(o);
    Open();
    SetupCaptionStyle(dialog, true);
    EXPECT_EQ(DialogState().CaptionMetric, SM_CYSMCAPTION);
    EXPECT_TRUE(DialogState().CaptionActive);
    EXPECT_NE(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(DialogServices, LookAndFeelPaintsTheCaptionGradient)
{
    TExceptionDialogOptions o = options->ExceptionDialogOptions();
    o.Include(edoUseZorvikLogLookAndFeel);
    options->SetExceptionDialogOptions(o);
    Open();
    SetupCaptionStyle(dialog, false);
    RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SetForegroundWindow(dialog);
    PumpUntilIdle();
    EXPECT_TRUE(PaintCustomCaption(WM_NCACTIVATE, 1, "Services", dialog));
    EXPECT_TRUE(DialogState().CaptionActive);
    // A pixel of the caption band, left of the text: a shade of the blue
    // gradient start (130, 155, 194).
    RECT wr;
    GetWindowRect(dialog, &wr);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, wr.right - 6, wr.top + GetSystemMetrics(SM_CYFRAME) + 2);
    ReleaseDC(nullptr, screen);
    if (c != CLR_INVALID) {
        EXPECT_GT(GetBValue(c), GetRValue(c)) << std::hex << c;
        EXPECT_GT(GetBValue(c), 150) << std::hex << c;
    }
    SaveScreenshot(dialog, ScreenshotPath("crash_dialog_services_caption"));
    EXPECT_TRUE(PaintCustomCaption(WM_NCACTIVATE, 0, "Services", dialog));
    EXPECT_FALSE(DialogState().CaptionActive);
}

TEST_F(DialogServices, NoAutoCloseTimerWhenTheOptionIsZero)
{
    options->SetAutoCloseDialogSecs(0);
    Open(1);
    EXPECT_FALSE(KillTimer(dialog, 2));
}

TEST_F(DialogServices, AutoCloseCountsSecondsSinceTheLastActivity)
{
    // The count grows by one each second and starts again with every user
    // action: with two seconds, activity every 300 ms keeps it open...
    options->SetAutoCloseDialogSecs(2);
    Open(1);
    for (int i = 0; i < 8; ++i) {
        PostMessageA(dialog, WM_KEYDOWN, VK_SHIFT, 1);
        PumpUntilIdle(300, 300);
        ASSERT_TRUE(IsWindow(dialog)) << "closed despite activity, round " << i;
    }
    // ...and without it the dialog closes by itself after at least one
    // further whole tick.
    const DWORD took = PumpUntilClosed(10000);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_GE(took, 900u);
}

TEST_F(DialogServices, AutoCloseOfOneSecondClosesAtTheNextTick)
{
    options->SetAutoCloseDialogSecs(1);
    Open(1);
    PumpUntilClosed(10000);
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(DialogServices, KeepInFrontBringsTheDialogBackOverOlderWindowsOnly)
{
    HWND older = CreateWindowExA(0, "STATIC", "older", WS_POPUP | WS_VISIBLE | WS_CAPTION, 10, 10, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    Open(2);
    SetForegroundWindow(older);
    PumpUntilIdle(100, 500);
    EXPECT_EQ(GetForegroundWindow(), dialog);

    // A window opened after the dialog keeps the front.
    HWND newer = CreateWindowExA(0, "STATIC", "newer", WS_POPUP | WS_VISIBLE | WS_CAPTION, 30, 30, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(newer);
    PumpUntilIdle(100, 500);
    EXPECT_EQ(GetForegroundWindow(), newer);
    StopKeepInFrontTimer(dialog);
    EXPECT_EQ(DialogState().KeepInFrontWindow, nullptr);
    DestroyWindow(newer);
    DestroyWindow(older);
}

TEST_F(DialogServices, CentringAndWorkArea)
{
    Open();
    const RECT target{100, 50, 700, 450};
    CenterWindowOnRect(dialog, target);
    RECT r;
    GetWindowRect(dialog, &r);
    EXPECT_EQ(r.left, 100 + (600 - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, 50 + (400 - (r.bottom - r.top)) / 2);

    const RECT work = WorkAreaOfWindow(dialog);
    EXPECT_GT(work.right - work.left, 0);
    CenterWindowOnWorkArea(dialog, 419, 300);
    GetWindowRect(dialog, &r);
    const RECT front = ForegroundWorkArea();
    EXPECT_EQ(r.right - r.left, 419);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_EQ(r.left, front.left + (front.right - front.left - 419) / 2);

    RECT span{};
    ASSERT_TRUE(MonitorsSpanningRect(work, span));
    EXPECT_LE(span.left, work.left);
    EXPECT_GE(span.right, work.right);
}

TEST_F(DialogServices, TextMeasuresAndControlText)
{
    Open();
    HFONT font = DialogFont(dfMessage);
    const std::string text = "The application has encountered a problem. We are sorry for the inconvenience.";
    const int line = DialogTextHeight(dialog, font, "O", 400);
    EXPECT_GT(line, 0);
    EXPECT_EQ(DialogTextHeight(dialog, font, text, 2000), line);
    EXPECT_GT(DialogTextHeight(dialog, font, text, 120), 2 * line);
    EXPECT_EQ(DialogTextHeight(dialog, font, "a\r\n\r\nb", 400), 3 * line);
    EXPECT_GT(DialogTextWidth(dialog, font, "Boom."), DialogTextWidth(dialog, font, "B"));

    HWND edit = GetDlgItem(dialog, 101);
    SetWindowTextA(edit, "typed text");
    EXPECT_EQ(DialogControlText(edit), "typed text");
    SetWindowTextA(edit, "");
    EXPECT_EQ(DialogControlText(edit), "");
}

TEST_F(DialogServices, EscapePressedReadsTheKeyboardState)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_ESCAPE] = 0x80;
    SetKeyboardState(keys);
    EXPECT_TRUE(EscapePressed());
    keys[VK_ESCAPE] = 0;
    SetKeyboardState(keys);
    EXPECT_FALSE(EscapePressed());
}

} // namespace
