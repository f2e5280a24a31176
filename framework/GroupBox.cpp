#include "framework/GroupBox.h"

#include "framework/ControlNotify.h"
#include "framework/CustomLabel.h"

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    FWidth = 185;
    FHeight = 105;
}

void TCustomGroupBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void FrameRectColour(HDC dc, const RECT& rect, TColor colour) {
    HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

void TCustomGroupBox::Paint() {
    HDC dc = Canvas().Handle();
    TSelectGuard font(dc, Font.Handle());
    std::string caption = Caption();
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    int h = tm.tmHeight;
    RECT r;
    GetClientRect(FHandle, &r);
    r.top = h / 2 - 1;
    if (Ctl3D) {
        ++r.left;
        ++r.top;
        FrameRectColour(dc, r, SysColor(COLOR_BTNHIGHLIGHT));
        OffsetRect(&r, -1, -1);
        FrameRectColour(dc, r, SysColor(COLOR_BTNSHADOW));
    } else {
        FrameRectColour(dc, r, SysColor(COLOR_WINDOWFRAME));
    }
    if (caption.empty()) return;
    SIZE size{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    RECT text{8, 0, 0, h};
    if (UseRightToLeftAlignment()) text.left = r.right - size.cx - 8;
    UINT flags = DrawTextBiDiModeFlags(DT_SINGLELINE);
    DrawTextA(dc, caption.c_str(), -1, &text, flags | DT_CALCRECT);
    HBRUSH brush = CreateSolidBrush(ToColorRef(Color));
    FillRect(dc, &text, brush);
    DeleteObject(brush);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, caption.c_str(), -1, &text, flags);
    SetBkMode(dc, oldMode);
}

void TCustomGroupBox::SelectFirst() {
    for (HWND h = GetWindow(FHandle, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (IsWindowEnabled(h) && IsWindowVisible(h) && (GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP)) {
            ::SetFocus(h);
            return;
        }
}

bool TCustomGroupBox::CMDialogChar(WPARAM charCode) {
    if (IsAccel(charCode, Caption()) && Enabled() && IsWindowVisible(FHandle)) {
        SelectFirst();
        return true;
    }
    return false;
}

LRESULT TCustomGroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case CM_DIALOGCHAR: return CMDialogChar(wParam) ? 1 : Broadcast(msg, wParam, lParam);
        case WM_COMMAND:
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (ReflectToControl(msg, wParam, lParam, result)) return result;
            return TCustomControl::WndProc(msg, wParam, lParam);
        }
        case WM_SETTEXT: {
            LRESULT r = TCustomControl::WndProc(msg, wParam, lParam);
            Invalidate();
            return r;
        }
        default: return TCustomControl::WndProc(msg, wParam, lParam);
    }
}
