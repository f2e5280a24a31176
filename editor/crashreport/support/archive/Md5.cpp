#include "editor/crashreport/support/archive/Md5.h"

#include <cstring>

namespace {

inline uint32_t Rotl(uint32_t x, int s) { return (x << s) | (x >> (32 - s)); }

inline uint32_t Load32LE(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void Store32LE(unsigned char* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// The four round functions, written as macros so the compiler keeps the
// 64 steps fully unrolled with constant shifts.
#define MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD5_G(x, y, z) ((y) ^ ((z) & ((x) ^ (y))))
#define MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))
#define MD5_STEP(f, a, b, c, d, m, t, s) a = b + Rotl(a + f(b, c, d) + (m) + (t), s)

}  // namespace

TMD5Context::TMD5Context() : state_{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476} {}

void TMD5Context::Block(const unsigned char* p) {
    uint32_t m[16];
    for (int i = 0; i < 16; ++i)
        m[i] = Load32LE(p + 4 * i);
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];

    MD5_STEP(MD5_F, a, b, c, d, m[0], 0xd76aa478, 7);
    MD5_STEP(MD5_F, d, a, b, c, m[1], 0xe8c7b756, 12);
    MD5_STEP(MD5_F, c, d, a, b, m[2], 0x242070db, 17);
    MD5_STEP(MD5_F, b, c, d, a, m[3], 0xc1bdceee, 22);
    MD5_STEP(MD5_F, a, b, c, d, m[4], 0xf57c0faf, 7);
    MD5_STEP(MD5_F, d, a, b, c, m[5], 0x4787c62a, 12);
    MD5_STEP(MD5_F, c, d, a, b, m[6], 0xa8304613, 17);
    MD5_STEP(MD5_F, b, c, d, a, m[7], 0xfd469501, 22);
    MD5_STEP(MD5_F, a, b, c, d, m[8], 0x698098d8, 7);
    MD5_STEP(MD5_F, d, a, b, c, m[9], 0x8b44f7af, 12);
    MD5_STEP(MD5_F, c, d, a, b, m[10], 0xffff5bb1, 17);
    MD5_STEP(MD5_F, b, c, d, a, m[11], 0x895cd7be, 22);
    MD5_STEP(MD5_F, a, b, c, d, m[12], 0x6b901122, 7);
    MD5_STEP(MD5_F, d, a, b, c, m[13], 0xfd987193, 12);
    MD5_STEP(MD5_F, c, d, a, b, m[14], 0xa679438e, 17);
    MD5_STEP(MD5_F, b, c, d, a, m[15], 0x49b40821, 22);

    MD5_STEP(MD5_G, a, b, c, d, m[1], 0xf61e2562, 5);
    MD5_STEP(MD5_G, d, a, b, c, m[6], 0xc040b340, 9);
    MD5_STEP(MD5_G, c, d, a, b, m[11], 0x265e5a51, 14);
    MD5_STEP(MD5_G, b, c, d, a, m[0], 0xe9b6c7aa, 20);
    MD5_STEP(MD5_G, a, b, c, d, m[5], 0xd62f105d, 5);
    MD5_STEP(MD5_G, d, a, b, c, m[10], 0x02441453, 9);
    MD5_STEP(MD5_G, c, d, a, b, m[15], 0xd8a1e681, 14);
    MD5_STEP(MD5_G, b, c, d, a, m[4], 0xe7d3fbc8, 20);
    MD5_STEP(MD5_G, a, b, c, d, m[9], 0x21e1cde6, 5);
    MD5_STEP(MD5_G, d, a, b, c, m[14], 0xc33707d6, 9);
    MD5_STEP(MD5_G, c, d, a, b, m[3], 0xf4d50d87, 14);
    MD5_STEP(MD5_G, b, c, d, a, m[8], 0x455a14ed, 20);
    MD5_STEP(MD5_G, a, b, c, d, m[13], 0xa9e3e905, 5);
    MD5_STEP(MD5_G, d, a, b, c, m[2], 0xfcefa3f8, 9);
    MD5_STEP(MD5_G, c, d, a, b, m[7], 0x676f02d9, 14);
    MD5_STEP(MD5_G, b, c, d, a, m[12], 0x8d2a4c8a, 20);

    MD5_STEP(MD5_H, a, b, c, d, m[5], 0xfffa3942, 4);
    MD5_STEP(MD5_H, d, a, b, c, m[8], 0x8771f681, 11);
    MD5_STEP(MD5_H, c, d, a, b, m[11], 0x6d9d6122, 16);
    MD5_STEP(MD5_H, b, c, d, a, m[14], 0xfde5380c, 23);
    MD5_STEP(MD5_H, a, b, c, d, m[1], 0xa4beea44, 4);
    MD5_STEP(MD5_H, d, a, b, c, m[4], 0x4bdecfa9, 11);
    MD5_STEP(MD5_H, c, d, a, b, m[7], 0xf6bb4b60, 16);
    MD5_STEP(MD5_H, b, c, d, a, m[10], 0xbebfbc70, 23);
    MD5_STEP(MD5_H, a, b, c, d, m[13], 0x289b7ec6, 4);
    MD5_STEP(MD5_H, d, a, b, c, m[0], 0xeaa127fa, 11);
    MD5_STEP(MD5_H, c, d, a, b, m[3], 0xd4ef3085, 16);
    MD5_STEP(MD5_H, b, c, d, a, m[6], 0x04881d05, 23);
    MD5_STEP(MD5_H, a, b, c, d, m[9], 0xd9d4d039, 4);
    MD5_STEP(MD5_H, d, a, b, c, m[12], 0xe6db99e5, 11);
    MD5_STEP(MD5_H, c, d, a, b, m[15], 0x1fa27cf8, 16);
    MD5_STEP(MD5_H, b, c, d, a, m[2], 0xc4ac5665, 23);

    MD5_STEP(MD5_I, a, b, c, d, m[0], 0xf4292244, 6);
    MD5_STEP(MD5_I, d, a, b, c, m[7], 0x432aff97, 10);
    MD5_STEP(MD5_I, c, d, a, b, m[14], 0xab9423a7, 15);
    MD5_STEP(MD5_I, b, c, d, a, m[5], 0xfc93a039, 21);
    MD5_STEP(MD5_I, a, b, c, d, m[12], 0x655b59c3, 6);
    MD5_STEP(MD5_I, d, a, b, c, m[3], 0x8f0ccc92, 10);
    MD5_STEP(MD5_I, c, d, a, b, m[10], 0xffeff47d, 15);
    MD5_STEP(MD5_I, b, c, d, a, m[1], 0x85845dd1, 21);
    MD5_STEP(MD5_I, a, b, c, d, m[8], 0x6fa87e4f, 6);
    MD5_STEP(MD5_I, d, a, b, c, m[15], 0xfe2ce6e0, 10);
    MD5_STEP(MD5_I, c, d, a, b, m[6], 0xa3014314, 15);
    MD5_STEP(MD5_I, b, c, d, a, m[13], 0x4e0811a1, 21);
    MD5_STEP(MD5_I, a, b, c, d, m[4], 0xf7537e82, 6);
    MD5_STEP(MD5_I, d, a, b, c, m[11], 0xbd3af235, 10);
    MD5_STEP(MD5_I, c, d, a, b, m[2], 0x2ad7d2bb, 15);
    MD5_STEP(MD5_I, b, c, d, a, m[9], 0xeb86d391, 21);

    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

void TMD5Context::Update(const void* data, size_t length) {
    if (data == nullptr || length == 0)
        return;
    const unsigned char* p = static_cast<const unsigned char*>(data);
    size_t used = size_t(length_ % 64);
    length_ += length;
    if (used != 0) {
        size_t take = 64 - used < length ? 64 - used : length;
        std::memcpy(buffer_ + used, p, take);
        p += take;
        length -= take;
        if (used + take < 64)
            return;
        Block(buffer_);
    }
    for (; length >= 64; p += 64, length -= 64)
        Block(p);
    std::memcpy(buffer_, p, length);
}

TMD5Digest TMD5Context::Final() {
    // Padding: one 1 bit, zeros up to 56 bytes modulo 64, then the length in
    // bits as a little-endian 64-bit number.
    uint64_t bits = length_ * 8;
    unsigned char pad[72] = {0x80};
    size_t used = size_t(length_ % 64);
    size_t padLength = (used < 56 ? 56 : 120) - used;
    Update(pad, padLength);
    unsigned char lengthBytes[8];
    for (int i = 0; i < 8; ++i)
        lengthBytes[i] = uint8_t(bits >> (8 * i));
    Update(lengthBytes, 8);
    TMD5Digest digest;
    for (int i = 0; i < 4; ++i)
        Store32LE(digest.data() + 4 * i, state_[i]);
    return digest;
}

void GetMD5(TMD5Digest& digest, const void* data, int32_t length) {
    TMD5Context context;
    if (length > 0)
        context.Update(data, size_t(length));
    digest = context.Final();
}

std::string MD5ToHex(const TMD5Digest& digest) {
    static const char hex[] = "0123456789abcdef";
    std::string text;
    for (uint8_t b : digest) {
        text += hex[b >> 4];
        text += hex[b & 15];
    }
    return text;
}
