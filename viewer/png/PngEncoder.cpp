#include "viewer/png/PngEncoder.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "viewer/png/PngObject.h"
#include "viewer/png/PngRows.h"

namespace {

// Makes the file samples of count pixels at x0, x0 + dx, ... of row y.
class TRowFetch {
public:
    TRowFetch(const TChunkIHDR& header, const TPngImageMemory& image, const uint8_t* inverse)
        : FColourType(header.ColorType), FDepth(header.BitDepth), FImage(image), FInv(inverse) {}

    void Fetch(uint8_t* d, int32_t y, int32_t x0, int32_t dx, int32_t count) const {
        const uint8_t* row = FImage.Row(y);
        const uint8_t* v = FInv;
        switch (FColourType * 100 + FDepth) {
            case 1: case 4: case 8: case 301: case 304: case 308:
                FetchIndexes(row, d, x0, dx, count);
                break;
            case 16: {
                const uint8_t* low = FImage.LowRow(y);
                for (int32_t i = 0, x = x0; i < count; ++i, x += dx, d += 2) d[0] = row[x], d[1] = low[x];
                break;
            }
            case 208:
            case 608: {
                // RGB, then alpha after the three samples of type 6.
                const int step = FColourType == 6 ? 4 : 3;
                const uint8_t* a = FColourType == 6 ? FImage.AlphaRow(y) : nullptr;
                for (int32_t i = 0, x = x0; i < count; ++i, x += dx, d += step) {
                    const uint8_t* s = row + 3 * x;
                    d[0] = v[s[2]], d[1] = v[s[1]], d[2] = v[s[0]];
                    if (a) d[3] = a[x];
                }
                break;
            }
            case 216:
            case 616: {
                const int step = FColourType == 6 ? 8 : 6;
                const uint8_t* a = FColourType == 6 ? FImage.AlphaRow(y) : nullptr;
                const uint8_t* aLow = FColourType == 6 ? FImage.AlphaLowRow(y) : nullptr;
                const uint8_t* low = FImage.LowRow(y);
                for (int32_t i = 0, x = x0; i < count; ++i, x += dx, d += step) {
                    const uint8_t* s = row + 3 * x;
                    const uint8_t* l = low + 3 * x;
                    d[0] = v[s[2]], d[1] = v[l[2]], d[2] = v[s[1]], d[3] = v[l[1]], d[4] = v[s[0]], d[5] = v[l[0]];
                    if (a) d[6] = a[x], d[7] = aLow[x];
                }
                break;
            }
            case 408: {
                const uint8_t* a = FImage.AlphaRow(y);
                for (int32_t i = 0, x = x0; i < count; ++i, x += dx, d += 2) d[0] = row[x], d[1] = a[x];
                break;
            }
            case 416: {
                const uint8_t* a = FImage.AlphaRow(y);
                const uint8_t* aLow = FImage.AlphaLowRow(y);
                const uint8_t* low = FImage.LowRow(y);
                for (int32_t i = 0, x = x0; i < count; ++i, x += dx, d += 4)
                    d[0] = row[x], d[1] = low[x], d[2] = a[x], d[3] = aLow[x];
                break;
            }
            default: break;
        }
    }

private:
    void FetchIndexes(const uint8_t* row, uint8_t* d, int32_t x0, int32_t dx, int32_t count) const {
        int bits = FDepth, mask = (1 << bits) - 1;
        size_t bytes = static_cast<size_t>(PngRowBytes(count, bits));
        if (dx == 1) {
            std::memcpy(d, row, bytes);
            // Padding bits after the last pixel are written as 0.
            int tail = static_cast<int>((int64_t{count} * bits) & 7);
            if (tail) d[bytes - 1] &= static_cast<uint8_t>(0xFF << (8 - tail));
            return;
        }
        std::memset(d, 0, bytes);
        for (int32_t i = 0, x = x0; i < count; ++i, x += dx) {
            int64_t at = int64_t{x} * bits, to = int64_t{i} * bits;
            int s = (row[at >> 3] >> (8 - bits - (at & 7))) & mask;
            d[to >> 3] |= static_cast<uint8_t>(s << (8 - bits - (to & 7)));
        }
    }

    int FColourType, FDepth;
    const TPngImageMemory& FImage;
    const uint8_t* FInv;
};

// Deflates into a buffer of the largest IDAT size, written as one IDAT chunk
// each time it is full.
class TIdatWriter {
public:
    TIdatWriter(TStream& stream, int level, int32_t chunkSize) : FStream(stream), FOut(static_cast<size_t>(chunkSize)) {
        if (int r = deflateInit(&FZ, std::clamp(level, 0, 9)); r != Z_OK) throw PngZlibError(zError(r));
        FZ.next_out = FOut.data();
        FZ.avail_out = static_cast<uInt>(FOut.size());
    }
    ~TIdatWriter() { deflateEnd(&FZ); }
    TIdatWriter(const TIdatWriter&) = delete;
    TIdatWriter& operator=(const TIdatWriter&) = delete;

    void Write(const uint8_t* data, size_t n) {
        FZ.next_in = const_cast<Bytef*>(data);
        FZ.avail_in = static_cast<uInt>(n);
        while (FZ.avail_in > 0) {
            if (deflate(&FZ, Z_NO_FLUSH) == Z_STREAM_ERROR) throw PngZlibError("deflate");
            if (FZ.avail_out == 0) Flush();
        }
    }

    void Finish() {
        for (;;) {
            int r = deflate(&FZ, Z_FINISH);
            if (r == Z_STREAM_ERROR) throw PngZlibError("deflate");
            if (FZ.avail_out == 0) Flush();
            if (r == Z_STREAM_END) break;
        }
        if (FZ.avail_out < FOut.size()) Flush();
    }

private:
    void Flush() {
        TChunk::WriteChunk(FStream, "IDAT", FOut.data(), static_cast<uint32_t>(FOut.size() - FZ.avail_out));
        FZ.next_out = FOut.data();
        FZ.avail_out = static_cast<uInt>(FOut.size());
    }

    TStream& FStream;
    std::vector<uint8_t> FOut;
    z_stream FZ{};
};

}  // namespace

uint8_t PngChooseFilter(uint8_t filters, const uint8_t* const filtered[5], size_t n) {
    int inSet = 0, only = 0;
    for (int t = 0; t < 5; ++t)
        if (filters & (1 << t)) ++inSet, only = t;
    if (inSet == 0 || filters == pfNone) return 0;
    if (inSet == 1) return static_cast<uint8_t>(only);
    // Bytes that repeat one of the two before them compress best.
    int best = 0, bestScore = 0;
    for (int t = 0; t < 5; ++t) {
        if (!(filters & (1 << t))) continue;
        const uint8_t* f = filtered[t];
        int score = 0;
        for (size_t k = 2; k < n; ++k)
            if (f[k] == f[k - 1] || f[k] == f[k - 2]) ++score;
        if (score > bestScore) best = t, bestScore = score;
    }
    return static_cast<uint8_t>(best);
}

void PngEncodeImage(TPNGObject& png, TStream& stream) {
    TChunkIHDR& header = png.Header();
    const TPngImageMemory& image = header.Image();
    const int bits = PngBitsPerPixel(header.ColorType, header.BitDepth);
    const int bpp = PngFilterDistance(bits);
    const int32_t width = image.Width(), height = image.Height();
    const size_t maxRow = static_cast<size_t>(PngRowBytes(width, bits));
    std::vector<uint8_t> raw(maxRow), previous(maxRow), out(maxRow + 1);
    std::vector<uint8_t> filteredRows[5];
    const uint8_t* filtered[5] = {};
    for (int t = 0; t < 5; ++t)
        if (png.Filters & (1 << t)) {
            filteredRows[t].resize(maxRow);
            filtered[t] = filteredRows[t].data();
        }
    TIdatWriter writer(stream, png.CompressionLevel, png.MaxIdatSize());
    TRowFetch fetch(header, image, png.InverseGamma);

    auto pass = [&](int32_t x0, int32_t y0, int32_t dx, int32_t dy) {
        int32_t pw = PngPassSize(width, x0, dx), ph = PngPassSize(height, y0, dy);
        if (pw == 0 || ph == 0) return;
        size_t n = static_cast<size_t>(PngRowBytes(pw, bits));
        std::fill(previous.begin(), previous.end(), 0);
        for (int32_t r = 0; r < ph; ++r) {
            fetch.Fetch(raw.data(), y0 + r * dy, x0, dx, pw);
            for (int t = 0; t < 5; ++t)
                if (filtered[t]) PngFilterRow(static_cast<uint8_t>(t), raw.data(), previous.data(), filteredRows[t].data(), n, bpp);
            uint8_t type = PngChooseFilter(png.Filters, filtered, n);
            out[0] = type;
            if (filtered[type]) std::memcpy(out.data() + 1, filtered[type], n);
            else PngFilterRow(type, raw.data(), previous.data(), out.data() + 1, n, bpp);
            writer.Write(out.data(), n + 1);
            std::swap(raw, previous);
        }
    };

    if (png.InterlaceMethod == 1) {
        for (const TAdam7Pass& p : kAdam7) pass(p.X0, p.Y0, p.DX, p.DY);
    } else {
        pass(0, 0, 1, 1);
    }
    writer.Finish();
}
