#include "framework/Image.h"

TImage::TImage(TComponent* owner) : TWinControl(owner) { FVisible = true; }

TImage::~TImage() {
    if (FIcon) DestroyIcon(FIcon);
}

bool TImage::LoadIcon(const std::string& resourceName) {
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), resourceName.c_str(), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    if (!icon) return false;
    if (FIcon) DestroyIcon(FIcon);
    FIcon = icon;
    Invalidate();
    return true;
}

LRESULT TImage::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(FHandle, &ps);
        if (FIcon) DrawIconEx(dc, 0, 0, FIcon, 32, 32, 0, nullptr, DI_NORMAL);
        EndPaint(FHandle, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(FHandle, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}
