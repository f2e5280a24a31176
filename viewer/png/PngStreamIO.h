#pragma once
// Exact reads and big-endian numbers on the streams a PNG picture comes from.
#include <cstdint>

#include "framework/Streams.h"
#include "viewer/png/PngErrors.h"

// Reads exactly count bytes; a short read means the file ended early.
inline void PngReadExact(TStream& stream, void* buffer, int32_t count) {
    if (count > 0 && stream.Read(buffer, count) != count) throw EPngUnexpectedEnd();
}

inline uint32_t PngGetBE32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
inline uint16_t PngGetBE16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
inline void PngPutBE32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

inline uint32_t PngReadBE32(TStream& stream) {
    uint8_t b[4];
    PngReadExact(stream, b, 4);
    return PngGetBE32(b);
}
