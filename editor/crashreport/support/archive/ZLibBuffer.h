#pragma once
// Compression of memory buffers with zlib (zlib stream format, level 9).
#include <cstdint>
#include <vector>

#include "framework/Exceptions.h"

// Raised with zlib's own message for a failed compression or decompression.
TQ_EXCEPTION_CLASS(EZLibError, Exception)

// Replaces output with the compressed form of count bytes at input.
void ZCompress(const void* input, int32_t count, std::vector<uint8_t>& output);

// Replaces output with the inflated data. Raises EZLibError unless the data
// is one whole zlib stream: damaged or cut-short data never passes as success.
void ZDecompress(const void* input, int32_t count, std::vector<uint8_t>& output);
