#pragma once
// Checksums: CRC-32 (the zip and zlib checksum) and CRC-16/XMODEM, which
// fingerprints call stacks.
#include <cstdint>
#include <string>

// Reflected polynomial 0xEDB88320, start 0xFFFFFFFF, final complement: the
// value zlib's crc32 gives. A null pointer or an empty input gives 0.
uint32_t GetCRC32(const void* data, int32_t length);

// Continues a CRC-32 over more data: GetCRC32(a+b) ==
// UpdateCRC32(GetCRC32(a), b). Starting from 0 is the same as GetCRC32.
uint32_t UpdateCRC32(uint32_t crc, const void* data, int32_t length);

// Polynomial 0x1021, most significant bit first, start 0, no final XOR.
uint16_t GetCRC16(const std::string& text);
