#include "framework/ExtCtrls.h"

#include <windowsx.h>

#include "framework/ControlNotify.h"

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { FVisible = true; }

void TPanel::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
    if (Bevel == bvLowered) params.ExStyle |= WS_EX_STATICEDGE;
}

LRESULT TPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND || msg == WM_NOTIFY) {
        LRESULT result = 0;
        if (ReflectToControl(msg, wParam, lParam, result)) return result;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

TSplitter::TSplitter(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    FWidth = 4;
}

LRESULT TSplitter::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SETCURSOR:
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
            return TRUE;
        case WM_LBUTTONDOWN:
            FGrab = GET_X_LPARAM(lParam);
            SetCapture(FHandle);
            return 0;
        case WM_MOUSEMOVE:
            if (FGrab >= 0 && GetCapture() == FHandle) {
                int left = Left() + GET_X_LPARAM(lParam) - FGrab;
                if (left < MinLeft) left = MinLeft;
                if (OnMoved) OnMoved(left);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (FGrab >= 0 && GetCapture() == FHandle) ReleaseCapture();
            FGrab = -1;
            return 0;
        default:
            return TWinControl::WndProc(msg, wParam, lParam);
    }
}
