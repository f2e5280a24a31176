#pragma once
// The decoded pixels of a PNG picture, laid out as a device-independent
// bitmap (rows bottom-up, padded to 4 bytes), with an alpha plane and a plane
// for the low bytes of 16-bit samples.
#include <cstdint>
#include <memory>
#include <vector>

struct TRGBQuad {
    uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
};

struct TPngDibFormat {
    int32_t Width = 0, Height = 0;
    int BitCount = 0;  // 1, 4, 8 or 24
    int32_t BytesPerRow = 0;
};

// Where a picture's pixels live: plain memory by default; the Windows shell
// supplies a DIB section in a memory device context so that GDI can draw
// from and into it.
class TPngSurface {
public:
    virtual ~TPngSurface() = default;
    virtual uint8_t* Bits() = 0;
    // The colour table of a palette DIB changed.
    virtual void ColoursChanged(const TRGBQuad* colours, int count) {}
};
using TPngSurfaceFactory = std::unique_ptr<TPngSurface> (*)(const TPngDibFormat& format, const TRGBQuad* colours,
                                                             int count);
// Null puts back plain memory.
void SetPngSurfaceFactory(TPngSurfaceFactory factory);

class TPngImageMemory {
public:
    // Raises EPNGOutMemory when the planes cannot be had or would pass MaxBytes.
    TPngImageMemory(int32_t width, int32_t height, int bitCount, bool withAlpha, bool withLowBytes);
    TPngImageMemory(const TPngImageMemory&) = delete;
    TPngImageMemory& operator=(const TPngImageMemory&) = delete;
    // A deep copy on a new surface.
    std::unique_ptr<TPngImageMemory> Clone() const;

    const TPngDibFormat& Format() const { return FFormat; }
    int32_t Width() const { return FFormat.Width; }
    int32_t Height() const { return FFormat.Height; }
    int BitCount() const { return FFormat.BitCount; }
    int32_t BytesPerRow() const { return FFormat.BytesPerRow; }
    bool HasPalette() const { return FFormat.BitCount <= 8; }
    bool HasAlpha() const { return !FAlpha.empty(); }
    bool HasLowBytes() const { return !FLow.empty(); }

    uint8_t* Bits() const { return FBits; }
    // Rows counted from the top of the picture.
    uint8_t* Row(int32_t y) const { return FBits + static_cast<size_t>(FFormat.Height - 1 - y) * FFormat.BytesPerRow; }
    uint8_t* LowRow(int32_t y) { return FLow.data() + static_cast<size_t>(FFormat.Height - 1 - y) * FFormat.BytesPerRow; }
    const uint8_t* LowRow(int32_t y) const { return const_cast<TPngImageMemory*>(this)->LowRow(y); }
    uint8_t* AlphaRow(int32_t y) { return FAlpha.data() + static_cast<size_t>(y) * FFormat.Width; }
    const uint8_t* AlphaRow(int32_t y) const { return const_cast<TPngImageMemory*>(this)->AlphaRow(y); }
    // The low bytes of 16-bit alpha, laid out like the alpha plane, so that
    // saving gives back the file's alpha in full.
    uint8_t* AlphaLowRow(int32_t y) { return FAlphaLow.data() + static_cast<size_t>(y) * FFormat.Width; }
    const uint8_t* AlphaLowRow(int32_t y) const { return const_cast<TPngImageMemory*>(this)->AlphaLowRow(y); }

    // The DIB's colour table: 2^BitCount entries for palette DIBs.
    const TRGBQuad* Colours() const { return FColours; }
    int ColourCount() const { return HasPalette() ? 1 << FFormat.BitCount : 0; }
    void SetColours(const TRGBQuad* colours, int count);
    TPngSurface& Surface() const { return *FSurface; }

    // The most memory one picture may take; more raises EPNGOutMemory.
    static int64_t MaxBytes;

private:
    TPngDibFormat FFormat;
    std::unique_ptr<TPngSurface> FSurface;
    uint8_t* FBits = nullptr;
    std::vector<uint8_t> FAlpha, FAlphaLow, FLow;
    TRGBQuad FColours[256] = {};
};
