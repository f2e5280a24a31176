#include "editor/main/ScrollMath.h"

int32_t ScrollSpan(int32_t size) { return size / 16 * 16 + 16; }

int32_t MaxTopOffset(int32_t size, int rows) {
    int64_t screen = int64_t{rows} * 16;
    if (screen > size) return 0;
    return static_cast<int32_t>((size - screen) / 16 * 16 + 16);
}

int ScrollPage(int rows, int32_t size) {
    return static_cast<int>(int64_t{rows} * 16 * ScrollBarUnits / ScrollSpan(size));
}

int ScrollPosition(int32_t topOffset, int32_t size) {
    return static_cast<int>(static_cast<double>(topOffset) / ScrollSpan(size) * ScrollBarUnits);
}

// Computed in single precision: the thumb is only as exact as the bar.
int32_t ThumbTopOffset(int position, int32_t size) {
    float part = static_cast<float>(position * (1.0 / ScrollBarUnits));
    float offset = part * static_cast<float>(ScrollSpan(size));
    auto t = static_cast<int32_t>(static_cast<double>(offset) + 8.0);
    return t - t % 16;
}

// Every 24 units of delta is one row; a notch of 120 is five.
int WheelRows(int& remainder, int delta) {
    remainder -= delta;
    int n = 0;
    if (remainder >= 24) {
        n = remainder / 24;
        remainder -= 24 * n;
    } else if (remainder <= -24) {
        n = -(-remainder / 24);
        remainder -= 24 * n;
    }
    return n;
}
