#pragma once
// The screenshot's PNG form: an 8-bit palette image, not interlaced, whose
// rows are stored unfiltered and whose compressed data travels in IDAT
// chunks of at most 262,143 bytes.
#include <cstdint>

#include "editor/crashreport/core/report/ColourOctree.h"
#include "framework/Streams.h"

// The size of every IDAT chunk but the last.
constexpr int32_t ScreenshotIdatSize = 0x3FFFF;

// Writes the picture at the stream's position. `rows` holds height rows of
// rowStride palette indices, bottom-up as a device-independent bitmap keeps
// them; each PNG row takes the first width of them. Raises EWriteError when
// the stream takes less than it is given, and Exception for sizes that do
// not fit (width or height below 1, a row stride below the width).
void WriteScreenshotPng(TStream& stream, int32_t width, int32_t height, int32_t rowStride, const uint8_t* rows,
                        const TScreenshotPalette& palette);
