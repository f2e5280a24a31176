#include "framework/ScrollBox.h"

#include "framework/ControlNotify.h"

TScrollingWinControl::TScrollingWinControl(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    FWidth = 185;
    FHeight = 41;
}

void TScrollingWinControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

LRESULT TScrollingWinControl::WMSize(WPARAM wParam, LPARAM lParam) { return TWinControl::WndProc(WM_SIZE, wParam, lParam); }

LRESULT TScrollingWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE: return WMSize(wParam, lParam);
        case WM_COMMAND:
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (ReflectToControl(msg, wParam, lParam, result)) return result;
            return TWinControl::WndProc(msg, wParam, lParam);
        }
        default: return TWinControl::WndProc(msg, wParam, lParam);
    }
}

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {}

void TScrollBox::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}
