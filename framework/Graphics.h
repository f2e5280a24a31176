#pragma once
// Drawing on Windows: TCanvas over a device context and TBitmap, a picture
// held as a device-independent bitmap section with a canvas of its own.
#include <windows.h>

#include <string>

#include "framework/Graphic.h"

inline COLORREF ToColorRef(TColor c) { return static_cast<COLORREF>(c & 0xFFFFFF); }

// A canvas draws on a device context it does not own (see TBitmap for one
// that does). Every selection it makes is undone before the call returns.
class TCanvas : public TPersistent {
public:
    TCanvas() = default;
    explicit TCanvas(HDC dc) : FHandle(dc) {}
    std::string ClassName() const override { return "TCanvas"; }
    HDC Handle() const { return FHandle; }
    void SetHandle(HDC dc) { FHandle = dc; }
    bool HandleAllocated() const { return FHandle != nullptr; }

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor colour);
    // Fills with BrushColor.
    void FillRect(const TRect& rect);
    // Text in FontColor on a transparent background.
    void TextOut(int x, int y, const std::string& text);
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const TRect& rect, TGraphic& graphic);
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

    TColor BrushColor = clWhite;
    TColor FontColor = clBlack;
    // ExtTextOut options of text output (ETO_RTLREADING for right-to-left).
    unsigned TextFlags = 0;
    // Where the last text output ended.
    POINT PenPos{0, 0};

private:
    HDC FHandle = nullptr;
};

enum TPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

class TBitmap : public TGraphic {
public:
    TBitmap() = default;
    ~TBitmap() override;
    std::string ClassName() const override { return "TBitmap"; }

    void Draw(TCanvas& canvas, const TRect& rect) override;
    bool Empty() const override { return FBitmap == nullptr; }
    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }
    void SetWidth(int32_t value) override { SetSize(value, FHeight); }
    void SetHeight(int32_t value) override { SetSize(FWidth, value); }
    // Bitmaps are not read from or written to streams here.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

    // A new blank (white) bitmap of the size; the contents are not kept.
    void SetSize(int32_t width, int32_t height);
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat format);
    // The canvas drawing into the bitmap (made on first use).
    TCanvas& Canvas();
    HBITMAP Handle() const { return FBitmap; }
    // Frees the canvas's device context, so the bitmap may be handed to
    // calls that want it selected nowhere.
    void Dormant();
    // Gives the bitmap handle to the caller, leaving this bitmap empty.
    HBITMAP ReleaseHandle();
    // The colour table of palette formats.
    void SetColours(const RGBQUAD* colours, int count);

    TColor TransparentColor = clBlack;

private:
    void Recreate();
    void FreeDC();
    HBITMAP FBitmap = nullptr;
    HDC FDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    TCanvas FCanvas;
    int32_t FWidth = 0, FHeight = 0;
    TPixelFormat FPixelFormat = pf24bit;
};

// Selects an object into a device context for the lifetime of the guard.
class TSelectGuard {
public:
    TSelectGuard(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
    ~TSelectGuard() { SelectObject(FDC, FOld); }
    TSelectGuard(const TSelectGuard&) = delete;
    TSelectGuard& operator=(const TSelectGuard&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};
