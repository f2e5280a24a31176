#pragma once
// Decoding the IDAT chunks of a PNG picture into its image memory.
#include <cstdint>

#include "framework/Streams.h"

class TPNGObject;

// Called with the stream just past the first IDAT chunk's type; reads that
// chunk's data and every IDAT chunk directly after it that the image needs,
// each with its CRC, and leaves the stream after the last one read.
void PngDecodeImage(TPNGObject& png, TStream& stream, uint32_t firstChunkSize);
