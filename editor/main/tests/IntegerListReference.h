#pragma once
// The integer list reading written plainly, token by token, for tests and
// the fuzzer to compare the parsers with: CR and LF become blanks, the
// characters 0 to 32 at both ends go, the text is cut at every blank that
// follows a character other than a blank, and every token, its leading
// blanks skipped, must be a decimal integer in the range; its value is
// stored little-endian in width bytes. -1 for a text that is not valid.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/dialogs/NumberValidators.h"

inline int32_t ReferenceIntegerList(std::string_view text, std::vector<uint8_t>& out, int width, int64_t min,
                                    int64_t max) {
    std::string s(text);
    for (char& ch : s)
        if (ch == '\r' || ch == '\n') ch = ' ';
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    s = s.substr(b, e - b);
    out.clear();
    size_t tokenStart = 0;
    auto take = [&](size_t tokenEnd) {
        std::string_view token(s.data() + tokenStart, tokenEnd - tokenStart);
        while (!token.empty() && token.front() == ' ') token.remove_prefix(1);
        const bool inRange = max > 2147483647 ? IsUnsignedInRange(token, static_cast<uint32_t>(min), static_cast<uint32_t>(max))
                                              : IsSignedInRange(token, static_cast<int32_t>(min), static_cast<int32_t>(max));
        if (!inRange) return false;
        const int64_t v = std::stoll(std::string(token));
        for (int i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * i)));
        return true;
    };
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i] == ' ' && s[i - 1] != ' ') {
            if (!take(i)) return -1;
            tokenStart = i + 1;
        }
    }
    if (!take(s.size())) return -1;
    return static_cast<int32_t>(out.size());
}
