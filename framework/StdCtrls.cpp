#include "framework/StdCtrls.h"

#include <algorithm>

#include <cstring>

#include "framework/ActnList.h"
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
    else if (ActionLink()) ActionLink()->Execute();  // a button linked to an action runs it
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
    if (MultiSelect) params.Style |= LBS_EXTENDEDSEL;
    switch (Style) {
        case lbStandard: break;
        case lbOwnerDrawFixed: params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS; break;
        case lbOwnerDrawVariable: params.Style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS; break;
        case lbVirtual:
        case lbVirtualOwnerDraw: params.Style |= LBS_OWNERDRAWFIXED | LBS_NODATA; break;
    }
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateHandleDone() {
    UseDialogFont(FHandle);
    UseHandleAsControlId(FHandle);
    SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, ItemHeight);
}

LRESULT TListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFOCUS && OnEnter) OnEnter(this);
    if (IsVirtual() && (msg == LB_GETTEXT || msg == LB_GETTEXTLEN)) {
        // A virtual list box holds no texts: the program gives them.
        std::string text;
        int index = static_cast<int>(wParam);
        if (!OnData || index < 0 || index >= Count()) return LB_ERR;
        OnData(this, index, text);
        if (msg == LB_GETTEXT) memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
        return static_cast<LRESULT>(text.size());
    }
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

void TListBox::SetCount(int count) { SendMessageA(Handle(), LB_SETCOUNT, static_cast<WPARAM>(count), 0); }
int TListBox::TopIndex() { return static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0)); }
void TListBox::SetTopIndex(int index) { SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0); }
bool TListBox::Selected(int index) { return SendMessageA(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0; }
void TListBox::SetSelected(int index, bool value) {
    if (MultiSelect) SendMessageA(Handle(), LB_SETSEL, value, index);
    else SendMessageA(Handle(), LB_SETCURSEL, value ? index : -1, 0);
}
LONG_PTR TListBox::ItemData(int index) {
    return static_cast<LONG_PTR>(SendMessageA(Handle(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}
void TListBox::SetItemData(int index, LONG_PTR data) {
    SendMessageA(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
}
void TListBox::DeleteString(int index) { SendMessageA(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

bool TListBox::Notified(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg == WM_MEASUREITEM) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        int height = ItemHeight;
        if (Style == lbOwnerDrawVariable) MeasureItem(static_cast<int>(m->itemID), height);
        m->itemHeight = static_cast<UINT>(std::max(1, height));
        result = TRUE;
        return true;
    }
    if (msg != WM_DRAWITEM) return false;
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (OnDrawItem) OnDrawItem(this, d->hDC, static_cast<int>(d->itemID), d->rcItem, d->itemState);
    else DrawItem(d->hDC, static_cast<int>(d->itemID), d->rcItem, d->itemState);
    result = TRUE;
    return true;
}

void TListBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TListBox::DrawItem(HDC dc, int index, RECT rect, UINT state) {
    bool selected = (state & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (index < 0 || index >= Count()) return;
    std::string text = Item(index);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    rect.left += 2;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
