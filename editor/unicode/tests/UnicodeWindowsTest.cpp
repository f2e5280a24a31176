#include <gtest/gtest.h>

#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxGraphics.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Graphics.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

namespace {
const std::u16string kMixed = u"\u0422\u0435\u0441\u0442 \u6D4B\u8BD5 Caf\u00E9";  // Cyrillic, CJK, Latin-1

std::u16string WindowTextW(HWND h) {
    wchar_t buf[256] = {};
    int n = GetWindowTextW(h, buf, 256);
    return U16(buf, static_cast<size_t>(n));
}

// A form made from its layout resource, as the program's forms are.
class TLayoutForm : public TUvxForm {
public:
    explicit TLayoutForm(const std::string& resource = "TLAYOUTFORM") : TUvxForm(nullptr) { ReadLayout(resource); }
    std::string ClassName() const override { return "TLayoutForm"; }
};
}  // namespace

TEST(UnicodeWindows, ApplicationTitleSetBeforeItsWindowIsShownWhenItIsMade) {
    ASSERT_FALSE(Application->HandleAllocated()) << "this test must run before anything makes the window";
    UvxApplication->SetTitle(u"Tessaly \u2014 " + kMixed);
    EXPECT_EQ(Application->Title(), "Tessaly \x97 ???? ?? Caf\xE9");
    HWND app = Application->Handle();
    // The text as the shell shows it (the window itself is an 8-bit one).
    auto shown = [app] {
        wchar_t buf[256] = {};
        int n = InternalGetWindowText(app, buf, 256);
        return U16(buf, static_cast<size_t>(n));
    };
    EXPECT_EQ(shown(), u"Tessaly \u2014 " + kMixed);
    EXPECT_EQ(UvxApplication->GetTitle(), u"Tessaly \u2014 " + kMixed);
    UvxApplication->SetTitle(u"\u0416");
    EXPECT_EQ(shown(), u"\u0416");
    EXPECT_EQ(UvxApplication->GetTitle(), u"\u0416");
}

TEST(UnicodeWindows, WideCaptionSetBeforeTheWindowAppearsAndSurvivesRecreation) {
    TUvxForm form(nullptr);
    form.SetCaption(kMixed);
    EXPECT_EQ(form.GetCaption(), kMixed);
    EXPECT_FALSE(form.HandleAllocated());
    HWND h = form.Handle();
    EXPECT_TRUE(IsWindowUnicode(h));
    EXPECT_EQ(WindowTextW(h), kMixed);
    EXPECT_EQ(form.Caption(), "???? ?? Caf\xE9") << "the framework sees the 8-bit form";
    form.RecreateWnd();
    EXPECT_NE(form.Handle(), nullptr);
    EXPECT_EQ(WindowTextW(form.Handle()), kMixed);
    form.DestroyHandle();
    EXPECT_EQ(form.GetCaption(), kMixed) << "kept while there is no window";
    EXPECT_EQ(WindowTextW(form.Handle()), kMixed);
}

TEST(UnicodeWindows, AChangeThroughTheFrameworkWins) {
    TUvxForm form(nullptr);
    form.SetCaption(kMixed);
    form.TWinControl::SetCaption("plain");  // no window yet
    EXPECT_EQ(form.GetCaption(), u"plain");
    EXPECT_EQ(WindowTextW(form.Handle()), u"plain") << "a stale wide caption does not come back";
    form.SetCaption(kMixed);
    SetWindowTextA(form.Handle(), "typed 8-bit");
    EXPECT_EQ(form.GetCaption(), u"typed 8-bit");
    form.SetHint(u"\u041A\u043E\u0440\u043E\u0442\u043A\u043E|\u0414\u043B\u0438\u043D\u043D\u043E");
    EXPECT_EQ(form.Hint, "???????|??????");
    form.Hint = "Short|Long";
    EXPECT_EQ(form.GetHint(), u"Short|Long");
}

TEST(UnicodeWindows, EightBitPlatformMakesAnEightBitWindow) {
    Platform eightBit(false);
    TUvxForm form(nullptr);
    form.SetCaption(kMixed);
    HWND h = form.Handle();
    EXPECT_FALSE(IsWindowUnicode(h));
    EXPECT_EQ(form.GetCaption(), u"???? ?? Caf\u00E9");
    EXPECT_EQ(WindowTextW(h), u"???? ?? Caf\u00E9");
    form.SetHint(u"\u0416|x");
    EXPECT_EQ(form.GetHint(), u"?|x");
}

TEST(UnicodeWindows, WideCharacterReachesKeyPressPackedAndDefaultProcessingWhole) {
    TUvxForm form(nullptr);
    std::vector<uint32_t> defaults;
    form.DefaultProc = [&form, &defaults](UINT m, WPARAM w, LPARAM l) {
        if (m == WM_CHAR) defaults.push_back(static_cast<uint32_t>(w));
        return DefWindowProcW(form.Handle(), m, w, l);
    };
    std::vector<unsigned char> keys;
    form.OnKeyPress = [&](TObject*, char& key) { keys.push_back(static_cast<unsigned char>(key)); };
    HWND h = form.Handle();
    SendMessageW(h, WM_CHAR, 0x4E2D, 1);
    SendMessageW(h, WM_CHAR, 0xE9, 1);
    EXPECT_EQ(keys, (std::vector<unsigned char>{0xFF, 0xE9}));
    EXPECT_EQ(defaults, (std::vector<uint32_t>{0x4E2D, 0xE9}));

    // Posted: the get-message hook dispatches it wide before the 8-bit loop can lose it.
    keys.clear();
    defaults.clear();
    PostMessageW(h, WM_CHAR, 0x4E2D, 1);
    PostMessageW(h, WM_CHAR, 0xE9, 1);
    Application->ProcessMessages();
    EXPECT_EQ(keys, (std::vector<unsigned char>{0xFF, 0xE9}));
    EXPECT_EQ(defaults, (std::vector<uint32_t>{0x4E2D, 0xE9}));
}

TEST(UnicodeWindows, HintsComeFromTheParentWhenEmpty) {
    TUvxForm form(nullptr);
    TWinControl child(&form);
    child.SetParent(&form);
    form.SetHint(u"\u041F\u0430\u043F\u0430|long \u0416");
    EXPECT_EQ(WideGetHint(&child), u"\u041F\u0430\u043F\u0430|long \u0416");
    UvxControl_SetHint(&child, u"own");
    EXPECT_EQ(WideGetHint(&child), u"own");
    child.Handle();
    UvxControl_SetText(&child, u"\u0416");
    EXPECT_EQ(UvxControl_GetText(&child), u"?") << "a framework window stays 8-bit";
}

TEST(UnicodeWindows, FormReadsWideCaptionFromItsLayoutResource) {
    TLayoutForm form;
    const std::u16string caption = u"Tessaly \u0422\u0435\u0441\u0442 \u6D4B\u8BD5";
    EXPECT_EQ(form.Name(), "LayoutForm");
    EXPECT_EQ(form.GetCaption(), caption);
    EXPECT_EQ(form.GetHint(), u"Short|\u0414\u043B\u0438\u043D\u043D\u0430\u044F");
    EXPECT_EQ(form.Width(), 420);
    form.Show();
    PumpUntilIdle();
    EXPECT_EQ(WindowTextW(form.Handle()), caption);
    HDC dc = GetDC(form.Handle());
    {
        TCanvas canvas(dc);
        canvas.FontColor = clBlack;
        WideCanvasTextOut(canvas, 10, 10, u"\u0428\u0440\u0438\u0444\u0442 \u0416 \u6D4B\u8BD5");
    }
    ReleaseDC(form.Handle(), dc);
    SaveScreenshot(form.Handle(), ScreenshotPath("unicode_layout_form"));
    try {
        TLayoutForm missing("TNOSUCHFORM");
        ADD_FAILURE();
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource TNOSUCHFORM not found");
    }
}

TEST(WideCanvas, TextIsMeasuredDrawnAndShiftedRightToLeft) {
    TBitmap bitmap;
    bitmap.SetSize(200, 40);
    TCanvas& canvas = bitmap.Canvas();
    const std::u16string text = u"\u0416\u0416\u0416";
    SIZE size = WideCanvasTextExtent(canvas, text);
    EXPECT_GT(size.cx, 0);
    EXPECT_GT(size.cy, 0);
    EXPECT_EQ(WideCanvasTextWidth(canvas, text), size.cx);
    EXPECT_EQ(WideCanvasTextHeight(canvas, text), size.cy);
    EXPECT_EQ(WideCanvasTextWidth(canvas, u""), 0);
    WideCanvasTextOut(canvas, 5, 5, text);
    EXPECT_EQ(canvas.PenPos.x, 5 + size.cx);
    bool inked = false;
    for (int x = 5; x < 5 + size.cx && !inked; ++x)
        for (int y = 5; y < 5 + size.cy && !inked; ++y) inked = canvas.Pixel(x, y) != clWhite;
    EXPECT_TRUE(inked);
    canvas.TextFlags = ETO_RTLREADING;
    WideCanvasTextOut(canvas, 5, 5, text);
    EXPECT_EQ(canvas.PenPos.x, 5 + size.cx + 1 + size.cx) << "right-to-left starts one pixel past the width";
    canvas.TextFlags = 0;
    const TColor red = 0x0000FF;
    canvas.BrushColor = red;
    RECT clip{100, 0, 110, 40};
    WideCanvasTextRect(canvas, clip, 100, 5, text);
    EXPECT_EQ(canvas.Pixel(109, 1), red) << "opaque background inside the rectangle";
    EXPECT_EQ(canvas.Pixel(111, 1), clWhite) << "nothing outside it";
}
