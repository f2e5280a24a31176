#include "editor/unicode/UvxListBox.h"

#include <cstring>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxHintWindow.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"
#include "framework/WinText.h"

namespace {
// Undoes what a scope started, also when it fails.
struct TMovingScope {
    TListBox* ListBox;
    explicit TMovingScope(TListBox* listBox) : ListBox(listBox) { ListBox->Moving = true; }
    ~TMovingScope() { ListBox->Moving = false; }
};

std::u16string CutAtNul(const std::u16string& s) { return s.substr(0, s.find(u'\0')); }
}  // namespace

// ---- the items ----

bool TUvxListBoxStrings::Wide() const { return FListBox->HandleAllocated() && IsWindowUnicode(FListBox->Handle()); }

int TUvxListBoxStrings::Count() const { return FListBox->Count(); }

std::u16string TUvxListBoxStrings::Get(int index) const {
    if (!Wide()) return AnsiToWideSys(FListBox->Item(index));
    HWND h = FListBox->Handle();
    LRESULT n = SendMessageW(h, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == LB_ERR) throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
    std::wstring buffer(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(h, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (n == LB_ERR) return {};
    return CutAtNul(U16(buffer.c_str(), static_cast<size_t>(n)));
}

TObject* TUvxListBoxStrings::GetObject(int index) const {
    return reinterpret_cast<TObject*>(FListBox->ItemData(index));
}

void TUvxListBoxStrings::PutObject(int index, TObject* obj) {
    FListBox->SetItemData(index, reinterpret_cast<LONG_PTR>(obj));
}

void TUvxListBoxStrings::SetUpdateState(bool updating) {
    SendMessageA(FListBox->Handle(), WM_SETREDRAW, !updating, 0);
    if (!updating) FListBox->Invalidate();
}

int TUvxListBoxStrings::Add(const std::u16string& s) {
    if (!Wide()) return FListBox->Add(WideToAnsiSys(s));
    LRESULT r = SendMessageW(FListBox->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WC(s)));
    if (r < 0) throw EOutOfResources("Unable to insert a line");
    return static_cast<int>(r);
}

void TUvxListBoxStrings::Insert(int index, const std::u16string& s) {
    LRESULT r;
    if (Wide()) {
        r = SendMessageW(FListBox->Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(WC(s)));
    } else {
        std::string ansi = WideToAnsiSys(s);
        r = SendMessageA(FListBox->Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(ansi.c_str()));
    }
    if (r < 0) throw EOutOfResources("Unable to insert a line");
}

int TUvxListBoxStrings::IndexOf(const std::u16string& s) const {
    if (Wide())
        return static_cast<int>(
            SendMessageW(FListBox->Handle(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(WC(s))));
    std::string ansi = WideToAnsiSys(s);
    for (int i = 0; i < FListBox->Count(); ++i)
        if (SameText(FListBox->Item(i), ansi)) return i;
    return -1;
}

void TUvxListBoxStrings::Delete(int index) { FListBox->DeleteString(index); }
void TUvxListBoxStrings::Clear() { FListBox->ResetContent(); }

// The item index and the item's data value stay with the place.
void TUvxListBoxStrings::Put(int index, const std::u16string& s) {
    int selected = FListBox->ItemIndex();
    LONG_PTR data = FListBox->ItemData(index);
    FListBox->SetItemData(index, 0);
    Delete(index);
    InsertObject(index, s, nullptr);
    FListBox->SetItemData(index, data);
    FListBox->SetItemIndex(selected);
}

void TUvxListBoxStrings::Exchange(int a, int b) {
    UpdateScope update(*this);
    int selected = FListBox->ItemIndex();
    std::u16string text = Get(a);
    LONG_PTR data = FListBox->ItemData(a);
    Put(a, Get(b));
    FListBox->SetItemData(a, FListBox->ItemData(b));
    Put(b, text);
    FListBox->SetItemData(b, data);
    if (selected == a) FListBox->SetItemIndex(b);
    else if (selected == b) FListBox->SetItemIndex(a);
}

void TUvxListBoxStrings::Move(int from, int to) {
    if (from == to) return;
    UpdateScope update(*this);
    TMovingScope moving(FListBox);
    int selected = FListBox->ItemIndex();
    std::u16string text = Get(from);
    LONG_PTR data = FListBox->ItemData(from);
    FListBox->SetItemData(from, 0);
    Delete(from);
    Insert(to, text);
    FListBox->SetItemData(to, data);
    // The window moves the selection of other items by itself; the moved
    // item's own selection would be lost with it.
    if (selected == from) FListBox->SetItemIndex(to);
}

// ---- shared routines ----

void UvxListBox_BeforeInherited_DestroyWnd(TListBox* listBox, std::unique_ptr<TUvxStrings>& saved, int& savedTop,
                                           int& savedIndex, TWideStrings& items) {
    if (listBox->IsVirtual() || items.Count() == 0) return;
    auto copy = std::make_unique<TUvxStringList>();
    copy->Assign(&items);
    saved = std::move(copy);
    savedTop = listBox->TopIndex();
    savedIndex = listBox->ItemIndex();
    listBox->ResetContent();
}

void UvxListBox_AfterInherited_CreateWnd(TListBox* listBox, std::unique_ptr<TUvxStrings>& saved, int savedTop,
                                         int savedIndex, TWideStrings& items) {
    if (!saved) return;
    items.Assign(saved.get());
    saved.reset();
    listBox->SetTopIndex(savedTop);
    listBox->SetItemIndex(savedIndex);
}

namespace {
// The item's rectangle filled with the brush of the device context and, when
// there is one, the text drawn in it.
void DrawItemText(HDC dc, RECT rect, const std::u16string* text) {
    FillRect(dc, &rect, reinterpret_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    if (!text) return;
    // The framework's list box has no right-to-left mode: the text starts 2 pixels in.
    rect.left += 2;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    Uvx_DrawTextW(dc, WC(*text), static_cast<int>(text->size()), &rect, flags);
}
}  // namespace

void UvxListBox_DrawItem_Text(TListBox*, TWideStrings& items, HDC dc, int index, RECT rect) {
    if (index >= items.Count()) {
        DrawItemText(dc, rect, nullptr);
        return;
    }
    const std::u16string text = items.Get(index);
    DrawItemText(dc, rect, &text);
}

void UvxListBox_AddItem(TWideStrings& items, const std::u16string& item, TObject* object) {
    items.AddObject(CutAtNul(item), object);
}

void UvxListBox_CopySelection(TListBox* listBox, TWideStrings& items, TListBox* destination) {
    if (listBox->MultiSelect) {
        for (int i = 0; i < items.Count(); ++i)
            if (listBox->Selected(i)) WideListControl_AddItem(destination, CutAtNul(items.Get(i)), items.GetObject(i));
    } else if (int i = listBox->ItemIndex(); i != -1) {
        WideListControl_AddItem(destination, CutAtNul(items.Get(i)), items.GetObject(i));
    }
}

bool UvxListBox_GetVirtualItemText(TListBox* listBox, int index, const TWideLBGetDataEvent& onData,
                                   std::u16string& text) {
    text.clear();
    if (index < 0 || index >= listBox->Count()) return false;
    if (onData) {
        onData(listBox, index, text);
        return true;
    }
    if (listBox->OnData) {
        std::string ansi;
        listBox->OnData(listBox, index, ansi);
        text = AnsiToWideSys(ansi);
        return true;
    }
    return false;
}

namespace {
// The virtual text as LB_GETTEXT copies it: wide, or its 8-bit conversion.
bool VirtualText(TListBox* listBox, WPARAM wParam, LPARAM lParam, const TWideLBGetDataEvent& onData, bool copy,
                 LRESULT& result) {
    if (!listBox->IsVirtual()) return false;
    std::u16string text;
    if (!UvxListBox_GetVirtualItemText(listBox, static_cast<int>(wParam), onData, text)) {
        result = LB_ERR;
        return true;
    }
    if (Win32PlatformIsUnicode) {
        if (copy) memcpy(reinterpret_cast<void*>(lParam), text.c_str(), (text.size() + 1) * sizeof(char16_t));
        result = static_cast<LRESULT>(text.size());
    } else {
        std::string ansi = WideToAnsiSys(text);
        if (copy) memcpy(reinterpret_cast<void*>(lParam), ansi.c_str(), ansi.size() + 1);
        result = static_cast<LRESULT>(ansi.size());
    }
    return true;
}
}  // namespace

bool UvxCustomListBox_LBGetText(TListBox* listBox, WPARAM wParam, LPARAM lParam, const TWideLBGetDataEvent& onData,
                                LRESULT& result) {
    return VirtualText(listBox, wParam, lParam, onData, true, result);
}

bool UvxCustomListBox_LBGetTextLen(TListBox* listBox, WPARAM wParam, const TWideLBGetDataEvent& onData,
                                   LRESULT& result) {
    return VirtualText(listBox, wParam, 0, onData, false, result);
}

// ---- the list box ----

TUvxCustomListBox::TUvxCustomListBox(TComponent* owner)
    : TUvxWideControl<TListBox>(owner), FItems(std::make_unique<TUvxListBoxStrings>(this)) {}

TUvxCustomListBox::~TUvxCustomListBox() {
    FSavedItems.reset();
}

void TUvxCustomListBox::CreateWindowHandle(const TCreateParams& params) { CreateUnicodeHandle(this, params, u"LISTBOX"); }

void TUvxCustomListBox::CreateHandleDone() {
    TListBox::CreateHandleDone();
    UvxListBox_AfterInherited_CreateWnd(this, FSavedItems, FSavedTopIndex, FSavedItemIndex, *FItems);
}

void TUvxCustomListBox::AddItem(const std::u16string& item, TObject* object) { UvxListBox_AddItem(*FItems, item, object); }

void TUvxCustomListBox::CopySelection(TListBox* destination) { UvxListBox_CopySelection(this, *FItems, destination); }

void TUvxCustomListBox::DrawItem(HDC dc, int index, RECT rect, UINT state) {
    bool selected = (state & ODS_SELECTED) != 0;
    HGDIOBJ old = SelectObject(dc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    if (IsVirtual()) {
        // A virtual item's text comes from the data events, for this item alone.
        std::u16string text;
        bool known = UvxListBox_GetVirtualItemText(this, index, OnData, text);
        DrawItemText(dc, rect, known ? &text : nullptr);
    } else {
        UvxListBox_DrawItem_Text(this, *FItems, dc, index, rect);
    }
    SelectObject(dc, old);
}

LRESULT TUvxCustomListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (msg) {
        case LB_GETTEXT:
            if (UvxCustomListBox_LBGetText(this, wParam, lParam, OnData, result)) return result;
            break;
        case LB_GETTEXTLEN:
            if (UvxCustomListBox_LBGetTextLen(this, wParam, OnData, result)) return result;
            break;
        case WM_DESTROY:
            // The items outlive the window when it is made again.
            if (!Destroying())
                UvxListBox_BeforeInherited_DestroyWnd(this, FSavedItems, FSavedTopIndex, FSavedItemIndex, *FItems);
            break;
        case CM_HINTSHOW: ProcessCMHintShowMsg(lParam); break;
    }
    return TUvxWideControl<TListBox>::WndProc(msg, wParam, lParam);
}
