#pragma once
// Encoding the image memory of a PNG picture as IDAT chunks.
#include <cstddef>
#include <cstdint>

#include "framework/Streams.h"

class TPNGObject;

// Writes the whole image as IDAT chunks of at most the picture's largest
// IDAT size, filtered by its filter set, at its compression level.
void PngEncodeImage(TPNGObject& png, TStream& stream);

// The filter type for a row from the rows filtered by each filter of the set
// (filtered[t] for filter type t, null for types not in the set).
uint8_t PngChooseFilter(uint8_t filters, const uint8_t* const filtered[5], size_t n);
