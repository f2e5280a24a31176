#include "framework/Menus.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

TShortCut ShortCut(WORD key, TShiftState shift) {
    if (key & 0xFF00) return 0;
    TShortCut r = key;
    if (shift & ssShift) r |= scShift;
    if (shift & ssCtrl) r |= scCtrl;
    if (shift & ssAlt) r |= scAlt;
    return r;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = 0;
    if (shortCut & scShift) shift |= ssShift;
    if (shortCut & scCtrl) shift |= ssCtrl;
    if (shortCut & scAlt) shift |= ssAlt;
}

namespace {
std::string KeyName(WORD key) {
    switch (key) {
        case VK_BACK: return "BkSp";
        case VK_TAB: return "Tab";
        case VK_ESCAPE: return "Esc";
        case VK_RETURN: return "Enter";
        case VK_SPACE: return "Space";
        case VK_PRIOR: return "PgUp";
        case VK_NEXT: return "PgDn";
        case VK_END: return "End";
        case VK_HOME: return "Home";
        case VK_LEFT: return "Left";
        case VK_UP: return "Up";
        case VK_RIGHT: return "Right";
        case VK_DOWN: return "Down";
        case VK_INSERT: return "Ins";
        case VK_DELETE: return "Del";
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::to_string(key - VK_NUMPAD0);
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    UINT scan = MapVirtualKeyA(key, 0);
    if (!scan) return {};
    char name[256] = {};
    int n = GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof name);
    return std::string(name, static_cast<size_t>(std::max(n, 0)));
}
}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
    std::string name = KeyName(shortCut & 0xFF);
    if (name.empty()) return {};
    std::string r;
    if (shortCut & scShift) r += "Shift+";
    if (shortCut & scCtrl) r += "Ctrl+";
    if (shortCut & scAlt) r += "Alt+";
    return r + name;
}

TShortCut TextToShortCut(std::string text) {
    TShortCut shift = 0;
    for (;;) {
        if (text.size() >= 6 && SameText(text.substr(0, 6), "Shift+")) shift |= scShift, text.erase(0, 6);
        else if (text.size() >= 5 && SameText(text.substr(0, 5), "Ctrl+")) shift |= scCtrl, text.erase(0, 5);
        else if (!text.empty() && text[0] == '^') shift |= scCtrl, text.erase(0, 1);
        else if (text.size() >= 4 && SameText(text.substr(0, 4), "Alt+")) shift |= scAlt, text.erase(0, 4);
        else break;
    }
    if (text.empty()) return 0;
    for (WORD key = 8; key <= 255; ++key)
        if (SameText(text, KeyName(key))) return static_cast<TShortCut>(key | shift);
    return 0;
}

std::string GetShortHint(const std::string& hint) {
    size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
    size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

// ---- TMenuItem -------------------------------------------------------------

namespace {
UINT NextCommand() {
    // Command identifiers are 16 bits in WM_COMMAND; 0 means none.
    static UINT next = 0;
    next = next % 0xFFFF + 1;
    return next;
}
}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(NextCommand()) {}

TMenuItem::~TMenuItem() {
    delete FActionLink;
    FActionLink = nullptr;
    if (FParent) {
        // Quietly: nothing may raise while an item is freed.
        auto& siblings = FParent->FItems;
        siblings.erase(std::find(siblings.begin(), siblings.end(), this));
        if (FParent->FHandle) RemoveMenu(FParent->FHandle, FCommand, MF_BYCOMMAND);
        FParent = nullptr;
    }
    // Sub-items not owned by a component go with their parent.
    while (!FItems.empty()) {
        TMenuItem* child = FItems.back();
        FItems.pop_back();
        child->FParent = nullptr;
        if (!child->Owner()) delete child;
    }
    if (FHandle) DestroyMenu(FHandle);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* p = this;
    while (p->FParent) p = p->FParent;
    return p->FMenu;
}

HMENU TMenuItem::Handle() {
    if (!FHandle) {
        FHandle = (FMenu && FMenu->IsMenuBar()) ? CreateMenu() : CreatePopupMenu();
        if (!FHandle) throw EOSError("Cannot create a menu", GetLastError());
        UINT pos = 0;
        for (auto* child : FItems)
            if (child->FVisible) child->WriteNative(FHandle, true, pos++);
        if (TMenu* menu = GetParentMenu()) menu->DoChange(this, true);
    }
    return FHandle;
}

// Writes (or inserts at position) the native entry of this item in menu.
void TMenuItem::WriteNative(HMENU menu, bool insert, UINT position) {
    std::string text = FCaption;
    if (FShortCut && FItems.empty() && !(FParent && FParent->FMenu && FParent->FMenu->IsMenuBar()))
        text += "\t" + ShortCutToText(FShortCut);
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    // An entry's sub-menu is set as it is inserted; a change of it rebuilds.
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | (insert ? MIIM_ID | MIIM_SUBMENU : 0);
    mi.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
    TMenu* owner = GetParentMenu();
    if (owner && owner->OwnerDraw && !IsLine()) {
        // The item draws itself; the system keeps only a pointer to it.
        mi.fMask = (mi.fMask & ~static_cast<UINT>(MIIM_STRING)) | MIIM_DATA;
        mi.fType = MFT_OWNERDRAW;
        mi.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    }
    mi.fState = (FChecked ? MFS_CHECKED : 0) | (FEnabled ? 0 : MFS_GRAYED) | (FDefault ? MFS_DEFAULT : 0);
    mi.wID = FCommand;
    mi.hSubMenu = FItems.empty() ? nullptr : Handle();
    mi.dwTypeData = text.data();
    BOOL ok = insert ? InsertMenuItemA(menu, position, TRUE, &mi) : SetMenuItemInfoA(menu, FCommand, FALSE, &mi);
    if (!ok) throw EOSError("Cannot change menu item " + FCaption, GetLastError());
}

// Makes the native entries of this item's sub-items again.
void TMenuItem::RebuildHandle() {
    if (!FHandle) return;
    while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
    UINT pos = 0;
    for (auto* child : FItems)
        if (child->FVisible) child->WriteNative(FHandle, true, pos++);
}

void TMenuItem::MenuChanged(bool rebuild) {
    if (FParent && FParent->FHandle) {
        if (rebuild) FParent->RebuildHandle();
        else if (FVisible) WriteNative(FParent->FHandle, false, 0);
    }
    if (TMenu* menu = GetParentMenu()) menu->DoChange(this, rebuild);
}

void TMenuItem::SetCaption(const std::string& value) {
    if (value == FCaption) return;
    bool wasLine = IsLine();
    FCaption = value;
    MenuChanged(wasLine != IsLine());
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (value == FShortCut) return;
    FShortCut = value;
    MenuChanged(false);
}

void TMenuItem::SetChecked(bool value) {
    if (value == FChecked) return;
    FChecked = value;
    MenuChanged(false);
}

void TMenuItem::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool value) {
    if (value == FDefault) return;
    FDefault = value;
    MenuChanged(false);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item->FParent) throw EInvalidOperation("Menu inserted twice");
    if (index < 0 || index > Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    bool hadItems = !FItems.empty();
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    RebuildHandle();
    // The first sub-item turns this item into a sub-menu.
    if (!hadItems) MenuChanged(true);
    else if (TMenu* menu = GetParentMenu()) menu->DoChange(item, true);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParent = nullptr;
    RebuildHandle();
    if (FItems.empty()) MenuChanged(true);
    else if (TMenu* menu = GetParentMenu()) menu->DoChange(this, true);
}

void TMenuItem::Delete(int index) {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    Remove(Items(index));
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    if (OnClick) OnClick(this);
    else if (FActionLink) FActionLink->Execute();
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
    if (FCommand == command && FParent) return this;
    for (auto* c : FItems)
        if (auto* f = c->FindByCommand(command)) return f;
    return nullptr;
}

TMenuItem* TMenuItem::FindByHandle(HMENU handle) {
    if (FHandle == handle) return this;
    for (auto* c : FItems)
        if (auto* f = c->FindByHandle(handle)) return f;
    return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
    for (auto* c : FItems) {
        if (!c->FVisible) continue;
        if (c->FShortCut == shortCut && c->FItems.empty()) return c;
        if (auto* f = c->FindShortCut(shortCut)) return f;
    }
    return nullptr;
}

void TMenuItem::InitiateAction() {
    if (FActionLink && FActionLink->Action()) FActionLink->Action()->Update();
}

void TMenuItem::SetAction(TBasicAction* action) {
    if (LinkClientToAction(FActionLink, GetActionLinkClass(), this, action)) ActionChange(action, false);
}

TActionLinkClass TMenuItem::GetActionLinkClass() { return &TMenuActionLink::Make; }

void TMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
    auto* a = dynamic_cast<TCustomAction*>(sender);
    if (!a) return;
    if (!checkDefaults || FCaption.empty()) SetCaption(a->Caption());
    if (!checkDefaults || Hint.empty()) Hint = a->Hint();
    if (!checkDefaults || !FChecked) SetChecked(a->Checked());
    if (!checkDefaults || FEnabled) SetEnabled(a->Enabled());
    if (!checkDefaults || FShortCut == 0) SetShortCut(a->ShortCut());
    if (!checkDefaults || FVisible) SetVisible(a->Visible());
}

// ---- owner drawing --------------------------------------------------------------

TMenuFontScope::TMenuFontScope(HDC dc, bool bold) : FDC(dc) {
    NONCLIENTMETRICSA m{};
    m.cbSize = sizeof m;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
    if (bold) m.lfMenuFont.lfWeight = FW_BOLD;
    FFont = CreateFontIndirectA(&m.lfMenuFont);
    FOld = SelectObject(dc, FFont);
}

TMenuFontScope::~TMenuFontScope() {
    SelectObject(FDC, FOld);
    DeleteObject(FFont);
}

namespace {
SIZE TextSize(HDC dc, const std::string& text) {
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

bool IsTopLevel(const TMenuItem* item) {
    TMenu* menu = item->GetParentMenu();
    return item->Parent() && !item->Parent()->Parent() && menu && menu->Items() == item->Parent() &&
           dynamic_cast<TMainMenu*>(menu);
}
}  // namespace

// Room for the check mark at the left, the caption, and the shortcut with a
// gap before it; at least the system's menu height.
void TMenuItem::MeasureItem(HDC dc, int& width, int& height) {
    TMenuFontScope font(dc, FDefault);
    SIZE caption = TextSize(dc, FCaption.empty() ? " " : FCaption);
    width = caption.cx + (IsTopLevel(this) ? 0 : 2 * GetSystemMetrics(SM_CXMENUCHECK));
    if (FShortCut && FItems.empty() && !IsTopLevel(this)) width += 10 + TextSize(dc, ShortCutToText(FShortCut)).cx;
    height = std::max<int>(caption.cy + 4, GetSystemMetrics(SM_CYMENUSIZE));
    if (OnMeasureItem) OnMeasureItem(this, dc, width, height);
}

void TMenuItem::AdvancedDrawItem(HDC dc, RECT rect, UINT state, bool topLevel) {
    if (OnAdvancedDrawItem) return OnAdvancedDrawItem(this, dc, rect, state);
    TMenuFontScope font(dc, FDefault);
    bool selected = (state & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    int checkWidth = topLevel ? 0 : GetSystemMetrics(SM_CXMENUCHECK);
    if (FChecked && !topLevel) {
        RECT check{rect.left + 1, rect.top, rect.left + 1 + checkWidth, rect.bottom};
        DrawFrameControl(dc, &check, DFC_MENU, DFCS_MENUCHECK);
    }
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, GetSysColor((state & ODS_GRAYED)  ? COLOR_GRAYTEXT
                                                      : selected             ? COLOR_HIGHLIGHTTEXT
                                                                             : COLOR_MENUTEXT));
    RECT text{rect.left + checkWidth + 2, rect.top, rect.right - 10, rect.bottom};
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | ((state & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    if (!FCaption.empty()) DrawTextA(dc, FCaption.c_str(), -1, &text, flags);
    if (FShortCut && FItems.empty() && !topLevel) {
        std::string keys = ShortCutToText(FShortCut);
        DrawTextA(dc, keys.c_str(), -1, &text, flags | DT_RIGHT);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

bool MenuOwnerDrawMessage(UINT msg, LPARAM lParam) {
    if (msg == WM_MEASUREITEM) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (m->CtlType != ODT_MENU || !m->itemData) return false;
        auto* item = reinterpret_cast<TMenuItem*>(m->itemData);
        HDC dc = GetDC(nullptr);
        int width = 0, height = 0;
        item->MeasureItem(dc, width, height);
        ReleaseDC(nullptr, dc);
        m->itemWidth = static_cast<UINT>(std::max(width, 0));
        m->itemHeight = static_cast<UINT>(std::max(height, 0));
        return true;
    }
    if (msg == WM_DRAWITEM) {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (d->CtlType != ODT_MENU || !d->itemData) return false;
        auto* item = reinterpret_cast<TMenuItem*>(d->itemData);
        int saved = SaveDC(d->hDC);
        item->AdvancedDrawItem(d->hDC, d->rcItem, d->itemState, IsTopLevel(item));
        RestoreDC(d->hDC, saved);
        return true;
    }
    return false;
}

// ---- TMenu -------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() { delete FItems; }

void TMenu::SetWindowHandle(HWND wnd) {
    FWindowHandle = wnd;
    if (wnd && IsMenuBar()) ::SetMenu(wnd, Handle());
}

void TMenu::DoChange(TMenuItem*, bool) {}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = FItems->FindByCommand(command);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU menu) {
    TMenuItem* item = FItems->FindByHandle(menu);
    if (!item) return false;
    // Sub-items update from their actions as the sub-menu opens.
    for (int i = 0; i < item->Count(); ++i) item->Items(i)->InitiateAction();
    if (item != FItems) item->Click();
    return true;
}

bool TMenu::IsShortCut(TShortCut shortCut) {
    if (!shortCut) return false;
    TMenuItem* item = FItems->FindShortCut(shortCut);
    if (!item) return false;
    item->InitiateAction();
    if (!item->Enabled()) return false;
    item->Click();
    return true;
}

void TMainMenu::DoChange(TMenuItem* source, bool rebuild) {
    TMenu::DoChange(source, rebuild);
    if (FWindowHandle) DrawMenuBar(FWindowHandle);
}

// ---- TPopupMenu ----------------------------------------------------------------

TPopupList* PopupList = nullptr;
namespace {
// Made before the other globals, which may use it as they start.
struct PopupListMaker {
    PopupListMaker() { PopupList = new TPopupList(); }
} popupListMaker __attribute__((init_priority(200)));
}  // namespace

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { PopupList->Add(this); }

TPopupMenu::~TPopupMenu() { PopupList->Remove(this); }

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->InitiateAction();
    UINT align = Alignment == paRight ? TPM_RIGHTALIGN : Alignment == paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN;
    HWND owner = PopupList->Window();
    SetForegroundWindow(owner);
    UINT cmd = TrackPopupMenu(Handle(), align | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (cmd) DispatchCommand(cmd);
}

TPopupList::TPopupList() = default;

TPopupList::~TPopupList() {
    if (FWindow) DestroyWindow(FWindow);
}

void TPopupList::Add(TPopupMenu* menu) { FMenus.push_back(menu); }

void TPopupList::Remove(TPopupMenu* menu) { FMenus.erase(std::remove(FMenus.begin(), FMenus.end(), menu), FMenus.end()); }

HWND TPopupList::Window() {
    if (!FWindow) FWindow = AllocateHWnd("TPUtilWindow", StaticProc, this);
    return FWindow;
}

// The list knows its window from the first message on: its default
// handling during creation must not make another one.
LRESULT CALLBACK TPopupList::StaticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* list = static_cast<TPopupList*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(list));
        if (list) list->FWindow = h;
    }
    auto* self = reinterpret_cast<TPopupList*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (!self) return DefWindowProcA(h, msg, wp, lp);
    try {
        return self->WndProc(msg, wp, lp);
    } catch (...) {
        return 0;
    }
}

LRESULT TPopupList::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITMENUPOPUP) {
        for (auto* m : FMenus)
            if (m->DispatchPopup(reinterpret_cast<HMENU>(wParam))) return 0;
    }
    if ((msg == WM_MEASUREITEM || msg == WM_DRAWITEM) && wParam == 0 && MenuOwnerDrawMessage(msg, lParam)) return TRUE;
    return DefaultWndProc(msg, wParam, lParam);
}

LRESULT TPopupList::DefaultWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(Window(), msg, wParam, lParam);
}

// ---- TMenuActionLink --------------------------------------------------------------

bool TMenuActionLink::IsCaptionLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    return a && Item()->Caption() == a->Caption();
}
bool TMenuActionLink::IsHintLinked() {
    auto* a = dynamic_cast<TCustomAction*>(FAction);
    return a && Item()->Hint == a->Hint();
}
void TMenuActionLink::SetCaption(const std::string& v) {
    if (IsCaptionLinked()) Item()->SetCaption(v);
}
void TMenuActionLink::SetHint(const std::string& v) {
    if (IsHintLinked()) Item()->Hint = v;
}
void TMenuActionLink::SetEnabled(bool v) { Item()->SetEnabled(v); }
void TMenuActionLink::SetChecked(bool v) { Item()->SetChecked(v); }
void TMenuActionLink::SetShortCut(uint16_t v) { Item()->SetShortCut(v); }
void TMenuActionLink::SetVisible(bool v) { Item()->SetVisible(v); }
