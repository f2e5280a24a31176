#pragma once
// Menus over Win32 menu handles: TMenuItem (caption, hint, shortcut, check
// mark, sub-items), the menu bar TMainMenu, the pop-up TPopupMenu, and the
// shortcut values and their texts.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ActnList.h"
#include "framework/Controls.h"

// Low byte the virtual-key code, plus scShift, scCtrl and scAlt.
using TShortCut = uint16_t;
enum : TShortCut { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0 };
TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
// "Ctrl+Shift+F5" style texts in the framework's English key names.
std::string ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(std::string text);
// The part of a hint before the first "|" and after it (whole hint without one).
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

class TMenu;

// Owner-drawn items (TMenu::OwnerDraw): the item's size in pixels, asked
// once; the item drawn into rect with the ODS_ state of WM_DRAWITEM.
using TMenuMeasureItemEvent = std::function<void(TObject* sender, HDC dc, int& width, int& height)>;
using TMenuAdvancedDrawItemEvent = std::function<void(TObject* sender, HDC dc, RECT rect, UINT state)>;
// WM_MEASUREITEM and WM_DRAWITEM of an owner-drawn menu item (lParam the
// system's record), handed to the item; false for other controls' messages.
bool MenuOwnerDrawMessage(UINT msg, LPARAM lParam);
// The system's menu font (bold for a default item) selected into a device
// context while the scope lasts.
class TMenuFontScope {
public:
    explicit TMenuFontScope(HDC dc, bool bold = false);
    ~TMenuFontScope();
    TMenuFontScope(const TMenuFontScope&) = delete;
    TMenuFontScope& operator=(const TMenuFontScope&) = delete;

private:
    HDC FDC;
    HFONT FFont;
    HGDIOBJ FOld;
};

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    std::string ClassName() const override { return "TMenuItem"; }

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    std::string Hint;
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    int HelpContext = 0;
    TNotifyEvent OnClick;

    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    TBasicActionLink* ActionLink() const { return FActionLink; }
    void SetAction(TBasicAction* action);

    // Sub-items; an item with sub-items opens a sub-menu.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Delete(int index);
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Parent() const { return FParent; }
    // The menu the item's tree belongs to, or null.
    TMenu* GetParentMenu() const;
    bool IsLine() const { return FCaption == "-"; }
    // The identifier of the item's native entry (WM_COMMAND).
    UINT Command() const { return FCommand; }
    // The native sub-menu of an item with sub-items (made on first use).
    HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Runs OnClick, or the action when there is no OnClick of the item's own.
    virtual void Click();
    // The item with this command or sub-menu handle in the subtree, or null.
    TMenuItem* FindByCommand(UINT command);
    TMenuItem* FindByHandle(HMENU handle);
    // The item in the subtree whose shortcut this is, or null.
    TMenuItem* FindShortCut(TShortCut shortCut);

    virtual void InitiateAction();

    // Owner drawing: the measure and draw events replace the item's own.
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuAdvancedDrawItemEvent OnAdvancedDrawItem;
    // The menu font's text size of the caption and shortcut with margins;
    // then OnMeasureItem may change it.
    virtual void MeasureItem(HDC dc, int& width, int& height);
    // Background, check mark, caption and shortcut; OnAdvancedDrawItem instead when set.
    virtual void AdvancedDrawItem(HDC dc, RECT rect, UINT state, bool topLevel);

protected:
    // After a change of the item: the native entry is brought up to date
    // (rebuild: the parent's entries are made again), then the menu is told.
    virtual void MenuChanged(bool rebuild);
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    virtual TActionLinkClass GetActionLinkClass();
    void RebuildHandle();
    friend class TMenuActionLink;
    friend class TMenu;

private:
    void WriteNative(HMENU menu, bool insert, UINT position);
    std::string FCaption;
    TShortCut FShortCut = 0;
    bool FChecked = false, FEnabled = true, FVisible = true, FDefault = false;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on the root item of a menu
    UINT FCommand;
    HMENU FHandle = nullptr;
    TBasicActionLink* FActionLink = nullptr;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    std::string ClassName() const override { return "TMenu"; }
    TMenuItem* Items() const { return FItems; }
    HMENU Handle() { return FItems->Handle(); }
    // Items are owner-drawn (MFT_OWNERDRAW): set before the native menu is made.
    bool OwnerDraw = false;
    // The window that shows the menu (a menu bar's form), or null.
    HWND WindowHandle() const { return FWindowHandle; }
    void SetWindowHandle(HWND wnd);
    // Runs the item with this command; false when no item has it.
    bool DispatchCommand(UINT command);
    // Runs the OnClick of the item whose sub-menu opens; false when none.
    bool DispatchPopup(HMENU menu);
    // The item for a shortcut, run; false when no item has it.
    bool IsShortCut(TShortCut shortCut);
    // A new item of the kind this menu holds.
    virtual TMenuItem* CreateMenuItem(TComponent* owner) { return new TMenuItem(owner); }

protected:
    friend class TMenuItem;
    // After an item changed (its native entry is up to date).
    virtual void DoChange(TMenuItem* source, bool rebuild);
    // True for a menu bar.
    virtual bool IsMenuBar() const { return false; }
    TMenuItem* FItems;
    HWND FWindowHandle = nullptr;
};

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
    std::string ClassName() const override { return "TMainMenu"; }

protected:
    void DoChange(TMenuItem* source, bool rebuild) override;
    bool IsMenuBar() const override { return true; }
};

class TPopupList;

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    std::string ClassName() const override { return "TPopupMenu"; }
    // Shows the menu at a screen point and runs the chosen item.
    virtual void Popup(int x, int y);
    enum TPopupAlignment { paLeft, paRight, paCenter };
    TPopupAlignment Alignment = paLeft;
    TNotifyEvent OnPopup;
};

// The hidden window that owns open pop-up menus and hands their messages to them.
class TPopupList : public TObject {
public:
    TPopupList();
    ~TPopupList() override;
    std::string ClassName() const override { return "TPopupList"; }
    void Add(TPopupMenu* menu);
    void Remove(TPopupMenu* menu);
    int Count() const { return static_cast<int>(FMenus.size()); }
    TPopupMenu* Menus(int i) const { return FMenus.at(static_cast<size_t>(i)); }
    HWND Window();
    // Hands the message to the pop-up menus; returns the message result.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    LRESULT DefaultWndProc(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
    std::vector<TPopupMenu*> FMenus;
    HWND FWindow = nullptr;
};

// The pop-up list in use; pop-up menus show themselves through it.
extern TPopupList* PopupList;

// The link of a menu item: caption, hint, check mark, state and shortcut follow the action.
class TMenuActionLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;
    std::string ClassName() const override { return "TMenuActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TMenuActionLink(client); }
    bool IsCaptionLinked() override;
    bool IsHintLinked() override;
    void SetCaption(const std::string& value) override;
    void SetHint(const std::string& value) override;
    void SetEnabled(bool value) override;
    void SetChecked(bool value) override;
    void SetShortCut(uint16_t value) override;
    void SetVisible(bool value) override;

protected:
    TMenuItem* Item() const { return static_cast<TMenuItem*>(FClient); }
};
