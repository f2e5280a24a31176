#pragma once
// Driving real windows from tests: messages in, texts, pixels and
// screenshots out. Keys and clicks are posted to the window's queue and the
// keyboard state is set so that the shift keys read as pressed.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Controls.h"

namespace guitest {

// Dispatches messages until the queue stays empty for a moment.
void PumpUntilIdle(int settleMs = 30, int maxMs = 3000);
void PressKey(HWND hwnd, WORD vk, TShiftState shift = 0);
void TypeChar(HWND hwnd, char ch);
void TypeText(HWND hwnd, const std::string& text);
void Click(HWND hwnd, int x, int y, TMouseButton button = mbLeft, TShiftState shift = 0);
// A key through the application's loop, where the menu's shortcuts act: the
// window comes to the front and the key goes to target (the control with the
// focus, else the window, when null) with the shift keys read as pressed.
void ShortcutKey(HWND window, HWND target, WORD vk, TShiftState shift = 0);
// The first visible top-level window of this thread of that class (a
// dialog's is "#32770"), or null.
HWND FindThreadWindow(const char* className);
// The first visible child window of that class (in any letter case), or null.
HWND FindChildWindow(HWND parent, const char* className);
std::string WindowText(HWND hwnd);
// A pixel of the window's client area as it is on the screen.
COLORREF PixelAt(HWND hwnd, int x, int y);
// The client area of a window as it is on the screen, row by row.
struct TPixels {
    int Width = 0, Height = 0;
    std::vector<COLORREF> Data;
    COLORREF At(int x, int y) const { return Data[static_cast<size_t>(y) * Width + x]; }
    bool operator==(const TPixels& o) const { return Width == o.Width && Height == o.Height && Data == o.Data; }
};
// The window's client area, repainted first.
TPixels GrabClient(HWND hwnd);
// Writes the window as it is on the screen to an RGB PNG file.
bool SaveScreenshot(HWND hwnd, const std::string& path);
// Where a test puts the screenshots a person should look at.
std::string ScreenshotPath(const std::string& name);

}  // namespace guitest
