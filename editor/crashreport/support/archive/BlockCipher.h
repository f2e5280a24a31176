#pragma once
// The 64-bit block cipher of the stored crash-report data and protected logs,
// keyed by the MD5 of a password. It exists to read and write those formats;
// it is not a means of keeping anything secret.
#include <cstdint>
#include <string>

class TBlockCipher {
public:
    TBlockCipher() = default;
    explicit TBlockCipher(const std::string& password) { InitKey(password); }

    // The key: the MD5 digest of the password's bytes as four big-endian words.
    void InitKey(const std::string& password);

    // Any number of bytes; source and destination may be the same buffer; the
    // output has the input's length. The chaining starts afresh on every
    // call, and the object only reads its key, so one object may serve
    // several threads at once.
    void Encrypt(const void* source, void* destination, int32_t length) const;
    void Decrypt(const void* source, void* destination, int32_t length) const;

private:
    void EncryptBlock(uint32_t& y, uint32_t& z) const;
    void DecryptBlock(uint32_t& y, uint32_t& z) const;
    void XorTail(uint32_t cy, uint32_t cz, const unsigned char* in, unsigned char* out, int32_t n) const;
    uint32_t k_[4] = {0, 0, 0, 0};
};
