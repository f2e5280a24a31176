#include "framework/ProgressBar.h"

#include <commctrl.h>

#include <algorithm>

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    FWidth = 150;
    FHeight = 16;
}

void TProgressBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = PROGRESS_CLASSA;
}

void TProgressBar::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), static_cast<LPARAM>(FMax));
    SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetRange(int min, int max) {
    FMin = min;
    FMax = std::max(min, max);
    FPosition = std::clamp(FPosition, FMin, FMax);
    if (FHandle) SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), static_cast<LPARAM>(FMax));
}

void TProgressBar::SetPosition(int value) {
    FPosition = std::clamp(value, FMin, FMax);
    if (FHandle) SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}
