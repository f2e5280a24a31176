// Runs in a program whose manifest asks for the styled common controls, so
// that the group box's styled painting runs where Wine has a style active.
#include <gtest/gtest.h>
#include <vsstyle.h>

#include <algorithm>
#include <vector>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "framework/ThemeServices.h"

using namespace guitest;

namespace {
const std::u16string kTitle = u"\u03A4\u03AF\u03C4\u03BB\u03BF\u03C2";  // Τίτλος

// The first row from the top whose pixel in column x is not the background.
int FirstInkRow(const TPixels& p, int x, COLORREF background) {
    for (int y = 0; y < p.Height; ++y)
        if (p.At(x, y) != background) return y;
    return -1;
}

// The columns of row y that are not the background.
std::vector<int> InkColumns(const TPixels& p, int y, COLORREF background) {
    std::vector<int> columns;
    for (int x = 0; x < p.Width; ++x)
        if (p.At(x, y) != background) columns.push_back(x);
    return columns;
}

// Whether the style's normal and disabled group-box frames differ at all.
bool StyleStatesDiffer(HWND window, int width, int height) {
    HDC screen = GetDC(window);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width, height * 2);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT whole{0, 0, width, height * 2};
    FillRect(mem, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ThemeServices().DrawElement(window, L"BUTTON", BP_GROUPBOX, GBS_NORMAL, mem, RECT{0, 0, width, height});
    ThemeServices().DrawElement(window, L"BUTTON", BP_GROUPBOX, GBS_DISABLED, mem, RECT{0, height, width, height * 2});
    bool differ = false;
    for (int y = 0; y < height && !differ; ++y)
        for (int x = 0; x < width && !differ; ++x) differ = GetPixel(mem, x, y) != GetPixel(mem, x, y + height);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(window, screen);
    return differ;
}

int CaptionHeight(TUvxGroupBox* box) {
    HDC dc = GetDC(box->Handle());
    HGDIOBJ old = SelectObject(dc, box->Font.Handle());
    SIZE size{};
    GetTextExtentPoint32W(dc, WC(kTitle), static_cast<int>(kTitle.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(box->Handle(), dc);
    return size.cy;
}
}  // namespace

TEST(UnicodeThemedGroupBoxes, TheStyleDrawsTheFrameAndTheWideCaption) {
    if (!ThemeServices().ThemesEnabled()) GTEST_SKIP() << "no visual style is active for this program";
    TControlTestForm form;
    auto* bare = form.Put(new TUvxGroupBox(&form), 10, 10, 200, 80);
    auto* titled = form.Put(new TUvxGroupBox(&form), 10, 100, 200, 80);
    titled->SetCaption(kTitle);
    auto* disabled = form.Put(new TUvxGroupBox(&form), 230, 100, 200, 80);
    disabled->SetCaption(kTitle);
    disabled->SetEnabled(false);
    auto* mirrored = form.Put(new TUvxGroupBox(&form), 10, 190, 200, 80);
    mirrored->SetCaption(kTitle);
    mirrored->BiDiMode = bdRightToLeft;
    form.ShowAndSettle();
    SaveScreenshot(form.Handle(), ScreenshotPath("unicode_group_boxes_themed"));

    TPixels p = GrabClient(bare->Handle());
    COLORREF background = p.At(p.Width / 2, p.Height / 2);
    EXPECT_EQ(FirstInkRow(p, p.Width / 2, background), 0) << "without caption the frame takes the whole client area";

    const int captionHeight = CaptionHeight(titled);
    const int frameTop = captionHeight / 2;
    p = GrabClient(titled->Handle());
    EXPECT_EQ(FirstInkRow(p, p.Width - 20, background), frameTop) << "the frame's top runs through the caption's middle";
    int inkInGap = 0, gapWidth = 0;
    std::vector<int> top = InkColumns(p, frameTop, background);
    ASSERT_FALSE(top.empty());
    auto inTop = [&](int x) { return std::find(top.begin(), top.end(), x) != top.end(); };
    SIZE size{};
    {
        HDC dc = GetDC(titled->Handle());
        HGDIOBJ old = SelectObject(dc, titled->Font.Handle());
        GetTextExtentPoint32W(dc, WC(kTitle), static_cast<int>(kTitle.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(titled->Handle(), dc);
    }
    // Past the caption the frame's edge runs unbroken to the corner.
    for (int x = 8 + size.cx + 1; x < p.Width - 10; ++x) EXPECT_TRUE(inTop(x)) << "column " << x;
    for (int x = 8; x < 8 + size.cx; ++x) {
        ++gapWidth;
        if (inTop(x)) ++inkInGap;
    }
    EXPECT_LT(inkInGap, gapWidth) << "the caption's rectangle is left out of the frame";
    bool captionInk = false;
    for (int y = 0; y < captionHeight; ++y)
        for (int x = 8; x < 8 + size.cx; ++x) captionInk |= p.At(x, y) != background;
    EXPECT_TRUE(captionInk) << "the caption is drawn";

    // The disabled box is drawn in the style's disabled state: it looks as
    // the style draws that state (Wine's light style draws both alike).
    TPixels off = GrabClient(disabled->Handle());
    if (StyleStatesDiffer(disabled->Handle(), p.Width, p.Height))
        EXPECT_FALSE(off == p) << "a disabled group box is drawn in the style's disabled state";
    else
        EXPECT_TRUE(off == p) << "the style draws both states alike, and so does the box";

    p = GrabClient(mirrored->Handle());
    bool inkNearRight = false, inkNearLeft = false;
    for (int y = 0; y < frameTop; ++y) {
        for (int x = p.Width - 8 - size.cx; x < p.Width - 8; ++x) inkNearRight |= p.At(x, y) != background;
        for (int x = 8; x < 8 + size.cx && x < p.Width - 8 - size.cx; ++x) inkNearLeft |= p.At(x, y) != background;
    }
    EXPECT_TRUE(inkNearRight) << "right-to-left: the caption sits 8 pixels from the right edge";
    EXPECT_FALSE(inkNearLeft);
}
