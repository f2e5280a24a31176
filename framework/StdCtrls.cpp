#include "framework/StdCtrls.h"

#include "framework/ButtonCtrls.h"

void UseDialogFont(HWND control) { SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE); }

TLabel::TLabel(TComponent* owner) : TWinControl(owner) { FVisible = true; }

void TLabel::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "STATIC";
    params.Style |= SS_NOPREFIX | (Alignment == taCenter ? SS_CENTER : Alignment == taRightJustify ? SS_RIGHT : SS_LEFT);
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) { FVisible = true; }

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "EDIT";
    params.Style |= WS_TABSTOP | ES_AUTOHSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

LRESULT TEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFOCUS && OnEnter) OnEnter(this);
    return TWinControl::WndProc(msg, wParam, lParam);
}

TButton::TButton(TComponent* owner) : TWinControl(owner) { FVisible = true; }

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "BUTTON";
    params.Style |= WS_TABSTOP | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

TActionLinkClass TButton::GetActionLinkClass() { return &TButtonActionLink::Make; }

void TButton::SetDefault(bool value) {
    FDefault = value;
    if (FHandle) SendMessageA(FHandle, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::DoClick() {
    if (OnClick) OnClick(this);
}

bool TButton::Notified(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    DoClick();
    result = 0;
    return true;
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner) { FVisible = true; }

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "LISTBOX";
    params.Style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateHandleDone() {
    UseDialogFont(FHandle);
    SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, ItemHeight);
}

LRESULT TListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFOCUS && OnEnter) OnEnter(this);
    return TWinControl::WndProc(msg, wParam, lParam);
}

int TListBox::Add(const std::string& item) {
    return static_cast<int>(SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
}
void TListBox::Clear() { SendMessageA(Handle(), LB_RESETCONTENT, 0, 0); }
int TListBox::Count() { return static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0)); }

std::string TListBox::Item(int index) {
    LRESULT n = SendMessageA(Handle(), LB_GETTEXTLEN, index, 0);
    if (n == LB_ERR) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = SendMessageA(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(s.data()));
    s.resize(n == LB_ERR ? 0 : static_cast<size_t>(n));
    return s;
}

int TListBox::ItemIndex() { return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)); }
void TListBox::SetItemIndex(int index) { SendMessageA(Handle(), LB_SETCURSEL, index, 0); }
