#pragma once
// Menus with wide captions and hints: after every change the framework makes
// to a native item, the item's wide caption (and its shortcut text) is
// written into the native menu.
#include <windows.h>

#include <string>

#include "framework/Menus.h"

class TUvxMenuItem : public TMenuItem {
public:
    explicit TUvxMenuItem(TComponent* owner);
    std::string ClassName() const override { return "TUvxMenuItem"; }
    std::u16string GetCaption();
    void SetCaption(const std::u16string& value);
    using TMenuItem::SetCaption;
    std::u16string GetHint();
    void SetHint(const std::u16string& value);
    bool IsCaptionStored();
    bool IsHintStored();
    // Writes the wide caption into the native item when it differs.
    void UpdateMenuString(TMenu* parentMenu);
    // The first sub-item whose caption, without hotkeys, equals caption.
    TMenuItem* Find(const std::u16string& caption);
    void InitiateAction() override;

    // Owner drawing with the wide caption and shortcut text.
    void MeasureItem(HDC dc, int& width, int& height) override;
    void AdvancedDrawItem(HDC dc, RECT rect, UINT state, bool topLevel) override;
    // The pop-up menu's alignment as DT_ flags; DT_LEFT in a menu bar.
    UINT GetAlignmentDrawStyle();
    // Draws (or with DT_CALCRECT measures) a wide text of the item.
    void DoDrawText(HDC dc, std::u16string text, RECT& rect, bool selected, UINT flags);
    int MeasureItemTextWidth(HDC dc, const std::u16string& text);

protected:
    void MenuChanged(bool rebuild) override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    TActionLinkClass GetActionLinkClass() override;

private:
    std::u16string FWideCaption;
    std::u16string FWideHint;
    HKL FKeyboardLayout = nullptr;
    bool FIgnoreChanges = false;
};

class TUvxMainMenu : public TMainMenu {
public:
    explicit TUvxMainMenu(TComponent* owner) : TMainMenu(owner) {}
    std::string ClassName() const override { return "TUvxMainMenu"; }
    TMenuItem* CreateMenuItem(TComponent* owner) override { return new TUvxMenuItem(owner); }

protected:
    void DoChange(TMenuItem* source, bool rebuild) override;
};

class TUvxPopupMenu : public TPopupMenu {
public:
    explicit TUvxPopupMenu(TComponent* owner);
    ~TUvxPopupMenu() override;
    std::string ClassName() const override { return "TUvxPopupMenu"; }
    TMenuItem* CreateMenuItem(TComponent* owner) override { return new TUvxMenuItem(owner); }
    void Popup(int x, int y) override;

protected:
    void DoChange(TMenuItem* source, bool rebuild) override;
};

// The pop-up list of the layer's pop-up menus: their hints go to UvxApplication.
class TUvxPopupList : public TPopupList {
public:
    std::string ClassName() const override { return "TUvxPopupList"; }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    TPopupList* FrameworkList = nullptr;
};
// Made by the unit's start-up; null once the unit ended.
extern TUvxPopupList* UvxPopupList;
// The unit's end: the layer's pop-up list is freed. It runs by itself after
// main returns; a second end does nothing.
void EndUvxMenusUnit();

class TUvxMenuActionLink : public TMenuActionLink {
public:
    using TMenuActionLink::TMenuActionLink;
    std::string ClassName() const override { return "TUvxMenuActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TUvxMenuActionLink(client); }
    bool IsCaptionLinked() override;
    bool IsHintLinked() override;
    void SetCaption(const std::string& value) override;
    void SetHint(const std::string& value) override;
};

TUvxMenuItem* WideNewItem(const std::u16string& caption, TShortCut shortCut, bool checked, bool enabled,
                          TNotifyEvent onClick, int helpContext, const std::string& name);
TUvxMenuItem* WideNewSubMenu(const std::u16string& caption, int helpContext, const std::string& name,
                             TMenuItem* const* items, int itemsHigh, bool enabled);
TShortCut MessageToShortCut(const MSG& msg);
std::u16string WideShortCutToText(TShortCut shortCut);
TShortCut WideTextToShortCut(std::u16string text);
std::u16string WideGetMenuItemCaption(TMenuItem* item);
std::u16string WideGetMenuItemHint(TMenuItem* item);
// Top-level owner-drawn items of a menu bar that draw nothing of their own
// (no draw event) become plain text items with their wide caption.
void NoOwnerDrawTopLevelItems(TMainMenu* menu);
// True on a Far-Eastern system locale (hotkeys written "(&X)").
bool SysLocaleFarEast();
// True on a Middle-Eastern system (Hebrew and Arabic enabled, or a system
// locale of a language written right to left).
bool SysLocaleMiddleEast();
// On a Middle-Eastern system, writes the first visible top-level item's
// wide caption again (the system loses it when the menu is mirrored).
void FixMenuBiDiProblem(TMenu* menu);
