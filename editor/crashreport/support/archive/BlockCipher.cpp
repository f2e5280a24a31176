#include "editor/crashreport/support/archive/BlockCipher.h"

#include "editor/crashreport/support/archive/Md5.h"

namespace {

const uint32_t kDelta = 0x9E3779B9;
const uint32_t kDecryptSum = 0xC6EF3720;  // 32 * kDelta, modulo 2^32
const int kRounds = 32;

inline uint32_t Load32BE(const unsigned char* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

inline void Store32BE(unsigned char* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

}  // namespace

// The last bytes of a length that is not a multiple of 8, in both directions.
void TBlockCipher::XorTail(uint32_t cy, uint32_t cz, const unsigned char* in, unsigned char* out, int32_t n) const {
    EncryptBlock(cy, cz);
    unsigned char pad[8];
    Store32BE(pad, cy);
    Store32BE(pad + 4, cz);
    for (int32_t i = 0; i < n; ++i)
        out[i] = in[i] ^ pad[i];
}

void TBlockCipher::InitKey(const std::string& password) {
    TMD5Digest digest;
    GetMD5(digest, password.data(), int32_t(password.size() > size_t(INT32_MAX) ? INT32_MAX : password.size()));
    for (int i = 0; i < 4; ++i)
        k_[i] = Load32BE(digest.data() + 4 * i);
}

void TBlockCipher::EncryptBlock(uint32_t& y, uint32_t& z) const {
    uint32_t sum = 0;
    for (int r = 0; r < kRounds; ++r) {
        sum += kDelta;
        y += (z << 4) + (z ^ k_[0]) + ((z >> 5) ^ sum) + k_[1];
        z += (y << 4) + (y ^ k_[2]) + ((y >> 5) ^ sum) + k_[3];
    }
}

void TBlockCipher::DecryptBlock(uint32_t& y, uint32_t& z) const {
    uint32_t sum = kDecryptSum;
    for (int r = 0; r < kRounds; ++r) {
        z -= (y << 4) + (y ^ k_[2]) + ((y >> 5) ^ sum) + k_[3];
        y -= (z << 4) + (z ^ k_[0]) + ((z >> 5) ^ sum) + k_[1];
        sum -= kDelta;
    }
}

// Chaining: every call starts from eight 0xFF bytes. A block is XORed with
// the chain before encryption, and the ciphertext becomes the next chain. A
// tail shorter than a block is XORed with the encrypted chain value.
void TBlockCipher::Encrypt(const void* source, void* destination, int32_t length) const {
    const unsigned char* in = static_cast<const unsigned char*>(source);
    unsigned char* out = static_cast<unsigned char*>(destination);
    uint32_t cy = 0xFFFFFFFF, cz = 0xFFFFFFFF;
    int32_t pos = 0;
    for (; pos + 8 <= length; pos += 8) {
        uint32_t y = Load32BE(in + pos) ^ cy;
        uint32_t z = Load32BE(in + pos + 4) ^ cz;
        EncryptBlock(y, z);
        Store32BE(out + pos, y);
        Store32BE(out + pos + 4, z);
        cy = y;
        cz = z;
    }
    if (pos < length)
        XorTail(cy, cz, in + pos, out + pos, length - pos);
}

void TBlockCipher::Decrypt(const void* source, void* destination, int32_t length) const {
    const unsigned char* in = static_cast<const unsigned char*>(source);
    unsigned char* out = static_cast<unsigned char*>(destination);
    uint32_t cy = 0xFFFFFFFF, cz = 0xFFFFFFFF;
    int32_t pos = 0;
    for (; pos + 8 <= length; pos += 8) {
        // Read the ciphertext before writing: the buffers may be the same.
        uint32_t y0 = Load32BE(in + pos), z0 = Load32BE(in + pos + 4);
        uint32_t y = y0, z = z0;
        DecryptBlock(y, z);
        Store32BE(out + pos, y ^ cy);
        Store32BE(out + pos + 4, z ^ cz);
        cy = y0;
        cz = z0;
    }
    if (pos < length)
        XorTail(cy, cz, in + pos, out + pos, length - pos);
}
