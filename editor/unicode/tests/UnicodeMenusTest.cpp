#include <gtest/gtest.h>

#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "framework/Application.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

namespace {
std::u16string NativeText(HMENU menu, UINT command) {
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    wchar_t buf[256] = {};
    mi.dwTypeData = buf;
    mi.cch = 256;
    if (!GetMenuItemInfoW(menu, command, FALSE, &mi)) return u"<none>";
    return U16(buf, mi.cch);
}

// A form with File (Open Ctrl+O, a line, Exit) and Edit menus, all wide.
struct MenuForm {
    TUvxForm form{nullptr};
    TUvxMainMenu& menu = *new TUvxMainMenu(&form);
    TUvxMenuItem* file = new TUvxMenuItem(&form);
    TUvxMenuItem* open = new TUvxMenuItem(&form);
    TUvxMenuItem* line = new TUvxMenuItem(&form);
    TUvxMenuItem* exit = new TUvxMenuItem(&form);
    TUvxMenuItem* edit = new TUvxMenuItem(&form);
    MenuForm() {
        file->SetCaption(u"&\u0424\u0430\u0439\u043B");
        file->SetShortCut(ShortCut('F', ssCtrl));  // never shown on the bar
        open->SetCaption(u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00");
        open->SetShortCut(ShortCut('O', ssCtrl));
        open->SetHint(u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C|\u041E\u0442\u043A\u0440\u044B\u0432\u0430\u0435\u0442 \u0444\u0430\u0439\u043B");
        line->SetCaption(u"-");
        exit->SetCaption(u"E&xit");
        exit->SetShortCut(ShortCut(VK_F4, ssAlt));
        edit->SetCaption(u"\u041F\u0440\u0430\u0432\u043A\u0430");
        file->Add(open);
        file->Add(line);
        file->Add(exit);
        menu.Items()->Add(file);
        menu.Items()->Add(edit);
        form.SetCaption(u"\u041C\u0435\u043D\u044E");
        form.SetMenu(&menu);
        form.SetBounds(50, 50, 400, 200);
    }
};
}  // namespace

TEST(UnicodeMenus, NativeItemsShowWideCaptionsAndShortcutTexts) {
    MenuForm f;
    f.form.Show();
    PumpUntilIdle();
    HMENU bar = GetMenu(f.form.Handle());
    ASSERT_EQ(bar, f.menu.Handle());
    EXPECT_EQ(NativeText(bar, f.file->Command()), u"&\u0424\u0430\u0439\u043B") << "no shortcut on the bar";
    EXPECT_EQ(NativeText(bar, f.edit->Command()), u"\u041F\u0440\u0430\u0432\u043A\u0430");
    HMENU sub = f.file->Handle();
    EXPECT_EQ(NativeText(sub, f.open->Command()), u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00\tCtrl+O");
    EXPECT_EQ(NativeText(sub, f.exit->Command()), u"E&xit\tAlt+F4");
    SaveScreenshot(f.form.Handle(), ScreenshotPath("unicode_menu_bar"));

    // Later changes reach the native items, the siblings keep their wide text.
    f.open->SetShortCut(ShortCut('P', ssCtrl | ssShift));
    f.exit->SetCaption(u"\u0412\u044B\u0445\u043E\u0434");
    f.edit->SetVisible(false);
    f.edit->SetVisible(true);
    EXPECT_EQ(NativeText(sub, f.open->Command()), u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00\tShift+Ctrl+P");
    EXPECT_EQ(NativeText(sub, f.exit->Command()), u"\u0412\u044B\u0445\u043E\u0434\tAlt+F4");
    EXPECT_EQ(NativeText(bar, f.file->Command()), u"&\u0424\u0430\u0439\u043B");
    EXPECT_EQ(NativeText(bar, f.edit->Command()), u"\u041F\u0440\u0430\u0432\u043A\u0430");

    // A change through the framework wins.
    f.open->TMenuItem::SetCaption("Plain");
    EXPECT_EQ(f.open->GetCaption(), u"Plain");
    EXPECT_EQ(NativeText(sub, f.open->Command()), u"Plain\tShift+Ctrl+P");
}

TEST(UnicodeMenus, FrameworkHotkeyMoveIsCopiedIntoTheWideCaption) {
    TUvxMenuItem item(nullptr);
    item.SetCaption(u"\u0424\u0430\u0439\u043B");
    item.TMenuItem::SetCaption("?&???");
    EXPECT_EQ(item.GetCaption(), u"\u0424&\u0430\u0439\u043B");
    item.SetCaption(u"Fish && Chips");
    item.TMenuItem::SetCaption("&Fish && Chips");
    EXPECT_EQ(item.GetCaption(), u"&Fish && Chips");
}

TEST(UnicodeMenus, CommandsRunItemsAndSelectionSetsTheLongHint) {
    MenuForm f;
    int opened = 0;
    f.open->OnClick = [&](TObject*) { ++opened; };
    HWND h = f.form.Handle();
    SendMessageW(h, WM_COMMAND, f.open->Command(), 0);
    EXPECT_EQ(opened, 1);
    SendMessageW(h, WM_MENUSELECT, MAKEWPARAM(f.open->Command(), MF_STRING), reinterpret_cast<LPARAM>(f.file->Handle()));
    EXPECT_EQ(UvxApplication->GetHint(), u"\u041E\u0442\u043A\u0440\u044B\u0432\u0430\u0435\u0442 \u0444\u0430\u0439\u043B");
    SendMessageW(h, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(UvxApplication->GetHint(), u"") << "a closed menu empties the hint";
    // The shortcut key runs the item.
    EXPECT_TRUE(f.menu.IsShortCut(ShortCut('O', ssCtrl)));
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(f.file->Find(u"\u043E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00"), f.open) << "case and hotkeys aside";
}

TEST(UnicodeMenus, ShortcutTextsBothWays) {
    for (bool wide : kBothPlatforms) {
        Platform p(wide);
        EXPECT_EQ(WideShortCutToText(ShortCut('O', ssCtrl)), u"Ctrl+O");
        EXPECT_EQ(WideShortCutToText(ShortCut(VK_F5, ssShift)), u"Shift+F5");
        EXPECT_EQ(WideShortCutToText(ShortCut(VK_DELETE, ssShift | ssCtrl | ssAlt)), u"Shift+Ctrl+Alt+Del");
        EXPECT_EQ(WideShortCutToText(ShortCut('7', 0)), u"7");
        EXPECT_EQ(WideShortCutToText(0), u"");
        EXPECT_EQ(WideTextToShortCut(u"Ctrl+O"), ShortCut('O', ssCtrl));
        EXPECT_EQ(WideTextToShortCut(u"^o"), ShortCut('O', ssCtrl));
        EXPECT_EQ(WideTextToShortCut(u"alt+shift+f5"), ShortCut(VK_F5, ssAlt | ssShift));
        EXPECT_EQ(WideTextToShortCut(u"Ctrl+"), 0);
        EXPECT_EQ(WideTextToShortCut(u"Ctrl+NoSuchKey"), 0);
    }
    EXPECT_EQ(TextToShortCut("Ctrl+Shift+Ins"), ShortCut(VK_INSERT, ssCtrl | ssShift));
}

TEST(UnicodeMenus, PopupMenuItemsAndNewItemHelpers) {
    TUvxPopupMenu popup(nullptr);
    TMenuItem* items[] = {WideNewItem(u"\u041A\u043E\u043F\u0438\u044F", ShortCut('C', ssCtrl), true, false, nullptr, 7,
                                      "Copy1"),
                          WideNewItem(u"\u0412\u0441\u0442\u0430\u0432\u043A\u0430", 0, false, true, nullptr, 0, "Paste1")};
    TUvxMenuItem* sub = WideNewSubMenu(u"\u041F\u0440\u0430\u0432\u043A\u0430", 3, "Edit1", items, 1, true);
    popup.Items()->Add(sub);
    HMENU h = sub->Handle();
    EXPECT_EQ(NativeText(h, items[0]->Command()), u"\u041A\u043E\u043F\u0438\u044F\tCtrl+C");
    EXPECT_EQ(NativeText(popup.Handle(), sub->Command()), u"\u041F\u0440\u0430\u0432\u043A\u0430");
    EXPECT_EQ(GetMenuState(h, items[0]->Command(), MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED),
              static_cast<UINT>(MF_CHECKED | MF_GRAYED));
    EXPECT_EQ(items[0]->HelpContext, 7);
    EXPECT_EQ(sub->Name(), "Edit1");
    EXPECT_EQ(UvxPopupList->Count(), 1);
    EXPECT_EQ(PopupList->Count(), 0) << "a Unicode pop-up menu lives in the layer's list";
}

TEST(UnicodeMenus, EightBitPlatformWritesEightBitCaptions) {
    Platform eightBit(false);
    MenuForm f;
    f.form.Handle();
    EXPECT_EQ(NativeText(f.file->Handle(), f.open->Command()), u"??????? ??\tCtrl+O");
    EXPECT_EQ(f.open->GetCaption(), u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C \u6253\u5F00")
        << "the item keeps its wide caption for later";
}
