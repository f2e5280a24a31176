#include "editor/crashreport/core/dialogs/DetailedDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "editor/crashreport/core/dialogs/DetailedLayout.h"
#include "editor/crashreport/core/dialogs/DetailedPages.h"
#include "editor/crashreport/core/dialogs/DialogStateFile.h"
#include "editor/crashreport/core/dialogs/DialogWindowServices.h"
#include "editor/crashreport/core/dialogs/ErrorDialog.h"
#include "editor/crashreport/support/listview/DrawBmp.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/SysUtils.h"

namespace {

constexpr UINT_PTR kPaintCheckTimerId = 1;

// The detailed dialog's own part of the core's state.
struct TDetailedState {
    HWND Window = nullptr;
    bool LaysOut = false;
    bool Detailed = false;
    bool SendShown = false, ScreenshotShown = false, CopyShown = false, LinkShown = false;
    int32_t Band = 0;
    HBITMAP Bitmap = nullptr;
    int32_t BitmapWidth = 0, BitmapHeight = 0;
    HBRUSH Background = nullptr, White = nullptr;
    RECT Link{};
    bool LinkHot = false;
    TRememberedPlacement Placement;
    int CaptionMetric = SM_CYCAPTION;
    bool ModulesShown = false, AssemblerShown = false;
    bool TopMost = false;
};

TDetailedState gState;
const TDetailedReportPages* gPages = nullptr;

TZorvikModuleOptions& Options()
{
    static TZorvikModuleOptions fallback("");
    TZorvikModuleOptions* options = DialogState().Options;
    return options ? *options : fallback;
}

TWorkRect WorkRect(const RECT& r) { return TWorkRect{r.left, r.top, r.right, r.bottom}; }

std::string Text(TMessageType id) { return Options().GetCustomizedExpandedTexts(id); }
bool DialogOption(TExceptionDialogOption o) { return Options().ExceptionDialogOptions().Contains(o); }
bool LookAndFeel() { return DialogOption(edoUseZorvikLogLookAndFeel); }

HMODULE CodeModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&CodeModule), &module);
    return module;
}

HWND Item(int id) { return GetDlgItem(gState.Window, id); }

void SetFont(int id, HFONT font) { SendMessageA(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

void Place(int id, const TLayoutRect& r)
{
    SetWindowPos(Item(id), nullptr, r.Left, r.Top, r.Width, r.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Checked(int id) { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool TerminateShown()
{
    return Options().TerminateBtnOperation() != tbNone &&
           Options().ErrorsNumberToShowTerminateBtn() < DialogState().ErrorsCount;
}

void EndWith(int result)
{
    DialogState().DialogType = edtNone;
    EndDialog(gState.Window, result);
}

void ApplyRect(int left, int top, int width, int height)
{
    SetWindowPos(gState.Window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetStyleBit(LONG_PTR bits, bool on)
{
    LONG_PTR style = GetWindowLongPtrA(gState.Window, GWL_STYLE);
    style = on ? (style | bits) : (style & ~bits);
    SetWindowLongPtrA(gState.Window, GWL_STYLE, style);
}

void ModeSwitch(bool detailed)
{
    HWND window = gState.Window;
    if (!detailed)
        ShowWindow(window, SW_SHOWNORMAL);
    if (!LookAndFeel())
        for (int id : {ddcOK, ddcTerminate, ddcDetails, ddcCustom, ddcSend, ddcScreenshot, ddcCopy}) {
            LONG_PTR style = GetWindowLongPtrA(Item(id), GWL_STYLE);
            SetWindowLongPtrA(Item(id), GWL_STYLE, style & ~static_cast<LONG_PTR>(BS_FLAT));
        }
    LONG_PTR bits = WS_THICKFRAME | WS_MAXIMIZEBOX | (LookAndFeel() ? 0 : WS_SYSMENU);
    SetStyleBit(bits, detailed);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    std::string details = DetailsCaption(Text(mtDialog_DetailsButtonCaption), detailed);
    DialogState().DetailedMode = detailed;

    if (detailed) {
        SetWindowTextA(Item(ddcMessage), Text(mtDialog_ErrorMsgCaption).c_str());
        TDetailedRect r = ReadDetailedRect(DialogStateStore(), WorkRect(ForegroundWorkArea()), gState.Band);
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        placement.showCmd = r.WindowState == 3 ? SW_SHOWMAXIMIZED : r.WindowState == 6 ? SW_SHOWMINIMIZED
                                                                                      : SW_SHOWNORMAL;
        placement.rcNormalPosition = RECT{r.Left, r.Top, r.Left + r.Width, r.Top + r.Height + gState.Band};
        ShowWindow(Item(ddcTabs), SW_SHOWNA);
        SetWindowPlacement(window, &placement);
    } else {
        const std::string message = MessageShown();
        SetWindowTextA(Item(ddcMessage), message.c_str());
        HDC dc = GetDC(window);
        HGDIOBJ old = SelectObject(dc, DialogFont(dfMessage));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        auto width = [dc](const std::string& line) {
            SIZE size{};
            GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
            return static_cast<int32_t>(size.cx);
        };
        TCompactSize size = CompactDialogSize(message, Text(mtDialog_SendMessage), Text(mtDialog_CopyMessage), width,
                                              metrics.tmHeight, GetSystemMetrics(SM_CXFRAME),
                                              GetSystemMetrics(SM_CYFRAME), GetSystemMetrics(gState.CaptionMetric));
        SelectObject(dc, old);
        ReleaseDC(window, dc);
        Place(ddcMessage, size.Label);
        InvalidateRect(Item(ddcMessage), nullptr, TRUE);
        RECT work = ForegroundWorkArea();
        int left = work.left + ((work.right - work.left) - size.Width) / 2;
        int top = work.top + ((work.bottom - work.top) - size.Height) / 2;
        ShowWindow(Item(ddcTabs), SW_HIDE);
        ApplyRect(left, top, size.Width, size.Height + gState.Band);
    }
    SetWindowTextA(Item(ddcDetails), details.c_str());
}

void LayOut(WPARAM sizeKind)
{
    HWND window = gState.Window;
    RECT client{};
    GetClientRect(window, &client);
    TDetailedLayoutInput in;
    in.ClientWidth = client.right;
    in.ClientHeight = client.bottom;
    in.BandHeight = gState.Band;
    in.DetailedMode = gState.Detailed;
    int32_t buttonWidth = 75;
    for (TMessageType id : {mtDialog_OKButtonCaption, mtDialog_TerminateButtonCaption, mtDialog_RestartButtonCaption,
                            mtDialog_DetailsButtonCaption, mtDialog_CustomButtonCaption})
        buttonWidth = std::max(buttonWidth, DialogTextWidth(window, DialogFont(dfMessage), Text(id) + "O"));
    in.ButtonWidth = buttonWidth;
    in.TerminateShown = TerminateShown();
    in.CustomShown = DialogOption(edoShowCustomButton);
    in.DetailsShown = DialogOption(edoShowDetailsButton) && !DialogState().DetailsForced;
    in.CopyShown = gState.CopyShown;
    in.SupportTextWidth = DialogTextWidth(window, DialogFont(dfLink), Text(mtDialog_SupportMessage));
    TDetailedLayout out = LayoutDetailedDialog(in);

    SetWindowPos(Item(ddcTabs), nullptr, out.Tab.Left, out.Tab.Top, out.Tab.Width, out.Tab.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    HRGN all = CreateRectRgn(0, 0, client.right, client.bottom);
    HRGN page = CreateRectRgn(out.PageArea.Left, out.PageArea.Top, out.PageArea.Left + out.PageArea.Width,
                              out.PageArea.Top + out.PageArea.Height);
    CombineRgn(all, all, page, RGN_DIFF);
    InvalidateRgn(window, all, TRUE);
    DeleteObject(page);
    DeleteObject(all);
    if (out.LabelPlaced)
        Place(ddcMessage, out.Label);

    Place(ddcTerminate, out.Terminate);
    ShowWindow(Item(ddcTerminate), in.TerminateShown ? SW_SHOWNA : SW_HIDE);
    Place(ddcCustom, out.Custom);
    Place(ddcOK, out.OK);
    ShowWindow(Item(ddcSeparator), SW_HIDE);

    SetWindowTextA(Item(ddcSend), Text(mtDialog_SendMessage).c_str());
    SetFont(ddcSend, DialogFont(dfMessage));
    Place(ddcSend, out.SendCheck);
    SetWindowTextA(Item(ddcCopy), Text(mtDialog_CopyMessage).c_str());
    SetFont(ddcCopy, DialogFont(dfMessage));
    Place(ddcCopy, out.CopyCheck);
    const TLayoutRect& l = out.SupportLink;
    gState.Link = RECT{l.Left, l.Top, l.Left + l.Width, l.Top + l.Height};
    gState.LinkHot = false;
    SetWindowTextA(Item(ddcScreenshot), Text(mtDialog_ScreenshotMessage).c_str());
    SetFont(ddcScreenshot, DialogFont(dfMessage));
    Place(ddcScreenshot, out.ScreenshotCheck);
    Place(ddcDetails, out.Details);
    ShowWindow(Item(ddcDetails), in.DetailsShown ? SW_SHOWNA : SW_HIDE);

    TRememberedPlacement& p = gState.Placement;
    if (sizeKind == SIZE_MAXIMIZED) {
        p.WindowState = StateMaximized;
    } else if (sizeKind == SIZE_MINIMIZED) {
        p.WindowState = StateMinimized;
    } else if (gState.Detailed) {
        p.WindowState = StateNormal;
        RECT r{};
        GetWindowRect(window, &r);
        p.HasWidth = true;
        p.Width = r.right - r.left;
        p.Height = r.bottom - r.top;
    }
    FitDetailedPage(Item(ddcTabs), CurrentDetailedPage());
}

void SaveState() { SaveDetailedState(DialogStateStore(), gState.Placement, gState.Band); }

BOOL InitDialog(HWND window)
{
    gState = TDetailedState{};
    gState.Window = window;
    TDialogState& fields = DialogState();
    fields.KeepInFrontWindow = window;
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    gState.LaysOut = true;

    gState.TopMost = DialogOption(edoShowInTopMostMode);
    fields.TopmostMode = gState.TopMost;
    fields.CaptionActive = true;
    if (LookAndFeel()) {
        gState.CaptionMetric = SM_CYSMCAPTION;
    } else {
        LONG_PTR ex = GetWindowLongPtrA(window, GWL_EXSTYLE);
        SetWindowLongPtrA(window, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW));
        gState.CaptionMetric = SM_CYCAPTION;
    }
    fields.CaptionMetric = gState.CaptionMetric;
    if (gState.TopMost)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const TZorvikModuleOptions& o = Options();
    gState.SendShown = (o.EMailSendMode() != esmNoSend || o.WebSendMode() != wsmNoSend) && !fields.DuplicateFlag &&
                       DialogOption(edoShowSendErrorReportOption);
    gState.ScreenshotShown = o.CommonSendOptions().Contains(sndSendScreenshot) && gState.SendShown &&
                             DialogOption(edoShowAttachScreenshotOption);
    fields.CopyCheck = true;
    fields.SendCheck = true;
    gState.CopyShown = DialogOption(edoShowCopyToClipOption);
    gState.LinkShown = !Trim(o.SupportURL()).empty();
    fields.SendOptionShown = gState.SendShown;
    gState.Band = CheckBandHeight(gState.SendShown, gState.ScreenshotShown, gState.CopyShown, gState.LinkShown);

    SetForegroundWindow(window);
    gState.Detailed = fields.DetailsForced || DialogOption(edoShowInDetailedMode);

    gState.Bitmap = LoadBitmapA(CodeModule(), "ZV_ERROR");
    BITMAP info{};
    if (gState.Bitmap && GetObjectA(gState.Bitmap, sizeof info, &info)) {
        gState.BitmapWidth = info.bmWidth;
        gState.BitmapHeight = info.bmHeight;
    }
    gState.Background = CreateSolidBrush(LookAndFeel() ? RGB(212, 208, 200) : GetSysColor(COLOR_BTNFACE));
    gState.White = CreateSolidBrush(RGB(255, 255, 255));
    CreateDialogFonts(window);

    for (int id : {ddcMessage, ddcOK, ddcTerminate, ddcDetails, ddcCustom, ddcTabs})
        SetFont(id, DialogFont(dfMessage));
    SetWindowTextA(Item(ddcOK), Text(mtDialog_OKButtonCaption).c_str());
    SetWindowTextA(Item(ddcTerminate), Text(o.TerminateBtnOperation() == tbTerminate
                                                ? mtDialog_TerminateButtonCaption
                                                : mtDialog_RestartButtonCaption).c_str());
    if (DialogOption(edoShowCustomButton))
        SetWindowTextA(Item(ddcCustom), Text(mtDialog_CustomButtonCaption).c_str());
    else
        ShowWindow(Item(ddcCustom), SW_HIDE);

    CheckDlgButton(window, ddcSend, fields.SendCheck && DialogOption(edoSendErrorReportChecked) ? BST_CHECKED
                                                                                                : BST_UNCHECKED);
    EnableWindow(Item(ddcScreenshot), Checked(ddcSend));
    if (!gState.SendShown) {
        ShowWindow(Item(ddcSend), SW_HIDE);
        ShowWindow(Item(ddcScreenshot), SW_HIDE);
    }
    if (!gState.ScreenshotShown)
        ShowWindow(Item(ddcScreenshot), SW_HIDE);
    CheckDlgButton(window, ddcScreenshot,
                   fields.ScreenshotCheck && DialogOption(edoAttachScreenshotChecked) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, ddcCopy, BST_UNCHECKED);
    if (!gState.CopyShown)
        ShowWindow(Item(ddcCopy), SW_HIDE);
    SetWindowTextA(window, Text(mtDialog_Caption).c_str());

    gState.ModulesShown = o.LogOptions().Contains(loSaveModulesAndProcessesSections);
    gState.AssemblerShown = o.LogOptions().Contains(loSaveAssemblerAndCPUSections);
    std::vector<TMessageType> tabs = {mtDialog_GeneralCaption, mtDialog_CallStackCaption};
    if (gState.ModulesShown) {
        tabs.push_back(mtDialog_ModulesCaption);
        tabs.push_back(mtDialog_ProcessesCaption);
    }
    if (gState.AssemblerShown) {
        tabs.push_back(mtDialog_AsmCaption);
        tabs.push_back(mtDialog_CPUCaption);
    }
    for (size_t i = 0; i < tabs.size(); ++i) {
        std::string caption = Text(tabs[i]);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageA(Item(ddcTabs), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }

    int page = FrontPage(o.ForegroundTab(), gState.ModulesShown, gState.AssemblerShown);
    SetFocus(Item(ddcOK));
    ActivateDetailedPage(-page, window, Item(ddcTabs), gState.ModulesShown, gState.AssemblerShown);
    SendMessageA(Item(ddcTabs), TCM_SETCURSEL, TabOfPage(page, gState.ModulesShown, gState.AssemblerShown), 0);

    ModeSwitch(gState.Detailed);
    SetTimer(window, kPaintCheckTimerId, 1, nullptr);
    StartAutoCloseTimer(window);
    StartKeepInFrontTimer(window);
    return FALSE;
}

void Paint(HWND window)
{
    NoteDialogPainted();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (gState.Bitmap)
        DrawBmp(dc, gState.Bitmap, 8, 8, gState.BitmapWidth, gState.BitmapHeight);
    if (gState.LinkShown) {
        HGDIOBJ old = SelectObject(dc, DialogFont(dfLink));
        SetTextColor(dc, RGB(0, 0, 128));
        SetBkMode(dc, TRANSPARENT);
        FillRect(dc, &gState.Link, gState.Background);
        std::string text = Text(mtDialog_SupportMessage);
        RECT r = gState.Link;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    EndPaint(window, &ps);
}

void Destroy(HWND window)
{
    TDialogState& fields = DialogState();
    KillTimer(window, kPaintCheckTimerId);
    StopAutoCloseTimer(window);
    StopKeepInFrontTimer(window);
    bool sendChecked = Checked(ddcSend);
    fields.SendCheck = fields.SendCheck && sendChecked;
    bool screenshotChecked = Checked(ddcScreenshot);
    fields.ScreenshotCheck = screenshotChecked;
    TExceptionDialogOptions options = Options().ExceptionDialogOptions();
    options.Set(edoSendErrorReportChecked, sendChecked);
    options.Set(edoAttachScreenshotChecked, screenshotChecked);
    Options().SetExceptionDialogOptions(options);
    fields.CopyCheck = fields.CopyCheck && Checked(ddcCopy);
    DestroyDetailedPage();
    DestroyDialogFonts();
    for (HGDIOBJ* o : {reinterpret_cast<HGDIOBJ*>(&gState.Background), reinterpret_cast<HGDIOBJ*>(&gState.White),
                       reinterpret_cast<HGDIOBJ*>(&gState.Bitmap)}) {
        if (*o)
            DeleteObject(*o);
        *o = nullptr;
    }
    if (gState.Detailed)
        SaveState();
    gState.LaysOut = false;
    gState.Window = nullptr;
}

void Command(HWND window, int id)
{
    TDialogState& fields = DialogState();
    switch (id) {
    case IDCANCEL:
        fields.SendCheck = false;
        fields.CancelFlag = true;
        fields.CopyCheck = false;
        EndWith(0);
        break;
    case ddcOK: EndWith(0); break;
    case ddcTerminate:
        fields.TerminateFlag = true;
        EndWith(0);
        break;
    case ddcDetails:
        if (gState.Detailed)
            SaveState();
        gState.Detailed = !gState.Detailed;
        InvalidateRect(window, nullptr, TRUE);
        ModeSwitch(gState.Detailed);
        break;
    case ddcCustom:
        fields.CloseDialog = false;
        if (fields.CustomButtonClickNotify)
            fields.CustomButtonClickNotify();
        if (fields.CloseDialog)
            EndWith(0);
        break;
    case ddcSend: EnableWindow(Item(ddcScreenshot), Checked(ddcSend)); break;
    default: break;
    }
}

}  // namespace

void SetDetailedReportInput(const TDetailedReportPages* pages) { gPages = pages; }

INT_PTR CALLBACK DetailedDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    NoteDialogActivity(msg);
    switch (msg) {
    case WM_INITDIALOG: SetDetailedReportPages(gPages); return InitDialog(dialog);
    case WM_SIZE:
        if (gState.LaysOut && gState.Window == dialog)
            LayOut(wParam);
        return FALSE;
    case WM_MOVE:
        if (gState.Detailed && gState.LaysOut) {
            WINDOWPLACEMENT placement{};
            placement.length = sizeof placement;
            GetWindowPlacement(dialog, &placement);
            if (placement.showCmd != SW_SHOWMAXIMIZED) {
                RECT r{};
                GetWindowRect(dialog, &r);
                gState.Placement.Left = r.left;
                gState.Placement.Top = r.top;
            }
        }
        return FALSE;
    case WM_PAINT: Paint(dialog); return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom == ddcTabs && header->code == TCN_SELCHANGE) {
            int tab = static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0));
            ActivateDetailedPage(tab, dialog, header->hwndFrom, gState.ModulesShown, gState.AssemblerShown);
        }
        return FALSE;
    }
    case WM_MOUSEMOVE: {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        gState.LinkHot = gState.LinkShown && PtInRect(&gState.Link, p);
        if (gState.LinkHot) {
            SetCursor(LinkCursor());
            InvalidateRect(dialog, &gState.Link, FALSE);
        }
        return FALSE;
    }
    case WM_LBUTTONUP:
        if (gState.LinkHot) {
            gState.TopMost = false;
            SetWindowPos(dialog, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            ShellExecuteA(nullptr, "open", Trim(Options().SupportURL()).c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
        }
        return FALSE;
    case WM_COMMAND: Command(dialog, LOWORD(wParam)); return TRUE;
    case WM_CLOSE: EndWith(0); return TRUE;
    case WM_TIMER:
        if (wParam == kPaintCheckTimerId) {
            KillTimer(dialog, kPaintCheckTimerId);
            if (!DialogState().Painted)
                EndWith(0);
            return TRUE;
        }
        return FALSE;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        if (PaintCustomCaption(msg, wParam, Text(mtDialog_Caption), dialog)) {
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_CTLCOLORDLG:
        return LookAndFeel() ? reinterpret_cast<INT_PTR>(gState.Background) : FALSE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (!LookAndFeel() || msg == WM_CTLCOLORBTN)
            return FALSE;
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        return reinterpret_cast<INT_PTR>(gState.Background);
    case WM_DESTROY: Destroy(dialog); return FALSE;
    default: return FALSE;
    }
}

void RunDetailedDialog()
{
    HMODULE richEdit = LoadLibraryA("RICHED20.DLL");
    DialogState().Painted = false;
    DialogBoxParamA(CodeModule(), "ZV_DIALOG", nullptr, DetailedDialogProc, 0);
    DialogState().Painted = false;
    if (richEdit)
        FreeLibrary(richEdit);
}

void InstallDetailedDialog() { DialogState().DetailedDialogProc = DetailedDialogProc; }

void PrepareDetailedDialog(TDetailedReportPages pages)
{
    static TDetailedReportPages kept;
    kept = std::move(pages);
    SetDetailedReportInput(&kept);
    InstallDetailedDialog();
}

HWND DetailedDialogWindow() { return gState.Window; }
bool DetailedDialogInDetailedMode() { return gState.Detailed; }
