#include "framework/CodePage1252.h"

namespace {
// 0x80..0x9F; the five holes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls,
// as Windows does.
const char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int FromWide(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}
}  // namespace

std::u16string Cp1252ToWide(const std::string& s) {
    std::u16string out;
    out.reserve(s.size());
    for (char ch : s) {
        auto b = static_cast<unsigned char>(ch);
        out += (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : static_cast<char16_t>(b);
    }
    return out;
}

std::string WideToCp1252(const std::u16string& s, bool* usedDefault) {
    std::string out;
    out.reserve(s.size());
    bool lossy = false;
    for (char16_t c : s) {
        int b = FromWide(c);
        if (b < 0) {
            lossy = true;
            b = '?';
        }
        out += static_cast<char>(b);
    }
    if (usedDefault) *usedDefault = lossy;
    return out;
}
