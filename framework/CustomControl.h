#pragma once
// A control that paints itself: Paint draws on the canvas, which holds the
// paint device context while it runs. An opaque control leaves the
// background to Paint (the system never erases it), so nothing flickers.
#include <windows.h>

#include "framework/Controls.h"
#include "framework/Font.h"
#include "framework/Graphics.h"

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    std::string ClassName() const override { return "TCustomControl"; }

    // The system does not erase the background (WM_ERASEBKGND is swallowed).
    bool Opaque = false;
    // The control takes the focus by Tab and by a click.
    bool TabStop = false;
    // The canvas of the paint under way (no device context outside Paint).
    TCanvas& Canvas() { return FCanvas; }
    TFont Font;

protected:
    virtual void Paint() {}
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    TCanvas FCanvas;
};

// The device context of a window's client area for drawing outside a paint
// message, released when the guard ends.
class TClientDC {
public:
    explicit TClientDC(HWND window) : FWindow(window), FDC(GetDC(window)) {}
    ~TClientDC() { ReleaseDC(FWindow, FDC); }
    TClientDC(const TClientDC&) = delete;
    TClientDC& operator=(const TClientDC&) = delete;
    HDC Handle() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};
