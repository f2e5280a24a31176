#include "framework/testing/GuiTest.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/Application.h"

namespace guitest {
namespace {

void SetShift(TShiftState shift) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = (shift & ssShift) ? 0x80 : 0;
    keys[VK_CONTROL] = (shift & ssCtrl) ? 0x80 : 0;
    keys[VK_MENU] = (shift & ssAlt) ? 0x80 : 0;
    SetKeyboardState(keys);
}

void PutChunk(std::FILE* f, const char* type, const std::vector<uint8_t>& data) {
    auto be32 = [&](uint32_t v) {
        uint8_t b[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
        std::fwrite(b, 1, 4, f);
    };
    be32(static_cast<uint32_t>(data.size()));
    std::fwrite(type, 1, 4, f);
    if (!data.empty()) std::fwrite(data.data(), 1, data.size(), f);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (!data.empty()) crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    be32(static_cast<uint32_t>(crc));
}

struct TFoundWindow {
    const char* className;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleOfClass(HWND h, LPARAM p) {
    auto* search = reinterpret_cast<TFoundWindow*>(p);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (_stricmp(cls, search->className) == 0 && IsWindowVisible(h)) {
        search->found = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void ShortcutKey(HWND window, HWND target, WORD vk, TShiftState shift) {
    SetShift(shift);
    SetForegroundWindow(window);
    if (!target) target = GetFocus() ? GetFocus() : window;
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
    Application->ProcessMessages();
    SetShift(0);
}

HWND FindThreadWindow(const char* className) {
    TFoundWindow search{className};
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChildWindow(HWND parent, const char* className) {
    TFoundWindow search{className};
    EnumChildWindows(parent, FindVisibleOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PumpUntilIdle(int settleMs, int maxMs) {
    DWORD start = GetTickCount(), quiet = GetTickCount();
    for (;;) {
        MSG msg;
        bool any = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DWORD now = GetTickCount();
        if (any) quiet = now;
        if (now - quiet >= static_cast<DWORD>(settleMs) || now - start >= static_cast<DWORD>(maxMs)) return;
        Sleep(2);
    }
}

void PressKey(HWND hwnd, WORD vk, TShiftState shift) {
    SetShift(shift);
    PostMessageA(hwnd, WM_KEYDOWN, vk, 1);
    PumpUntilIdle(5);
    PostMessageA(hwnd, WM_KEYUP, vk, 0xC0000001);
    PumpUntilIdle(5);
    SetShift(0);
}

void TypeChar(HWND hwnd, char ch) {
    PostMessageA(hwnd, WM_CHAR, static_cast<unsigned char>(ch), 1);
    PumpUntilIdle(5);
}

void TypeText(HWND hwnd, const std::string& text) {
    for (char c : text) TypeChar(hwnd, c);
}

void Click(HWND hwnd, int x, int y, TMouseButton button, TShiftState shift) {
    SetShift(shift);
    WPARAM keys = ((shift & ssShift) ? MK_SHIFT : 0) | ((shift & ssCtrl) ? MK_CONTROL : 0);
    UINT down = WM_LBUTTONDOWN, up = WM_LBUTTONUP;
    WPARAM held = MK_LBUTTON;
    if (button == mbRight) down = WM_RBUTTONDOWN, up = WM_RBUTTONUP, held = MK_RBUTTON;
    if (button == mbMiddle) down = WM_MBUTTONDOWN, up = WM_MBUTTONUP, held = MK_MBUTTON;
    LPARAM pos = MAKELPARAM(x, y);
    PostMessageA(hwnd, down, keys | held, pos);
    PumpUntilIdle(5);
    PostMessageA(hwnd, up, keys, pos);
    PumpUntilIdle(5);
    SetShift(0);
}

std::string WindowText(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

COLORREF PixelAt(HWND hwnd, int x, int y) {
    UpdateWindow(hwnd);
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

TPixels GrabClient(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpUntilIdle();
    RECT r;
    GetClientRect(hwnd, &r);
    TPixels p;
    p.Width = r.right;
    p.Height = r.bottom;
    HDC dc = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(dc);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), p.Width, -p.Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, p.Width, p.Height, dc, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    const auto* px = static_cast<const uint8_t*>(bits);
    for (int i = 0; i < p.Width * p.Height; ++i) p.Data.push_back(RGB(px[i * 4 + 2], px[i * 4 + 1], px[i * 4]));
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hwnd, dc);
    return p;
}

bool SaveScreenshot(HWND hwnd, const std::string& path) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpUntilIdle();
    RECT r;
    GetWindowRect(hwnd, &r);
    // Only what lies on the screen: a maximized window's frame lies outside,
    // and a copy that reaches past the screen's edge copies nothing.
    const RECT display{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&r, &r, &display);
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);

    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(h) * (w * 3 + 1));
    const uint8_t* px = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = px + (static_cast<size_t>(y) * w + x) * 4;
            raw.push_back(p[2]);
            raw.push_back(p[1]);
            raw.push_back(p[0]);
        }
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);

    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) return false;
    packed.resize(packedSize);
    std::vector<uint8_t> ihdr = {uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w),
                                 uint8_t(h >> 24), uint8_t(h >> 16), uint8_t(h >> 8), uint8_t(h),
                                 8, 2, 0, 0, 0};
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::fwrite(sig, 1, 8, f);
    PutChunk(f, "IHDR", ihdr);
    PutChunk(f, "IDAT", packed);
    PutChunk(f, "IEND", {});
    return std::fclose(f) == 0;
}

std::string ScreenshotPath(const std::string& name) {
    const char* bin = std::getenv("TQ_BINARY_DIR");
    std::string dir = std::string(bin ? bin : ".") + "/screenshots";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "/" + name + ".png";
}

}  // namespace guitest
