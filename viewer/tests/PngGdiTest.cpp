// PNG pictures on real device contexts under Wine: drawing with and without
// transparency, the image memory as a DIB, bitmaps to and from pictures.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/testing/GuiTest.h"
#include "viewer/png/PngGdi.h"
#include "viewer/tests/PngFixtures.h"

using namespace pngtest;

namespace {

class PngGdi : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PngInstallGdi(); }

    // A 24-bit bitmap filled with one colour.
    static std::unique_ptr<TBitmap> Canvas(int w, int h, TColor fill) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetPixelFormat(pf24bit);
        bitmap->SetSize(w, h);
        bitmap->Canvas().BrushColor = fill;
        bitmap->Canvas().FillRect(Rect(0, 0, w, h));
        return bitmap;
    }
};

// The colour a pixel shows when drawn without transparency.
TColor Shown(const TPNGObject& png, int32_t x, int32_t y) {
    const TPngImageMemory& image = png.Header().Image();
    if (!image.HasPalette()) {
        const uint8_t* p = image.Row(y) + 3 * x;
        return RGBColor(p[2], p[1], p[0]);
    }
    const uint8_t* row = image.Row(y);
    int index = image.BitCount() == 8 ? row[x]
              : image.BitCount() == 4 ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 15
                                      : (row[x / 8] >> (7 - x % 8)) & 1;
    const TRGBQuad& c = image.Colours()[index];
    return RGBColor(c.Red, c.Green, c.Blue);
}

TEST_F(PngGdi, OpaquePicturesDrawTheirPixels) {
    for (const char* name : {"rgb8", "p1", "p4i", "g2", "g16", "rgb16i", "tiny3x2"}) {
        auto png = Load(Fixture(name));
        auto bitmap = Canvas(png->Width() + 4, png->Height() + 4, RGBColor(255, 0, 255));
        bitmap->Canvas().Draw(2, 2, *png);
        int bad = 0;
        for (int y = 0; y < png->Height() && bad < 3; ++y)
            for (int x = 0; x < png->Width() && bad < 3; ++x)
                if (bitmap->Canvas().Pixel(x + 2, y + 2) != Shown(*png, x, y)) {
                    ADD_FAILURE() << name << " at " << x << "," << y;
                    ++bad;
                }
        EXPECT_EQ(RGBColor(255, 0, 255), bitmap->Canvas().Pixel(1, 1)) << name;
    }
}

TEST_F(PngGdi, ColourKeyShowsTheCanvas) {
    for (const char* name : {"p4-trns-bit", "rgb8-trns", "g2-trns", "g16-trns"}) {
        auto png = Load(Fixture(name));
        ASSERT_EQ(ptmBit, png->TransparencyMode()) << name;
        const TColor background = RGBColor(1, 254, 3);
        auto bitmap = Canvas(png->Width(), png->Height(), background);
        bitmap->Canvas().Draw(0, 0, *png);
        // What the key leaves of the same background, worked out without GDI.
        std::vector<uint8_t> keyed(static_cast<size_t>(png->Width()) * png->Height() * 4);
        for (size_t i = 0; i < keyed.size(); i += 4) keyed[i] = 3, keyed[i + 1] = 254, keyed[i + 2] = 1;
        png->BlendOnto(keyed.data(), png->Width(), png->Height(), png->Width() * 4);
        int transparent = 0;
        for (int y = 0; y < png->Height(); ++y)
            for (int x = 0; x < png->Width(); ++x) {
                const uint8_t* k = &keyed[(static_cast<size_t>(y) * png->Width() + x) * 4];
                TColor got = bitmap->Canvas().Pixel(x, y);
                ASSERT_EQ(RGBColor(k[2], k[1], k[0]), got) << name << " at " << x << "," << y;
                if (got == background) ++transparent;
                else ASSERT_EQ(Shown(*png, x, y), got) << name << " at " << x << "," << y;
            }
        EXPECT_GT(transparent, 0) << name;
        EXPECT_LT(transparent, png->Width() * png->Height()) << name;
    }
}

TEST_F(PngGdi, PartialTransparencyBlendsAndStretches) {
    auto png = Load(Fixture("p8-trns-partial"));
    auto* trns = png->Chunks().ItemFromClass<TChunktRNS>();
    auto bitmap = Canvas(png->Width(), png->Height(), RGBColor(200, 100, 0));
    bitmap->Canvas().Draw(0, 0, *png);
    int half = 0;
    for (int y = 0; y < png->Height(); ++y)
        for (int x = 0; x < png->Width(); ++x) {
            int index = png->Scanline(y)[x];
            TColor s = Shown(*png, x, y), got = bitmap->Canvas().Pixel(x, y);
            int a = trns->PaletteAlpha[index];
            if (a == 0) ASSERT_EQ(RGBColor(200, 100, 0), got);
            if (a == 255) ASSERT_EQ(s, got);
            if (a == 128) {
                ++half;
                ASSERT_EQ((128 * ColorRed(s) + 127 * 200 + 255) / 256, ColorRed(got));
            }
        }
    EXPECT_GT(half, 0);

    auto alpha = Load(Fixture("rgba8"));
    alpha->Resize(10, 10);
    auto big = Canvas(24, 24, clWhite);
    big->Canvas().StretchDraw(Rect(2, 2, 22, 22), *alpha);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(big->Canvas().Pixel(2 + (x & ~1), 2 + (y & ~1)), big->Canvas().Pixel(2 + x, 2 + y));
    EXPECT_EQ(clWhite, big->Canvas().Pixel(1, 1));
    EXPECT_EQ(clWhite, big->Canvas().Pixel(22, 22));
    // An empty rectangle draws nothing.
    big->Canvas().StretchDraw(Rect(5, 5, 5, 9), *alpha);
}

TEST_F(PngGdi, ImageMemoryIsADibOnItsOwnDeviceContext) {
    auto png = Load(Fixture("p8"));
    HDC dc = PngDC(*png);
    ASSERT_TRUE(dc);
    for (int y : {0, 7, 20})
        for (int x : {0, 13, 32}) EXPECT_EQ(Shown(*png, x, y), static_cast<TColor>(GetPixel(dc, x, y)));
    EXPECT_TRUE(PngPalette(*png));
    // Drawing on the picture's canvas changes its pixels.
    auto rgb = Load(Fixture("rgb8"));
    PngCanvas(*rgb).SetPixel(4, 6, RGBColor(10, 20, 30));
    GdiFlush();
    EXPECT_EQ(RGBColor(10, 20, 30), rgb->Pixel(4, 6));
    // A new palette becomes the colour table.
    HPALETTE grey = [] {
        std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
        auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
        log->palVersion = 0x300;
        log->palNumEntries = 256;
        for (int i = 0; i < 256; ++i)
            log->palPalEntry[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
        return CreatePalette(log);
    }();
    PngSetPalette(*png, grey);
    DeleteObject(grey);
    int index = png->Scanline(7)[13];
    EXPECT_EQ(RGBColor(index, index, index), static_cast<TColor>(GetPixel(dc, 13, 7)));
}

TEST_F(PngGdi, PictureFromPaletteBitmapWithTransparentColour) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf8bit);
    bitmap.SetSize(6, 3);
    RGBQUAD colours[256] = {};
    colours[0] = {0, 0, 255, 0};    // red
    colours[1] = {0, 255, 0, 0};    // green
    colours[2] = {255, 0, 0, 0};    // blue: transparent
    bitmap.SetColours(colours, 256);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) SetPixelV(bitmap.Canvas().Handle(), x, y, RGB(x % 3 == 0 ? 255 : 0, x % 3 == 1 ? 255 : 0, x % 3 == 2 ? 255 : 0));
    bitmap.SetTransparent(true);
    bitmap.TransparentColor = RGBColor(0, 0, 255);
    TPNGObject png;
    png.Assign(&bitmap);
    ASSERT_EQ(6, png.Width());
    EXPECT_EQ(3, png.Header().ColorType);
    EXPECT_EQ(8, png.Header().BitDepth);
    EXPECT_EQ((Bytes{255, 255, 0}), png.Chunks().ItemFromClass<TChunktRNS>()->Data());
    EXPECT_EQ(RGBColor(0, 255, 0), png.Pixel(4, 2));
    // Saved, read back and drawn: blue shows the canvas.
    auto again = Load(Save(png));
    auto canvas = Canvas(6, 3, RGBColor(9, 9, 9));
    canvas->Canvas().Draw(0, 0, *again);
    EXPECT_EQ(RGBColor(255, 0, 0), canvas->Canvas().Pixel(0, 1));
    EXPECT_EQ(RGBColor(0, 255, 0), canvas->Canvas().Pixel(1, 1));
    EXPECT_EQ(RGBColor(9, 9, 9), canvas->Canvas().Pixel(2, 1));
}

TEST_F(PngGdi, PictureFromRgbBitmapAndBack) {
    auto source = Canvas(5, 4, RGBColor(12, 34, 56));
    source->Canvas().SetPixel(3, 1, RGBColor(200, 150, 100));
    TPNGObject png;
    png.Assign(source.get());
    EXPECT_EQ(2, png.Header().ColorType);
    EXPECT_EQ(RGBColor(200, 150, 100), png.Pixel(3, 1));
    EXPECT_EQ(RGBColor(12, 34, 56), png.Pixel(0, 3));
    EXPECT_FALSE(png.Chunks().ItemFromClass<TChunktRNS>());

    TBitmap copy;
    copy.Assign(&png);
    EXPECT_EQ(pf24bit, copy.PixelFormat());
    EXPECT_EQ(RGBColor(200, 150, 100), copy.Canvas().Pixel(3, 1));

    auto bit = Load(Fixture("p4-trns-bit"));
    TBitmap keyed;
    keyed.Assign(bit.get());
    EXPECT_EQ(pf4bit, keyed.PixelFormat());
    EXPECT_TRUE(keyed.Transparent());
    EXPECT_EQ(bit->TransparentColor(), keyed.TransparentColor);
    auto partial = Load(Fixture("ga8"));
    TBitmap blended;
    blended.Assign(partial.get());
    EXPECT_EQ(pf24bit, blended.PixelFormat());
}

TEST_F(PngGdi, ThroughTheClipboardFormat) {
    auto png = Load(Fixture("p8-trns-partial"));
    UINT format = 0;
    HBITMAP handle = PngSaveToClipboardFormat(*png, format);
    ASSERT_TRUE(handle);
    EXPECT_EQ(static_cast<UINT>(CF_BITMAP), format);
    TPNGObject back;
    PngLoadFromClipboardFormat(back, format, handle);
    DeleteObject(handle);
    EXPECT_EQ(2, back.Header().ColorType);
    EXPECT_EQ(png->Width(), back.Width());
    // Opaque entries come back exactly.
    auto* trns = png->Chunks().ItemFromClass<TChunktRNS>();
    for (int y = 0; y < png->Height(); ++y)
        for (int x = 0; x < png->Width(); ++x) {
            int a = trns->PaletteAlpha[png->Scanline(y)[x]];
            if (a == 255) ASSERT_EQ(Shown(*png, x, y), back.Pixel(x, y));
        }
    EXPECT_THROW(PngLoadFromClipboardFormat(back, CF_TEXT, handle), EInvalidGraphic);
}

// Every fixture over a checkerboard, written as a PNG by the picture class
// itself, for a person to look at.
TEST_F(PngGdi, ContactSheetScreenshot) {
    std::vector<std::string> names = FixtureNames();
    const int cell = 40, columns = 8;
    int rows = static_cast<int>((names.size() + columns - 1) / columns);
    auto sheet = Canvas(columns * cell, rows * cell, clWhite);
    for (int y = 0; y < rows * cell; y += 4)
        for (int x = (y / 4 % 2) * 4; x < columns * cell; x += 8) {
            sheet->Canvas().BrushColor = RGBColor(200, 200, 200);
            sheet->Canvas().FillRect(Rect(x, y, x + 4, y + 4));
        }
    for (size_t i = 0; i < names.size(); ++i) {
        auto png = Load(Fixture(names[i]));
        int x = static_cast<int>(i % columns) * cell + 3, y = static_cast<int>(i / columns) * cell + 3;
        sheet->Canvas().StretchDraw(Rect(x, y, x + 34, y + 34), *png);
    }
    TPNGObject out;
    out.Assign(sheet.get());
    out.Filters = pfNone | pfSub | pfUp | pfAverage | pfPaeth;
    std::string path = guitest::ScreenshotPath("png_contact_sheet");
    out.SaveToFile(path);
    TPNGObject back;
    back.LoadFromFile(path);
    EXPECT_EQ(columns * cell, back.Width());
    EXPECT_EQ(out.Pixel(5, 5), back.Pixel(5, 5));
}

}  // namespace
