#include "viewer/png/PngDecoder.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "viewer/png/PngObject.h"
#include "viewer/png/PngRows.h"
#include "viewer/png/PngStreamIO.h"

namespace {

// The zlib stream spread over consecutive IDAT chunks, read in blocks of at
// most 64 KiB, never past the current chunk, each chunk's CRC checked once
// all of its data has been read.
class TIdatReader {
public:
    TIdatReader(TStream& stream, uint32_t firstSize) : FStream(stream), FLeft(firstSize) {
        FCrc = crc32(0, reinterpret_cast<const Bytef*>("IDAT"), 4);
        if (int r = inflateInit(&FZ); r != Z_OK) throw PngZlibError(zError(r));
    }
    ~TIdatReader() { inflateEnd(&FZ); }
    TIdatReader(const TIdatReader&) = delete;
    TIdatReader& operator=(const TIdatReader&) = delete;

    // Fills out with n bytes; false when the compressed stream ended first.
    bool Inflate(uint8_t* out, size_t n) {
        FZ.next_out = out;
        FZ.avail_out = static_cast<uInt>(n);
        while (FZ.avail_out > 0) {
            if (FEnded) return false;
            if (FZ.avail_in == 0) Refill();
            int r = inflate(&FZ, Z_NO_FLUSH);
            if (r == Z_STREAM_END) {
                FEnded = true;
            } else if (r == Z_BUF_ERROR) {
                // No progress without more input: read more (next round).
                if (FZ.avail_in != 0) throw PngZlibError(zError(r));
            } else if (r != Z_OK) {
                throw PngZlibError(zError(r));
            }
        }
        return true;
    }

    // Reads the rest of the current chunk and checks its CRC.
    void Finish() {
        while (FLeft > 0) ReadBlock();
        CheckCrc();
    }

private:
    void ReadBlock() {
        uint32_t n = std::min<uint32_t>(FLeft, sizeof FBuffer);
        PngReadExact(FStream, FBuffer, static_cast<int32_t>(n));
        FCrc = crc32(FCrc, FBuffer, n);
        FLeft -= n;
        FZ.next_in = FBuffer;
        FZ.avail_in = n;
    }

    void CheckCrc() {
        if (PngReadBE32(FStream) != static_cast<uint32_t>(FCrc)) throw EPngInvalidCRC();
    }

    void Refill() {
        while (FLeft == 0) {
            CheckCrc();
            FLeft = PngReadBE32(FStream);
            char type[4];
            PngReadExact(FStream, type, 4);
            if (std::memcmp(type, "IDAT", 4) != 0) throw EPNGMissingMultipleIDAT();
            FCrc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
        }
        ReadBlock();
    }

    TStream& FStream;
    uint32_t FLeft;
    uLong FCrc;
    z_stream FZ{};
    bool FEnded = false;
    uint8_t FBuffer[65535];
};

// Puts the samples of one file row into the image memory: count pixels at
// x0, x0 + dx, ... of row y.
class TRowStore {
public:
    TRowStore(const TChunkIHDR& header, TPngImageMemory& image, const uint8_t* gamma)
        : FColourType(header.ColorType), FDepth(header.BitDepth), FImage(image), FGamma(gamma) {}

    void Store(const uint8_t* s, int32_t y, int32_t x0, int32_t dx, int32_t count) {
        uint8_t* row = FImage.Row(y);
        const uint8_t* g = FGamma;
        switch (FColourType * 100 + FDepth) {
            case 1: case 4: case 8: case 301: case 304: case 308:
                StoreIndexes(s, row, x0, dx, count, 0);
                break;
            case 2: StoreIndexes(s, row, x0, dx, count, 5); break;  // 0..3 to the ramp's 0, 5, 10, 15
            case 302: StoreIndexes(s, row, x0, dx, count, 1); break;
            case 16: {
                uint8_t* low = FImage.LowRow(y);
                for (int32_t i = 0, x = x0; i < count; ++i, x += dx, s += 2) row[x] = s[0], low[x] = s[1];
                break;
            }
            case 208:
            case 608: {
                // RGB, then alpha after the three samples of type 6.
                const int step = FColourType == 6 ? 4 : 3;
                uint8_t* a = FColourType == 6 ? FImage.AlphaRow(y) : nullptr;
                for (int32_t i = 0, x = x0; i < count; ++i, x += dx, s += step) {
                    uint8_t* d = row + 3 * x;
                    d[0] = g[s[2]], d[1] = g[s[1]], d[2] = g[s[0]];
                    if (a) a[x] = s[3];
                }
                break;
            }
            case 216:
            case 616: {
                const int step = FColourType == 6 ? 8 : 6;
                uint8_t* a = FColourType == 6 ? FImage.AlphaRow(y) : nullptr;
                uint8_t* aLow = FColourType == 6 ? FImage.AlphaLowRow(y) : nullptr;
                uint8_t* low = FImage.LowRow(y);
                for (int32_t i = 0, x = x0; i < count; ++i, x += dx, s += step) {
                    uint8_t* d = row + 3 * x;
                    uint8_t* l = low + 3 * x;
                    d[0] = g[s[4]], d[1] = g[s[2]], d[2] = g[s[0]];
                    l[0] = g[s[5]], l[1] = g[s[3]], l[2] = g[s[1]];
                    if (a) a[x] = s[6], aLow[x] = s[7];
                }
                break;
            }
            case 408: {
                uint8_t* a = FImage.AlphaRow(y);
                for (int32_t i = 0, x = x0; i < count; ++i, x += dx, s += 2) row[x] = s[0], a[x] = s[1];
                break;
            }
            case 416: {
                uint8_t* a = FImage.AlphaRow(y);
                uint8_t* aLow = FImage.AlphaLowRow(y);
                uint8_t* low = FImage.LowRow(y);
                for (int32_t i = 0, x = x0; i < count; ++i, x += dx, s += 4)
                    row[x] = s[0], low[x] = s[1], a[x] = s[2], aLow[x] = s[3];
                break;
            }
            default: break;
        }
    }

private:
    // Indexes of 1, 2, 4 or 8 bits into a palette DIB of 1, 4 or 8 bits;
    // scale 0 copies them as they are packed.
    void StoreIndexes(const uint8_t* s, uint8_t* row, int32_t x0, int32_t dx, int32_t count, int scale) {
        int dibBits = FImage.BitCount();
        if (scale == 0 && dx == 1) {
            std::memcpy(row, s, static_cast<size_t>(PngRowBytes(count, FDepth)));
            return;
        }
        int bits = FDepth, mask = (1 << bits) - 1;
        for (int32_t i = 0, x = x0; i < count; ++i, x += dx) {
            int64_t bit = int64_t{i} * bits;
            int v = (s[bit >> 3] >> (8 - bits - (bit & 7))) & mask;
            if (scale) v *= scale;
            int64_t at = int64_t{x} * dibBits;
            row[at >> 3] |= static_cast<uint8_t>(v << (8 - dibBits - (at & 7)));
        }
    }

    int FColourType, FDepth;
    TPngImageMemory& FImage;
    const uint8_t* FGamma;
};

void MakeGreyRamp(TPngImageMemory& image, const uint8_t* gamma) {
    TRGBQuad colours[256];
    int n = image.ColourCount();
    for (int i = 0; i < n; ++i) {
        // i * 255 / (n - 1), rounded to the nearest.
        uint8_t v = gamma[(i * 255 * 2 + (n - 1)) / (2 * (n - 1))];
        colours[i] = {v, v, v, 0};
    }
    image.SetColours(colours, n);
}

}  // namespace

void PngDecodeImage(TPNGObject& png, TStream& stream, uint32_t firstChunkSize) {
    TChunkIHDR& header = png.Header();
    TPngImageMemory& image = header.Image();
    if ((header.ColorType == 0 || header.ColorType == 4) && image.HasPalette()) MakeGreyRamp(image, png.GammaTable);

    const int bits = PngBitsPerPixel(header.ColorType, header.BitDepth);
    const int bpp = PngFilterDistance(bits);
    const int32_t width = image.Width(), height = image.Height();
    const size_t maxRow = static_cast<size_t>(PngRowBytes(width, bits));
    // One byte in front for the filter type; the previous row starts zeroed.
    std::vector<uint8_t> current(maxRow + 1), previous(maxRow + 1);
    TIdatReader reader(stream, firstChunkSize);
    TRowStore store(header, image, png.GammaTable);

    auto pass = [&](int32_t x0, int32_t y0, int32_t dx, int32_t dy) -> bool {
        int32_t pw = PngPassSize(width, x0, dx), ph = PngPassSize(height, y0, dy);
        if (pw == 0 || ph == 0) return true;
        size_t rowBytes = static_cast<size_t>(PngRowBytes(pw, bits));
        std::fill(previous.begin(), previous.end(), 0);
        for (int32_t r = 0; r < ph; ++r) {
            if (!reader.Inflate(current.data(), rowBytes + 1)) return false;
            PngUnfilterRow(current[0], current.data() + 1, previous.data() + 1, rowBytes, bpp);
            store.Store(current.data() + 1, y0 + r * dy, x0, dx, pw);
            std::swap(current, previous);
        }
        return true;
    };

    if (header.InterlaceMethod == 1) {
        for (const TAdam7Pass& p : kAdam7)
            if (!pass(p.X0, p.Y0, p.DX, p.DY)) break;
    } else {
        pass(0, 0, 1, 1);
    }
    reader.Finish();
}
