#pragma once
// TPNGObject: a picture read from and written to the PNG format, held as a
// list of chunks; the header chunk owns the decoded pixels.
#include <cstdint>
#include <memory>
#include <string>

#include "framework/Graphic.h"
#include "viewer/png/PngChunks.h"
#include "viewer/png/PngErrors.h"

enum TPNGTransparencyMode { ptmNone, ptmBit, ptmPartial };

// The filter set used when writing.
enum : uint8_t { pfNone = 1, pfSub = 2, pfUp = 4, pfAverage = 8, pfPaeth = 16 };
using TFilters = uint8_t;

class TPNGObject : public TGraphic {
public:
    TPNGObject();
    ~TPNGObject() override;
    std::string ClassName() const override { return "TPNGObject"; }

    void Draw(TCanvas& canvas, const TRect& rect) override;
    bool Empty() const override { return FChunks.Count() == 0; }
    int32_t Width() const override;
    int32_t Height() const override;
    void SetWidth(int32_t value) override { Resize(value, Height()); }
    void SetHeight(int32_t value) override { Resize(Width(), value); }
    bool Transparent() const override { return TransparencyMode() != ptmNone; }
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    // From another TPNGObject; null clears. Other sources go the framework's way.
    void Assign(const TPersistent* source) override;

    // Frees every chunk and resets the gamma tables.
    void Clear();
    TPNGList& Chunks() { return FChunks; }
    const TPNGList& Chunks() const { return FChunks; }
    // The IHDR chunk; EPNGHeaderNotPresent when the picture has none.
    TChunkIHDR& Header() const;
    TPNGTransparencyMode TransparencyMode() const;
    // The colour drawn as the canvas in bit transparency (black otherwise).
    TColor TransparentColor() const;
    // Makes colour the transparent one (creating the tRNS chunk).
    void SetTransparentColor(TColor colour);
    // Pixels by x and y from the top left; outside: black and ignored.
    TColor Pixel(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, TColor colour);
    // Rows of the image memory from the top; alpha and low-byte rows exist
    // for the colour types and depths that have them.
    uint8_t* Scanline(int32_t y) const { return Header().Image().Row(y); }
    uint8_t* AlphaScanline(int32_t y) const { return Header().Image().AlphaRow(y); }
    uint8_t* ExtraScanline(int32_t y) const { return Header().Image().LowRow(y); }
    // Width and height below 1 raise EPNGInvalidNewSize.
    void Resize(int32_t width, int32_t height);

    // Blends the picture, stretched to width x height, over 32-bit pixels
    // (blue, green, red, unused; top-down rows of stride bytes) by its alpha
    // or colour key: the partial and bit transparency drawing.
    void BlendOnto(uint8_t* pixels, int32_t width, int32_t height, int32_t stride) const;

    // A picture in the shape a bitmap gives: bitCount below 16 makes a palette
    // picture of that depth, others RGB at depth 8. The caller fills the image
    // memory and its colour table, then calls FinishFromBitmap.
    void PrepareFromBitmap(int32_t width, int32_t height, int bitCount, bool transparent);
    void FinishFromBitmap(bool transparent, TColor transparentColour);

    // Writing settings.
    TFilters Filters = pfSub;
    int CompressionLevel = 7;
    uint8_t InterlaceMethod = 0;  // of the loaded picture, and for writing
    int32_t MaxIdatSize() const { return FMaxIdatSize; }
    void SetMaxIdatSize(int32_t value) { FMaxIdatSize = value < 65535 ? 65535 : value; }

    // Maps 8-bit samples to what is shown, and back.
    uint8_t GammaTable[256];
    uint8_t InverseGamma[256];
    // Sets both tables from a gAMA value (times 100,000); 0 leaves them.
    void SetGammaFromChunk(uint32_t gamma);

protected:
    void AssignTo(TPersistent* dest) const override;

private:
    void ResetGamma();
    TPNGList FChunks;
    int32_t FMaxIdatSize = 65535;
};
