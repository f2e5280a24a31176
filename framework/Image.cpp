#include "framework/Image.h"

#include "framework/Graphics.h"

TImage::TImage(TComponent* owner) : TWinControl(owner), FPicture(new TPicture) { FVisible = true; }

TImage::~TImage() {
    if (FIcon && !FSharedIcon) DestroyIcon(FIcon);
    delete FPicture;
}

void TImage::ReplacePicture(TPicture* picture) {
    delete FPicture;
    FPicture = picture;
    Invalidate();
}

bool TImage::LoadIcon(const std::string& resourceName) {
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), resourceName.c_str(), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    if (!icon) return false;
    if (FIcon && !FSharedIcon) DestroyIcon(FIcon);
    FIcon = icon;
    FSharedIcon = false;
    Invalidate();
    return true;
}

bool TImage::LoadSystemIcon(LPCSTR id) {
    HICON icon = ::LoadIconA(nullptr, id);
    if (!icon) return false;
    if (FIcon && !FSharedIcon) DestroyIcon(FIcon);
    FIcon = icon;
    FSharedIcon = true;
    Invalidate();
    return true;
}

LRESULT TImage::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(FHandle, &ps);
        if (FIcon) {
            DrawIconEx(dc, 0, 0, FIcon, 32, 32, 0, nullptr, DI_NORMAL);
        } else if (TGraphic* graphic = FPicture->Graphic(); graphic && !graphic->Empty()) {
            TCanvas canvas(dc);
            canvas.Draw(0, 0, *graphic);
        }
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
