// Transparent drawing of a PNG picture over 32-bit pixels that hold what the
// canvas shows: per-pixel alpha, palette alpha, or a colour key.
#include <cstring>
#include <vector>

#include "viewer/png/PngObject.h"
#include "viewer/png/PngStreamIO.h"

namespace {

int IndexIn(const uint8_t* row, int bitCount, int32_t x) {
    switch (bitCount) {
        case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
        case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
        default: return row[x];
    }
}

// The colour key of a grey or RGB picture as its image memory holds it;
// Matches() compares a pixel with it, 16-bit samples in full.
class TColourKey {
public:
    TColourKey(const TPNGObject& png, const TChunkIHDR& h) : FColourType(h.ColorType) {
        auto* trns = png.Chunks().ItemFromClass<TChunktRNS>();
        if (!trns || (FColourType != 0 && FColourType != 2)) return;
        const std::vector<uint8_t>& d = trns->Data();
        FDepth16 = h.BitDepth == 16;
        if (FColourType == 0 && d.size() >= 2) {
            uint16_t key = PngGetBE16(d.data());
            FValid = true;
            if (FDepth16) FHigh[0] = key >> 8, FLow[0] = key & 0xFF;
            else if (key >= (1 << h.BitDepth)) FValid = false;  // no sample can have it
            else FHigh[0] = static_cast<uint8_t>(h.BitDepth == 2 ? key * 5 : key);
        } else if (FColourType == 2 && d.size() >= 6) {
            FValid = true;
            for (int i = 0; i < 3; ++i) {
                uint16_t s = PngGetBE16(d.data() + 2 * i);
                if (!FDepth16 && s > 255) FValid = false;  // no 8-bit sample can have it
                // Stored blue first, each sample through the gamma table.
                FHigh[2 - i] = png.GammaTable[FDepth16 ? s >> 8 : s & 0xFF];
                FLow[2 - i] = png.GammaTable[s & 0xFF];
            }
        }
    }
    bool Valid() const { return FValid; }
    bool Matches(const TPngImageMemory& image, int32_t x, int32_t y) const {
        if (FColourType == 0) {
            int index = IndexIn(image.Row(y), image.BitCount(), x);
            return index == FHigh[0] && (!FDepth16 || image.LowRow(y)[x] == FLow[0]);
        }
        const uint8_t* p = image.Row(y) + 3 * x;
        if (std::memcmp(p, FHigh, 3) != 0) return false;
        return !FDepth16 || std::memcmp(image.LowRow(y) + 3 * x, FLow, 3) == 0;
    }

private:
    int FColourType;
    bool FValid = false, FDepth16 = false;
    uint8_t FHigh[3] = {}, FLow[3] = {};
};

}  // namespace

void TPNGObject::BlendOnto(uint8_t* pixels, int32_t width, int32_t height, int32_t stride) const {
    if (Empty() || width <= 0 || height <= 0) return;
    const TChunkIHDR& h = Header();
    const TPngImageMemory& image = h.Image();
    const int32_t iw = image.Width(), ih = image.Height();
    auto* trns = FChunks.ItemFromClass<TChunktRNS>();
    const TColourKey key(*this, h);
    const TRGBQuad* colours = image.Colours();
    // The source column of every target column.
    std::vector<int32_t> columns(static_cast<size_t>(width));
    for (int32_t x = 0; x < width; ++x) columns[x] = static_cast<int32_t>(int64_t{x} * iw / width);

    for (int32_t y = 0; y < height; ++y) {
        const int32_t sy = static_cast<int32_t>(int64_t{y} * ih / height);
        const uint8_t* row = image.Row(sy);
        const uint8_t* alphaRow = image.HasAlpha() ? image.AlphaRow(sy) : nullptr;
        uint8_t* d = pixels + static_cast<size_t>(y) * stride;
        for (int32_t x = 0; x < width; ++x, d += 4) {
            const int32_t sx = columns[x];
            uint8_t s[3];
            int a = 255;
            if (image.HasPalette()) {
                int index = IndexIn(row, image.BitCount(), sx);
                const TRGBQuad& c = colours[index];
                s[0] = c.Blue, s[1] = c.Green, s[2] = c.Red;
                if (h.ColorType == 3 && trns) a = trns->PaletteAlpha[index];
            } else {
                std::memcpy(s, row + 3 * sx, 3);
            }
            if (alphaRow) a = alphaRow[sx];
            else if (key.Valid() && key.Matches(image, sx, sy)) a = 0;
            if (a == 255) {
                std::memcpy(d, s, 3);
            } else {
                for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>((a * s[c] + (255 - a) * d[c] + 255) / 256);
            }
        }
    }
}
