#include "editor/crashreport/core/dialogs/DialogWindowServices.h"

#include <algorithm>
#include <cstddef>

#include "editor/crashreport/core/dialogs/DialogServiceRules.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/SystemFacts.h"

namespace {

constexpr UINT_PTR AutoCloseTimerId = 2;
constexpr UINT_PTR KeepInFrontTimerId = 3;

// The dialog whose auto-close timer runs; null when none.
HWND gAutoCloseDialog = nullptr;

bool DialogOption(TExceptionDialogOption option)
{
    const TZorvikModuleOptions* o = DialogState().Options;
    return o && o->ExceptionDialogOptions().Contains(option);
}

int32_t AutoCloseDialogSecs()
{
    const TZorvikModuleOptions* o = DialogState().Options;
    return o ? o->AutoCloseDialogSecs() : 0;
}

// Selects a GDI object for the guard's lifetime.
class TSelectGuard {
public:
    TSelectGuard(HDC dc, HGDIOBJ object) : FDC(dc), FOld(object ? SelectObject(dc, object) : nullptr) {}
    ~TSelectGuard()
    {
        if (FOld)
            SelectObject(FDC, FOld);
    }
    TSelectGuard(const TSelectGuard&) = delete;
    TSelectGuard& operator=(const TSelectGuard&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

class TWindowDC {
public:
    explicit TWindowDC(HWND window, bool whole = false)
        : FWindow(window), FDC(whole ? GetWindowDC(window) : GetDC(window)) {}
    ~TWindowDC()
    {
        if (FDC)
            ReleaseDC(FWindow, FDC);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

HFONT FixedPitchFont(HDC dc, const std::string& face)
{
    const int height = -MulDiv(DialogState().FontSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    return CreateFontA(height, 0, 0, 0, 400, 0, 0, 0, 1, 4, 0, 1, 49, face.c_str());
}

HFONT MessageFontVariant(bool underline, LONG weight)
{
    LOGFONTA lf = DialogState().Metrics.lfMessageFont;
    lf.lfUnderline = underline ? 1 : 0;
    lf.lfWeight = weight;
    return CreateFontIndirectA(&lf);
}

void FillRectColour(HDC dc, const TCaptionRect& r, COLORREF colour)
{
    const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void FrameRectColour(HDC dc, const TCaptionRect& r, COLORREF colour)
{
    const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(dc, &rc, brush);
    DeleteObject(brush);
}

void CALLBACK AutoCloseTick(HWND dialog, UINT, UINT_PTR, DWORD)
{
    TDialogState& s = DialogState();
    ++s.AutoCloseSeconds;
    if (s.AutoCloseSeconds >= AutoCloseDialogSecs())
        SendMessageA(dialog, WM_CLOSE, 0, 0);
}

BOOL CALLBACK CollectOwnWindow(HWND window, LPARAM)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId())
        DialogState().OwnWindows.push_back(window);
    return TRUE;
}

void CALLBACK KeepInFrontTick(HWND dialog, UINT, UINT_PTR, DWORD)
{
    TDialogState& s = DialogState();
    HWND front = GetForegroundWindow();
    DWORD pid = 0;
    if (front)
        GetWindowThreadProcessId(front, &pid);
    std::vector<uintptr_t> own;
    own.reserve(s.OwnWindows.size());
    for (HWND w : s.OwnWindows)
        own.push_back(reinterpret_cast<uintptr_t>(w));
    if (!s.KeepInFrontWindow)
        return;
    if (ShouldBringDialogToFront(s.TopmostMode, reinterpret_cast<uintptr_t>(front),
                                 reinterpret_cast<uintptr_t>(s.KeepInFrontWindow), pid == GetCurrentProcessId(),
                                 own)) {
        // Raised as well: the system may refuse the foreground to the
        // dialog's thread, and the dialog must not stay behind the window.
        SetWindowPos(s.KeepInFrontWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(s.KeepInFrontWindow);
    } else if (!s.TopmostMode && (!front || front == GetDesktopWindow())) {
        // No program is in front (the system took the foreground from the
        // dialog's thread): the dialog stays above the program's own
        // windows, which the waiting thread may raise as it wakes up.
        HWND above = GetWindow(s.KeepInFrontWindow, GW_HWNDPREV);
        for (; above; above = GetWindow(above, GW_HWNDPREV)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(above, &owner);
            if (owner == GetCurrentProcessId() && IsWindowVisible(above) &&
                std::find(s.OwnWindows.begin(), s.OwnWindows.end(), above) != s.OwnWindows.end())
                break;
        }
        if (above)
            SetWindowPos(s.KeepInFrontWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

using TMonitorFromWindow = HMONITOR(WINAPI*)(HWND, DWORD);
using TMonitorFromPoint = HMONITOR(WINAPI*)(POINT, DWORD);
using TGetMonitorInfoA = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

FARPROC User32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32)
        user32 = LoadLibraryA("user32.dll");
    return user32 ? GetProcAddress(user32, name) : nullptr;
}

bool MonitorRects(HMONITOR monitor, RECT* work, RECT* whole)
{
    auto getInfo = reinterpret_cast<TGetMonitorInfoA>(reinterpret_cast<void*>(User32Function("GetMonitorInfoA")));
    if (!getInfo || !monitor)
        return false;
    MONITORINFO info{};
    info.cbSize = sizeof info;  // 40 bytes
    if (!getInfo(monitor, &info))
        return false;
    if (work)
        *work = info.rcWork;
    if (whole)
        *whole = info.rcMonitor;
    return true;
}

} // namespace

void CreateDialogFonts(HWND dialog)
{
    TDialogState& s = DialogState();
    DestroyDialogFonts();
    if (UserCharSet() == 0) {
        s.BoldFace = "Verdana";
        s.FixedFace = "Lucida Console";
        s.ListFace = "Tahoma";
        s.FontSize = 8;
    } else {
        s.BoldFace = "MS Sans Serif";
        s.FixedFace = "Courier New";
        s.ListFace = "Courier New";
        s.FontSize = 10;
    }
    s.Metrics = NONCLIENTMETRICSA{};
    s.Metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);  // 340 bytes
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, s.Metrics.cbSize, &s.Metrics, 0)) {
        // Keep the dialog readable with the stock GUI font's look.
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTA), &s.Metrics.lfMessageFont);
        s.Metrics.lfCaptionFont = s.Metrics.lfMessageFont;
    }
    TWindowDC dc(dialog);
    s.Fonts[dfCaption] = CreateFontA(s.Metrics.lfCaptionFont.lfHeight, 0, 0, 0, 700, 0, 0, 0, 1, 4, 0, 1, 18,
                                     s.BoldFace.c_str());
    s.Fonts[dfMessage] = CreateFontIndirectA(&s.Metrics.lfMessageFont);
    s.Fonts[dfLink] = MessageFontVariant(true, 700);
    s.Fonts[dfPlainLink] = MessageFontVariant(true, 0);
    s.Fonts[dfBold] = MessageFontVariant(false, 700);
    s.Fonts[dfFixed] = FixedPitchFont(dc.Get(), s.FixedFace);
    s.Fonts[dfList] = FixedPitchFont(dc.Get(), s.ListFace);
}

void DestroyDialogFonts()
{
    for (HFONT& f : DialogState().Fonts) {
        if (f)
            DeleteObject(f);
        f = nullptr;
    }
}

HFONT DialogFont(TDialogFont font)
{
    return DialogState().Fonts[font];
}

void SetupCaptionStyle(HWND dialog, bool forceSmallCaption)
{
    TDialogState& s = DialogState();
    s.CaptionActive = true;
    if ((DialogOption(edoUseZorvikLogLookAndFeel) && s.DialogType != edtMSClassic) || forceSmallCaption) {
        s.CaptionMetric = SM_CYSMCAPTION;
    } else {
        const LONG_PTR ex = GetWindowLongPtrA(dialog, GWL_EXSTYLE);
        SetWindowLongPtrA(dialog, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_TOOLWINDOW));
        s.CaptionMetric = SM_CYCAPTION;
    }
    s.TopmostMode = DialogOption(edoShowInTopMostMode);
    if (s.TopmostMode)
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RECT r;
    GetWindowRect(dialog, &r);
    SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left,
                 r.bottom - r.top + GetSystemMetrics(s.CaptionMetric) - 18,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PaintCustomCaption(UINT message, WPARAM wParam, const std::string& caption, HWND dialog)
{
    TDialogState& s = DialogState();
    if (!DialogOption(edoUseZorvikLogLookAndFeel))
        return false;
    if (message == WM_NCACTIVATE)
        s.CaptionActive = wParam != 0;
    RECT wr;
    GetWindowRect(dialog, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    const TCaptionGeometry g = CaptionGeometry(w, h, GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
                                               GetSystemMetrics(s.CaptionMetric));
    const TCaptionColours colours = CaptionColours(s.CaptionActive);
    TWindowDC dc(dialog, true);
    if (!dc.Get())
        return false;
    for (const TGradientBand& band : CaptionGradient(g.Caption, colours.GradientStart))
        FillRectColour(dc.Get(), band.Rect, band.Colour);
    FrameRectColour(dc.Get(), {0, 0, w, h}, colours.Edge);
    TCaptionRect edge = g.ClientEdge;
    if (s.DetailedMode)
        FrameRectColour(dc.Get(), g.Inner, colours.Edge);
    else
        edge.Bottom -= 1;
    FrameRectColour(dc.Get(), edge, colours.Edge);
    // The strips between the window edge and the inner rectangle.
    FillRectColour(dc.Get(), {1, 1, w - 1, g.Inner.Top}, colours.Border);
    FillRectColour(dc.Get(), {1, g.Inner.Bottom, w - 1, h - 1}, colours.Border);
    FillRectColour(dc.Get(), {1, g.Inner.Top, g.Inner.Left, g.Inner.Bottom}, colours.Border);
    FillRectColour(dc.Get(), {g.Inner.Right, g.Inner.Top, w - 1, g.Inner.Bottom}, colours.Border);

    TSelectGuard font(dc.Get(), s.Fonts[dfCaption]);
    SetBkMode(dc.Get(), TRANSPARENT);
    SIZE extent{};
    GetTextExtentPoint32A(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
    const int y = g.Caption.Top - 1 + ((g.Caption.Bottom - g.Caption.Top) - extent.cy) / 2;
    if (s.CaptionActive) {
        SetTextColor(dc.Get(), 0x222222);
        TextOutA(dc.Get(), g.Caption.Left + 5, y, caption.c_str(), static_cast<int>(caption.size()));
        SetTextColor(dc.Get(), 0xFFFFFF);
    } else {
        SetTextColor(dc.Get(), 0xE0E0E0);
    }
    TextOutA(dc.Get(), g.Caption.Left + 4, y, caption.c_str(), static_cast<int>(caption.size()));
    return true;
}

void StartAutoCloseTimer(HWND dialog)
{
    if (AutoCloseDialogSecs() <= 0)
        return;
    DialogState().AutoCloseSeconds = 0;
    gAutoCloseDialog = dialog;
    SetTimer(dialog, AutoCloseTimerId, 1000, AutoCloseTick);
}

void StopAutoCloseTimer(HWND dialog)
{
    if (AutoCloseDialogSecs() > 0)
        KillTimer(dialog, AutoCloseTimerId);
    if (gAutoCloseDialog == dialog)
        gAutoCloseDialog = nullptr;
}

// The timer starts its second again, so that the dialog closes whole seconds
// after the activity and not at the next tick of a second already under way.
void ResetAutoCloseTimer()
{
    DialogState().AutoCloseSeconds = 0;
    if (gAutoCloseDialog)
        SetTimer(gAutoCloseDialog, AutoCloseTimerId, 1000, AutoCloseTick);
}

void NoteDialogActivity(UINT message)
{
    if (IsUserActivityMessage(message))
        ResetAutoCloseTimer();
}

void StartKeepInFrontTimer(HWND dialog)
{
    TDialogState& s = DialogState();
    s.OwnWindows.clear();
    EnumWindows(CollectOwnWindow, 0);
    s.KeepInFrontWindow = dialog;
    SetTimer(dialog, KeepInFrontTimerId, 10, KeepInFrontTick);
}

void StopKeepInFrontTimer(HWND dialog)
{
    KillTimer(dialog, KeepInFrontTimerId);
    DialogState().KeepInFrontWindow = nullptr;
}

void CenterWindowOnRect(HWND window, const RECT& rect)
{
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(window, nullptr, CentredOrigin(rect.left, rect.right - rect.left, w),
                 CentredOrigin(rect.top, rect.bottom - rect.top, h), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CenterWindowOnWorkArea(HWND window, int width, int height)
{
    const RECT work = ForegroundWorkArea();
    SetWindowPos(window, nullptr, CentredOrigin(work.left, work.right - work.left, width),
                 CentredOrigin(work.top, work.bottom - work.top, height), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WorkAreaOfWindow(HWND window)
{
    RECT work{};
    auto fromWindow = reinterpret_cast<TMonitorFromWindow>(reinterpret_cast<void*>(User32Function("MonitorFromWindow")));
    if (fromWindow && MonitorRects(fromWindow(window, MONITOR_DEFAULTTONEAREST), &work, nullptr))
        return work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

RECT ForegroundWorkArea()
{
    HWND front = GetForegroundWindow();
    return WorkAreaOfWindow(front ? front : GetDesktopWindow());
}

bool MonitorsSpanningRect(const RECT& rect, RECT& span)
{
    auto fromPoint = reinterpret_cast<TMonitorFromPoint>(reinterpret_cast<void*>(User32Function("MonitorFromPoint")));
    if (!fromPoint)
        return false;
    RECT first{}, second{};
    if (!MonitorRects(fromPoint(POINT{rect.left, rect.top}, MONITOR_DEFAULTTONEAREST), nullptr, &first) ||
        !MonitorRects(fromPoint(POINT{rect.right, rect.bottom}, MONITOR_DEFAULTTONEAREST), nullptr, &second))
        return false;
    span = RECT{first.left, first.top, second.right, second.bottom};
    return true;
}

int DialogTextHeight(HWND window, HFONT font, const std::string& text, int width)
{
    TWindowDC dc(window);
    TSelectGuard guard(dc.Get(), font);
    SIZE line{};
    GetTextExtentPoint32A(dc.Get(), "O", 1, &line);
    return WrappedTextHeight(text, width, line.cy, [&](const std::string& word) {
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), word.c_str(), static_cast<int>(word.size()), &size);
        return static_cast<int32_t>(size.cx);
    });
}

int DialogTextWidth(HWND window, HFONT font, const std::string& text)
{
    TWindowDC dc(window);
    TSelectGuard guard(dc.Get(), font);
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

std::string DialogControlText(HWND control)
{
    const LRESULT n = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    if (n <= 0)
        return "";
    std::string text(static_cast<size_t>(n) + 1, '\0');
    const LRESULT got = SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

bool EscapePressed()
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    return (keys[VK_ESCAPE] & 0x80) != 0;
}

HCURSOR LinkCursor()
{
    const TWindowsVersion& v = CurrentWindowsVersion();
    return LoadCursor(nullptr, MAKEINTRESOURCE(LinkCursorId(v.NT, v.Major, v.Minor)));
}
