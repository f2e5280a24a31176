#include "editor/unicode/UvxComboBox.h"

#include "editor/unicode/UvxCharMessages.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxEditSelection.h"
#include "editor/unicode/UvxHintWindow.h"
#include "editor/unicode/UvxSysUtils.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/StdCtrls.h"
#include "framework/WinText.h"

namespace {
bool HasWideWindow(const TCustomComboBox* combo) {
    auto* c = const_cast<TCustomComboBox*>(combo);
    return c->HandleAllocated() && IsWindowUnicode(c->Handle());
}

std::u16string CutAtNul(const std::u16string& s) { return s.substr(0, s.find(u'\0')); }

void CheckInserted(LRESULT r) {
    if (r < 0) throw EOutOfResources("Unable to insert a line");
}
}  // namespace

// ---- the items ----

bool TUvxComboBoxStrings::Wide() const { return HasWideWindow(FComboBox); }

int TUvxComboBoxStrings::Count() const { return FComboBox->Count(); }

// No index error: an item that is not there reads as empty.
std::u16string TUvxComboBoxStrings::Get(int index) const {
    if (!Wide()) {
        LRESULT n = SendMessageA(FComboBox->Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        return n == CB_ERR ? std::u16string() : AnsiToWideSys(FComboBox->Item(index));
    }
    HWND h = FComboBox->Handle();
    LRESULT n = SendMessageW(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == CB_ERR) return {};
    std::wstring buffer(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(h, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (n == CB_ERR) return {};
    return CutAtNul(U16(buffer.c_str(), static_cast<size_t>(n)));
}

TObject* TUvxComboBoxStrings::GetObject(int index) const {
    return reinterpret_cast<TObject*>(FComboBox->ItemData(index));
}

void TUvxComboBoxStrings::PutObject(int index, TObject* obj) {
    FComboBox->SetItemData(index, reinterpret_cast<LONG_PTR>(obj));
}

void TUvxComboBoxStrings::SetUpdateState(bool updating) {
    SendMessageA(FComboBox->Handle(), WM_SETREDRAW, !updating, 0);
    if (!updating) FComboBox->Invalidate();
}

int TUvxComboBoxStrings::Add(const std::u16string& s) {
    if (!Wide()) return FComboBox->Add(WideToAnsiSys(s));
    LRESULT r = SendMessageW(FComboBox->Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WC(s)));
    CheckInserted(r);
    return static_cast<int>(r);
}

void TUvxComboBoxStrings::Insert(int index, const std::u16string& s) {
    if (!Wide()) return FComboBox->Insert(index, WideToAnsiSys(s));
    CheckInserted(
        SendMessageW(FComboBox->Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(WC(s))));
}

int TUvxComboBoxStrings::IndexOf(const std::u16string& s) const {
    if (!Wide()) return FComboBox->IndexOf(WideToAnsiSys(s));
    return static_cast<int>(SendMessageW(FComboBox->Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(WC(s))));
}

void TUvxComboBoxStrings::Delete(int index) { FComboBox->Delete(index); }

// The text shown in the edit part stays.
void TUvxComboBoxStrings::Clear() {
    std::u16string text = UvxControl_GetText(FComboBox);
    SendMessageA(FComboBox->Handle(), CB_RESETCONTENT, 0, 0);
    UvxControl_SetText(FComboBox, text);
    FComboBox->Update();
}

// ---- window life ----

void UvxCombo_AfterInherited_CreateWnd(TCustomComboBox* combo, std::unique_ptr<TUvxStrings>& savedItems,
                                       int& savedItemIndex, TWideStrings& items, const std::string& ansiText) {
    if (!Win32PlatformIsUnicode) {
        combo->SetText(ansiText);
        return;
    }
    if (HWND list = combo->ListHandle()) {
        // The list gets its system procedure back, is asked for it wide, and
        // takes the framework's procedure wide.
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(combo->ListDefProc()));
        combo->SetListDefProc(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(list, GWLP_WNDPROC)));
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomComboBox::ChildWndProc));
    }
    if (HWND edit = combo->EditHandle())
        SetWindowLongPtrW(edit, GWLP_WNDPROC, GetWindowLongPtrA(edit, GWLP_WNDPROC));
    if (savedItems) {
        items.Assign(savedItems.get());
        savedItems.reset();
        if (savedItemIndex != -1) {
            if (savedItemIndex > items.Count()) savedItemIndex = items.Count();
            SendMessageW(combo->Handle(), CB_SETCURSEL, static_cast<WPARAM>(savedItemIndex), 0);
        }
    }
    // The text the control had before its window, not the one selecting
    // the kept item just put there.
    UvxControl_SetText(combo, UvxControl_GetStoredText(combo, AnsiToWideSys(ansiText)));
}

void UvxCombo_BeforeInherited_DestroyWnd(TCustomComboBox* combo, std::unique_ptr<TUvxStrings>& savedItems,
                                         int& savedItemIndex, TWideStrings& items, int itemIndex,
                                         std::u16string& keptText) {
    if (!Win32PlatformIsUnicode) return;
    keptText = UvxControl_GetText(combo);
    if (items.Count() == 0) return;
    auto copy = std::make_unique<TUvxStringList>();
    copy->Assign(&items);
    savedItems = std::move(copy);
    savedItemIndex = itemIndex;
    items.Clear();
}

// ---- the edit and list windows ----

bool UvxCombo_ComboWndProc(TCustomComboBox* combo, UINT msg, WPARAM wParam, LPARAM lParam, HWND child,
                           WNDPROC childProc, const TUvxComboEditCharHandler& doEditCharMsg, LRESULT& result) {
    bool unicode = IsWindowUnicode(child) != FALSE;
    auto callOn = [&](WPARAM w) {
        result = unicode ? CallWindowProcW(childProc, child, msg, w, lParam)
                         : CallWindowProcA(childProc, child, msg, w, lParam);
    };
    try {
        if (msg == WM_CHAR && unicode && !IsWMCharMsgUnpackable(static_cast<uint32_t>(wParam))) {
            callOn(wParam);  // another program's message in a form the layer never makes
            return true;
        }
        if (msg == WM_CHAR) {
            result = 0;
            uint32_t packed = static_cast<uint32_t>(wParam);
            if (unicode) MakeWMCharMsgSafeForAnsi(packed);
            char key = static_cast<char>(packed & 0xFF);
            bool taken = combo->DoKeyPress(key);
            if (!taken && key != static_cast<char>(packed & 0xFF)) packed = static_cast<unsigned char>(key);
            // Completion belongs to the edit part: a list style's list also
            // receives the characters its combo box passes on.
            if (!taken && child == combo->EditHandle()) {
                uint32_t copy = packed;
                doEditCharMsg(copy);
                taken = GetWideCharFromWMCharMsg(copy) == 0;
            }
            if (unicode) RestoreWMCharMsg(packed);
            if (taken) return true;
            char16_t c = GetWideCharFromWMCharMsg(packed);
            if (c != 13 && c != 27) callOn(packed);
            else if (combo->DroppedDown()) combo->SetDroppedDown(false);
            else callOn(packed);
            return true;
        }
        if (!unicode) return false;
        if (IsTextMessage(msg) || msg == EM_REPLACESEL || msg == WM_IME_COMPOSITION) {
            callOn(wParam);
            return true;
        }
        if (msg == WM_IME_CHAR) {
            result = SendMessageW(child, WM_CHAR, wParam, lParam);
            return true;
        }
    } catch (...) {
        Application->HandleException(combo);
        return true;
    }
    return false;
}

// The chosen item's wide text fills the edit part before the events run.
bool UvxCombo_CNCommand(TCustomComboBox* combo, TWideStrings& items, WORD code) {
    if (code != CBN_SELCHANGE) return false;
    UvxControl_SetText(combo, items.Get(combo->ItemIndex()));
    combo->DoClick();
    combo->Select();
    return true;
}

// ---- selection, in wide characters ----

int UvxCombo_GetSelStart(TCustomComboBox* combo) {
    if (Win32PlatformIsUnicode) return combo->SelStart();
    return WideSelStartFromAnsi(combo->Text(), combo->SelStart());
}

void UvxCombo_SetSelStart(TCustomComboBox* combo, int value) {
    if (Win32PlatformIsUnicode) return combo->SetSelStart(value);
    combo->SetSelStart(AnsiSelStartFromWide(UvxControl_GetText(combo), value));
}

int UvxCombo_GetSelLength(TCustomComboBox* combo) {
    if (Win32PlatformIsUnicode) return combo->SelLength();
    return static_cast<int>(AnsiToWideSys(combo->SelText()).size());
}

void UvxCombo_SetSelLength(TCustomComboBox* combo, int value) {
    if (Win32PlatformIsUnicode) return combo->SetSelLength(value);
    combo->SetSelLength(AnsiSelLengthFromWide(UvxControl_GetText(combo), UvxCombo_GetSelStart(combo), value));
}

// A list style has no selected text.
std::u16string UvxCombo_GetSelText(TCustomComboBox* combo) {
    if (!Win32PlatformIsUnicode) return AnsiToWideSys(combo->SelText());
    if (!combo->IsEditStyle()) return {};
    std::u16string text = UvxControl_GetText(combo);
    size_t start = static_cast<size_t>(combo->SelStart());
    return start > text.size() ? std::u16string() : text.substr(start, static_cast<size_t>(combo->SelLength()));
}

void UvxCombo_SetSelText(TCustomComboBox* combo, const std::u16string& value) {
    if (!Win32PlatformIsUnicode) return combo->SetSelText(WideToAnsiSys(value));
    if (!combo->IsEditStyle()) return;
    combo->Handle();
    if (HWND edit = combo->EditHandle()) SendMessageW(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(WC(value)));
}

void UvxCombo_DropDown_PreserveSelection(TCustomComboBox* combo) {
    std::u16string text = UvxControl_GetText(combo);
    int start = UvxCombo_GetSelStart(combo);
    int length = UvxCombo_GetSelLength(combo);
    combo->SetDroppedDown(true);
    UvxControl_SetText(combo, text);
    UvxCombo_SetSelStart(combo, start);
    UvxCombo_SetSelLength(combo, length);
}

// ---- items from elsewhere, and drawing ----

void UvxComboBox_AddItem(TWideStrings& items, const std::u16string& item, TObject* object) {
    items.AddObject(CutAtNul(item), object);
}

void UvxComboBox_CopySelection(TCustomComboBox* combo, TWideStrings& items, TWinControl* destination) {
    int i = combo->ItemIndex();
    if (i == -1) return;
    std::u16string text = items.Get(i);
    TObject* object = items.GetObject(i);
    if (auto* wide = dynamic_cast<IWideCustomListControl*>(destination)) return wide->AddItem(text, object);
    if (auto* list = dynamic_cast<TListBox*>(destination)) return WideListControl_AddItem(list, text, object);
    if (auto* other = dynamic_cast<TCustomComboBox*>(destination))
        other->SetItemData(other->Add(WideToAnsiSys(text)), reinterpret_cast<LONG_PTR>(object));
}

void UvxCombo_DefaultDrawItem(TCustomComboBox*, TWideStrings& items, HDC dc, int index, RECT rect, UINT state) {
    bool selected = (state & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (index < 0) return;
    std::u16string text = items.Get(index);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    TextOutW(dc, rect.left + 2, rect.top, WC(text), static_cast<int>(text.size()));
}

// ---- the combo box ----

TUvxCustomComboBox::TUvxCustomComboBox(TComponent* owner)
    : TUvxWideControl<TCustomComboBox>(owner), FItems(std::make_unique<TUvxComboBoxStrings>(this)) {}

TUvxCustomComboBox::~TUvxCustomComboBox() {
    FItems.reset();
    FSavedItems.reset();
}

void TUvxCustomComboBox::CreateWindowHandle(const TCreateParams& params) {
    CreateUnicodeHandle(this, params, u"COMBOBOX");
}

void TUvxCustomComboBox::CreateWnd() {
    FAnsiTextBeforeCreate = Text();
    TCustomComboBox::CreateWnd();
}

void TUvxCustomComboBox::CreateHandleDone() {
    TCustomComboBox::CreateHandleDone();
    UvxCombo_AfterInherited_CreateWnd(this, FSavedItems, FSavedItemIndex, *FItems, FAnsiTextBeforeCreate);
}

void TUvxCustomComboBox::AddItem(const std::u16string& item, TObject* object) { UvxComboBox_AddItem(*FItems, item, object); }

void TUvxCustomComboBox::CopySelection(TWinControl* destination) {
    UvxComboBox_CopySelection(this, *FItems, destination);
}

LRESULT TUvxCustomComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CHAR: {
            uint32_t packed = static_cast<uint32_t>(wParam);
            UvxCombo_AutoSearchKeyPress(this, *FItems, packed, FLastSearchTime, FSearchFilter);
            if (GetWideCharFromWMCharMsg(packed) == 0) return 0;
            return TUvxWideControl<TCustomComboBox>::WndProc(msg, packed, lParam);
        }
        case WM_DESTROY:
            // The items and the wide text outlive the window when it is made again.
            if (!Destroying()) {
                std::u16string kept;
                UvxCombo_BeforeInherited_DestroyWnd(this, FSavedItems, FSavedItemIndex, *FItems, ItemIndex(), kept);
                LRESULT r = TUvxWideControl<TCustomComboBox>::WndProc(msg, wParam, lParam);
                if (Win32PlatformIsUnicode) UvxControl_SetStoredText(this, kept);
                return r;
            }
            break;
        case CM_HINTSHOW: ProcessCMHintShowMsg(lParam); break;
    }
    return TUvxWideControl<TCustomComboBox>::WndProc(msg, wParam, lParam);
}

LRESULT TUvxCustomComboBox::ComboWndProc(UINT msg, WPARAM wParam, LPARAM lParam, HWND child, WNDPROC childProc) {
    LRESULT result = 0;
    if (UvxCombo_ComboWndProc(this, msg, wParam, lParam, child, childProc,
                              [this](uint32_t& w) { DoEditCharMsg(w); }, result))
        return result;
    return TCustomComboBox::ComboWndProc(msg, wParam, lParam, child, childProc);
}

void TUvxCustomComboBox::DoEditCharMsg(uint32_t& wParam) {
    UvxCombo_AutoCompleteKeyPress(this, *FItems, wParam, GetAutoComplete_PreserveDataEntryCase(),
                                  GetAutoComplete_UniqueMatchOnly());
}

// The framework's own 8-bit completion stays out of the way.
void TUvxCustomComboBox::KeyPress(char& key) {
    struct TRestore {
        bool& Flag;
        bool Saved;
        ~TRestore() { Flag = Saved; }
    } restore{AutoComplete, AutoComplete};
    AutoComplete = false;
    TCustomComboBox::KeyPress(key);
}

bool TUvxCustomComboBox::CNCommand(WORD code) {
    return UvxCombo_CNCommand(this, *FItems, code) || TCustomComboBox::CNCommand(code);
}

void TUvxCustomComboBox::DrawItem(HDC dc, int index, RECT rect, UINT state) {
    if (OnDrawItem) return OnDrawItem(this, dc, index, rect, state);
    UvxCombo_DefaultDrawItem(this, *FItems, dc, index, rect, state);
}
