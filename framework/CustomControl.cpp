#include "framework/CustomControl.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) { FVisible = true; }

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
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (TabStop && GetFocus() != FHandle) ::SetFocus(FHandle);
            return TWinControl::WndProc(msg, wParam, lParam);
        default:
            return TWinControl::WndProc(msg, wParam, lParam);
    }
}
