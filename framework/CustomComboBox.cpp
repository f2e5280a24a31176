#include "framework/CustomComboBox.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/StdCtrls.h"

namespace {
// Ties the edit and list windows to their combo box.
const char kComboProp[] = "TqComboBox";

void CheckInserted(LRESULT r) {
    if (r < 0) throw EOutOfResources("Unable to insert a line");
}
}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
    FVisible = true;
    FWidth = 145;
    FHeight = 21;
}

// The children give up the framework's procedure before the window goes:
// by then this object is no longer a combo box to call.
TCustomComboBox::~TCustomComboBox() { UnhookChildren(); }

void TCustomComboBox::UnhookChildren() {
    if (FEditHandle && IsWindow(FEditHandle)) {
        RemovePropA(FEditHandle, kComboProp);
        SetWindowLongPtrA(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditDefProc));
    }
    if (FListHandle && IsWindow(FListHandle)) {
        RemovePropA(FListHandle, kComboProp);
        if (FListDefProcWide) SetWindowLongPtrW(FListHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FListDefProc));
        else SetWindowLongPtrA(FListHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FListDefProc));
    }
    FEditHandle = FListHandle = nullptr;
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = "COMBOBOX";
    params.Style |= WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL;
    static const DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                    CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                    CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS};
    params.Style |= kStyles[FStyle];
    if (Sorted) params.Style |= CBS_SORT;
    if (CharCase == ecUpperCase) params.Style |= CBS_UPPERCASE;
    if (CharCase == ecLowerCase) params.Style |= CBS_LOWERCASE;
    // The window's height includes the open list, except where the list is
    // always shown and the height is the control's own.
    if (FStyle != csSimple) params.Height = FHeight + DropDownCount * ItemHeight + 4;
}

void TCustomComboBox::CreateHandleDone() {
    UseDialogFont(FHandle);
    UseHandleAsControlId(FHandle);
    // The window asked for the heights while it was made, before it could
    // be named; owner-drawn lists take the fixed height now.
    if (FStyle == csOwnerDrawFixed) SendMessageA(FHandle, CB_SETITEMHEIGHT, 0, ItemHeight);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    FEditHandle = FListHandle = nullptr;
    FListDefProcWide = false;
    if (GetComboBoxInfo(FHandle, &info)) {
        if (IsEditStyle() && info.hwndItem != FHandle) FEditHandle = info.hwndItem;
        FListHandle = info.hwndList;
    }
    if (FEditHandle) SubclassChild(FEditHandle, FEditDefProc);
    if (FListHandle) SubclassChild(FListHandle, FListDefProc);
    if (MaxLength > 0) SendMessageA(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(MaxLength), 0);
    // The items the last window had.
    std::string text = FCaption;
    for (const TSavedItem& item : FSavedItems) {
        LRESULT i = SendMessageA(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.Text.c_str()));
        if (i >= 0) SendMessageA(FHandle, CB_SETITEMDATA, static_cast<WPARAM>(i), item.Data);
    }
    FSavedItems.clear();
    if (FSavedItemIndex != -1) SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FSavedItemIndex), 0);
    FSavedItemIndex = -1;
    if (IsEditStyle()) SetWindowTextA(FHandle, text.c_str());
}

void TCustomComboBox::SubclassChild(HWND child, WNDPROC& defProc) {
    SetPropA(child, kComboProp, this);
    defProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomComboBox::ChildWndProc)));
}

LRESULT CALLBACK TCustomComboBox::ChildWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TCustomComboBox*>(GetPropA(hwnd, kComboProp));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    WNDPROC prev = hwnd == self->FEditHandle ? self->FEditDefProc : self->FListDefProc;
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kComboProp);
        if (hwnd == self->FEditHandle) self->FEditHandle = nullptr;
        if (hwnd == self->FListHandle) self->FListHandle = nullptr;
        return IsWindowUnicode(hwnd) ? CallWindowProcW(prev, hwnd, msg, wParam, lParam)
                                     : CallWindowProcA(prev, hwnd, msg, wParam, lParam);
    }
    try {
        return self->ComboWndProc(msg, wParam, lParam, hwnd, prev);
    } catch (...) {
        Application->HandleException(self);
        return 0;
    }
}

// The framework's keys on the children: the key events, and Enter or Esc
// close a dropped-down list instead of reaching the edit part.
LRESULT TCustomComboBox::ComboWndProc(UINT msg, WPARAM wParam, LPARAM lParam, HWND child, WNDPROC childProc) {
    switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            WORD key = static_cast<WORD>(wParam);
            KeyDown(key, KeyboardShiftState());
            if (key == 0) return 0;
            wParam = key;
            break;
        }
        case WM_CHAR: {
            char key = static_cast<char>(wParam);
            KeyPress(key);
            if (key == 0) return 0;
            if ((key == '\r' || key == '\x1b') && DroppedDown()) {
                SetDroppedDown(false);
                return 0;
            }
            if (key != static_cast<char>(wParam)) wParam = static_cast<unsigned char>(key);
            break;
        }
    }
    return CallWindowProcA(childProc, child, msg, wParam, lParam);
}

LRESULT TCustomComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_DESTROY) return TWinControl::WndProc(msg, wParam, lParam);
    if (!Destroying() && !FSavedItems.size()) {
        // The items and the choice outlive the window when it is made again.
        int n = static_cast<int>(SendMessageA(FHandle, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) FSavedItems.push_back({Item(i), ItemData(i)});
        FSavedItemIndex = static_cast<int>(SendMessageA(FHandle, CB_GETCURSEL, 0, 0));
        FCaption = Caption();
    }
    // No child keeps a way back to this object; the system procedure frees
    // the drop-down list (a window of its own) when it sees the last message.
    UnhookChildren();
    return TWinControl::WndProc(msg, wParam, lParam);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    RecreateWnd();
}

int TCustomComboBox::Count() { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }

std::string TCustomComboBox::Item(int index) {
    LRESULT n = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == CB_ERR) throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = SendMessageA(FHandle, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return s;
}

int TCustomComboBox::Add(const std::string& item) {
    LRESULT r = SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    CheckInserted(r);
    return static_cast<int>(r);
}

void TCustomComboBox::Insert(int index, const std::string& item) {
    CheckInserted(SendMessageA(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str())));
}

void TCustomComboBox::Delete(int index) { SendMessageA(Handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0); }

// The text of the edit part stays.
void TCustomComboBox::ClearItems() {
    std::string text = Text();
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    if (IsEditStyle()) SetWindowTextA(FHandle, text.c_str());
}

int TCustomComboBox::IndexOf(const std::string& item) {
    return static_cast<int>(
        SendMessageA(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str())));
}

LONG_PTR TCustomComboBox::ItemData(int index) {
    return SendMessageA(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

void TCustomComboBox::SetItemData(int index, LONG_PTR data) {
    SendMessageA(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

int TCustomComboBox::ItemIndex() { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }

void TCustomComboBox::SetItemIndex(int index) {
    if (ItemIndex() != index) SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TCustomComboBox::DroppedDown() { return SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::SetDroppedDown(bool value) { SendMessageA(Handle(), CB_SHOWDROPDOWN, value, 0); }

int TCustomComboBox::SelStart() {
    DWORD start = 0;
    SendMessageA(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TCustomComboBox::SetSelStart(int value) {
    SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(value, value));
}

int TCustomComboBox::SelLength() {
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomComboBox::SetSelLength(int value) {
    int start = SelStart();
    SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start + value));
}

std::string TCustomComboBox::SelText() {
    std::string text = Text();
    size_t start = static_cast<size_t>(SelStart());
    return start > text.size() ? std::string() : text.substr(start, static_cast<size_t>(SelLength()));
}

void TCustomComboBox::SetSelText(const std::string& value) {
    Handle();
    if (FEditHandle) SendMessageA(FEditHandle, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
    else Change();
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

bool TCustomComboBox::CNCommand(WORD code) {
    switch (code) {
        case CBN_SELCHANGE:
            // The edit part shows the chosen item before the events run.
            if (int i = ItemIndex(); i >= 0 && IsEditStyle()) SetWindowTextA(FHandle, Item(i).c_str());
            Click();
            Select();
            return true;
        case CBN_EDITCHANGE: Change(); return true;
        case CBN_DROPDOWN:
            if (OnDropDown) OnDropDown(this);
            return true;
        case CBN_CLOSEUP:
            if (OnCloseUp) OnCloseUp(this);
            return true;
    }
    return false;
}

bool TCustomComboBox::Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (msg == WM_COMMAND) return CNCommand(HIWORD(wParam));
    if (msg == WM_MEASUREITEM) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        int height = ItemHeight;
        if (FStyle == csOwnerDrawVariable) MeasureItem(static_cast<int>(m->itemID), height);
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

void TCustomComboBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomComboBox::DrawItem(HDC dc, int index, RECT rect, UINT state) {
    bool selected = (state & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (index < 0 || index >= Count()) return;
    std::string text = Item(index);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    TextOutA(dc, rect.left + 2, rect.top, text.c_str(), static_cast<int>(text.size()));
}
