#include "editor/crashreport/support/archive/Crc.h"

#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#define TQ_CRC32_CLMUL 1
#include <immintrin.h>
#define TQ_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))
#endif

namespace {

// Slicing-by-8: table[0] is the classic byte table; table[k][b] is the CRC of
// byte b followed by k zero bytes, so eight bytes fold in one step.
struct Crc32Tables {
    uint32_t t[8][256];

    Crc32Tables() {
        // The polynomial is x^32 plus these terms; reflected, term e is bit 31-e.
        static const int exponents[] = {0, 1, 2, 4, 5, 7, 8, 10, 11, 12, 16, 22, 23, 26};
        uint32_t poly = 0;
        for (int e : exponents)
            poly |= 1u << (31 - e);
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ poly : c >> 1;
            t[0][n] = c;
        }
        for (uint32_t n = 0; n < 256; ++n)
            for (int k = 1; k < 8; ++k)
                t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    }
};

// Built on first use; a function-local static is initialised once even when
// several threads get here together.
const Crc32Tables& Tables32() {
    static const Crc32Tables tables;
    return tables;
}

inline uint32_t Load32LE(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

#ifdef TQ_CRC32_CLMUL

// Carry-less multiplication folds 64 bytes per step, then Barrett reduction
// brings the remainder down to 32 bits (the folding constants are powers of
// x modulo the reflected polynomial). Takes and returns the inner register
// (not complemented); length is a multiple of 16 and at least 64.
TQ_CLMUL_TARGET inline __m128i Load128(const unsigned char* q) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

// x times x^(128 or 512) modulo the polynomial, plus the next 16 bytes.
TQ_CLMUL_TARGET inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
    __m128i lo = _mm_clmulepi64_si128(x, k, 0x00);
    __m128i hi = _mm_clmulepi64_si128(x, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(hi, lo), next);
}

// force_align_arg_pointer: 32-bit Windows gives only 4-byte stack alignment.
TQ_CLMUL_TARGET __attribute__((force_align_arg_pointer))
uint32_t Crc32Fold(const unsigned char* p, size_t n, uint32_t c) {
    alignas(16) static const uint64_t k1k2[2] = {0x0154442bd4, 0x01c6e41596};
    alignas(16) static const uint64_t k3k4[2] = {0x01751997d0, 0x00ccaa009e};
    alignas(16) static const uint64_t k5k0[2] = {0x0163cd6124, 0};
    alignas(16) static const uint64_t poly[2] = {0x01db710641, 0x01f7011641};
    __m128i x1 = _mm_xor_si128(Load128(p), _mm_cvtsi32_si128(int(c)));
    __m128i x2 = Load128(p + 16), x3 = Load128(p + 32), x4 = Load128(p + 48);
    p += 64;
    n -= 64;
    __m128i k = _mm_load_si128(reinterpret_cast<const __m128i*>(k1k2));
    while (n >= 64) {
        x1 = Fold(x1, k, Load128(p));
        x2 = Fold(x2, k, Load128(p + 16));
        x3 = Fold(x3, k, Load128(p + 32));
        x4 = Fold(x4, k, Load128(p + 48));
        p += 64;
        n -= 64;
    }
    k = _mm_load_si128(reinterpret_cast<const __m128i*>(k3k4));
    x1 = Fold(x1, k, x2);
    x1 = Fold(x1, k, x3);
    x1 = Fold(x1, k, x4);
    while (n >= 16) {
        x1 = Fold(x1, k, Load128(p));
        p += 16;
        n -= 16;
    }

    // 128 bits to 64, then to 32 by Barrett reduction.
    __m128i mask = _mm_setr_epi32(-1, 0, -1, 0);
    x2 = _mm_clmulepi64_si128(x1, k, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x2);
    k = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(k5k0));
    x2 = _mm_srli_si128(x1, 4);
    x1 = _mm_clmulepi64_si128(_mm_and_si128(x1, mask), k, 0x00);
    x1 = _mm_xor_si128(x1, x2);
    k = _mm_load_si128(reinterpret_cast<const __m128i*>(poly));
    x2 = _mm_clmulepi64_si128(_mm_and_si128(x1, mask), k, 0x10);
    x2 = _mm_clmulepi64_si128(_mm_and_si128(x2, mask), k, 0x00);
    x1 = _mm_xor_si128(x1, x2);
    return uint32_t(_mm_extract_epi32(x1, 1));
}

bool HaveClmul() {
    static const bool have = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    }();
    return have;
}
#endif

struct Crc16Table {
    uint16_t t[256];
    Crc16Table() {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n << 8;
            for (int k = 0; k < 8; ++k)
                c = (c & 0x8000) ? (c << 1) ^ 0x1021 : c << 1;
            t[n] = uint16_t(c);
        }
    }
};

}  // namespace

uint32_t UpdateCRC32(uint32_t crc, const void* data, int32_t length) {
    if (data == nullptr || length <= 0)
        return crc;
    const auto& T = Tables32().t;
    const unsigned char* p = static_cast<const unsigned char*>(data);
    uint32_t c = ~crc;
    size_t n = size_t(length);
#ifdef TQ_CRC32_CLMUL
    if (n >= 64 && HaveClmul()) {
        size_t bulk = n & ~size_t(15);
        c = Crc32Fold(p, bulk, c);
        p += bulk;
        n -= bulk;
    }
#endif
    while (n >= 8) {
        uint32_t lo = Load32LE(p) ^ c;
        uint32_t hi = Load32LE(p + 4);
        c = T[7][lo & 0xFF] ^ T[6][(lo >> 8) & 0xFF] ^ T[5][(lo >> 16) & 0xFF] ^ T[4][lo >> 24] ^
            T[3][hi & 0xFF] ^ T[2][(hi >> 8) & 0xFF] ^ T[1][(hi >> 16) & 0xFF] ^ T[0][hi >> 24];
        p += 8;
        n -= 8;
    }
    while (n--)
        c = (c >> 8) ^ T[0][(c ^ *p++) & 0xFF];
    return ~c;
}

uint32_t GetCRC32(const void* data, int32_t length) {
    return UpdateCRC32(0, data, length);
}

uint16_t GetCRC16(const std::string& text) {
    static const Crc16Table table;
    uint16_t crc = 0;
    for (unsigned char b : text)
        crc = uint16_t(table.t[((crc >> 8) ^ b) & 0xFF] ^ (crc << 8));
    return crc;
}
