#pragma once
// Base64 text encoding (alphabet A-Z a-z 0-9 + /, "=" padding, no line
// breaks) for mail and web bodies and for stored data.
#include <cstdint>
#include <string>

// 4 * ceil(n / 3).
int32_t CalcEncodedSize(int32_t n);
// 0 when the length is 0 or not a multiple of 4; else length / 4 * 3, minus 2
// when the next-to-last character is "=", else minus 1 when the last is "=".
int32_t CalcDecodedSize(const char* text, int32_t length);

// Writes CalcEncodedSize(count) characters to destination.
void Base64Encode(const void* source, int32_t count, char* destination);
std::string Base64EncodeString(const std::string& text);
std::string Base64EncodeToString(const void* buffer, int32_t count);

// Decodes groups of four characters without validating them (a character
// outside the alphabet counts as zero bits); "=" counts only in the last
// group. Writes exactly CalcDecodedSize(source, length) bytes, whatever the
// input, and returns that number.
int32_t Base64Decode(const char* source, int32_t length, void* destination);
// Empty for a text whose length is 0 or not a multiple of 4.
std::string Base64DecodeString(const std::string& text);
