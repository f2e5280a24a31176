#include "editor/crashreport/support/listview/DrawBmp.h"

namespace {

// A memory DC with one bitmap selected, both given back on leaving.
class TMemoryDC {
public:
    TMemoryDC(HDC like, HBITMAP bitmap) : FDC(CreateCompatibleDC(like)), FOld(SelectObject(FDC, bitmap)) {}
    ~TMemoryDC()
    {
        SelectObject(FDC, FOld);
        DeleteDC(FDC);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC Handle() const { return FDC; }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

class TOwnedBitmap {
public:
    explicit TOwnedBitmap(HBITMAP b) : FBitmap(b) {}
    ~TOwnedBitmap() { DeleteObject(FBitmap); }
    TOwnedBitmap(const TOwnedBitmap&) = delete;
    TOwnedBitmap& operator=(const TOwnedBitmap&) = delete;
    HBITMAP Handle() const { return FBitmap; }

private:
    HBITMAP FBitmap;
};

} // namespace

void DrawBmp(HDC dc, HBITMAP bitmap, int x, int y, int width, int height)
{
    if (dc == nullptr || bitmap == nullptr || width <= 0 || height <= 0)
        return;
    TMemoryDC source(dc, bitmap);
    const COLORREF transparent = GetPixel(source.Handle(), 0, 0);

    // The mask: 1 where the picture has the transparent colour.
    TOwnedBitmap maskBitmap(CreateBitmap(width, height, 1, 1, nullptr));
    TMemoryDC mask(dc, maskBitmap.Handle());
    SetBkColor(source.Handle(), transparent);
    BitBlt(mask.Handle(), 0, 0, width, height, source.Handle(), 0, 0, SRCCOPY);

    // The picture with black where it is transparent.
    TOwnedBitmap pictureBitmap(CreateCompatibleBitmap(dc, width, height));
    TMemoryDC picture(dc, pictureBitmap.Handle());
    BitBlt(picture.Handle(), 0, 0, width, height, source.Handle(), 0, 0, SRCCOPY);
    SetBkColor(picture.Handle(), RGB(0, 0, 0));
    SetTextColor(picture.Handle(), RGB(255, 255, 255));
    BitBlt(picture.Handle(), 0, 0, width, height, mask.Handle(), 0, 0, SRCAND);

    // The destination blackened where the picture is opaque, then the
    // picture put in.
    const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, width, height, mask.Handle(), 0, 0, SRCAND);
    BitBlt(dc, x, y, width, height, picture.Handle(), 0, 0, SRCPAINT);
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
}
