#pragma once
// The system's visual styles, as far as the program uses them: whether a
// style is active for the program, and drawing one element of a theme
// class and text in its style. The theme library is loaded on first use;
// without it (or without an active style) nothing is themed.
#include <windows.h>

class TThemeServices {
public:
    // True when a visual style is active and applies to this program.
    bool ThemesEnabled();
    // Draws the part in the state into rect; false when the window's theme
    // for themeClass could not be had.
    bool DrawElement(HWND window, const wchar_t* themeClass, int part, int state, HDC dc, const RECT& rect);
    bool DrawText(HWND window, const wchar_t* themeClass, int part, int state, HDC dc, const wchar_t* text, int length,
                  DWORD flags, const RECT& rect);

private:
    bool Load();
    bool FTried = false;
    HMODULE FLibrary = nullptr;
    BOOL(WINAPI* FIsThemeActive)() = nullptr;
    BOOL(WINAPI* FIsAppThemed)() = nullptr;
    HANDLE(WINAPI* FOpenThemeData)(HWND, LPCWSTR) = nullptr;
    HRESULT(WINAPI* FCloseThemeData)(HANDLE) = nullptr;
    HRESULT(WINAPI* FDrawThemeBackground)(HANDLE, HDC, int, int, const RECT*, const RECT*) = nullptr;
    HRESULT(WINAPI* FDrawThemeText)(HANDLE, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) = nullptr;
};

// The program's one theme services object.
TThemeServices& ThemeServices();
