#include "viewer/png/PngGdi.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// A BITMAPINFO with room for a full colour table.
struct TDibInfo {
    BITMAPINFOHEADER Header;
    RGBQUAD Colours[256];
    BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(this); }
};

TDibInfo DibInfo(int32_t width, int32_t height, int bitCount, const TRGBQuad* colours, int count) {
    TDibInfo d{};
    d.Header = {sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bitCount), BI_RGB, 0, 0, 0, 0, 0};
    d.Header.biClrUsed = static_cast<DWORD>(count);
    for (int i = 0; i < count; ++i) d.Colours[i] = {colours[i].Blue, colours[i].Green, colours[i].Red, 0};
    return d;
}

HPALETTE MakePalette(const TRGBQuad* colours, int count) {
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i) log->palPalEntry[i] = {colours[i].Red, colours[i].Green, colours[i].Blue, 0};
    return CreatePalette(log);
}

// The DIB section of a picture, selected into a memory device context with
// the picture's palette realised in it.
class TDibSurface : public TPngSurface {
public:
    TDibSurface(const TPngDibFormat& f, const TRGBQuad* colours, int count) {
        TDibInfo info = DibInfo(f.Width, f.Height, f.BitCount, colours, count);
        FBitmap = CreateDIBSection(nullptr, info.Info(), DIB_RGB_COLORS, &FBits, nullptr, 0);
        if (!FBitmap) return;
        FDC = CreateCompatibleDC(nullptr);
        FOldBitmap = SelectObject(FDC, FBitmap);
        FCanvas.SetHandle(FDC);
        if (count) ColoursChanged(colours, count);
    }
    ~TDibSurface() override {
        if (FDC) {
            if (FOldPalette) SelectPalette(FDC, FOldPalette, FALSE);
            SelectObject(FDC, FOldBitmap);
            DeleteDC(FDC);
        }
        if (FPalette) DeleteObject(FPalette);
        if (FBitmap) DeleteObject(FBitmap);
    }
    uint8_t* Bits() override { return static_cast<uint8_t*>(FBits); }

    void ColoursChanged(const TRGBQuad* colours, int count) override {
        if (!FDC || count == 0) return;
        TDibInfo info = DibInfo(0, 0, 8, colours, count);
        SetDIBColorTable(FDC, 0, static_cast<UINT>(count), info.Colours);
        HPALETTE palette = MakePalette(colours, count);
        HPALETTE old = SelectPalette(FDC, palette, FALSE);
        RealizePalette(FDC);
        if (!FOldPalette) FOldPalette = old;
        if (FPalette) DeleteObject(FPalette);
        FPalette = palette;
    }

    HDC DC() const { return FDC; }
    HPALETTE Palette() const { return FPalette; }
    TCanvas& Canvas() { return FCanvas; }

private:
    HBITMAP FBitmap = nullptr;
    void* FBits = nullptr;
    HDC FDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    HPALETTE FPalette = nullptr, FOldPalette = nullptr;
    TCanvas FCanvas;
};

std::unique_ptr<TPngSurface> MakeDibSurface(const TPngDibFormat& f, const TRGBQuad* colours, int count) {
    auto surface = std::make_unique<TDibSurface>(f, colours, count);
    if (!surface->Bits()) return nullptr;  // the picture raises EPNGOutMemory
    return surface;
}

TDibSurface& SurfaceOf(const TPNGObject& png) {
    auto* s = dynamic_cast<TDibSurface*>(&png.Header().Image().Surface());
    if (!s) throw EInvalidGraphicOperation("The picture's memory is not a device-independent bitmap");
    return *s;
}

// Over the canvas: opaque pictures are stretched straight on; transparent
// ones are blended into a 32-bit copy of the canvas area.
void Paint(TPNGObject& png, TCanvas& canvas, const TRect& rect) {
    const TPngImageMemory& image = png.Header().Image();
    HDC dc = canvas.Handle();
    if (png.TransparencyMode() == ptmNone) {
        TDibInfo info = DibInfo(image.Width(), image.Height(), image.BitCount(), image.Colours(), image.ColourCount());
        int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), 0, 0, image.Width(), image.Height(),
                      image.Bits(), info.Info(), DIB_RGB_COLORS, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
        return;
    }
    int32_t left = std::min(rect.Left, rect.Right), top = std::min(rect.Top, rect.Bottom);
    int32_t w = std::abs(rect.Width()), h = std::abs(rect.Height());
    if (w == 0 || h == 0) return;
    TDibInfo info = DibInfo(w, -h, 32, nullptr, 0);  // top-down
    void* bits = nullptr;
    HBITMAP work = CreateDIBSection(dc, info.Info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC workDC = work ? CreateCompatibleDC(dc) : nullptr;
    if (!work || !workDC) {
        if (work) DeleteObject(work);
        throw EPNGOutMemory();
    }
    {
        TSelectGuard select(workDC, work);
        BitBlt(workDC, 0, 0, w, h, dc, left, top, SRCCOPY);
        GdiFlush();
        png.BlendOnto(static_cast<uint8_t*>(bits), w, h, w * 4);
        BitBlt(dc, left, top, w, h, workDC, 0, 0, SRCCOPY);
    }
    DeleteDC(workDC);
    DeleteObject(work);
}

bool AssignFrom(TPNGObject& png, const TPersistent& source) {
    auto* bitmap = dynamic_cast<const TBitmap*>(&source);
    if (!bitmap) return false;
    // Read while selected nowhere.
    const_cast<TBitmap*>(bitmap)->Dormant();
    if (bitmap->Empty()) png.Clear();
    else PngCreateFromBitmap(png, bitmap->Handle(), bitmap->Transparent(), bitmap->TransparentColor);
    return true;
}

bool AssignTo(const TPNGObject& png, TPersistent& dest) {
    auto* bitmap = dynamic_cast<TBitmap*>(&dest);
    if (!bitmap) return false;
    const TChunkIHDR& h = png.Header();
    const TPngImageMemory& image = h.Image();
    TPixelFormat format = pf24bit;
    if (png.TransparencyMode() != ptmPartial) {
        if (h.BitDepth == 1) format = pf1bit;
        else if (h.BitDepth <= 4) format = pf4bit;
        else if (h.ColorType == 3) format = pf8bit;
    }
    bitmap->SetPixelFormat(format);
    bitmap->SetSize(png.Width(), png.Height());
    if (format != pf24bit && image.HasPalette()) {
        // The picture's own colours, so that no index changes on the way.
        TDibInfo info = DibInfo(0, 0, 8, image.Colours(), image.ColourCount());
        bitmap->SetColours(info.Colours, image.ColourCount());
    }
    // Drawing changes nothing in the picture; Draw is not const in the framework.
    const_cast<TPNGObject&>(png).Draw(bitmap->Canvas(), Rect(0, 0, png.Width(), png.Height()));
    if (png.TransparencyMode() == ptmBit) {
        bitmap->TransparentColor = png.TransparentColor();
        bitmap->SetTransparent(true);
    }
    return true;
}

}  // namespace

void PngInstallGdi() {
    SetPngSurfaceFactory(MakeDibSurface);
    TPngPlatform platform;
    platform.Paint = Paint;
    platform.AssignFrom = AssignFrom;
    platform.AssignTo = AssignTo;
    SetPngPlatform(platform);
}

HDC PngDC(const TPNGObject& png) { return SurfaceOf(png).DC(); }
TCanvas& PngCanvas(const TPNGObject& png) { return SurfaceOf(png).Canvas(); }
HPALETTE PngPalette(const TPNGObject& png) { return SurfaceOf(png).Palette(); }

void PngSetPalette(TPNGObject& png, HPALETTE palette) {
    TPngImageMemory& image = png.Header().Image();
    if (!image.HasPalette() || !palette) return;
    PALETTEENTRY entries[256] = {};
    UINT n = GetPaletteEntries(palette, 0, 256, entries);
    TRGBQuad colours[256] = {};
    for (UINT i = 0; i < n; ++i) colours[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    image.SetColours(colours, static_cast<int>(n));
}

void PngCreateFromBitmap(TPNGObject& png, HBITMAP bitmap, bool transparent, TColor colour) {
    BITMAP bm{};
    if (!GetObject(bitmap, sizeof bm, &bm)) throw EInvalidGraphic("Invalid bitmap");
    int bits = bm.bmBitsPixel * bm.bmPlanes;
    int target = bits < 16 ? (bits <= 1 ? 1 : bits <= 4 ? 4 : 8) : 24;
    png.PrepareFromBitmap(bm.bmWidth, bm.bmHeight, target, transparent);
    TPngImageMemory& image = png.Header().Image();
    TDibInfo info = DibInfo(image.Width(), image.Height(), image.BitCount(), image.Colours(), image.ColourCount());
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(image.Height()), image.Bits(), info.Info(), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows == 0) throw EPNGOutMemory();
    if (image.HasPalette()) {
        TRGBQuad colours[256];
        for (int i = 0; i < 256; ++i) colours[i] = {info.Colours[i].rgbBlue, info.Colours[i].rgbGreen, info.Colours[i].rgbRed, 0};
        image.SetColours(colours, image.ColourCount());
    }
    png.FinishFromBitmap(transparent, colour);
}

HBITMAP PngSaveToClipboardFormat(const TPNGObject& png, UINT& format) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(png.Width(), png.Height());
    const_cast<TPNGObject&>(png).Draw(bitmap.Canvas(), Rect(0, 0, png.Width(), png.Height()));
    format = CF_BITMAP;
    return bitmap.ReleaseHandle();
}

void PngLoadFromClipboardFormat(TPNGObject& png, UINT format, HANDLE data) {
    if (format != CF_BITMAP || !data) throw EInvalidGraphic("Unsupported clipboard format");
    PngCreateFromBitmap(png, static_cast<HBITMAP>(data), false, clBlack);
}
