// The screenshot of a real window of this process under Wine: the monitor
// it lies on, the red frame around the focused control, the cursor, the
// active window alone, and the PNG read back by the viewer's decoder and by
// ImageMagick.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "editor/crashreport/core/report/ScreenshotCapture.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "framework/Graphic.h"
#include "framework/WinStreams.h"
#include "framework/testing/GuiTest.h"
#include "viewer/png/PngObject.h"

namespace {

const COLORREF Background = RGB(0, 96, 200);

class ScreenshotCapture : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = CreateSolidBrush(Background);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "ScreenshotTestWindow";
        RegisterClassA(&wc);
        Window = CreateWindowExA(0, "ScreenshotTestWindow", "Screenshot", WS_POPUP | WS_VISIBLE, 100, 80, 400, 300,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(Window, nullptr);
        Edit = CreateWindowExA(0, "EDIT", "focused", WS_CHILD | WS_VISIBLE, 40, 40, 160, 30, Window, nullptr,
                               wc.hInstance, nullptr);
        SetForegroundWindow(Window);
        SetFocus(Edit);
        guitest::PumpUntilIdle(100, 3000);
    }
    void TearDown() override
    {
        ReleaseScreenshot();
        DestroyWindow(Window);
        guitest::PumpUntilIdle();
    }

    static std::unique_ptr<TPNGObject> Decode(const std::vector<uint8_t>& bytes, size_t from = 0)
    {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data() + from, static_cast<int32_t>(bytes.size() - from));
        stream.SetPosition(0);
        auto png = std::make_unique<TPNGObject>();
        png->LoadFromStream(stream);
        return png;
    }

    static TColor Colour(COLORREF c) { return RGBColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

    HWND Window = nullptr;
    HWND Edit = nullptr;
};

TEST_F(ScreenshotCapture, TheScreenWithTheFocusFrameAsAPalettePng)
{
    RECT window, edit;
    GetWindowRect(Window, &window);
    GetWindowRect(Edit, &edit);
    // The cursor over the window, away from the pixels checked below.
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SetCursorPos(window.left + 300, window.top + 200);
    RememberScreenshotFocus();

    const std::string folder = TestFolder("screenshot_capture");
    const std::string file = folder + "Screenshot.png";
    ASSERT_TRUE(SaveScreenshot(file, false));
    const std::string bytes = ReadTestFile(file);
    ASSERT_GT(bytes.size(), 33u);
    // IHDR: 13 bytes, depth 8, palette colours; then PLTE of 768 bytes.
    EXPECT_EQ(std::memcmp(bytes.data() + 8, "\0\0\0\x0dIHDR", 8), 0);
    EXPECT_EQ(bytes[24], 8);
    EXPECT_EQ(bytes[25], 3);
    EXPECT_EQ(std::memcmp(bytes.data() + 33, "\0\0\x03\0PLTE", 8), 0);

    auto png = Decode(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    // One screen under the test display: the monitor the window is on.
    HMONITOR monitor = MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoA(monitor, &info));
    const RECT& area = info.rcMonitor;
    EXPECT_EQ(png->Width(), area.right - area.left);
    EXPECT_EQ(png->Height(), area.bottom - area.top);

    auto at = [&](LONG x, LONG y) { return png->Pixel(x - area.left, y - area.top); };
    EXPECT_EQ(at(window.left + 10, window.top + 150), Colour(Background));
    const TColor red = RGBColor(255, 0, 0);
    const LONG middle = (edit.top + edit.bottom) / 2;
    EXPECT_EQ(at(edit.left, middle), red);
    EXPECT_EQ(at(edit.left + 1, middle), red);
    EXPECT_NE(at(edit.left + 2, middle), red);
    EXPECT_EQ(at(edit.right - 1, middle), red);
    EXPECT_EQ(at((edit.left + edit.right) / 2, edit.top + 1), red);
    EXPECT_NE(at(edit.left - 1, middle), red);
    // Somewhere near its hot spot the cursor shows.
    bool cursorShows = false;
    for (LONG y = 0; y < 12; ++y)
        for (LONG x = 0; x < 12; ++x)
            cursorShows = cursorShows || at(window.left + 300 + x, window.top + 200 + y) != Colour(Background);
    EXPECT_TRUE(cursorShows);

    CopyFileA(file.c_str(), guitest::ScreenshotPath("crash_report_screenshot").c_str(), FALSE);

    std::string out;
    if (RunShell("command -v identify", out) != 0)
        GTEST_SKIP() << "ImageMagick is not installed";
    ASSERT_EQ(RunShell("identify -format '%w %h %z %r' '" + UnixPath(file) + "'", out), 0) << out;
    EXPECT_EQ(out.substr(0, out.find(" PseudoClass")),
              std::to_string(area.right - area.left) + " " + std::to_string(area.bottom - area.top) + " 8")
        << out;
}

TEST_F(ScreenshotCapture, TheActiveWindowAloneWhenAsked)
{
    if (GetForegroundWindow() != Window)
        GTEST_SKIP() << "the test window did not become the foreground window";
    RECT window;
    GetWindowRect(Window, &window);
    SetScreenshotFocus(nullptr, nullptr);
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);  // the picture goes at the stream's position
    ASSERT_TRUE(SaveScreenshotToStream(stream, true));
    std::vector<uint8_t> bytes = stream.Bytes();
    ASSERT_GT(bytes.size(), 11u);
    EXPECT_EQ(std::memcmp(bytes.data(), "abc\x89PNG", 7), 0);
    auto png = Decode(bytes, 3);
    EXPECT_EQ(png->Width(), window.right - window.left);
    EXPECT_EQ(png->Height(), window.bottom - window.top);
    // No focus recorded: no frame.
    EXPECT_NE(png->Pixel(40, 55), RGBColor(255, 0, 0));
    EXPECT_NE(png->Pixel(41, 55), RGBColor(255, 0, 0));
    EXPECT_EQ(png->Pixel(10, 150), Colour(Background));
}

TEST_F(ScreenshotCapture, AnEmptyFileNameOrAnUnwritablePlaceLeavesNoFile)
{
    EXPECT_FALSE(SaveScreenshot(""));
    EXPECT_FALSE(ScreenshotCaptured());
    const std::string folder = TestFolder("screenshot_nowhere");
    const std::string file = folder + "missing folder\\Screenshot.png";
    EXPECT_FALSE(SaveScreenshot(file));
    EXPECT_FALSE(TestFileExists(file));
    // Without the core's options the exported form takes the screen, not
    // the active window.
    TMemoryStream whole;
    ASSERT_TRUE(SaveScreenshotToStream(whole));
    EXPECT_EQ(Decode(whole.Bytes())->Width(), GetSystemMetrics(SM_CXSCREEN));
    // Steps taken one by one, as the processing does.
    ASSERT_TRUE(CaptureScreenshot(false));
    EXPECT_TRUE(ScreenshotCaptured());
    EXPECT_TRUE(WriteScreenshotFile(folder + "Screenshot.png"));
    ReleaseScreenshot();
    EXPECT_FALSE(ScreenshotCaptured());
    EXPECT_FALSE(WriteScreenshotFile(folder + "again.png"));
    EXPECT_FALSE(TestFileExists(folder + "again.png"));
}

}  // namespace
