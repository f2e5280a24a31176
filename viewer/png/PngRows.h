#pragma once
// Row geometry, the Adam7 passes and the five row filters of the PNG format,
// shared by the decoder and the encoder.
#include <cstddef>
#include <cstdint>

// Bits of one pixel in the file for a colour type and bit depth.
int PngBitsPerPixel(uint8_t colourType, uint8_t bitDepth);
// Bytes of one file row (without its filter byte) of width pixels.
inline int64_t PngRowBytes(int64_t width, int bitsPerPixel) { return (width * bitsPerPixel + 7) / 8; }
// The filter distance: bytes per pixel, at least 1.
inline int PngFilterDistance(int bitsPerPixel) { return bitsPerPixel >= 8 ? bitsPerPixel / 8 : 1; }

struct TAdam7Pass {
    int X0, Y0, DX, DY;
};
extern const TAdam7Pass kAdam7[7];
// Pixels of a pass along a side of size pixels starting at start, step step.
inline int32_t PngPassSize(int32_t size, int start, int step) { return size > start ? (size - start + step - 1) / step : 0; }

inline uint8_t PngPaeth(int a, int b, int c) {
    int p = a + b - c;
    int pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
    if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
    return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Undoes a row's filter in place; prev is the row before (zeros for a pass's
// first row). A filter type above 4 leaves the row as it is.
void PngUnfilterRow(uint8_t filterType, uint8_t* row, const uint8_t* prev, size_t n, int bpp);
// Applies filter type 0..4 to raw into out.
void PngFilterRow(uint8_t filterType, const uint8_t* raw, const uint8_t* prev, uint8_t* out, size_t n, int bpp);
