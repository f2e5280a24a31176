#include "framework/ScrollBar.h"

#include <algorithm>

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    FWidth = 121;
    FHeight = GetSystemMetrics(SM_CYHSCROLL);
}

void TScrollBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "SCROLLBAR";
    params.Style |= Kind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
    TWinControl::CreateWnd();
    SetScrollRange(FHandle, SB_CTL, FMin, FMax, FALSE);
    SetScrollPos(FHandle, SB_CTL, FPosition, TRUE);
}

void TScrollBar::SetParams(int position, int min, int max) {
    FMin = min;
    FMax = std::max(min, max);
    FPosition = std::clamp(position, FMin, FMax);
    if (FHandle) {
        SetScrollRange(FHandle, SB_CTL, FMin, FMax, FALSE);
        SetScrollPos(FHandle, SB_CTL, FPosition, TRUE);
    }
}
