// The ends of the layer's units, as they run after main returns: the
// message hook goes, the application companion, the pop-up list and the
// shared clipboard are freed, and what the program still holds goes on
// working without them. A program of its own: nothing of the layer's start
// is there afterwards.
#include <gtest/gtest.h>

#include "editor/unicode/UvxClipBrd.h"
#include "editor/unicode/UvxEdits.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "framework/Application.h"

using namespace guitest;

namespace {
// A character typed into the edit as another program would post it, taken
// through the framework's 8-bit loop.
std::u16string TypedThroughTheLoop(TUvxEdit* edit, char16_t c) {
    edit->SetText(u"");
    PostMessageW(edit->Handle(), WM_CHAR, c, 1);
    Application->ProcessMessages();
    return edit->GetText();
}
}  // namespace

TEST(UnicodeUnitEnd, TheHookGoesAndTheSharedObjectsAreFreedOnce) {
    TControlTestForm form;
    auto* edit = form.Put(new TUvxEdit(&form), 10, 10, 200, 24);
    form.ShowAndSettle();
    auto* earlyMenu = new TUvxPopupMenu(nullptr);
    ASSERT_NE(UvxApplication, nullptr);
    ASSERT_NE(UvxPopupList, nullptr);
    EXPECT_EQ(TypedThroughTheLoop(edit, u'\u4E2D'), u"\u4E2D") << "the hook hands the loop's wide characters on whole";
    UvxClipboard()->SetAsWideText(u"\u4E2D\u6587");

    EndUvxFormsUnit();
    EndUvxMenusUnit();
    EndUvxClipBrdUnit();
    EXPECT_EQ(UvxApplication, nullptr);
    EXPECT_EQ(UvxPopupList, nullptr);
    EXPECT_EQ(TypedThroughTheLoop(edit, u'\u4E2D'), u"?")
        << "without the hook the 8-bit loop loses the character, as it would without the layer";
    const uint32_t stamp = _SettingChangeTime;
    SendMessageA(Application->Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    EXPECT_EQ(_SettingChangeTime, stamp) << "the application window is no longer watched";

    // Ending again does nothing; what the program holds still works.
    EndUvxFormsUnit();
    EndUvxMenusUnit();
    EndUvxClipBrdUnit();
    EXPECT_EQ(TypedThroughTheLoop(edit, u'A'), u"A");
    SendMessageW(form.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    delete earlyMenu;
    TUvxPopupMenu lateMenu(nullptr);
    EXPECT_EQ(PopupList->Count(), 1) << "a pop-up menu made after the end joins the framework's list";
    EXPECT_EQ(UvxClipboard()->GetAsWideText(), u"\u4E2D\u6587") << "a clipboard asked for later is a new one";
}
