#include "editor/crashreport/support/archive/Base64.h"

#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Every byte value has an entry, so any input character is a safe index.
constexpr std::array<uint8_t, 256> MakeDecodeTable() {
    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 64; ++i)
        table[uint8_t(kAlphabet[i])] = uint8_t(i);
    return table;
}
constexpr std::array<uint8_t, 256> kDecode = MakeDecodeTable();

inline uint32_t Group(const char* s) {
    return uint32_t(kDecode[uint8_t(s[0])]) << 18 | uint32_t(kDecode[uint8_t(s[1])]) << 12 |
           uint32_t(kDecode[uint8_t(s[2])]) << 6 | uint32_t(kDecode[uint8_t(s[3])]);
}

}  // namespace

int32_t CalcEncodedSize(int32_t n) {
    if (n <= 0)
        return 0;
    return int32_t((int64_t(n) + 2) / 3 * 4);
}

int32_t CalcDecodedSize(const char* text, int32_t length) {
    if (text == nullptr || length <= 0 || length % 4 != 0)
        return 0;
    int32_t size = length / 4 * 3;
    if (text[length - 2] == '=')
        size -= 2;
    else if (text[length - 1] == '=')
        size -= 1;
    return size;
}

void Base64Encode(const void* source, int32_t count, char* destination) {
    const unsigned char* p = static_cast<const unsigned char*>(source);
    char* out = destination;
    int32_t i = 0;
    for (; i + 3 <= count; i += 3) {
        uint32_t v = uint32_t(p[i]) << 16 | uint32_t(p[i + 1]) << 8 | p[i + 2];
        out[0] = kAlphabet[v >> 18];
        out[1] = kAlphabet[(v >> 12) & 63];
        out[2] = kAlphabet[(v >> 6) & 63];
        out[3] = kAlphabet[v & 63];
        out += 4;
    }
    int32_t rest = count - i;
    if (rest > 0) {
        uint32_t v = uint32_t(p[i]) << 16 | (rest == 2 ? uint32_t(p[i + 1]) << 8 : 0);
        out[0] = kAlphabet[v >> 18];
        out[1] = kAlphabet[(v >> 12) & 63];
        out[2] = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        out[3] = '=';
    }
}

std::string Base64EncodeToString(const void* buffer, int32_t count) {
    std::string text(size_t(CalcEncodedSize(count)), '\0');
    if (!text.empty())
        Base64Encode(buffer, count, text.data());
    return text;
}

std::string Base64EncodeString(const std::string& text) {
    if (text.size() > size_t(INT32_MAX / 4 * 3))
        return std::string();
    return Base64EncodeToString(text.data(), int32_t(text.size()));
}

int32_t Base64Decode(const char* source, int32_t length, void* destination) {
    int32_t size = CalcDecodedSize(source, length);
    if (size == 0)
        return 0;
    unsigned char* out = static_cast<unsigned char*>(destination);
    // All groups but the last give three bytes; the last gives what is left
    // of the size, so padding anywhere in it ("AB=C") cannot make it write more.
    int32_t groups = length / 4;
    for (int32_t g = 0; g + 1 < groups; ++g) {
        uint32_t v = Group(source + 4 * g);
        out[0] = uint8_t(v >> 16);
        out[1] = uint8_t(v >> 8);
        out[2] = uint8_t(v);
        out += 3;
    }
    uint32_t v = Group(source + 4 * (groups - 1));
    int32_t last = size - (groups - 1) * 3;
    for (int32_t k = 0; k < last; ++k)
        out[k] = uint8_t(v >> (16 - 8 * k));
    return size;
}

std::string Base64DecodeString(const std::string& text) {
    if (text.size() > size_t(INT32_MAX))
        return std::string();
    int32_t length = int32_t(text.size());
    std::string result(size_t(CalcDecodedSize(text.data(), length)), '.');
    if (!result.empty())
        Base64Decode(text.data(), length, result.data());
    return result;
}
