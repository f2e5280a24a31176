#include "framework/ButtonCtrls.h"

#include "framework/StdCtrls.h"

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    FWidth = 113;
    FHeight = 17;
}

void TButtonControl::CreateHandleDone() { UseDialogFont(FHandle); }

TActionLinkClass TButtonControl::GetActionLinkClass() { return &TButtonActionLink::Make; }

void TButtonActionLink::SetChecked(bool value) {
    if (IsCheckedLinked())
        if (auto* button = dynamic_cast<TButtonControl*>(FClient)) button->SetChecked(value);
}

bool TButtonControl::Notified(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND) return false;
    CNCommand(HIWORD(wParam));
    result = 0;
    return true;
}

void TButtonControl::CNCommand(WORD code) {
    if (code == BN_CLICKED && OnClick) OnClick(this);
}

// ---- check box ----

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {}

void TCustomCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.SystemClassName = "BUTTON";
    params.Style |= WS_TABSTOP | BS_3STATE | (Alignment == taLeftJustify ? BS_LEFTTEXT : 0) | (WordWrap ? BS_MULTILINE : 0);
}

void TCustomCheckBox::CreateWnd() {
    TButtonControl::CreateWnd();
    SendMessageA(FHandle, BM_SETCHECK, FState, 0);
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == FState) return;
    FState = value;
    if (FHandle) SendMessageA(FHandle, BM_SETCHECK, value, 0);
    if (OnClick) OnClick(this);
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
        case cbUnchecked: SetState(AllowGrayed ? cbGrayed : cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
        case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::CNCommand(WORD code) {
    if (code == BN_CLICKED) Toggle();
}

// ---- radio button ----

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {}

void TRadioButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.SystemClassName = "BUTTON";
    params.Style |= BS_RADIOBUTTON | (WordWrap ? BS_MULTILINE : 0);
}

void TRadioButton::CreateWnd() {
    TButtonControl::CreateWnd();
    SendMessageA(FHandle, BM_SETCHECK, FChecked, 0);
}

void TRadioButton::SetChecked(bool value) {
    if (value == FChecked) return;
    FChecked = value;
    if (FHandle) {
        SendMessageA(FHandle, BM_SETCHECK, value, 0);
        // Only a checked radio button is a tab stop of its group.
        LONG style = GetWindowLongA(FHandle, GWL_STYLE);
        SetWindowLongA(FHandle, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
    if (!value) return;
    if (FParent && FParent->HandleAllocated()) {
        for (HWND h = GetWindow(FParent->Handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            if (auto* other = dynamic_cast<TRadioButton*>(FromHandle(h)); other && other != this)
                other->SetChecked(false);
    }
    if (OnClick) OnClick(this);
}

void TRadioButton::CNCommand(WORD code) {
    if (code == BN_CLICKED) SetChecked(true);
    else if (code == BN_DOUBLECLICKED && OnDblClick) OnDblClick(this);
}
