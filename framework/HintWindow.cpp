#include "framework/HintWindow.h"

#include <memory>

#include "framework/HintTimer.h"
#include "framework/Menus.h"

bool THintWindowClassInfo::InheritsFrom(const THintWindowClassInfo* other) const {
    for (const THintWindowClassInfo* c = this; c; c = c->Parent)
        if (c == other) return true;
    return false;
}

const THintWindowClassInfo THintWindow::ClassInfo{"THintWindow", nullptr,
                                                  [](TComponent* owner) { return new THintWindow(owner); }};
THintWindowClass HintWindowClass = &THintWindow::ClassInfo;

// Where hint windows are, the application's loop times them.
[[maybe_unused]] static const bool g_hintTimerInstalled = InstallHintTimer();

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    FVisible = false;
    Color = SysColor(COLOR_INFOBK);
}

void THintWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.WndParent = nullptr;
}

void THintWindow::Paint() {
    RECT r;
    GetClientRect(FHandle, &r);
    r.left += 2;
    r.top += 2;
    HDC dc = Canvas().Handle();
    TSelectGuard font(dc, Font.Handle());
    Canvas().BrushColor = Color;
    Canvas().FillRect(TRect{0, 0, ClientWidth(), ClientHeight()});
    std::string text = Caption();
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), -1, &r, DrawTextBiDiModeFlags(DT_LEFT | DT_NOPREFIX | DT_WORDBREAK));
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void*) {
    TCanvasScope scope(*this);
    RECT r{0, 0, maxWidth, 0};
    DrawTextA(Canvas().Handle(), hint.c_str(), -1, &r,
              DrawTextBiDiModeFlags(DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX));
    r.right += 6;
    r.bottom += 2;
    return r;
}

void THintWindow::ActivateHint(RECT rect, const std::string& hint) {
    SetCaption(hint);
    HWND h = Handle();
    SetWindowPos(h, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FVisible = true;
    Invalidate();
}

void THintWindow::ActivateHintData(RECT rect, const std::string& hint, void*) { ActivateHint(rect, hint); }

LRESULT THintWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    if (msg == WM_SETTEXT) {
        LRESULT r = TCustomControl::WndProc(msg, wParam, lParam);
        Perform(CM_TEXTCHANGED, 0, 0);
        return r;
    }
    return TCustomControl::WndProc(msg, wParam, lParam);
}

namespace {
std::unique_ptr<THintWindow> g_hint;
}  // namespace

THintWindow* CurrentHintWindow() { return g_hint && g_hint->Visible() ? g_hint.get() : nullptr; }

void CancelHintWindow() {
    if (g_hint) g_hint->Hide();
}

THintWindow* ActivateHintAt(POINT cursorPos) {
    CancelHintWindow();
    TWinControl* control = TWinControl::FromHandle(WindowFromPoint(cursorPos));
    if (!control) return nullptr;
    THintInfo info;
    info.HintControl = control;
    info.HintWindowClass = HintWindowClass;
    info.HintPos = POINT{cursorPos.x, cursorPos.y + GetSystemMetrics(SM_CYCURSOR) / 2};
    info.HintMaxWidth = GetSystemMetrics(SM_CXSCREEN);
    info.HintColor = SysColor(COLOR_INFOBK);
    GetClientRect(control->Handle(), &info.CursorRect);
    info.CursorPos = cursorPos;
    ScreenToClient(control->Handle(), &info.CursorPos);
    info.HintStr = GetShortHint(control->Hint);
    if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0 || info.HintStr.empty()) return nullptr;
    if (!g_hint || g_hint->HintClass() != info.HintWindowClass) g_hint.reset(info.HintWindowClass->Create(nullptr));
    g_hint->Color = info.HintColor;
    RECT r = g_hint->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(&r, info.HintPos.x, info.HintPos.y);
    g_hint->ActivateHintData(r, info.HintStr, info.HintData);
    return g_hint.get();
}
