#include "editor/crashreport/core/report/ScreenshotCapture.h"

#include <memory>
#include <new>
#include <vector>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/report/ColourOctree.h"
#include "editor/crashreport/core/report/ScreenshotPng.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/Exceptions.h"
#include "framework/WinStreams.h"

namespace {

struct TCaptureState {
    HWND FocusWindow = nullptr;
    HCURSOR Cursor = nullptr;

    HWND Window = nullptr;
    HDC WindowDC = nullptr;
    HDC MemoryDC = nullptr;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ FirstBitmap = nullptr;  // the memory DC's own, put back at release
    HPALETTE Palette = nullptr;
    bool OwnPalette = false;
    // Set when the capture has been replaced by its 8-bit copy.
    void* EightBitBits = nullptr;
    TScreenshotPalette EightBitColours{};
    int32_t Width = 0, Height = 0, RowStride = 0;
    RECT Area{};  // the captured rectangle in screen coordinates
};

bool CoreWantsActiveWindowOnly()
{
    const TZorvikModuleOptions* options = ZorvikCoreOptions();
    return options != nullptr && options->CommonSendOptions().Contains(sndUseOnlyActiveWindow);
}

TCaptureState& Capture()
{
    static TCaptureState state;
    return state;
}

struct TProcessWindows {
    DWORD ProcessId;
    RECT Bounds;
    bool Any;
};

BOOL CALLBACK AddProcessWindow(HWND window, LPARAM data)
{
    auto* windows = reinterpret_cast<TProcessWindows*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    RECT rect;
    if (processId != windows->ProcessId || !IsWindowVisible(window) || !GetWindowRect(window, &rect) ||
        rect.right - rect.left <= 0)
        return TRUE;
    if (!windows->Any) {
        windows->Bounds = rect;
        windows->Any = true;
    } else {
        UnionRect(&windows->Bounds, &windows->Bounds, &rect);
    }
    return TRUE;
}

// The monitors under the process's visible windows, from the monitor nearest
// their top-left corner to the one nearest their bottom-right corner; the
// desktop when the process shows nothing or the monitor functions fail.
RECT ProcessScreenArea(HWND desktop)
{
    RECT area;
    GetWindowRect(desktop, &area);
    TProcessWindows windows{GetCurrentProcessId(), {}, false};
    EnumWindows(AddProcessWindow, reinterpret_cast<LPARAM>(&windows));
    if (!windows.Any)
        return area;
    HMODULE user = GetModuleHandleA("user32.dll");
    using TMonitorFromPoint = HMONITOR(WINAPI*)(POINT, DWORD);
    using TGetMonitorInfo = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
    auto monitorFromPoint =
        user ? reinterpret_cast<TMonitorFromPoint>(reinterpret_cast<void*>(GetProcAddress(user, "MonitorFromPoint"))) : nullptr;
    auto getMonitorInfo =
        user ? reinterpret_cast<TGetMonitorInfo>(reinterpret_cast<void*>(GetProcAddress(user, "GetMonitorInfoA"))) : nullptr;
    if (monitorFromPoint == nullptr || getMonitorInfo == nullptr)
        return area;
    MONITORINFO first{}, last{};
    first.cbSize = last.cbSize = sizeof(MONITORINFO);
    const POINT topLeft{windows.Bounds.left, windows.Bounds.top};
    const POINT bottomRight{windows.Bounds.right, windows.Bounds.bottom};
    HMONITOR firstMonitor = monitorFromPoint(topLeft, MONITOR_DEFAULTTONEAREST);
    HMONITOR lastMonitor = monitorFromPoint(bottomRight, MONITOR_DEFAULTTONEAREST);
    if (firstMonitor == nullptr || lastMonitor == nullptr || !getMonitorInfo(firstMonitor, &first) ||
        !getMonitorInfo(lastMonitor, &last))
        return area;
    return RECT{first.rcMonitor.left, first.rcMonitor.top, last.rcMonitor.right, last.rcMonitor.bottom};
}

void MakeSystemPalette(TCaptureState& c)
{
    if ((GetDeviceCaps(c.WindowDC, RASTERCAPS) & RC_PALETTE) == 0)
        return;
    std::vector<uint8_t> memory(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = 256;
    if (GetSystemPaletteEntries(c.WindowDC, 0, 256, logical->palPalEntry) == 0)
        return;
    c.Palette = CreatePalette(logical);
    if (c.Palette == nullptr)
        return;
    c.OwnPalette = true;
    SelectPalette(c.MemoryDC, c.Palette, FALSE);
    RealizePalette(c.MemoryDC);
}

void DrawFocusFrame(TCaptureState& c)
{
    RECT frame;
    if (c.FocusWindow == nullptr || !GetWindowRect(c.FocusWindow, &frame))
        return;
    OffsetRect(&frame, -c.Area.left, -c.Area.top);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    if (red == nullptr)
        return;
    FrameRect(c.MemoryDC, &frame, red);
    InflateRect(&frame, -1, -1);
    FrameRect(c.MemoryDC, &frame, red);
    DeleteObject(red);
}

void DrawCursor(TCaptureState& c)
{
    POINT at;
    if (c.Cursor == nullptr || !GetCursorPos(&at))
        return;
    ICONINFO info{};
    if (GetIconInfo(c.Cursor, &info)) {
        at.x -= static_cast<LONG>(info.xHotspot);
        at.y -= static_cast<LONG>(info.yHotspot);
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
    }
    DrawIconEx(c.MemoryDC, at.x - c.Area.left, at.y - c.Area.top, c.Cursor, 32, 32, 0, nullptr, DI_NORMAL);
}

struct TDibHeader {
    BITMAPINFOHEADER Header;
    RGBQUAD Colours[256];
};

TDibHeader DibHeader(int32_t width, int32_t height, WORD bitCount)
{
    TDibHeader dib{};
    dib.Header.biSize = sizeof(BITMAPINFOHEADER);
    dib.Header.biWidth = width;
    dib.Header.biHeight = height;
    dib.Header.biPlanes = 1;
    dib.Header.biBitCount = bitCount;
    dib.Header.biCompression = BI_RGB;
    if (bitCount == 8)
        dib.Header.biClrUsed = 256;
    return dib;
}

// The capture's colours, row by row from the top, through the colour tree.
void BuildPalette(TCaptureState& c, TScreenshotPalette& palette)
{
    TColourOctree tree;
    TDibHeader dib = DibHeader(c.RowStride, -c.Height, 24);
    const size_t rowBytes = (static_cast<size_t>(c.RowStride) * 3 + 3) & ~static_cast<size_t>(3);
    std::vector<uint8_t> row(rowBytes);
    // The bitmap is read while not selected into a device context.
    SelectObject(c.MemoryDC, c.FirstBitmap);
    for (int32_t y = 0; y < c.Height; ++y) {
        // With a top-down header, scan line 0 is the top row.
        if (GetDIBits(c.MemoryDC, c.Bitmap, static_cast<UINT>(y), 1, row.data(), reinterpret_cast<BITMAPINFO*>(&dib),
                      DIB_RGB_COLORS) == 0)
            continue;
        for (int32_t x = 0; x < c.RowStride; ++x) {
            const uint8_t* pixel = &row[static_cast<size_t>(x) * 3];
            tree.AddColour(pixel[2], pixel[1], pixel[0]);
        }
    }
    SelectObject(c.MemoryDC, c.Bitmap);
    tree.GetPalette(palette);
}

// Replaces the capture by an 8-bit section with the tree's colours; the
// system maps every pixel to its nearest entry. False leaves the capture.
bool MakeEightBitCopy(TCaptureState& c)
{
    TScreenshotPalette palette;
    BuildPalette(c, palette);
    TDibHeader dib = DibHeader(c.RowStride, c.Height, 8);
    for (size_t i = 0; i < 256; ++i)
        dib.Colours[i] = RGBQUAD{palette[i].Blue, palette[i].Green, palette[i].Red, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(c.MemoryDC, reinterpret_cast<BITMAPINFO*>(&dib), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr)
        return false;
    HDC copyDC = CreateCompatibleDC(c.WindowDC);
    if (copyDC == nullptr) {
        DeleteObject(section);
        return false;
    }
    HGDIOBJ before = SelectObject(copyDC, section);
    BitBlt(copyDC, 0, 0, c.RowStride, c.Height, c.MemoryDC, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(copyDC, before);
    DeleteDC(copyDC);
    SelectObject(c.MemoryDC, section);
    DeleteObject(c.Bitmap);
    c.Bitmap = section;
    c.EightBitBits = bits;
    c.EightBitColours = palette;
    return true;
}

// The 8-bit pixels (bottom-up rows of row-stride bytes) and their colours.
void ReadEightBit(TCaptureState& c, std::vector<uint8_t>& pixels, TScreenshotPalette& palette)
{
    const size_t size = static_cast<size_t>(c.RowStride) * static_cast<size_t>(c.Height);
    if (c.EightBitBits != nullptr) {
        const auto* bits = static_cast<const uint8_t*>(c.EightBitBits);
        pixels.assign(bits, bits + size);
        palette = c.EightBitColours;
        return;
    }
    pixels.assign(size, 0);
    TDibHeader dib = DibHeader(c.RowStride, c.Height, 8);
    SelectObject(c.MemoryDC, c.FirstBitmap);
    GetDIBits(c.MemoryDC, c.Bitmap, 0, static_cast<UINT>(c.Height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&dib),
              DIB_RGB_COLORS);
    SelectObject(c.MemoryDC, c.Bitmap);
    for (size_t i = 0; i < 256; ++i)
        palette[i] = TPaletteEntry{dib.Colours[i].rgbRed, dib.Colours[i].rgbGreen, dib.Colours[i].rgbBlue};
}

}  // namespace

void RememberScreenshotFocus()
{
    HCURSOR cursor = GetCursor();
    if (cursor == nullptr) {
        CURSORINFO info{};
        info.cbSize = sizeof info;
        if (GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0)
            cursor = info.hCursor;
    }
    SetScreenshotFocus(GetFocus(), cursor);
}

void SetScreenshotFocus(HWND focusWindow, HCURSOR cursor)
{
    Capture().FocusWindow = focusWindow;
    Capture().Cursor = cursor;
}

bool ScreenshotCaptured()
{
    return Capture().MemoryDC != nullptr && Capture().Bitmap != nullptr;
}

bool CaptureScreenshot(bool onlyActiveWindow)
{
    ReleaseScreenshot();
    TCaptureState& c = Capture();
    POINT origin{0, 0};
    if (onlyActiveWindow) {
        c.Window = GetForegroundWindow();
        if (c.Window == nullptr)
            c.Window = GetDesktopWindow();
        GetWindowRect(c.Window, &c.Area);
    } else {
        c.Window = GetDesktopWindow();
        c.Area = ProcessScreenArea(c.Window);
        origin = POINT{c.Area.left, c.Area.top};
    }
    c.Width = c.Area.right - c.Area.left;
    c.Height = c.Area.bottom - c.Area.top;
    if (c.Width <= 0)
        c.Width = 1;
    if (c.Height <= 0)
        c.Height = 1;
    c.RowStride = (c.Width + 3) / 4 * 4;

    c.WindowDC = GetWindowDC(c.Window);
    if (c.WindowDC == nullptr) {
        ReleaseScreenshot();
        return false;
    }
    c.MemoryDC = CreateCompatibleDC(c.WindowDC);
    c.Bitmap = c.MemoryDC ? CreateCompatibleBitmap(c.WindowDC, c.RowStride, c.Height) : nullptr;
    if (c.Bitmap == nullptr) {
        ReleaseScreenshot();
        return false;
    }
    c.FirstBitmap = SelectObject(c.MemoryDC, c.Bitmap);
    MakeSystemPalette(c);
    BitBlt(c.MemoryDC, 0, 0, c.Width, c.Height, c.WindowDC, origin.x, origin.y, SRCCOPY);
    DrawFocusFrame(c);
    DrawCursor(c);
    return true;
}

void WriteScreenshot(TStream& stream)
{
    TCaptureState& c = Capture();
    if (!ScreenshotCaptured())
        throw Exception("No screenshot has been taken");
    if (c.EightBitBits == nullptr)
        MakeEightBitCopy(c);
    std::vector<uint8_t> pixels;
    TScreenshotPalette palette;
    ReadEightBit(c, pixels, palette);
    WriteScreenshotPng(stream, c.Width, c.Height, c.RowStride, pixels.data(), palette);
}

bool WriteScreenshotFile(const std::string& fileName)
{
    if (fileName.empty() || !ScreenshotCaptured())
        return false;
    try {
        TMemoryStream picture;
        WriteScreenshot(picture);
        TFileStream file(fileName, fmCreate);
        picture.SaveToStream(file);
        return true;
    } catch (...) {
        DeleteFileA(fileName.c_str());
        return false;
    }
}

void ReleaseScreenshot()
{
    TCaptureState& c = Capture();
    if (c.MemoryDC != nullptr) {
        if (c.FirstBitmap != nullptr)
            SelectObject(c.MemoryDC, c.FirstBitmap);
        if (c.Palette != nullptr)
            SelectPalette(c.MemoryDC, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    }
    if (c.Palette != nullptr && c.OwnPalette)
        DeleteObject(c.Palette);
    if (c.Bitmap != nullptr)
        DeleteObject(c.Bitmap);
    if (c.MemoryDC != nullptr)
        DeleteDC(c.MemoryDC);
    if (c.WindowDC != nullptr)
        ReleaseDC(c.Window, c.WindowDC);
    HWND focus = c.FocusWindow;
    HCURSOR cursor = c.Cursor;
    c = TCaptureState{};
    c.FocusWindow = focus;
    c.Cursor = cursor;
}

bool SaveScreenshot(const std::string& fileName, bool onlyActiveWindow)
{
    if (!CaptureScreenshot(onlyActiveWindow))
        return false;
    const bool written = !fileName.empty() && WriteScreenshotFile(fileName);
    ReleaseScreenshot();
    return written;
}

bool SaveScreenshotToStream(TStream& stream, bool onlyActiveWindow)
{
    if (!CaptureScreenshot(onlyActiveWindow))
        return false;
    try {
        WriteScreenshot(stream);
    } catch (...) {
        ReleaseScreenshot();
        throw;
    }
    ReleaseScreenshot();
    return true;
}

bool SaveScreenshot(const std::string& fileName)
{
    return SaveScreenshot(fileName, CoreWantsActiveWindowOnly());
}

bool SaveScreenshotToStream(TStream& stream)
{
    return SaveScreenshotToStream(stream, CoreWantsActiveWindowOnly());
}
