#include "framework/ThemeServices.h"

#include <shlwapi.h>

namespace {
template <class F>
void Bind(HMODULE library, const char* name, F& function) {
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The window's theme data for a class, closed again when it goes.
class TThemeData {
public:
    TThemeData(HANDLE (WINAPI* open)(HWND, LPCWSTR), HRESULT (WINAPI* close)(HANDLE), HWND window, const wchar_t* cls)
        : FClose(close), FHandle(open(window, cls)) {}
    ~TThemeData() {
        if (FHandle) FClose(FHandle);
    }
    TThemeData(const TThemeData&) = delete;
    TThemeData& operator=(const TThemeData&) = delete;
    HANDLE Handle() const { return FHandle; }

private:
    HRESULT(WINAPI* FClose)(HANDLE);
    HANDLE FHandle;
};
}  // namespace

bool TThemeServices::Load() {
    if (FTried) return FLibrary != nullptr;
    FTried = true;
    FLibrary = LoadLibraryA("uxtheme.dll");
    if (!FLibrary) return false;
    Bind(FLibrary, "IsThemeActive", FIsThemeActive);
    Bind(FLibrary, "IsAppThemed", FIsAppThemed);
    Bind(FLibrary, "OpenThemeData", FOpenThemeData);
    Bind(FLibrary, "CloseThemeData", FCloseThemeData);
    Bind(FLibrary, "DrawThemeBackground", FDrawThemeBackground);
    Bind(FLibrary, "DrawThemeText", FDrawThemeText);
    if (!FIsThemeActive || !FIsAppThemed || !FOpenThemeData || !FCloseThemeData || !FDrawThemeBackground ||
        !FDrawThemeText) {
        FreeLibrary(FLibrary);
        FLibrary = nullptr;
    }
    return FLibrary != nullptr;
}

namespace {
// The major version of the common controls the program runs with: 6 only
// for a program whose manifest asks for them, and only those draw styled.
DWORD CommonControlsMajorVersion() {
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    if (!comctl) return 0;
    using TDllGetVersion = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    auto get = reinterpret_cast<TDllGetVersion>(reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    return get && SUCCEEDED(get(&info)) ? info.dwMajorVersion : 0;
}


// Whether the program's activation context (its manifest) sends it to the
// side-by-side common controls. Wine's copy of them reports version 5.81
// wherever it is loaded from, so the version alone does not tell.
bool CommonControlsRedirected() {
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    return FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &data) != 0;
}
}  // namespace

// A style is active, the program is themed, and it runs with the common
// controls that draw styles: the same test the system's own controls make.
bool TThemeServices::ThemesEnabled() {
    return Load() && FIsThemeActive() && FIsAppThemed() &&
           (CommonControlsMajorVersion() >= 6 || CommonControlsRedirected());
}

bool TThemeServices::DrawElement(HWND window, const wchar_t* themeClass, int part, int state, HDC dc, const RECT& rect) {
    if (!Load()) return false;
    TThemeData theme(FOpenThemeData, FCloseThemeData, window, themeClass);
    return theme.Handle() && SUCCEEDED(FDrawThemeBackground(theme.Handle(), dc, part, state, &rect, nullptr));
}

bool TThemeServices::DrawText(HWND window, const wchar_t* themeClass, int part, int state, HDC dc, const wchar_t* text,
                              int length, DWORD flags, const RECT& rect) {
    if (!Load()) return false;
    TThemeData theme(FOpenThemeData, FCloseThemeData, window, themeClass);
    return theme.Handle() && SUCCEEDED(FDrawThemeText(theme.Handle(), dc, part, state, text, length, flags, 0, &rect));
}

TThemeServices& ThemeServices() {
    static TThemeServices services;
    return services;
}
