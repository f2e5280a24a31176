// The classic error dialog (template "ZV_MS_Dialog"): the message under a
// white title band, the offer to send, the details link, the reproduce and
// e-mail boxes and the buttons, laid out by ClassicDialogLayout.
#include <windows.h>

#include "editor/crashreport/core/dialogs/ClassicDialogLayout.h"
#include "editor/crashreport/core/dialogs/DialogStateFile.h"
#include "editor/crashreport/core/dialogs/DialogWindowServices.h"
#include "editor/crashreport/core/dialogs/ErrorDialog.h"
#include "editor/crashreport/core/dialogs/ErrorDialogRules.h"
#include "editor/crashreport/support/listview/DrawBmp.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/SysUtils.h"

namespace {

constexpr UINT_PTR NotPaintedTimerId = 1;
constexpr UINT EditKillFocus = 0x0200;  // EN_KILLFOCUS in the high word of wParam

struct TClassicWindow {
    HBITMAP Bitmap = nullptr;
    HBRUSH Background = nullptr;
    bool LinkHot = false;
    bool ShowLink = false;
    RECT Link{};
    std::string LinkText;
};

TClassicWindow& Classic()
{
    static TClassicWindow window;
    return window;
}

TZorvikModuleOptions& Options()
{
    return *DialogState().Options;
}

std::string Text(TMessageType id)
{
    return Options().GetCustomizedExpandedTexts(id);
}

class TDialogMeasure : public TLayoutMeasure {
public:
    explicit TDialogMeasure(HWND dialog) : FDialog(dialog) {}
    int32_t TextHeight(TLayoutFont font, const std::string& text, int32_t width) override
    {
        return DialogTextHeight(FDialog, Font(font), text, width);
    }
    int32_t TextWidth(TLayoutFont font, const std::string& text) override
    {
        return DialogTextWidth(FDialog, Font(font), text);
    }

private:
    static HFONT Font(TLayoutFont font)
    {
        switch (font) {
        case lfBold: return DialogFont(dfBold);
        case lfFixed: return DialogFont(dfFixed);
        case lfPlainLink: return DialogFont(dfPlainLink);
        default: return DialogFont(dfMessage);
        }
    }
    HWND FDialog;
};

void SetFont(HWND dialog, int id, TDialogFont font)
{
    SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(font)), 0);
}

void ApplyLayout(HWND dialog, const TClassicLayout& layout)
{
    for (const auto& [id, place] : layout.Controls) {
        HWND control = GetDlgItem(dialog, id);
        if (!control)
            continue;
        if (place.TextSet)
            SetWindowTextA(control, place.Text.c_str());
        if (place.Visible)
            SetWindowPos(control, nullptr, place.X, place.Y, place.Width, place.Height, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(control, place.Visible ? SW_SHOW : SW_HIDE);
    }
}

void InitClassicDialog(HWND dialog)
{
    TDialogState& s = DialogState();
    TClassicWindow& w = Classic();
    w = TClassicWindow{};
    SetupCaptionStyle(dialog, false);
    CreateDialogFonts(dialog);
    w.Bitmap = LoadBitmapA(DialogResourceModule(), "ZV_Error");

    SetFont(dialog, cdTitle, dfBold);
    SetFont(dialog, cdPlease, dfBold);
    for (int id : {cdMessage, cdTerminate, cdDescription, cdSeeDetails, cdReproduceLabel, cdEmailLabel, cdEmail, cdSend,
                   cdNoSend, cdCustom})
        SetFont(dialog, id, dfMessage);
    SetFont(dialog, cdReproduce, dfFixed);
    SetDlgItemTextA(dialog, cdReproduce, Options().ReproduceText().c_str());
    SetDlgItemTextA(dialog, cdEmail, ReadUserEmail(DialogStateStore()).c_str());
    SetWindowTextA(dialog, Text(mtDialog_Caption).c_str());

    s.SendOptionShown = ClassicSendOptionShown(Options(), s.DuplicateFlag);
    if (!s.SendOptionShown) {
        HWND send = GetDlgItem(dialog, cdSend);
        ShowWindow(send, SW_HIDE);
        EnableWindow(send, FALSE);
        SendMessageA(send, BM_SETSTYLE, 0x50010000, TRUE);
        SendDlgItemMessageA(dialog, cdNoSend, BM_SETSTYLE, 0x50010001, TRUE);
        SendMessageA(dialog, DM_SETDEFID, cdNoSend, 0);
        SetFocus(GetDlgItem(dialog, cdNoSend));
    } else {
        SetFocus(GetDlgItem(dialog, cdSend));
    }

    TClassicLayoutInput in = ClassicLayoutInput(Options(), MessageShown(), s.ErrorsCount, s.SendOptionShown, s.SendCheck);
    in.CyBorder = GetSystemMetrics(SM_CYBORDER);
    in.CyFrame = GetSystemMetrics(SM_CYFRAME);
    in.CyCaption = GetSystemMetrics(SM_CYCAPTION);
    TDialogMeasure measure(dialog);
    const TClassicLayout layout = LayoutClassicDialog(in, measure);
    ApplyLayout(dialog, layout);
    w.ShowLink = in.ShowDetailsLink;
    w.Link = RECT{layout.LinkLeft, layout.LinkTop, layout.LinkRight, layout.LinkBottom};
    w.LinkText = in.SeeClick;
    CenterWindowOnWorkArea(dialog, layout.WindowWidth, layout.WindowHeight);

    w.Background = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    SetTimer(dialog, NotPaintedTimerId, 1, nullptr);
    StartAutoCloseTimer(dialog);
    StartKeepInFrontTimer(dialog);
}

void PaintClassicDialog(HWND dialog)
{
    TClassicWindow& w = Classic();
    NoteDialogPainted();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, 0, 0, 413, 51);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    if (w.Bitmap)
        DrawBmp(dc, w.Bitmap, 372, 9, 32, 32);
    if (w.ShowLink) {
        HGDIOBJ oldFont = SelectObject(dc, DialogFont(dfPlainLink));
        FillRect(dc, &w.Link, w.Background);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, 0xFF0000);
        RECT r = w.Link;
        DrawTextA(dc, w.LinkText.c_str(), static_cast<int>(w.LinkText.size()), &r, DT_LEFT | DT_TOP | DT_NOPREFIX);
        SelectObject(dc, oldFont);
    }
    EndPaint(dialog, &ps);
}

// Ends the dialog with the user's choices; false while the e-mail is invalid.
bool Accept(HWND dialog)
{
    TDialogState& s = DialogState();
    s.UserEmail = Trim(DialogControlText(GetDlgItem(dialog, cdEmail)));
    switch (CheckUserEmail(s.UserEmail)) {
    case ecValid:
        Options().SetSMTPFrom(s.UserEmail);
        for (std::string* report : {&s.Report.General, &s.Report.Full, &s.Report.FullWork})
            *report = ReplaceUserEmailLine(*report, s.UserEmail);
        WriteUserEmail(DialogStateStore(), s.UserEmail);
        break;
    case ecInvalid:
        MessageBoxA(nullptr, Text(mtInvalidEmailMsg).c_str(), Text(mtErrorMsgCaption).c_str(),
                    MB_ICONHAND | MB_TASKMODAL | MB_TOPMOST | MB_SERVICE_NOTIFICATION);
        return false;
    case ecEmpty:
        break;
    }
    Options().SetReproduceText(Trim(DialogControlText(GetDlgItem(dialog, cdReproduce))));
    const bool checked = IsWindowVisible(GetDlgItem(dialog, cdTerminate)) &&
                         IsDlgButtonChecked(dialog, cdTerminate) == BST_CHECKED;
    s.TerminateFlag = (s.TerminateFlag || checked) && !s.CancelFlag;
    EndDialog(dialog, 0);
    return true;
}

void OnCommand(HWND dialog, WPARAM wParam)
{
    TDialogState& s = DialogState();
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if ((id == cdMessage || id == cdReproduce) && code == EditKillFocus && EscapePressed()) {
        // A multi-line edit swallows Escape: its focus loss stands for it.
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    switch (id) {
    case IDCANCEL:
        s.SendCheck = false;
        s.CancelFlag = true;
        s.DialogType = edtNone;
        SendMessageA(dialog, WM_CLOSE, 0, 0);
        break;
    case cdSend:
        s.SendCheck = true;
        s.DialogType = edtNone;
        Accept(dialog);
        break;
    case cdNoSend:
        s.SendCheck = s.SendCheck && !s.SendOptionShown;
        s.DialogType = edtNone;
        Accept(dialog);
        break;
    case cdCustom:
        s.CloseDialog = false;
        if (s.CustomButtonClickNotify)
            s.CustomButtonClickNotify();
        if (s.CloseDialog) {
            s.DialogType = edtNone;
            Accept(dialog);
        }
        break;
    }
}

void OnMouseMove(HWND dialog, LPARAM lParam)
{
    TClassicWindow& w = Classic();
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const bool hot = w.ShowLink && PtInRect(&w.Link, p);
    if (hot)
        SetCursor(LinkCursor());
    if (hot != w.LinkHot || hot)
        InvalidateRect(dialog, &w.Link, FALSE);
    w.LinkHot = hot;
}

void DestroyClassicDialog(HWND dialog)
{
    TClassicWindow& w = Classic();
    StopAutoCloseTimer(dialog);
    StopKeepInFrontTimer(dialog);
    DestroyDialogFonts();
    if (w.Bitmap)
        DeleteObject(w.Bitmap);
    if (w.Background)
        DeleteObject(w.Background);
    w = TClassicWindow{};
}

} // namespace

INT_PTR CALLBACK ClassicDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    NoteDialogActivity(message);
    TDialogState& s = DialogState();
    switch (message) {
    case WM_INITDIALOG:
        InitClassicDialog(dialog);
        return FALSE;  // the focus is set
    case WM_PAINT:
        PaintClassicDialog(dialog);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == cdTitle) {
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
        }
        return FALSE;
    case WM_MOUSEMOVE:
        OnMouseMove(dialog, lParam);
        return TRUE;
    case WM_SETCURSOR:
        if (Classic().LinkHot && reinterpret_cast<HWND>(wParam) == dialog) {
            SetCursor(LinkCursor());
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_LBUTTONUP:
        if (Classic().LinkHot) {
            s.DialogType = edtZorvikLog;
            Accept(dialog);
        }
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, wParam);
        return TRUE;
    case WM_CLOSE:
        s.DialogType = edtNone;
        Accept(dialog);
        return TRUE;
    case WM_TIMER:
        if (wParam == NotPaintedTimerId) {
            // The modal loop shows the dialog only once its queue is empty;
            // a tick before that says nothing about painting.
            if (!IsWindowVisible(dialog))
                return TRUE;
            KillTimer(dialog, NotPaintedTimerId);
            if (!s.Painted) {
                s.DialogType = edtNone;
                Accept(dialog);
            }
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        DestroyClassicDialog(dialog);
        return TRUE;
    }
    return FALSE;
}
