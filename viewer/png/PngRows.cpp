#include "viewer/png/PngRows.h"

const TAdam7Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                              {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

int PngBitsPerPixel(uint8_t colourType, uint8_t bitDepth) {
    static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    return colourType < 7 ? kChannels[colourType] * bitDepth : 0;
}

void PngUnfilterRow(uint8_t filterType, uint8_t* row, const uint8_t* prev, size_t n, int bpp) {
    size_t b = static_cast<size_t>(bpp) < n ? static_cast<size_t>(bpp) : n;
    switch (filterType) {
        case 1:
            for (size_t i = b; i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + row[i - b]);
            break;
        case 2:
            for (size_t i = 0; i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + prev[i]);
            break;
        case 3:
            for (size_t i = 0; i < b; ++i) row[i] = static_cast<uint8_t>(row[i] + (prev[i] >> 1));
            for (size_t i = b; i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + ((row[i - b] + prev[i]) >> 1));
            break;
        case 4:
            for (size_t i = 0; i < b; ++i) row[i] = static_cast<uint8_t>(row[i] + prev[i]);
            for (size_t i = b; i < n; ++i)
                row[i] = static_cast<uint8_t>(row[i] + PngPaeth(row[i - b], prev[i], prev[i - b]));
            break;
        default: break;
    }
}

void PngFilterRow(uint8_t filterType, const uint8_t* raw, const uint8_t* prev, uint8_t* out, size_t n, int bpp) {
    size_t b = static_cast<size_t>(bpp);
    for (size_t i = 0; i < n; ++i) {
        int left = i >= b ? raw[i - b] : 0, above = prev[i], upperLeft = i >= b ? prev[i - b] : 0;
        int predictor = 0;
        switch (filterType) {
            case 1: predictor = left; break;
            case 2: predictor = above; break;
            case 3: predictor = (left + above) >> 1; break;
            case 4: predictor = PngPaeth(left, above, upperLeft); break;
            default: break;
        }
        out[i] = static_cast<uint8_t>(raw[i] - predictor);
    }
}
