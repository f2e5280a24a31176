#include "framework/Graphics.h"

#include <vector>

TColor TCanvas::Pixel(int x, int y) const {
    COLORREF c = GetPixel(FHandle, x, y);
    return c == CLR_INVALID ? clBlack : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor colour) { SetPixelV(FHandle, x, y, ToColorRef(colour)); }

void TCanvas::FillRect(const TRect& rect) {
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    HBRUSH brush = CreateSolidBrush(ToColorRef(BrushColor));
    ::FillRect(FHandle, &r, brush);
    DeleteObject(brush);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    int oldMode = SetBkMode(FHandle, TRANSPARENT);
    COLORREF oldColour = SetTextColor(FHandle, ToColorRef(FontColor));
    ::TextOutA(FHandle, x, y, text.data(), static_cast<int>(text.size()));
    SetTextColor(FHandle, oldColour);
    SetBkMode(FHandle, oldMode);
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
    if (!graphic.Empty()) graphic.Draw(*this, Rect(x, y, x + graphic.Width(), y + graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic) {
    if (!graphic.Empty()) graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& s) {
    int oldMode = SetStretchBltMode(FHandle, COLORONCOLOR);
    StretchBlt(FHandle, dest.Left, dest.Top, dest.Width(), dest.Height(), source.Handle(), s.Left, s.Top, s.Width(),
               s.Height(), SRCCOPY);
    SetStretchBltMode(FHandle, oldMode);
}

// ---- TBitmap

TBitmap::~TBitmap() {
    FreeDC();
    if (FBitmap) DeleteObject(FBitmap);
}

void TBitmap::LoadFromStream(TStream&) { throw EInvalidGraphicOperation("Bitmaps are not read from streams"); }
void TBitmap::SaveToStream(TStream&) { throw EInvalidGraphicOperation("Bitmaps are not written to streams"); }

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
    if (!FBitmap) return;
    canvas.CopyRect(rect, Canvas(), Rect(0, 0, FWidth, FHeight));
}

void TBitmap::SetSize(int32_t width, int32_t height) {
    FWidth = width > 0 ? width : 0;
    FHeight = height > 0 ? height : 0;
    Recreate();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == FPixelFormat) return;
    FPixelFormat = format;
    Recreate();
}

void TBitmap::FreeDC() {
    if (!FDC) return;
    SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
    FDC = nullptr;
    FCanvas.SetHandle(nullptr);
}

void TBitmap::Dormant() { FreeDC(); }

HBITMAP TBitmap::ReleaseHandle() {
    FreeDC();
    HBITMAP handle = FBitmap;
    FBitmap = nullptr;
    FWidth = FHeight = 0;
    return handle;
}

void TBitmap::Recreate() {
    FreeDC();
    if (FBitmap) DeleteObject(FBitmap);
    FBitmap = nullptr;
    if (FWidth == 0 || FHeight == 0) return;
    static const int kBits[] = {1, 4, 8, 24, 32};
    int bits = kBits[FPixelFormat];
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* bmi = reinterpret_cast<BITMAPINFO*>(info.data());
    bmi->bmiHeader = {sizeof(BITMAPINFOHEADER), FWidth, FHeight, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0};
    if (bits <= 8) {
        // A grey ramp until the owner sets colours of its own.
        int n = 1 << bits;
        bmi->bmiHeader.biClrUsed = static_cast<DWORD>(n);
        for (int i = 0; i < n; ++i) {
            BYTE v = static_cast<BYTE>(i * 255 / (n - 1));
            bmi->bmiColors[i] = {v, v, v, 0};
        }
    }
    void* bits_ = nullptr;
    FBitmap = CreateDIBSection(nullptr, bmi, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!FBitmap) throw EOutOfMemory(OutOfMemoryMessage());
    Canvas().BrushColor = clWhite;
    Canvas().FillRect(Rect(0, 0, FWidth, FHeight));
}

TCanvas& TBitmap::Canvas() {
    if (!FDC && FBitmap) {
        FDC = CreateCompatibleDC(nullptr);
        FOldBitmap = SelectObject(FDC, FBitmap);
        FCanvas.SetHandle(FDC);
    }
    return FCanvas;
}

void TBitmap::SetColours(const RGBQUAD* colours, int count) {
    if (!FBitmap) return;
    SetDIBColorTable(Canvas().Handle(), 0, static_cast<UINT>(count), colours);
}
