#include <gtest/gtest.h>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxExtCtrls.h"
#include "editor/unicode/UvxFrames.h"
#include "editor/unicode/UvxHintWindow.h"
#include "editor/unicode/UvxHotkeys.h"
#include "editor/unicode/UvxLabels.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "editor/unicode/tests/EightBitPlatform.h"

using namespace guitest;

namespace {
POINT CentreOf(TWinControl* c) {
    POINT p{c->Width() / 2, c->Height() / 2};
    ClientToScreen(c->Handle(), &p);
    return p;
}

const std::u16string kShort = u"\u03A3\u03CD\u03BD\u03C4\u03BF\u03BC\u03B7";   // Σύντομη
const std::u16string kLong = u"\u039C\u03B1\u03BA\u03C1\u03B9\u03AC";          // Μακριά
}  // namespace

TEST(UnicodeHints, ShortAndLongPartsOfAHint) {
    EXPECT_EQ(WideGetShortHint(kShort + u"|" + kLong), kShort);
    EXPECT_EQ(WideGetLongHint(kShort + u"|" + kLong), kLong);
    EXPECT_EQ(WideGetShortHint(kShort), kShort) << "without a bar the hint is both";
    EXPECT_EQ(WideGetLongHint(kShort), kShort);
    EXPECT_EQ(WideGetLongHint(u"a|b|c"), u"b|c");
}

TEST(UnicodeHints, TheHintWindowShowsTheWideShortHintOfTheControlOrItsParent) {
    TControlTestForm form;
    auto* panel = form.Put(new TUvxPanel(&form), 10, 10, 300, 150);
    panel->SetCaption(u"\u03A0\u03AC\u03BD\u03B5\u03BB");
    panel->SetHint(u"\u0393\u03BF\u03BD\u03B9\u03BA\u03CC|parent");
    auto* button = new TUvxButton(&form);
    button->SetParent(panel);
    button->SetBounds(10, 10, 120, 26);
    button->SetCaption(u"\u039A\u03BF\u03C5\u03BC\u03C0\u03AF");
    button->SetHint(kShort + u"|" + kLong);
    auto* shape = new TUvxShape(&form);
    shape->SetParent(panel);
    shape->SetBounds(150, 10, 60, 40);
    form.ShowAndSettle();

    THintWindow* hint = ActivateHintAt(CentreOf(button));
    ASSERT_NE(hint, nullptr);
    PumpUntilIdle();
    EXPECT_EQ(hint->HintClass(), &TUvxCustomHintWindow::ClassInfo) << "the plain class is replaced by the wide one";
    auto* wide = static_cast<TUvxCustomHintWindow*>(hint);
    EXPECT_EQ(wide->GetCaption(), kShort);
    EXPECT_TRUE(IsWindowUnicode(hint->Handle()));
    EXPECT_TRUE(IsWindowVisible(hint->Handle()));
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, hint->Font.Handle());
    SIZE size{};
    GetTextExtentPoint32W(dc, WC(kShort), static_cast<int>(kShort.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    RECT r;
    GetWindowRect(hint->Handle(), &r);
    EXPECT_EQ(r.right - r.left, size.cx + 6) << "measured with the wide text";
    SaveScreenshot(hint->Handle(), ScreenshotPath("unicode_hint_window"));

    hint = ActivateHintAt(CentreOf(shape));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(static_cast<TUvxCustomHintWindow*>(hint)->GetCaption(), u"\u0393\u03BF\u03BD\u03B9\u03BA\u03CC")
        << "a control without a hint shows its parent's";
    CancelHintWindow();
    EXPECT_EQ(CurrentHintWindow(), nullptr);
}

TEST(UnicodeHints, TheWideHintWindowTakesWideTextsDirectly) {
    TUvxHintWindow window(nullptr);
    RECT r = window.CalcHintRect(400, kShort + u" " + kLong, nullptr);
    OffsetRect(&r, 100, 100);
    window.ActivateHint(r, kShort + u" " + kLong);
    PumpUntilIdle();
    EXPECT_EQ(window.GetCaption(), kShort + u" " + kLong);
    EXPECT_EQ(window.Caption(), "S??t?\xB5? ?a????");
    RECT shown;
    GetWindowRect(window.Handle(), &shown);
    EXPECT_EQ(shown.right - shown.left, r.right - r.left);
}

TEST(UnicodeHints, EightBitPlatformKeepsThePlainHintWindow) {
    Platform eightBit(false);
    TControlTestForm form;
    auto* button = form.Put(new TUvxButton(&form), 10, 10, 120, 26);
    button->SetHint(u"plain|x");
    form.ShowAndSettle();
    THintWindow* hint = ActivateHintAt(CentreOf(button));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->HintClass(), &THintWindow::ClassInfo);
    EXPECT_EQ(hint->Caption(), "plain");
    CancelHintWindow();
}

TEST(UnicodeScrollBoxes, NestedSizingStopsThirtyTwoLevelsDeep) {
    TControlTestForm form;
    auto* box = form.Put(new TUvxScrollBox(&form), 10, 10, 100, 100);
    box->SetHint(u"\u039A\u03BF\u03C5\u03C4\u03AF");
    int handled = 0;
    box->OnResize = [&](TObject*) {
        ++handled;
        box->SetBounds(10, 10, box->Width() + 1, 100);  // sizes again from inside the sizing
    };
    box->Handle();
    handled = 0;
    box->SetBounds(10, 10, 120, 100);
    EXPECT_EQ(handled, 31) << "handled while the depth is below 32";
    EXPECT_TRUE(IsWindowUnicode(box->Handle()));
    EXPECT_EQ(box->GetHint(), u"\u039A\u03BF\u03C5\u03C4\u03AF");
    auto* frame = form.Put(new TUvxFrame(&form), 150, 10, 100, 100);
    frame->SetHint(u"\u03A0\u03BB\u03B1\u03AF\u03C3\u03B9\u03BF");
    EXPECT_TRUE(IsWindowUnicode(frame->Handle()));
    EXPECT_EQ(WideGetHint(frame), u"\u03A0\u03BB\u03B1\u03AF\u03C3\u03B9\u03BF");
}
