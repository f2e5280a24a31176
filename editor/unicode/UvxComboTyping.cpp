// Typing in a combo box: auto-search picks an item in the list styles,
// auto-complete finishes the text in the edit styles; both in wide
// characters.
#include "editor/unicode/UvxCharMessages.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxComboBox.h"
#include "editor/unicode/UvxErrors.h"
#include "framework/WideCase.h"
#include "framework/WinText.h"

namespace {
uint32_t SystemTickCount() { return GetTickCount(); }

// A search typed after this pause starts afresh.
constexpr uint32_t kSearchPause = 1250;

// Puts the character back into the message however the routine ends.
struct TCharScope {
    uint32_t& WParam;
    char16_t C;
    explicit TCharScope(uint32_t& wParam) : WParam(wParam), C(GetWideCharFromWMCharMsg(wParam)) {}
    ~TCharScope() { SetWideCharForWMCharMsg(WParam, C); }
};
}  // namespace

uint32_t (*UvxCombo_TickCount)() = &SystemTickCount;

int UvxCombo_FindString(TCustomComboBox* combo, int startIndex, const std::u16string& value) {
    if (auto* finder = dynamic_cast<IUvxComboFindString*>(combo)) return finder->FindString(value, startIndex);
    HWND h = combo->Handle();
    if (IsWindowUnicode(h))
        return static_cast<int>(
            SendMessageW(h, CB_FINDSTRING, static_cast<WPARAM>(startIndex), reinterpret_cast<LPARAM>(WC(value))));
    std::string ansi = WideToAnsiSys(value);
    return static_cast<int>(
        SendMessageA(h, CB_FINDSTRING, static_cast<WPARAM>(startIndex), reinterpret_cast<LPARAM>(ansi.c_str())));
}

int UvxCombo_FindUniqueString(TCustomComboBox* combo, const std::u16string& value) {
    int i = UvxCombo_FindString(combo, -1, value);
    if (i == -1) return -1;
    return UvxCombo_FindString(combo, i, value) == i ? i : -1;
}

bool UvxCombo_AutoSelect(TCustomComboBox* combo, TWideStrings& items, const std::u16string& value,
                         bool preserveDataEntryCase, bool uniqueMatchOnly) {
    int i = uniqueMatchOnly ? UvxCombo_FindUniqueString(combo, value) : UvxCombo_FindString(combo, -1, value);
    if (i == -1) return false;
    std::u16string item = items.Get(i);
    bool changed = combo->Style() == csDropDown ? WideCompareStr(UvxControl_GetText(combo), item) != 0
                                                : i != combo->ItemIndex();
    if (combo->AutoCloseUp && items.IndexOf(value) != -1) combo->SetDroppedDown(false);
    combo->SetItemIndex(i);
    if (combo->IsEditStyle()) {
        // The typed part as typed, the completion selected after it.
        std::u16string text = preserveDataEntryCase
                                  ? value + (item.size() > value.size() ? item.substr(value.size()) : std::u16string())
                                  : item;
        UvxControl_SetText(combo, text);
        int start = static_cast<int>(value.size());
        UvxCombo_SetSelStart(combo, start);
        UvxCombo_SetSelLength(combo, static_cast<int>(text.size()) - start);
    }
    if (changed) {
        combo->DoClick();
        combo->Select();
    }
    return true;
}

void UvxCombo_AutoSearchKeyPress(TCustomComboBox* combo, TWideStrings& items, uint32_t& wParam,
                                 uint32_t& lastSearchTime, std::u16string& searchFilter) {
    if (combo->IsEditStyle() || !combo->AutoComplete) return;
    TCharScope c(wParam);
    switch (c.C) {
        case 8:
            if (!searchFilter.empty()) searchFilter.pop_back();
            return;
        case 9:
            if (combo->AutoDropDown && combo->DroppedDown()) combo->SetDroppedDown(false);
            return;
        case 27: return;
    }
    if (combo->AutoDropDown && !combo->DroppedDown()) combo->SetDroppedDown(true);
    uint32_t now = UvxCombo_TickCount();
    if (now - lastSearchTime >= kSearchPause) searchFilter.clear();
    lastSearchTime = now;
    if (UvxCombo_AutoSelect(combo, items, searchFilter + c.C, true, false)) {
        searchFilter += c.C;
        c.C = 0;
    }
}

void UvxCombo_AutoCompleteKeyPress(TCustomComboBox* combo, TWideStrings& items, uint32_t& wParam,
                                   bool preserveDataEntryCase, bool uniqueMatchOnly) {
    if (!combo->IsEditStyle())
        throw EUvxInternalError(
            "Internal Error: UvxCombo_AutoCompleteKeyPress is only for csSimple and csDropDown style combo boxes.");
    if (!combo->AutoComplete) return;
    TCharScope c(wParam);
    switch (c.C) {
        case 8:
        case 27: return;
        case 9:
            if (combo->AutoDropDown && combo->DroppedDown()) combo->SetDroppedDown(false);
            return;
    }
    if (combo->AutoDropDown && !combo->DroppedDown()) UvxCombo_DropDown_PreserveSelection(combo);
    std::u16string text = UvxControl_GetText(combo);
    int start = UvxCombo_GetSelStart(combo);
    int length = UvxCombo_GetSelLength(combo);
    if (start + length != static_cast<int>(text.size())) return;  // typing in the middle
    std::u16string typed = text.substr(0, static_cast<size_t>(start)) + c.C;
    if (UvxCombo_AutoSelect(combo, items, typed, preserveDataEntryCase, uniqueMatchOnly)) c.C = 0;
}
