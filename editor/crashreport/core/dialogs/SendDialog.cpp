#include "editor/crashreport/core/dialogs/SendDialog.h"

#include <commctrl.h>

#include "editor/crashreport/core/dialogs/DialogWindowServices.h"
#include "editor/crashreport/core/dialogs/ErrorDialog.h"
#include "editor/crashreport/core/dialogs/ErrorDialogRules.h"
#include "editor/crashreport/support/listview/DrawBmp.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/ComponentThreads.h"

namespace {

constexpr int StatusLine = 100;
constexpr int ProgressBar = 101;

std::string Caption()
{
    const TZorvikModuleOptions* o = DialogState().Options;
    return o ? o->GetCustomizedExpandedTexts(mtSendDialog_Caption) : "";
}

void InitSendDialog(HWND dialog, bool centred)
{
    TDialogState& s = DialogState();
    SetupCaptionStyle(dialog, !centred);
    CreateDialogFonts(dialog);
    s.SendDialogWindow = dialog;
    SetWindowTextA(dialog, Caption().c_str());
    SendDlgItemMessageA(dialog, StatusLine, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dfMessage)), 0);
    SendDlgItemMessageA(dialog, ProgressBar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    s.SendBitmap = LoadBitmapA(DialogResourceModule(), "ZV_Send");
    if (centred) {
        CenterWindowOnRect(dialog, ForegroundWorkArea());
        StartKeepInFrontTimer(dialog);
    } else {
        const RECT work = ForegroundWorkArea();
        RECT r;
        GetWindowRect(dialog, &r);
        SetWindowPos(dialog, nullptr, work.right - (r.right - r.left), work.bottom - (r.bottom - r.top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void PaintSendDialog(HWND dialog)
{
    NoteDialogPainted();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    if (DialogState().SendBitmap)
        DrawBmp(dc, DialogState().SendBitmap, 8, 8, 32, 32);
    EndPaint(dialog, &ps);
}

DWORD WINAPI SendDialogThreadProc(void* centred)
{
    DialogState().Painted = false;
    DialogBoxParamA(DialogResourceModule(), "ZV_Server", nullptr, SendDialogProc, reinterpret_cast<LPARAM>(centred));
    DialogState().Painted = false;
    return 0;
}

} // namespace

INT_PTR CALLBACK SendDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    TDialogState& s = DialogState();
    switch (message) {
    case WM_INITDIALOG:
        InitSendDialog(dialog, lParam != 0);
        return TRUE;
    case WM_SETFOCUS:
        s.SendDialogFocused = true;
        return FALSE;
    case WM_ACTIVATE:
        // A dialog passes the focus on to a child at once; being activated
        // counts as having it.
        if (LOWORD(wParam) != WA_INACTIVE)
            s.SendDialogFocused = true;
        return FALSE;
    case WM_PAINT:
        PaintSendDialog(dialog);
        return TRUE;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        if (PaintCustomCaption(message, wParam, Caption(), dialog)) {
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case SendDialogCloseMessage:
        if (s.InlineProcessing)
            DestroyWindow(dialog);
        else
            EndDialog(dialog, 0);
        return TRUE;
    case WM_DESTROY:
        StopKeepInFrontTimer(dialog);
        DestroyDialogFonts();
        if (s.SendBitmap)
            DeleteObject(s.SendBitmap);
        s.SendBitmap = nullptr;
        s.SendDialogWindow = nullptr;
        return TRUE;
    }
    return FALSE;
}

HWND SendDialogWindow()
{
    return DialogState().SendDialogWindow;
}

void StartSendDialog(bool centred)
{
    TDialogState& s = DialogState();
    s.SendDialogWindow = nullptr;
    s.SendDialogFocused = false;
    if (s.SendDialogThread) {
        CloseHandle(s.SendDialogThread);
        s.SendDialogThread = nullptr;
    }
    s.SendStep = s.SendSteps = s.SendPosition = 0;
    if (!s.Options || !ShouldShowSendDialog(*s.Options, s, s.GuiProgram)) {
        s.Painted = true;
        return;
    }
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    if (s.InlineProcessing) {
        s.Painted = false;
        HWND dialog = CreateDialogParamA(DialogResourceModule(), "ZV_Server", nullptr, SendDialogProc, centred ? 1 : 0);
        if (dialog) {
            ShowWindow(dialog, SW_SHOW);
            SetForegroundWindow(dialog);
            s.SendDialogFocused = true;
        }
        return;
    }
    s.SendDialogThread =
        CreateComponentThread(SendDialogThreadProc, reinterpret_cast<void*>(centred ? 1 : 0), CREATE_SUSPENDED);
    if (!s.SendDialogThread)
        return;
    SetThreadPriority(s.SendDialogThread, THREAD_PRIORITY_HIGHEST);
    ResumeThread(s.SendDialogThread);
    // The dialog takes the focus once it is up. Without a limit a dialog
    // that cannot be made would keep the sender (and the processing lock)
    // waiting for ever.
    HANDLE thread = s.SendDialogThread;
    WaitForSendDialog([&] { return s.SendDialogFocused.load(); },
                      [&](uint32_t ms) { return WaitForSingleObject(thread, ms) == WAIT_OBJECT_0; },
                      [] { return static_cast<uint32_t>(GetTickCount()); }, SendDialogStartLimitMs);
}
