// A trapped window's last messages reach the procedure of the class it
// was made from: a system control frees what it keeps per window only when
// it sees WM_NCDESTROY.
#include <gtest/gtest.h>

#include "editor/unicode/UvxComboBox.h"
#include "editor/unicode/UvxControls.h"
#include "editor/unicode/tests/ControlTestForm.h"

using namespace guitest;

namespace {
int g_created = 0;
int g_ended = 0;

// A window class standing in for a system control: it counts the windows
// it saw made and ended.
LRESULT CALLBACK WatchedClassProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_NCCREATE) ++g_created;
    if (msg == WM_NCDESTROY) ++g_ended;
    return DefWindowProcW(h, msg, w, l);
}

const wchar_t kWatchedClass[] = L"UvxTestWatchedClass";

void RegisterWatchedClass() {
    WNDCLASSW wc{};
    if (GetClassInfoW(GetModuleHandleW(nullptr), kWatchedClass, &wc)) return;
    wc.lpfnWndProc = WatchedClassProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWatchedClass;
    RegisterClassW(&wc);
}

class TWatchedControl : public TWinControl {
public:
    explicit TWatchedControl(TComponent* owner) : TWinControl(owner) { FVisible = true; }
    std::string ClassName() const override { return "TWatchedControl"; }
    void CreateWindowHandle(const TCreateParams& params) override {
        CreateUnicodeHandle(this, params, u"UvxTestWatchedClass");
    }
};
}  // namespace

TEST(UnicodeWindowEnd, TheClassProcedureSeesEveryWindowEnd) {
    RegisterWatchedClass();
    TControlTestForm form;
    auto* control = form.Put(new TWatchedControl(&form), 10, 10, 100, 40);
    form.ShowAndSettle();
    UvxControl_SetText(control, u"\u03A4\u03AD\u03BB\u03BF\u03C2");
    ASSERT_TRUE(IsWindowUnicode(control->Handle()));
    const int created = g_created, ended = g_ended;
    EXPECT_GE(created, 1);

    ReCreateUnicodeWnd(control);
    PumpUntilIdle();
    EXPECT_EQ(g_ended, ended + 1) << "the old window's end reached the class";
    EXPECT_EQ(g_created, created + 1);
    EXPECT_EQ(UvxControl_GetText(control), u"\u03A4\u03AD\u03BB\u03BF\u03C2") << "the wide caption outlived it";

    delete control;
    PumpUntilIdle();
    EXPECT_EQ(g_ended, ended + 2) << "and so did the freed control's";
}

TEST(UnicodeWindowEnd, AComboBoxTakesItsDropDownListAlongWithoutHelp) {
    TControlTestForm form;
    auto* combo = form.Put(new TUvxComboBox(&form), 10, 10, 160, 24);
    form.ShowAndSettle();
    combo->SetDroppedDown(true);
    PumpUntilIdle();
    combo->SetDroppedDown(false);
    HWND list = combo->ListHandle();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(IsWindow(list));
    delete combo;
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(list)) << "the system's combo procedure freed its list at the end";
}
