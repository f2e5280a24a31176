// The layout with the real fonts of the page view, drawn the way the view
// paints its items, for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/Graphics.h"
#include "framework/testing/GuiTest.h"
#include "viewer/GdiTextMeasurer.h"
#include "viewer/PageLayout.h"
#include "viewer/PngPictureLoader.h"
#include "viewer/png/PngGdi.h"
#include "viewer/tests/LayoutFakes.h"

namespace {

class MemoryBitmap {
public:
    MemoryBitmap(int w, int h) : W(w), H(h) {
        HDC screen = GetDC(nullptr);
        Dc = CreateCompatibleDC(screen);
        Bitmap = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        Old = SelectObject(Dc, Bitmap);
    }
    ~MemoryBitmap() {
        SelectObject(Dc, Old);
        DeleteObject(Bitmap);
        DeleteDC(Dc);
    }
    int W, H;
    HDC Dc;
    HBITMAP Bitmap;
    HGDIOBJ Old;
};

// Paints the items as the page view does: links blue, the current hit on
// light green, other hits on white, bullets as small discs, pictures 2
// pixels down.
void PaintItems(const disphtml& layout, GdiTextMeasurer& fonts, HDC dc, int w, int h, int32_t currentHit) {
    RECT all{0, 0, w, h};
    HBRUSH back = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    FillRect(dc, &all, back);
    DeleteObject(back);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    for (const PageItem& it : layout.Items()) {
        if (it.Kind == pkPicture) {
            TCanvas canvas(dc);
            canvas.Draw(it.X, it.Y + 2, *it.Picture());
            continue;
        }
        if (it.Kind == pkBullet) {
            HBRUSH b = CreateSolidBrush(text);
            HGDIOBJ ob = SelectObject(dc, b);
            Ellipse(dc, it.X - 2, it.Y - 2, it.X + 3, it.Y + 3);
            SelectObject(dc, ob);
            DeleteObject(b);
        }
        if (it.Hit) {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, it.HitNumber == currentHit ? RGB(208, 255, 208) : RGB(255, 255, 255));
        } else {
            SetBkMode(dc, TRANSPARENT);
        }
        SetTextColor(dc, it.Kind == pkLink ? RGB(0, 0, 255) : text);
        SelectObject(dc, fonts.Font(it.Kind == pkBullet ? pkText : it.Kind, it.Size));
        TextOutA(dc, it.X, it.Y, it.Text().data(), static_cast<int>(it.Text().size()));
    }
}

HDC gShown = nullptr;  // the bitmap stays selected in its memory dc

LRESULT CALLBACK ShowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        BitBlt(dc, 0, 0, r.right, r.bottom, gShown, 0, 0, SRCCOPY);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND ShowBitmap(HDC bitmap, int w, int h) {
    gShown = bitmap;
    WNDCLASSA wc{};
    wc.lpfnWndProc = ShowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TqPageShot";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
    RECT r{0, 0, w, h};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND hwnd = CreateWindowA("TqPageShot", "Laid-out help page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    guitest::PumpUntilIdle();
    return hwnd;
}

TEST(GdiTextMeasurer, RealFontsMeasureAsExpected) {
    MemoryBitmap bmp(50, 50);
    GdiTextMeasurer m(bmp.Dc);
    int dpi = GetDeviceCaps(bmp.Dc, LOGPIXELSY);
    EXPECT_EQ(m.SelectFont(pkText, 12), -MulDiv(12, dpi, 72));
    EXPECT_EQ(m.TextWidth(""), 0);
    int32_t narrow = m.TextWidth("iiii"), wide = m.TextWidth("MMMM");
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, narrow);
    int32_t plain = m.TextWidth("Heading");
    m.SelectFont(pkText, 30);
    EXPECT_GT(m.TextWidth("Heading"), 2 * plain);
    m.SelectFont(pkBold, 12);
    EXPECT_GE(m.TextWidth("Heading"), plain);
}

TEST(PageLayoutOnScreen, FixturePageWithRealFonts) {
    const int w = 560, h = 900;
    MemoryBitmap bmp(w, h);
    GdiTextMeasurer fonts(bmp.Dc);
    PngInstallGdi();
    PngPictureLoader pictures;
    disphtml layout(fonts, pictures);
    layout.LayoutWidth = w;
    layout.BaseLineHeight = 2 - fonts.FontHeight(12);
    layout.PageFolder = "tests\\data\\pages\\";
    layout.SearchWords.Split("byte", BlankDelimiters());
    xml_parser parser;
    ASSERT_EQ(parser.ReadFile("tests/data/pages/sample.htm"), 0);
    layout.LayoutPage(parser);
    EXPECT_EQ(layout.LayoutError(), "");
    EXPECT_GE(layout.HitCount(), 3);
    ASSERT_GT(layout.Items().size(), 50u);
    EXPECT_LT(layout.PageHeight(), h);

    // Words break at the right edge: only a word that starts its line passes it.
    for (const PageItem& it : layout.Items()) {
        if (it.Kind >= pkBullet || !it.EndsWord) continue;
        fonts.SelectFont(it.Kind, it.Size);
        int32_t word = fonts.TextWidth(std::string(it.Text().substr(0, it.Text().size() - 1)));
        EXPECT_TRUE(it.X + word <= w - 30 || it.X <= 10 + 4 * layout.BaseLineHeight) << it.Text();
    }

    PaintItems(layout, fonts, bmp.Dc, w, h, 0);
    HWND hwnd = ShowBitmap(bmp.Dc, w, h);
    // Text reaches the screen: the heading's first letter is dark.
    const PageItem& heading = layout.Items().front();
    EXPECT_EQ(heading.Size, 30);
    bool dark = false;
    for (int y = heading.Y; y < heading.Y + 40 && !dark; ++y)
        for (int x = heading.X; x < heading.X + 20 && !dark; ++x)
            dark = GetRValue(guitest::PixelAt(hwnd, x, y)) < 100;
    EXPECT_TRUE(dark);
    EXPECT_EQ(guitest::PixelAt(hwnd, w - 5, h - 5), GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(guitest::SaveScreenshot(hwnd, guitest::ScreenshotPath("viewer_page_layout")));
    DestroyWindow(hwnd);
}

TEST(PageLayoutOnScreen, NarrowViewWrapsInsideListsAndColumns) {
    const int w = 300, h = 560;
    MemoryBitmap bmp(w, h);
    GdiTextMeasurer fonts(bmp.Dc);
    FakePictures pictures;
    disphtml layout(fonts, pictures);
    layout.LayoutWidth = w;
    layout.BaseLineHeight = 2 - fonts.FontHeight(12);
    xml_parser lists, table;
    ASSERT_EQ(lists.ReadFile("tests/data/pages/lists.htm"), 0);
    ASSERT_EQ(table.ReadFile("tests/data/pages/table.htm"), 0);
    // Both pages, one below the other: the second continues the first's layout.
    layout.LayoutPage(lists);
    table.Parse(layout);

    // The middle column (25 to 75 percent) keeps its text between its edges.
    int32_t left = 10 + (w - 20) / 4, right = 10 + (w - 20) * 3 / 4 - 10 - 10 + 10;
    int lines = 0;
    for (const PageItem& it : layout.Items()) {
        if (it.Text().rfind("occurrence", 0) == 0 || it.Text().rfind("location", 0) == 0) {
            EXPECT_GE(it.X, left) << it.Text();
            EXPECT_LE(it.X + it.Width, right + it.Width / 2) << it.Text();
            ++lines;
        }
    }
    EXPECT_EQ(lines, 2);

    PaintItems(layout, fonts, bmp.Dc, w, h, -1);
    HWND hwnd = ShowBitmap(bmp.Dc, w, h);
    EXPECT_TRUE(guitest::SaveScreenshot(hwnd, guitest::ScreenshotPath("viewer_page_layout_narrow")));
    DestroyWindow(hwnd);
}

}  // namespace
