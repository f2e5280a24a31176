#pragma once
// A plain scan, the reference the fast search must equal.
#include <cstdint>
#include <cstring>

inline int32_t NaiveForward(const uint8_t* hay, int32_t from, int32_t lastStart, const uint8_t* pattern, int32_t len) {
    for (int32_t i = from; i <= lastStart; ++i)
        if (std::memcmp(hay + i, pattern, static_cast<size_t>(len)) == 0) return i;
    return -1;
}

inline int32_t NaiveBackward(const uint8_t* hay, int32_t from, int32_t lowest, const uint8_t* pattern, int32_t len) {
    for (int32_t i = from; i >= lowest; --i)
        if (std::memcmp(hay + i, pattern, static_cast<size_t>(len)) == 0) return i;
    return -1;
}
