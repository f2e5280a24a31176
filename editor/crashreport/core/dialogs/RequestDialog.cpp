#include "editor/crashreport/core/dialogs/RequestDialog.h"

#include "editor/crashreport/core/dialogs/DialogWindowServices.h"
#include "editor/crashreport/core/dialogs/ErrorDialog.h"
#include "editor/crashreport/core/dialogs/ErrorDialogRules.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/SysUtils.h"

namespace {

constexpr int RequestLabel = 100;
constexpr int RequestEdit = 101;

TZorvikModuleOptions& Options()
{
    return *DialogState().Options;
}

void InitRequestDialog(HWND dialog)
{
    SetupCaptionStyle(dialog, false);
    CreateDialogFonts(dialog);
    const std::string request = Options().GetCustomizedExpandedTexts(mtReproduceDialog_Request);
    SetWindowTextA(dialog, Options().GetCustomizedExpandedTexts(mtReproduceDialog_Caption).c_str());
    SetDlgItemTextA(dialog, RequestLabel, request.c_str());
    SetDlgItemTextA(dialog, IDCANCEL, Options().GetCustomizedExpandedTexts(mtReproduceDialog_OKButtonCaption).c_str());
    for (int id : {RequestLabel, IDCANCEL})
        SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dfMessage)), 0);
    SendDlgItemMessageA(dialog, RequestEdit, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(dfFixed)), 0);
    SetDlgItemTextA(dialog, RequestEdit, Options().ReproduceText().c_str());

    RECT r;
    GetWindowRect(dialog, &r);
    const int ww = r.right - r.left, wh = r.bottom - r.top;
    const int a = ww - 27;
    const int h = DialogTextHeight(dialog, DialogFont(dfMessage), request, a);
    const int e = wh - h - 83;
    SetWindowPos(dialog, nullptr, 0, 0, ww, wh + h - 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(dialog, RequestLabel), nullptr, 10, 10, a, h, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(dialog, RequestEdit), nullptr, 10, h + 14, a, e, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(dialog, IDCANCEL), nullptr, a - 65, h + e + 20, 75, 23, SWP_NOZORDER | SWP_NOACTIVATE);

    StartAutoCloseTimer(dialog);
    CenterWindowOnRect(dialog, ForegroundWorkArea());
    StartKeepInFrontTimer(dialog);
}

} // namespace

INT_PTR CALLBACK RequestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    NoteDialogActivity(message);
    switch (message) {
    case WM_INITDIALOG:
        InitRequestDialog(dialog);
        return TRUE;
    case WM_PAINT:
        NoteDialogPainted();
        return FALSE;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        if (PaintCustomCaption(message, wParam, Options().GetCustomizedExpandedTexts(mtReproduceDialog_Caption),
                               dialog)) {
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            Options().SetReproduceText(Trim(DialogControlText(GetDlgItem(dialog, RequestEdit))));
            EndDialog(dialog, 0);
        }
        return TRUE;
    case WM_DESTROY:
        StopAutoCloseTimer(dialog);
        StopKeepInFrontTimer(dialog);
        DestroyDialogFonts();
        return TRUE;
    }
    return FALSE;
}

void AskReproduceText()
{
    TDialogState& s = DialogState();
    if (!s.Options || !ShouldAskReproduceText(*s.Options, s, s.GuiProgram))
        return;
    s.Painted = false;
    DialogBoxParamA(DialogResourceModule(), "ZV_Request", nullptr, RequestDialogProc, 0);
    s.Painted = false;
}
