#include "editor/unicode/UvxMenus.h"

#include "editor/unicode/UvxActnList.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxHotkeys.h"
#include "editor/unicode/UvxSyncedStrings.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxUnitRun.h"
#include "framework/Exceptions.h"
#include "framework/WideCase.h"
#include "framework/WinText.h"

bool SysLocaleFarEast() { return GetSystemMetrics(SM_DBCSENABLED) != 0; }

// Hebrew and Arabic support switched on, or a system locale whose language
// is written right to left.
bool SysLocaleMiddleEast() {
    if (GetSystemMetrics(SM_MIDEASTENABLED)) return true;
    static const WORD kRightToLeft[] = {LANG_ARABIC, LANG_HEBREW, LANG_FARSI, LANG_URDU,
                                        LANG_SYRIAC, LANG_DIVEHI, LANG_PASHTO, LANG_UIGHUR};
    WORD language = PRIMARYLANGID(GetSystemDefaultLangID());
    for (WORD l : kRightToLeft)
        if (language == l) return true;
    return false;
}

void FixMenuBiDiProblem(TMenu* menu) {
    if (!menu || menu->Items()->Count() == 0 || !SysLocaleMiddleEast()) return;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        if (!item->Visible()) continue;
        if (auto* u = dynamic_cast<TUvxMenuItem*>(item)) u->UpdateMenuString(menu);
        return;
    }
}

namespace {
// Children first, last to first, then the item itself.
void UpdateSubtreeStrings(TMenuItem* item, TMenu* menu) {
    for (int i = item->Count() - 1; i >= 0; --i) UpdateSubtreeStrings(item->Items(i), menu);
    if (auto* u = dynamic_cast<TUvxMenuItem*>(item)) u->UpdateMenuString(menu);
}

bool IsTopLevelOfMenuBar(TMenuItem* item) {
    TMenuItem* p = item->Parent();
    return p && !p->Parent() && dynamic_cast<TMainMenu*>(p->GetParentMenu());
}
}  // namespace

TUvxMenuItem::TUvxMenuItem(TComponent* owner) : TMenuItem(owner) {}

std::u16string TUvxMenuItem::GetCaption() {
    const std::string& ansi = Caption();
    bool farEast = SysLocaleFarEast();
    if (WideToAnsiSys(FWideCaption) != ansi &&
        WideCompareStr(WideStripHotkey(AnsiToWideSys(WideToAnsiSys(FWideCaption)), farEast),
                       WideStripHotkey(AnsiToWideSys(ansi), farEast)) == 0) {
        // The framework moved the hotkey: move it in the wide caption too.
        std::u16string synced = SyncHotKeyPosition(FWideCaption, AnsiToWideSys(ansi), farEast);
        if (WideToAnsiSys(synced) != ansi)
            throw EUvxInternalError("Internal Error: SyncHotKeyPosition Failed (\"" + WideToAnsiSys(synced) +
                                    "\" <> \"" + ansi + "\").");
        FWideCaption = synced;
    }
    return GetSyncedWideString(FWideCaption, ansi);
}

void TUvxMenuItem::SetCaption(const std::u16string& value) {
    GetCaption();
    SetSyncedWideString(value, FWideCaption, Caption(), [this](const std::string& s) { TMenuItem::SetCaption(s); });
}

std::u16string TUvxMenuItem::GetHint() { return GetSyncedWideString(FWideHint, Hint); }

void TUvxMenuItem::SetHint(const std::u16string& value) {
    SetSyncedWideString(value, FWideHint, Hint, [this](const std::string& s) { Hint = s; });
}

bool TUvxMenuItem::IsCaptionStored() { return !(ActionLink() && ActionLink()->IsCaptionLinked()); }
bool TUvxMenuItem::IsHintStored() { return !(ActionLink() && ActionLink()->IsHintLinked()); }

void TUvxMenuItem::MenuChanged(bool rebuild) {
    if (FIgnoreChanges) return;
    TMenuItem::MenuChanged(rebuild);
    UpdateSubtreeStrings(this, GetParentMenu());
    FixMenuBiDiProblem(GetParentMenu());
}

void TUvxMenuItem::InitiateAction() {
    if (GetKeyboardLayout(0) != FKeyboardLayout) MenuChanged(false);
    TMenuItem::InitiateAction();
}

void TUvxMenuItem::UpdateMenuString(TMenu* parentMenu) {
    FKeyboardLayout = GetKeyboardLayout(0);
    TMenuItem* parent = Parent();
    if (!Win32PlatformIsUnicode || !parent || !parentMenu || !Visible() || !parent->HandleAllocated()) return;
    HMENU native = parent->Handle();
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE;
    if (!GetMenuItemInfoW(native, Command(), FALSE, &mi)) return;
    if (mi.fType & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR)) return;
    std::u16string text = GetCaption();
    if (Count() == 0 && ShortCut() != 0 && !IsTopLevelOfMenuBar(this)) text += u'\t' + WideShortCutToText(ShortCut());
    int n = GetMenuStringW(native, Command(), nullptr, 0, MF_BYCOMMAND);
    std::wstring current(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
    n = GetMenuStringW(native, Command(), current.data(), n + 1, MF_BYCOMMAND);
    if (U16(current.c_str(), static_cast<size_t>(std::max(n, 0))) == text) return;
    mi = MENUITEMINFOW{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    std::u16string buffer = text;
    mi.dwTypeData = reinterpret_cast<LPWSTR>(buffer.data());
    if (!SetMenuItemInfoW(native, Command(), FALSE, &mi)) throw EOSError("Cannot change menu item", GetLastError());
    if (!parent->Parent() && parentMenu->WindowHandle() && dynamic_cast<TMainMenu*>(parentMenu))
        DrawMenuBar(parentMenu->WindowHandle());
}

TMenuItem* TUvxMenuItem::Find(const std::u16string& caption) {
    for (int i = 0; i < Count(); ++i)
        if (WideSameCaption(WideGetMenuItemCaption(Items(i)), caption, SysLocaleFarEast())) return Items(i);
    return nullptr;
}

void TUvxMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
    auto* a = dynamic_cast<TCustomAction*>(sender);
    if (a && dynamic_cast<IUvxAction*>(a)) {
        if (!checkDefaults || GetCaption().empty()) SetCaption(UvxAction_GetCaption(a));
        if (!checkDefaults || GetHint().empty()) SetHint(UvxAction_GetHint(a));
    }
    TMenuItem::ActionChange(sender, checkDefaults);
}

TActionLinkClass TUvxMenuItem::GetActionLinkClass() { return &TUvxMenuActionLink::Make; }

void TUvxMainMenu::DoChange(TMenuItem* source, bool rebuild) {
    TMainMenu::DoChange(source, rebuild);
    UpdateSubtreeStrings(Items(), this);
}

// ---- pop-up menus ----------------------------------------------------------------

TUvxPopupList* UvxPopupList = nullptr;

namespace {
TUvxUnitRun g_menusUnit;

void StartUvxMenusUnit() {
    if (!g_menusUnit.Start()) return;
    UvxPopupList = new TUvxPopupList();
    UvxPopupList->FrameworkList = PopupList;
}

TUvxUnitScope g_menusUnitScope(StartUvxMenusUnit, EndUvxMenusUnit);
}  // namespace

// Pop-up menus made later stay in the framework's list.
void EndUvxMenusUnit() {
    if (!g_menusUnit.End()) return;
    delete UvxPopupList;
    UvxPopupList = nullptr;
}

// Without the layer's list (its unit ended) a pop-up menu stays in the framework's.
TUvxPopupMenu::TUvxPopupMenu(TComponent* owner) : TPopupMenu(owner) {
    if (!UvxPopupList) return;
    PopupList->Remove(this);
    UvxPopupList->Add(this);
}

TUvxPopupMenu::~TUvxPopupMenu() {
    if (!UvxPopupList) return;
    UvxPopupList->Remove(this);
    PopupList->Add(this);  // the framework's destructor takes it out again
}

void TUvxPopupMenu::DoChange(TMenuItem* source, bool rebuild) {
    TPopupMenu::DoChange(source, rebuild);
    UpdateSubtreeStrings(Items(), this);
}

void TUvxPopupMenu::Popup(int x, int y) {
    if (!UvxPopupList) return TPopupMenu::Popup(x, y);
    TPopupList* saved = PopupList;
    PopupList = UvxPopupList;
    try {
        TPopupMenu::Popup(x, y);
    } catch (...) {
        PopupList = saved;
        throw;
    }
    PopupList = saved;
}

LRESULT TUvxPopupList::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MENUSELECT && UvxApplication) {
        UINT flags = HIWORD(wParam);
        HMENU menu = reinterpret_cast<HMENU>(lParam);
        for (int i = 0; i < Count(); ++i) {
            TMenuItem* item = nullptr;
            if (flags & MF_POPUP) item = Menus(i)->Items()->FindByHandle(menu ? GetSubMenu(menu, LOWORD(wParam)) : nullptr);
            else item = Menus(i)->Items()->FindByCommand(LOWORD(wParam));
            if (item) {
                UvxApplication->SetHint(WideGetLongHint(WideGetMenuItemHint(item)));
                return 0;
            }
        }
        UvxApplication->SetHint(u"");
    } else if (msg == WM_ENTERMENULOOP) {
        PopupList = FrameworkList;
        for (int i = 0; i < Count(); ++i) FixMenuBiDiProblem(Menus(i));
    }
    return TPopupList::WndProc(msg, wParam, lParam);
}

// ---- action link -------------------------------------------------------------------

bool TUvxMenuActionLink::IsCaptionLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    auto* item = dynamic_cast<TUvxMenuItem*>(Item());
    if (!a || !item) return TMenuActionLink::IsCaptionLinked();
    return WideSameCaption(UvxAction_GetCaption(a), item->GetCaption(), SysLocaleFarEast());
}

bool TUvxMenuActionLink::IsHintLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    auto* item = dynamic_cast<TUvxMenuItem*>(Item());
    if (!a || !item) return TMenuActionLink::IsHintLinked();
    return UvxAction_GetHint(a) == item->GetHint();
}

void TUvxMenuActionLink::SetCaption(const std::string& value) {
    auto* item = dynamic_cast<TUvxMenuItem*>(Item());
    if (!item) return TMenuActionLink::SetCaption(value);
    if (IsCaptionLinked())
        item->SetCaption(UvxAction_GetNewCaption(static_cast<TCustomAction*>(FAction), AnsiToWideSys(value)));
}

void TUvxMenuActionLink::SetHint(const std::string& value) {
    auto* item = dynamic_cast<TUvxMenuItem*>(Item());
    if (!item) return TMenuActionLink::SetHint(value);
    if (IsHintLinked()) item->SetHint(UvxAction_GetNewHint(static_cast<TCustomAction*>(FAction), AnsiToWideSys(value)));
}

// ---- free functions ------------------------------------------------------------------

TUvxMenuItem* WideNewItem(const std::u16string& caption, TShortCut shortCut, bool checked, bool enabled,
                          TNotifyEvent onClick, int helpContext, const std::string& name) {
    auto* item = new TUvxMenuItem(nullptr);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->SetChecked(checked);
    item->SetEnabled(enabled);
    item->OnClick = std::move(onClick);
    item->HelpContext = helpContext;
    item->SetName(name);
    return item;
}

TUvxMenuItem* WideNewSubMenu(const std::u16string& caption, int helpContext, const std::string& name,
                             TMenuItem* const* items, int itemsHigh, bool enabled) {
    auto* item = new TUvxMenuItem(nullptr);
    for (int i = 0; i <= itemsHigh; ++i) item->Add(items[i]);
    item->SetCaption(caption);
    item->HelpContext = helpContext;
    item->SetName(name);
    item->SetEnabled(enabled);
    return item;
}

TShortCut MessageToShortCut(const MSG& msg) {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (msg.lParam & 0x20000000) shift |= ssAlt;
    return ShortCut(static_cast<WORD>(msg.wParam), shift);
}

std::u16string WideShortCutToText(TShortCut shortCut) {
    WORD key = shortCut & 0xFF;
    bool special = key == 8 || key == 9 || key == 13 || key == 27 || (key >= 32 && key <= 40) || key == 45 ||
                   key == 46 || (key >= 112 && key <= 135);
    if (!Win32PlatformIsUnicode || special) return AnsiToWideSys(ShortCutToText(shortCut));
    std::u16string name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || (key >= 96 && key <= 105)) {
        char16_t c = static_cast<char16_t>(MapVirtualKeyW(key, 2) & 0xFFFF);
        // A digit key whose character is another one on this layout keeps its digit.
        if (key >= '0' && key <= '9' && c != key && (VkKeyScanW(static_cast<WCHAR>(key)) & 0xFF) == key)
            c = static_cast<char16_t>(key);
        if (c) name.assign(1, c);
    } else {
        UINT scan = MapVirtualKeyW(key, 0);
        if (scan) {
            wchar_t buf[257] = {};
            int n = GetKeyNameTextW(static_cast<LONG>(scan << 16), buf, 256);
            name = U16(buf, static_cast<size_t>(std::max(n, 0)));
        }
    }
    if (name.empty()) return {};
    std::u16string r;
    if (shortCut & scShift) r += u"Shift+";
    if (shortCut & scCtrl) r += u"Ctrl+";
    if (shortCut & scAlt) r += u"Alt+";
    return r + name;
}

TShortCut WideTextToShortCut(std::u16string text) {
    TShortCut shift = 0;
    auto eat = [&text](const std::u16string& prefix) {
        if (text.size() < prefix.size() || !WideSameText(text.substr(0, prefix.size()), prefix)) return false;
        text.erase(0, prefix.size());
        return true;
    };
    for (;;) {
        if (eat(u"Shift+")) shift |= scShift;
        else if (eat(u"^") || eat(u"Ctrl+")) shift |= scCtrl;
        else if (eat(u"Alt+")) shift |= scAlt;
        else break;
    }
    if (text.empty()) return 0;
    for (int key = 8; key <= 0x255; ++key)
        if (WideSameText(WideShortCutToText(static_cast<TShortCut>(key)), text))
            return static_cast<TShortCut>(shift | key);
    return 0;
}

std::u16string WideGetMenuItemCaption(TMenuItem* item) {
    if (auto* u = dynamic_cast<TUvxMenuItem*>(item)) return u->GetCaption();
    return AnsiToWideSys(item->Caption());
}

std::u16string WideGetMenuItemHint(TMenuItem* item) {
    if (auto* u = dynamic_cast<TUvxMenuItem*>(item)) return u->GetHint();
    return AnsiToWideSys(item->Hint);
}
