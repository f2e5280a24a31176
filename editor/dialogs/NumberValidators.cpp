#include "editor/dialogs/NumberValidators.h"

namespace {
constexpr int64_t MagnitudeCap = int64_t(1) << 40;
}

// The value is accumulated in 64 bits and compared with the range once at
// the end; a digit-by-digit comparison with max / 10 and min / 10 would
// refuse values such as 15 in [10, 20], whose leading digit is below min / 10.
bool ReadDecimalInteger(const char* begin, const char* end, int64_t& value) {
    while (begin < end && *begin == ' ') ++begin;
    while (end > begin && end[-1] == ' ') --end;
    bool negative = false;
    if (begin < end && *begin == '-') {
        negative = true;
        ++begin;
    }
    if (begin == end) return false;
    int64_t v = 0;
    for (const char* p = begin; p < end; ++p) {
        const unsigned d = static_cast<unsigned char>(*p) - '0';
        if (d > 9) return false;
        v = v * 10 + d;
        if (v > MagnitudeCap) return false;
    }
    value = negative ? -v : v;
    return true;
}

bool IsSignedInRange(std::string_view text, int32_t min, int32_t max) {
    int64_t v;
    if (!ReadDecimalInteger(text.data(), text.data() + text.size(), v)) return false;
    return v >= min && v <= max;
}

bool IsUnsignedInRange(std::string_view text, uint32_t min, uint32_t max) {
    int64_t v;
    if (!ReadDecimalInteger(text.data(), text.data() + text.size(), v)) return false;
    return v >= 0 && v >= static_cast<int64_t>(min) && v <= static_cast<int64_t>(max);
}

bool IsBinaryByte(std::string_view text) {
    if (text.size() != 8) return false;
    for (char c : text)
        if (c != '0' && c != '1') return false;
    return true;
}
