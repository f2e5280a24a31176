#include "framework/CustomControl.h"

TFontData DefFontData = {"MS Sans Serif"};

TColor SysColor(int index) { return static_cast<TColor>(GetSysColor(index)); }

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), Color(SysColor(COLOR_BTNFACE)) {
    FVisible = true;
}

UINT TCustomControl::DrawTextBiDiModeFlags(UINT flags) const {
    if (UseRightToLeftAlignment()) {
        if ((flags & (DT_CENTER | DT_RIGHT)) == DT_RIGHT) flags &= ~static_cast<UINT>(DT_RIGHT);
        else if ((flags & (DT_CENTER | DT_RIGHT)) == 0) flags |= DT_RIGHT;
    }
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    return flags;
}

int TCustomControl::FontHeight() {
    TCanvasScope scope(*this);
    TEXTMETRICA tm{};
    GetTextMetricsA(FCanvas.Handle(), &tm);
    return tm.tmHeight;
}

void TCustomControl::FontChanged() {
    Perform(CM_FONTCHANGED, 0, 0);
    Invalidate();
}

TCustomControl::TCanvasScope::TCanvasScope(TCustomControl& control) : FControl(control) {
    if (control.FCanvas.HandleAllocated()) return;
    FOwn = true;
    FWindow = control.FHandle;
    FDC = GetDC(FWindow);
    FOldFont = SelectObject(FDC, control.Font.Handle());
    control.FCanvas.SetHandle(FDC);
}

TCustomControl::TCanvasScope::~TCanvasScope() {
    if (!FOwn) return;
    SelectObject(FDC, FOldFont);
    ReleaseDC(FWindow, FDC);
    FControl.FCanvas.SetHandle(nullptr);
}

void TCustomControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    if (TabStop) params.Style |= WS_TABSTOP;
}

LRESULT TCustomControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(FHandle, &ps);
            FCanvas.SetHandle(dc);
            try {
                Paint();
            } catch (...) {
                FCanvas.SetHandle(nullptr);
                EndPaint(FHandle, &ps);
                throw;
            }
            FCanvas.SetHandle(nullptr);
            EndPaint(FHandle, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            if (Opaque) return 1;
            return TWinControl::WndProc(msg, wParam, lParam);
        case WM_ENABLE: {
            LRESULT r = TWinControl::WndProc(msg, wParam, lParam);
            Perform(CM_ENABLEDCHANGED, 0, 0);
            Invalidate();
            return r;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (TabStop && GetFocus() != FHandle) ::SetFocus(FHandle);
            return TWinControl::WndProc(msg, wParam, lParam);
        default:
            return TWinControl::WndProc(msg, wParam, lParam);
    }
}
