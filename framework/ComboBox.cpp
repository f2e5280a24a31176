#include "framework/ComboBox.h"

#include "framework/StdCtrls.h"

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    FWidth = 145;
    FHeight = 21;
}

// The window's height includes the open list.
void TComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "COMBOBOX";
    params.Style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    params.Height = FHeight + DropDownCount * 14 + 4;
}

void TComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    UseDialogFont(FHandle);
    FillWindow();
}

void TComboBox::FillWindow() {
    if (!FHandle) return;
    SendMessageA(FHandle, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : FItems) SendMessageA(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    FItems = items;
    if (FItemIndex >= ItemCount()) FItemIndex = -1;
    FillWindow();
}

std::string TComboBox::Item(int index) const {
    return index >= 0 && index < ItemCount() ? FItems[static_cast<size_t>(index)] : std::string();
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= ItemCount()) index = -1;
    FItemIndex = index;
    if (FHandle) SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TComboBox::Notified(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wParam) != CBN_SELCHANGE) return false;
    FItemIndex = static_cast<int>(SendMessageA(FHandle, CB_GETCURSEL, 0, 0));
    if (OnChange) OnChange(this);
    result = 0;
    return true;
}
