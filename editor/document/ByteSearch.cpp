#include "editor/document/ByteSearch.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// Compared in place, four bytes at a time: a candidate costs no call.
inline bool MatchesAt(const uint8_t* at, const uint8_t* pattern, int32_t len) {
    int32_t k = 0;
    for (; k + 4 <= len; k += 4) {
        uint32_t a, b;
        std::memcpy(&a, at + k, 4);
        std::memcpy(&b, pattern + k, 4);
        if (a != b) return false;
    }
    for (; k < len; ++k)
        if (at[k] != pattern[k]) return false;
    return true;
}

inline int LowestBit(uint32_t m) { return __builtin_ctz(m); }
inline int HighestBit(uint32_t m) { return 31 - __builtin_clz(m); }

// The two bytes of the pattern that the filter compares: the first, and the
// last one that differs from it. Two different bytes cannot both match where
// the data holds long runs of one value (zeros), which would otherwise pass
// every position to the full comparison.
struct FilterBytes {
    int32_t first = 0, second = 0;
    FilterBytes(const uint8_t* pattern, int32_t len) : second(len - 1) {
        for (int32_t k = len - 1; k > 0; --k)
            if (pattern[k] != pattern[0]) {
                second = k;
                break;
            }
    }
};

#if defined(__SSE2__)
// Bit k is set when position base + k has both filter bytes of the pattern.
struct EdgeFilter {
    __m128i first, second;
    int32_t secondOffset;
    EdgeFilter(const uint8_t* pattern, const FilterBytes& f)
        : first(_mm_set1_epi8(static_cast<char>(pattern[f.first]))),
          second(_mm_set1_epi8(static_cast<char>(pattern[f.second]))),
          secondOffset(f.second) {}
    __m128i block(const uint8_t* p) const {
        __m128i a = _mm_cmpeq_epi8(first, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        __m128i b = _mm_cmpeq_epi8(second, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + secondOffset)));
        return _mm_and_si128(a, b);
    }
    static uint32_t bits(__m128i m) { return static_cast<uint32_t>(_mm_movemask_epi8(m)); }
};
#endif
}  // namespace

int32_t FindForward(const uint8_t* hay, int32_t from, int32_t lastStart, const uint8_t* pattern, int32_t len) {
    if (len < 1 || from < 0 || from > lastStart) return -1;
    int32_t i = from;
#if defined(__SSE2__)
    const EdgeFilter filter(pattern, FilterBytes(pattern, len));
    // 64 positions per round; one test decides whether any of them is a candidate.
    while (lastStart - i >= 63) {
        const uint8_t* p = hay + i;
        __m128i m0 = filter.block(p), m1 = filter.block(p + 16), m2 = filter.block(p + 32), m3 = filter.block(p + 48);
        if (EdgeFilter::bits(_mm_or_si128(_mm_or_si128(m0, m1), _mm_or_si128(m2, m3)))) {
            uint32_t low = EdgeFilter::bits(m0) | EdgeFilter::bits(m1) << 16;
            uint32_t high = EdgeFilter::bits(m2) | EdgeFilter::bits(m3) << 16;
            for (; low; low &= low - 1)
                if (MatchesAt(p + LowestBit(low), pattern, len)) return i + LowestBit(low);
            for (; high; high &= high - 1)
                if (MatchesAt(p + 32 + LowestBit(high), pattern, len)) return i + 32 + LowestBit(high);
        }
        i += 64;
    }
    while (lastStart - i >= 15) {
        for (uint32_t m = EdgeFilter::bits(filter.block(hay + i)); m; m &= m - 1)
            if (MatchesAt(hay + i + LowestBit(m), pattern, len)) return i + LowestBit(m);
        i += 16;
    }
#endif
    for (; i <= lastStart; ++i)
        if (MatchesAt(hay + i, pattern, len)) return i;
    return -1;
}

int32_t FindBackward(const uint8_t* hay, int32_t from, int32_t lowest, const uint8_t* pattern, int32_t len) {
    if (len < 1 || lowest < 0 || from < lowest) return -1;
    int32_t i = from;  // the highest position not yet examined
#if defined(__SSE2__)
    const EdgeFilter filter(pattern, FilterBytes(pattern, len));
    while (i - lowest >= 63) {
        const int32_t base = i - 63;
        const uint8_t* p = hay + base;
        __m128i m0 = filter.block(p), m1 = filter.block(p + 16), m2 = filter.block(p + 32), m3 = filter.block(p + 48);
        if (EdgeFilter::bits(_mm_or_si128(_mm_or_si128(m0, m1), _mm_or_si128(m2, m3)))) {
            uint32_t low = EdgeFilter::bits(m0) | EdgeFilter::bits(m1) << 16;
            uint32_t high = EdgeFilter::bits(m2) | EdgeFilter::bits(m3) << 16;
            for (; high; high &= ~(1u << HighestBit(high)))
                if (MatchesAt(p + 32 + HighestBit(high), pattern, len)) return base + 32 + HighestBit(high);
            for (; low; low &= ~(1u << HighestBit(low)))
                if (MatchesAt(p + HighestBit(low), pattern, len)) return base + HighestBit(low);
        }
        i -= 64;
    }
    while (i - lowest >= 15) {
        const int32_t base = i - 15;
        for (uint32_t m = EdgeFilter::bits(filter.block(hay + base)); m; m &= ~(1u << HighestBit(m)))
            if (MatchesAt(hay + base + HighestBit(m), pattern, len)) return base + HighestBit(m);
        i -= 16;
    }
#endif
    for (; i >= lowest; --i)
        if (MatchesAt(hay + i, pattern, len)) return i;
    return -1;
}
