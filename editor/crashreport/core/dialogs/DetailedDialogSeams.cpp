#include "editor/crashreport/core/dialogs/DetailedDialogSeams.h"

#include <vector>

#include "editor/crashreport/support/ModuleOptions.h"
#include "editor/crashreport/support/ProfileFiles.h"
#include "editor/crashreport/support/SystemFacts.h"

namespace {

TErrorDialogFields gFields;
TDialogFonts gFonts;
TZorvikModuleOptions* gOptions = nullptr;
int32_t gAutoCloseSeconds = 0;
HWND gAutoCloseWindow = nullptr;
HWND gKeepInFront = nullptr;
std::vector<HWND> gOwnWindows;

const char* const kStateFile = "ZorvikLog.ini";

HFONT FixedPitchFont(HDC dc, int32_t size, const std::string& face)
{
    return CreateFontA(-MulDiv(size, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                       DEFAULT_CHARSET, OUT_TT_PRECIS, 0, DRAFT_QUALITY, 49, face.c_str());
}

BOOL CALLBACK CollectOwnWindow(HWND window, LPARAM)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId())
        gOwnWindows.push_back(window);
    return TRUE;
}

}  // namespace

TErrorDialogFields& ErrorDialogFields() { return gFields; }
const TDialogFonts& DialogFonts() { return gFonts; }
TZorvikModuleOptions* DialogOptions() { return gOptions; }
void SetDialogOptions(TZorvikModuleOptions* options) { gOptions = options; }

void CreateDialogFonts(HWND window)
{
    DestroyDialogFonts();
    if (UserCharSet() == 0) {
        gFonts.BoldFace = "Verdana";
        gFonts.FixedFace = "Lucida Console";
        gFonts.ListFace = "Tahoma";
        gFonts.Size = 8;
    } else {
        gFonts.BoldFace = "MS Sans Serif";
        gFonts.FixedFace = "Courier New";
        gFonts.ListFace = "Courier New";
        gFonts.Size = 10;
    }
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    gFonts.Caption = CreateFontA(metrics.lfCaptionFont.lfHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET,
                                 OUT_TT_PRECIS, 0, DRAFT_QUALITY, 18, gFonts.BoldFace.c_str());
    gFonts.Message = CreateFontIndirectA(&metrics.lfMessageFont);
    LOGFONTA lf = metrics.lfMessageFont;
    lf.lfUnderline = 1;
    lf.lfWeight = FW_BOLD;
    gFonts.Link = CreateFontIndirectA(&lf);
    lf.lfWeight = 0;
    gFonts.PlainLink = CreateFontIndirectA(&lf);
    lf.lfUnderline = 0;
    lf.lfWeight = FW_BOLD;
    gFonts.Bold = CreateFontIndirectA(&lf);
    HDC dc = GetDC(window);
    gFonts.Fixed = FixedPitchFont(dc, gFonts.Size, gFonts.FixedFace);
    gFonts.List = FixedPitchFont(dc, gFonts.Size, gFonts.ListFace);
    ReleaseDC(window, dc);
}

void DestroyDialogFonts()
{
    for (HFONT* f : {&gFonts.Caption, &gFonts.Message, &gFonts.Link, &gFonts.PlainLink, &gFonts.Bold, &gFonts.Fixed,
                     &gFonts.List}) {
        if (*f)
            DeleteObject(*f);
        *f = nullptr;
    }
}

void StartAutoCloseTimer(HWND window)
{
    if (gOptions && gOptions->AutoCloseDialogSecs() > 0) {
        gAutoCloseSeconds = 0;
        gAutoCloseWindow = window;
        SetTimer(window, AutoCloseTimerId, 1000, nullptr);
    }
}

void StopAutoCloseTimer(HWND window)
{
    if (gOptions && gOptions->AutoCloseDialogSecs() > 0)
        KillTimer(window, AutoCloseTimerId);
    gAutoCloseWindow = nullptr;
}

// The second counted from the activity on: the timer starts again, so that a
// one-second auto-close never ends the dialog just after the user acted.
void ResetAutoCloseTimer()
{
    gAutoCloseSeconds = 0;
    if (gAutoCloseWindow)
        SetTimer(gAutoCloseWindow, AutoCloseTimerId, 1000, nullptr);
}

void AutoCloseTimerTick(HWND window)
{
    ++gAutoCloseSeconds;
    if (gOptions && gAutoCloseSeconds >= gOptions->AutoCloseDialogSecs())
        SendMessageA(window, WM_CLOSE, 0, 0);
}

bool IsUserActivityMessage(UINT msg)
{
    switch (msg) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_KEYDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL: return true;
    default: return false;
    }
}

void StartKeepInFrontTimer(HWND window)
{
    gOwnWindows.clear();
    EnumWindows(CollectOwnWindow, 0);
    gKeepInFront = window;
    SetTimer(window, KeepInFrontTimerId, 10, nullptr);
}

void StopKeepInFrontTimer(HWND window)
{
    KillTimer(window, KeepInFrontTimerId);
    gKeepInFront = nullptr;
}

void KeepInFrontTimerTick()
{
    bool topmost = gOptions && gOptions->ExceptionDialogOptions().Contains(edoShowInTopMostMode);
    HWND front = GetForegroundWindow();
    if (topmost || !gKeepInFront || !front || front == gKeepInFront)
        return;
    DWORD pid = 0;
    GetWindowThreadProcessId(front, &pid);
    if (pid != GetCurrentProcessId())
        return;
    for (HWND own : gOwnWindows)
        if (own == front) {
            SetForegroundWindow(gKeepInFront);
            return;
        }
}

RECT ForegroundWorkArea()
{
    HWND front = GetForegroundWindow();
    if (!front)
        front = GetDesktopWindow();
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcWork;
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

int32_t TextWidth(HWND window, HFONT font, const std::string& text)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

std::string DialogControlText(HWND control)
{
    int length = static_cast<int>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

TDetailedRect ReadDetailedRect(int32_t bandHeight)
{
    RECT work = ForegroundWorkArea();
    const int32_t workW = work.right - work.left, workH = work.bottom - work.top;
    TDetailedRect r;
    r.Width = ReadInteger(kStateFile, "Coordinates", "Width", 745);
    r.Height = ReadInteger(kStateFile, "Coordinates", "Height", 468);
    r.Left = ReadInteger(kStateFile, "Coordinates", "Left", work.left + (workW - r.Width) / 2);
    r.Top = ReadInteger(kStateFile, "Coordinates", "Top", work.top + (workH - r.Height - bandHeight) / 2);
    r.WindowState = ReadInteger(kStateFile, "Coordinates", "WindowsState", 1);
    if (r.Top < work.top || r.Top + r.Height > work.bottom || r.Left < work.left || r.Left + r.Width > work.right) {
        r.Left = work.left + (workW - r.Width) / 2;
        r.Top = work.top + (workH - r.Height) / 2;
    }
    return r;
}

void SaveDetailedState(int32_t width, int32_t height, int32_t left, int32_t top, int32_t windowState,
                       int32_t bandHeight)
{
    if (width == 0)
        return;
    if (windowState == 1) {
        WriteInteger(kStateFile, "Coordinates", "Width", width);
        WriteInteger(kStateFile, "Coordinates", "Height", height - bandHeight);
        WriteInteger(kStateFile, "Coordinates", "Left", left);
        WriteInteger(kStateFile, "Coordinates", "Top", top);
    }
    WriteInteger(kStateFile, "Coordinates", "WindowsState", windowState);
}

int32_t ReadColumnWidth(const std::string& key, int32_t def) { return ReadInteger(kStateFile, "Coordinates", key, def); }

void WriteColumnWidth(const std::string& key, int32_t width) { WriteInteger(kStateFile, "Coordinates", key, width); }

void SendIDERecord(const std::string&, const std::string&, const std::string&, const std::string&, int32_t, double)
{
    // The record itself is the state file's business; nothing is sent here.
}

void RaiseCustomButtonClickNotify()
{
    // The events' delivery raises it; no handler is called from here.
}
