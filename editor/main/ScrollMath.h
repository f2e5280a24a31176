#pragma once
// The arithmetic of scrolling: how far the view may scroll, the scroll bar's
// fixed range of 30000 units, its page and position, the thumb back to a top
// offset, and the wheel's remainder turned into rows.
#include <cstdint>

constexpr int ScrollBarUnits = 30000;

// The size rounded down to whole rows, plus one row.
int32_t ScrollSpan(int32_t size);
// The largest top offset: the end-of-file cell then stands in the last row.
int32_t MaxTopOffset(int32_t size, int rows);
int ScrollPage(int rows, int32_t size);
int ScrollPosition(int32_t topOffset, int32_t size);
// The top offset (a whole row) for a thumb position.
int32_t ThumbTopOffset(int position, int32_t size);
// Takes a wheel delta into the remainder; returns how many rows to move
// down (negative: up) and keeps what is left in the remainder.
int WheelRows(int& remainder, int delta);
