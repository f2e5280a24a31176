#pragma once
// A control that paints itself: Paint draws on the canvas, which holds the
// paint device context while it runs. An opaque control leaves the
// background to Paint (the system never erases it), so nothing flickers.
#include <windows.h>

#include "framework/Controls.h"
#include "framework/Font.h"
#include "framework/Graphics.h"

// The font controls take unless told otherwise: its face name.
struct TFontData {
    char Name[32];
};
extern TFontData DefFontData;

// A system colour as a TColor (GetSysColor).
TColor SysColor(int index);

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
    // The background colour where the control paints one; clBtnFace unless set.
    TColor Color;
    TBiDiMode BiDiMode = bdLeftToRight;
    bool UseRightToLeftAlignment() const { return BiDiMode == bdRightToLeft; }
    bool UseRightToLeftReading() const { return BiDiMode == bdRightToLeft; }
    // Adds DT_RTLREADING for right-to-left reading and swaps DT_LEFT and
    // DT_RIGHT for right-to-left alignment.
    UINT DrawTextBiDiModeFlags(UINT flags) const;
    // The font's cell height in pixels.
    int FontHeight();
    // Tells the control (CM_FONTCHANGED) after its Font was changed.
    void FontChanged();

    // Gives the canvas a device context of the window (the screen's while
    // there is none) with the font in it, for measuring outside of painting;
    // nothing when the canvas already has one.
    class TCanvasScope {
    public:
        explicit TCanvasScope(TCustomControl& control);
        ~TCanvasScope();
        TCanvasScope(const TCanvasScope&) = delete;
        TCanvasScope& operator=(const TCanvasScope&) = delete;

    private:
        TCustomControl& FControl;
        HWND FWindow = nullptr;
        HDC FDC = nullptr;
        HGDIOBJ FOldFont = nullptr;
        bool FOwn = false;
    };

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
