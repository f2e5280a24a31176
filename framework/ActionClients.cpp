#include "framework/ActionClients.h"

#include <commctrl.h>

TToolButton::TToolButton(TComponent* owner) : TCustomControl(owner) {
    FWidth = 23;
    FHeight = 22;
}

void TToolButton::Paint() {
    RECT r;
    GetClientRect(FHandle, &r);
    HDC dc = Canvas().Handle();
    TSelectGuard font(dc, Font.Handle());
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    std::string caption = Caption();
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

TActionLinkClass TToolButton::GetActionLinkClass() { return &TToolButtonActionLink::Make; }

void TToolButtonActionLink::SetImageIndex(int value) {
    if (!IsImageIndexLinked()) return;
    if (auto* button = dynamic_cast<TToolButton*>(FClient)) {
        button->ImageIndex = value;
        button->Invalidate();
    }
}

TComboBoxEx::TComboBoxEx(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    FWidth = 145;
    FHeight = 150;
}

void TComboBoxEx::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_COMBOBOXEXA;
    params.Style |= WS_TABSTOP | CBS_DROPDOWN;
}

TActionLinkClass TComboBoxEx::GetActionLinkClass() { return &TComboBoxExActionLink::Make; }
