// Hints over controls as a person gets them: the real mouse rests on a
// control, the application's loop runs, and the hint window shows the
// control's wide short hint; a key hides it.
#include <gtest/gtest.h>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxExtCtrls.h"
#include "editor/unicode/UvxHintWindow.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "framework/Application.h"

using namespace guitest;

namespace {
const std::u16string kButtonHint = u"\u039A\u03BF\u03C5\u03BC\u03C0\u03AF";          // Κουμπί
const std::u16string kPanelHint = u"\u03A0\u03AC\u03BD\u03B5\u03BB";                 // Πάνελ

// Moves the system's mouse to the screen point, as a hand on the mouse does.
void MoveMouseTo(POINT p) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((p.x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = static_cast<LONG>((p.y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

POINT CentreOf(TWinControl* c) {
    POINT p{c->Width() / 2, c->Height() / 2};
    ClientToScreen(c->Handle(), &p);
    return p;
}

// Runs the application's loop until done() holds (at most about ten seconds).
template <class F>
bool RunLoopUntil(F done) {
    for (int i = 0; i < 1000; ++i) {
        Application->ProcessMessages();
        if (done()) return true;
        Sleep(10);
    }
    return false;
}

void RunLoopFor(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        Application->ProcessMessages();
        Sleep(10);
    }
}

std::u16string ShownHint() {
    THintWindow* w = CurrentHintWindow();
    if (!w) return u"<none>";
    auto* wide = dynamic_cast<TUvxCustomHintWindow*>(w);
    return wide ? wide->GetCaption() : u"<8-bit window>";
}
}  // namespace

TEST(UnicodeHintHover, TheHintShowsAfterTheMouseRestsAndFollowsItToTheNextControl) {
    TControlTestForm form;
    auto* panel = form.Put(new TUvxPanel(&form), 10, 10, 400, 200);
    panel->SetHint(kPanelHint + u"|\u03BC\u03B1\u03BA\u03C1\u03CD");
    auto* button = new TUvxButton(&form);
    button->SetParent(panel);
    button->SetBounds(20, 20, 140, 30);
    button->SetCaption(u"\u0395\u03BD\u03C4\u03AC\u03BE\u03B5\u03B9");
    button->SetHint(kButtonHint + u"|\u03A0\u03B1\u03C4\u03AE\u03C3\u03C4\u03B5 \u03B5\u03B4\u03CE");
    auto* silent = form.Put(new TUvxButton(&form), 10, 250, 140, 30);
    silent->SetCaption(u"\u03A7\u03C9\u03C1\u03AF\u03C2");
    form.ShowAndSettle();
    Application->HintPause = 200;
    Application->HintHidePause = 60000;

    MoveMouseTo(CentreOf(button));
    ASSERT_TRUE(RunLoopUntil([] { return CurrentHintWindow() != nullptr; })) << "no hint came";
    EXPECT_EQ(ShownHint(), kButtonHint) << "the wide short hint";
    HWND hint = CurrentHintWindow()->Handle();
    EXPECT_TRUE(IsWindowUnicode(hint));
    RECT r;
    GetWindowRect(hint, &r);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_GT(r.top, cursor.y) << "below the cursor";
    RunLoopFor(50);  // the mouse rests on: the hint stays
    EXPECT_EQ(ShownHint(), kButtonHint);
    SaveScreenshot(hint, ScreenshotPath("unicode_hint_hover"));

    // On to the panel beside the button: its own hint follows.
    POINT onPanel = CentreOf(panel);
    onPanel.x += 120;
    MoveMouseTo(onPanel);
    ASSERT_TRUE(RunLoopUntil([] { return ShownHint() == kPanelHint; })) << "the panel's hint did not follow";

    // A key hides it; a control without a hint anywhere above shows none.
    PostMessageA(form.Handle(), WM_KEYDOWN, VK_SHIFT, 1);
    RunLoopUntil([] { return CurrentHintWindow() == nullptr; });
    EXPECT_EQ(CurrentHintWindow(), nullptr) << "a key hides the hint";
    MoveMouseTo(CentreOf(silent));
    RunLoopFor(100);  // five times the pause
    EXPECT_EQ(CurrentHintWindow(), nullptr) << "no hint on a control without one";

    // Hints off: the mouse rests in vain.
    Application->ShowHint = false;
    MoveMouseTo(CentreOf(button));
    RunLoopFor(100);
    EXPECT_EQ(CurrentHintWindow(), nullptr);
    Application->ShowHint = true;
    Application->HintPause = 500;
    Application->HintHidePause = 2500;
    CancelHintWindow();
}
