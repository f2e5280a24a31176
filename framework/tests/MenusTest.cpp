#include <gtest/gtest.h>

#include "framework/ActnList.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

namespace {
std::string NativeText(HMENU menu, UINT command) {
    char buf[256] = {};
    int n = GetMenuStringA(menu, command, buf, sizeof buf, MF_BYCOMMAND);
    return std::string(buf, static_cast<size_t>(n > 0 ? n : 0));
}

void HoldCtrl(bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(state);
}
}  // namespace

TEST(Menus, ShortcutTexts) {
    struct Case { TShortCut shortCut; const char* text; };
    const Case cases[] = {
        {ShortCut('S', ssCtrl), "Ctrl+S"},
        {ShortCut(VK_F3, 0), "F3"},
        {ShortCut(VK_INSERT, ssShift), "Shift+Ins"},
        {ShortCut(VK_DELETE, ssCtrl | ssAlt), "Ctrl+Alt+Del"},
        {ShortCut(VK_NEXT, ssCtrl | ssShift), "Shift+Ctrl+PgDn"},
        {ShortCut(VK_BACK, ssAlt), "Alt+BkSp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortCutToText(c.shortCut), c.text);
        EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
    }
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("^s"), ShortCut('S', ssCtrl));
    EXPECT_EQ(GetShortHint("a|b"), "a");
    EXPECT_EQ(GetLongHint("a|b"), "b");
}

TEST(Menus, BarItemsCommandsShortcutsAndRemoval) {
    TForm form(nullptr);
    auto* menu = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    auto* save = new TMenuItem(&form);
    auto* quit = new TMenuItem(&form);
    file->SetCaption("&File");
    save->SetCaption("&Save");
    save->SetShortCut(ShortCut('S', ssCtrl));
    save->Hint = "Save|Saves the file";
    quit->SetCaption("&Quit");
    file->Add(save);
    file->Add(quit);
    menu->Items()->Add(file);
    form.SetMenu(menu);
    form.Show();
    PumpUntilIdle();
    HMENU sub = file->Handle();
    EXPECT_EQ(NativeText(GetMenu(form.Handle()), file->Command()), "&File");
    EXPECT_EQ(NativeText(sub, save->Command()), "&Save\tCtrl+S");

    int saved = 0, opened = 0;
    save->OnClick = [&](TObject*) { ++saved; };
    file->OnClick = [&](TObject*) { ++opened; };
    SendMessageA(form.Handle(), WM_COMMAND, save->Command(), 0);
    EXPECT_EQ(saved, 1);
    SendMessageA(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
    EXPECT_EQ(opened, 1) << "a sub-menu's item hears that it opens";
    SendMessageA(form.Handle(), WM_MENUSELECT, MAKEWPARAM(save->Command(), MF_STRING), reinterpret_cast<LPARAM>(sub));
    EXPECT_EQ(Application->Hint(), "Saves the file");

    // The shortcut runs through the application's loop, not the window's keys.
    SetForegroundWindow(form.Handle());
    SetActiveWindow(form.Handle());
    PumpUntilIdle();
    HoldCtrl(true);
    PostMessageA(form.Handle(), WM_KEYDOWN, 'S', 1);
    Application->ProcessMessages();
    HoldCtrl(false);
    EXPECT_EQ(saved, 2);
    save->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut(ShortCut('S', ssCtrl))) << "a disabled item does not run";
    EXPECT_EQ(GetMenuState(sub, save->Command(), MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));

    delete quit;
    EXPECT_EQ(file->Count(), 1);
    EXPECT_EQ(GetMenuItemCount(sub), 1);
    save->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(sub), 0);
    save->SetVisible(true);
    EXPECT_EQ(NativeText(sub, save->Command()), "&Save\tCtrl+S");
}

TEST(Actions, LinkedItemsAndControlsFollowTheAction) {
    TActionList list(nullptr);
    auto* action = new TAction(&list);
    list.AddAction(action);
    action->SetCaption("Copy");
    TMenuItem item(nullptr);
    TForm form(nullptr);
    item.SetAction(action);
    form.SetAction(action);
    EXPECT_EQ(item.Caption(), "Copy");
    EXPECT_EQ(form.Caption(), "Copy");
    action->SetCaption("Copy all");
    action->SetHint("Copies");
    action->SetChecked(true);
    action->SetEnabled(false);
    EXPECT_EQ(item.Caption(), "Copy all");
    EXPECT_EQ(item.Hint, "Copies");
    EXPECT_TRUE(item.Checked());
    EXPECT_FALSE(item.Enabled());
    EXPECT_EQ(form.Caption(), "Copy all");
    item.SetCaption("Mine");
    action->SetCaption("Later");
    EXPECT_EQ(item.Caption(), "Mine") << "a caption edited by hand is left alone";
    int runs = 0, updates = 0;
    action->OnExecute = [&](TObject*) { ++runs; };
    action->OnUpdate = [&](TObject*) { ++updates; };
    action->SetEnabled(true);
    item.Click();
    EXPECT_EQ(runs, 1);
    list.UpdateActions();
    EXPECT_EQ(updates, 1);
    delete action;  // the clients let go
    EXPECT_EQ(item.Action(), nullptr);
    EXPECT_EQ(list.ActionCount(), 0);
}

TEST(Menus, ThePopupListMakesItsWindowOnce) {
    TPopupList list;
    HWND window = list.Window();
    ASSERT_TRUE(IsWindow(window)) << "made without making others while it is being made";
    EXPECT_EQ(list.Window(), window);
    EXPECT_EQ(SendMessageA(window, WM_NULL, 0, 0), 0);
}
