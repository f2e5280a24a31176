#include <gtest/gtest.h>

#include <cstring>

#include "editor/unicode/UvxInputQuery.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

namespace {
// Answers the query from inside its modal loop: types into its edit box
// (the focused window) and presses a key there.
struct QueryAnswer {
    static std::u16string& Text() {
        static std::u16string text;
        return text;
    }
    static WORD& Key() {
        static WORD key = 0;
        return key;
    }
    static bool& Shot() {
        static bool shot = false;
        return shot;
    }
    static void Plan(const std::u16string& text, WORD key, bool shot = false) {
        Text() = text;
        Key() = key;
        Shot() = shot;
        SetTimer(nullptr, 0, 150, Tick);
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        HWND edit = GetFocus();
        char cls[64] = {};
        if (edit) GetClassNameA(edit, cls, sizeof cls);
        if (!edit || !std::strstr(cls, "Edit")) return;
        KillTimer(nullptr, id);
        // The value starts all selected: typed text replaces it.
        for (char16_t c : Text()) PostMessageW(edit, WM_CHAR, c, 1);
        PumpUntilIdle(0, 300);
        if (Shot()) SaveScreenshot(GetAncestor(edit, GA_ROOT), ScreenshotPath("wide_input_query"));
        PressKey(edit, Key());
    }
};
}  // namespace

TEST(WideInputQuery, OkTakesTheTypedWideTextAndCancelKeepsTheValue) {
    std::u16string value = u"\u03C0\u03B1\u03BB\u03B9\u03CC";
    QueryAnswer::Plan(u"\u03BD\u03AD\u03BF", VK_RETURN, true);
    EXPECT_TRUE(WideInputQuery(u"\u0395\u03C1\u03CE\u03C4\u03B7\u03C3\u03B7", u"\u038C\u03BD\u03BF\u03BC\u03B1:", value));
    EXPECT_EQ(value, u"\u03BD\u03AD\u03BF");

    QueryAnswer::Plan(u"x", VK_ESCAPE);
    EXPECT_FALSE(WideInputQuery(u"Query", u"Name:", value));
    EXPECT_EQ(value, u"\u03BD\u03AD\u03BF") << "a cancelled query changes nothing";

    QueryAnswer::Plan(u"", VK_ESCAPE);
    EXPECT_EQ(WideInputBox(u"Box", u"Value:", u"\u03B1\u03C1\u03C7\u03AE"), u"\u03B1\u03C1\u03C7\u03AE");
}
