#pragma once
// The MD5 message digest (RFC 1321): derives the cipher key from a password.
#include <array>
#include <cstdint>
#include <string>

using TMD5Digest = std::array<uint8_t, 16>;

// The digest of `length` bytes at `data` (a null pointer or length 0 hashes
// the empty message).
void GetMD5(TMD5Digest& digest, const void* data, int32_t length);

// Incremental form, for data that arrives in pieces.
class TMD5Context {
public:
    TMD5Context();
    void Update(const void* data, size_t length);
    TMD5Digest Final();

private:
    void Block(const unsigned char* p);
    uint32_t state_[4];
    uint64_t length_ = 0;  // bytes seen
    unsigned char buffer_[64];
};

// Lower-case hexadecimal form of a digest, as md5sum prints it.
std::string MD5ToHex(const TMD5Digest& digest);
