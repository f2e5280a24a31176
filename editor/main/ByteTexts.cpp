#include "editor/main/ByteTexts.h"

#include <cstring>
#include <new>
#include <stdexcept>

#include "editor/document/LanguageSystem.h"
#include "framework/Exceptions.h"

namespace {
const char HexDigits[] = "0123456789ABCDEF";

// A text of a computed length; running out of memory is the framework's
// out-of-memory error, so that nothing is left half done.
std::string Sized(int64_t length, char fill = '\0') {
    try {
        return std::string(static_cast<size_t>(length), fill);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(OutOfMemoryMessage());
    } catch (const std::length_error&) {
        throw EOutOfMemory(OutOfMemoryMessage());
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Writes one number and answers the position after it.
char* PutNumber(char* w, NumberForm form, uint8_t b) {
    switch (form) {
        case NumberForm::Decimal:
            if (b >= 100) *w++ = static_cast<char>('0' + b / 100);
            if (b >= 10) *w++ = static_cast<char>('0' + b / 10 % 10);
            *w++ = static_cast<char>('0' + b % 10);
            return w;
        case NumberForm::Hexadecimal:
            *w++ = HexDigits[b >> 4];
            *w++ = HexDigits[b & 15];
            return w;
        case NumberForm::Binary:
            for (int bit = 7; bit >= 0; --bit) *w++ = static_cast<char>('0' + (b >> bit & 1));
            return w;
    }
    return w;
}

constexpr int MaxNumberWidth = 8;
}  // namespace

std::string BytesToHexPairs(const uint8_t* bytes, int32_t count) {
    std::string s = Sized(int64_t(count) * 2);
    char* w = s.data();
    for (int32_t i = 0; i < count; ++i) {
        *w++ = HexDigits[bytes[i] >> 4];
        *w++ = HexDigits[bytes[i] & 15];
    }
    return s;
}

void HexPairsToBytes(std::string_view text, std::vector<uint8_t>& out) {
    const size_t n = text.size() / 2;
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(n);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(OutOfMemoryMessage());
    }
    for (size_t i = 0; i < n; ++i) {
        const int hi = HexValue(text[2 * i]);
        const int lo = HexValue(text[2 * i + 1]);
        if (hi < 0 || lo < 0) throw Exception(LanguageSystem.getText("NOTHEXADECIMAL"));
        bytes[i] = static_cast<uint8_t>(hi << 4 | lo);
    }
    out.swap(bytes);
}

std::string CopyTextRendering(ByteViewKind view, const uint8_t* bytes, int32_t count) {
    switch (view) {
        case ByteViewKind::Decimal: return NumberListText(NumberForm::Decimal, bytes, count, 0);
        case ByteViewKind::Hexadecimal: return NumberListText(NumberForm::Hexadecimal, bytes, count, 0);
        case ByteViewKind::Text: break;
    }
    const void* zero = count > 0 ? std::memchr(bytes, 0, static_cast<size_t>(count)) : nullptr;
    const int32_t length = zero ? static_cast<int32_t>(static_cast<const uint8_t*>(zero) - bytes) : count;
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length));
}

bool LineBreakAfter(int32_t count, int numbersPerLine) {
    return numbersPerLine > 0 && count % numbersPerLine == 0;
}

std::string NumberListText(NumberForm form, const uint8_t* bytes, int32_t count, int numbersPerLine) {
    // Each number, then at most two separator characters.
    std::string s = Sized(int64_t(count) * (MaxNumberWidth + 2));
    char* const start = s.data();
    char* w = start;
    for (int32_t k = 1; k <= count; ++k) {
        w = PutNumber(w, form, bytes[k - 1]);
        if (LineBreakAfter(k, numbersPerLine)) {
            *w++ = '\r';
            *w++ = '\n';
        } else if (k < count) {
            *w++ = ' ';
        }
    }
    s.resize(static_cast<size_t>(w - start));
    return s;
}

std::string AdaptedText(const uint8_t* bytes, int32_t count, uint8_t replaceValue) {
    std::string s = Sized(count);
    for (int32_t i = 0; i < count; ++i) s[static_cast<size_t>(i)] = static_cast<char>(bytes[i] ? bytes[i] : replaceValue);
    return s;
}

std::string DumpText(const uint8_t* doc, int32_t documentSize, int32_t first, int32_t last, bool withOffsets,
                     uint8_t replaceValue) {
    int digits = 0;
    if (withOffsets) {
        uint32_t top = static_cast<uint32_t>(documentSize > 0 ? documentSize - 1 : 0);
        do {
            ++digits;
            top >>= 4;
        } while (top);
    }
    const int columnWidth = withOffsets ? digits + 4 : 0;
    const int lineWidth = columnWidth + 67;
    const int64_t lines = last / 16 - first / 16 + 1;
    std::string s = Sized(lines * lineWidth, ' ');
    char* const start = s.data();
    for (int64_t line = 0; line < lines; ++line) {
        char* l = start + line * lineWidth;
        l[lineWidth - 2] = '\r';
        l[lineWidth - 1] = '\n';
        if (!withOffsets) continue;
        const int64_t lineFirst = line == 0 ? first : (first / 16 + line) * 16;
        l[0] = '0';
        l[1] = 'x';
        for (int d = 0; d < digits; ++d) l[2 + d] = HexDigits[lineFirst >> (4 * (digits - 1 - d)) & 15];
    }
    for (int64_t p = first; p <= last; ++p) {
        const uint8_t b = doc[p];
        char* l = start + (p / 16 - first / 16) * lineWidth + columnWidth;
        const int column = static_cast<int>(p % 16);
        l[column] = static_cast<char>(b >= 32 ? b : replaceValue);
        l[18 + 3 * column] = HexDigits[b >> 4];
        l[19 + 3 * column] = HexDigits[b & 15];
    }
    return s;
}

std::string PositionText(int32_t position, bool hexadecimal) {
    if (!hexadecimal) return std::to_string(position);
    std::string s;
    uint32_t v = static_cast<uint32_t>(position);
    do {
        s.insert(s.begin(), HexDigits[v & 15]);
        v >>= 4;
    } while (v);
    return s;
}
