// Menus on a Middle-Eastern system: the program runs on a Hebrew system
// locale (its test sets Wine's locale).
#include <gtest/gtest.h>

#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/tests/ControlTestForm.h"

using namespace guitest;

namespace {
void LoseNativeText(HMENU menu, UINT command, const wchar_t* text) {
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    mi.dwTypeData = const_cast<wchar_t*>(text);
    SetMenuItemInfoW(menu, command, FALSE, &mi);
}

// The system tells the pop-up menus' owner that a menu loop starts, as it
// does when one of them opens.
void MenuLoopStarts() { SendMessageW(UvxPopupList->Window(), WM_ENTERMENULOOP, TRUE, 0); }

const std::u16string kFile = u"\u05E7\u05D5\u05D1\u05E5", kEdit = u"\u05E2\u05E8\u05D9\u05DB\u05D4";
}  // namespace

TEST(RightToLeftMenus, TheSystemIsMiddleEastern) {
    EXPECT_TRUE(SysLocaleMiddleEast()) << "system locale " << std::hex << GetSystemDefaultLCID();
}

TEST(RightToLeftMenus, APopupMenuLoopWritesTheFirstVisibleItemAgain) {
    for (bool firstVisible : {true, false}) {
        TUvxPopupMenu popup(nullptr);
        TUvxMenuItem* file = WideNewItem(kFile, 0, false, true, nullptr, 0, "File1");
        TUvxMenuItem* edit = WideNewItem(kEdit, 0, false, true, nullptr, 0, "Edit1");
        popup.Items()->Add(file);
        popup.Items()->Add(edit);
        file->SetVisible(firstVisible);
        HMENU menu = popup.Handle();
        ASSERT_EQ(NativeMenuText(menu, edit->Command()), kEdit);
        // The system loses the texts when it mirrors a menu: stand in for that.
        if (firstVisible) LoseNativeText(menu, file->Command(), L"lost");
        LoseNativeText(menu, edit->Command(), L"lost too");
        MenuLoopStarts();
        if (firstVisible) {
            EXPECT_EQ(NativeMenuText(menu, file->Command()), kFile) << "written again as the menu loop starts";
            EXPECT_EQ(NativeMenuText(menu, edit->Command()), u"lost too") << "only the first visible item is touched";
        } else {
            EXPECT_EQ(NativeMenuText(menu, edit->Command()), kEdit) << "the first visible one, past a hidden item";
        }
    }
}
