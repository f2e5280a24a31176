#include "editor/main/ByteTexts.h"

#include <algorithm>
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

// Per byte value: its hexadecimal digit pair, its decimal digits and their
// count, and its eight binary digits; and per character its value as a
// hexadecimal digit, or -1.
struct NumberTables {
    char hex[256][2];
    char decimal[256][3];
    uint8_t decimalLength[256];
    char binary[256][8];
    int8_t digit[256];
    NumberTables() {
        for (int b = 0; b < 256; ++b) {
            hex[b][0] = HexDigits[b >> 4];
            hex[b][1] = HexDigits[b & 15];
            const std::string d = std::to_string(b);
            decimalLength[b] = static_cast<uint8_t>(d.size());
            std::memcpy(decimal[b], d.data(), d.size());
            for (int bit = 0; bit < 8; ++bit) binary[b][bit] = static_cast<char>('0' + (b >> (7 - bit) & 1));
            digit[b] = -1;
        }
        for (int c = '0'; c <= '9'; ++c) digit[c] = static_cast<int8_t>(c - '0');
        for (int c = 'A'; c <= 'F'; ++c) digit[c] = static_cast<int8_t>(c - 'A' + 10);
        for (int c = 'a'; c <= 'f'; ++c) digit[c] = static_cast<int8_t>(c - 'a' + 10);
    }
};
const NumberTables Tables;

// Writes one number and answers the position after it.
inline char* PutNumber(char* w, NumberForm form, uint8_t b) {
    switch (form) {
        case NumberForm::Decimal:
            std::memcpy(w, Tables.decimal[b], 3);  // the buffer has room; only the length counts
            return w + Tables.decimalLength[b];
        case NumberForm::Hexadecimal:
            std::memcpy(w, Tables.hex[b], 2);
            return w + 2;
        case NumberForm::Binary:
            std::memcpy(w, Tables.binary[b], 8);
            return w + 8;
    }
    return w;
}

}  // namespace

std::string BytesToHexPairs(const uint8_t* bytes, int32_t count) {
    std::string s = Sized(int64_t(count) * 2);
    char* w = s.data();
    for (int32_t i = 0; i < count; ++i, w += 2) std::memcpy(w, Tables.hex[bytes[i]], 2);
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
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text.data());
    uint8_t* w = bytes.data();
    int bad = 0;
    for (size_t i = 0; i < n; ++i) {
        const int hi = Tables.digit[t[2 * i]];
        const int lo = Tables.digit[t[2 * i + 1]];
        bad |= hi | lo;  // negative once any digit is not hexadecimal
        w[i] = static_cast<uint8_t>(hi << 4 | (lo & 15));
    }
    if (bad < 0) throw Exception(LanguageSystem.getText("NOTHEXADECIMAL"));
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

namespace {
// Each number and a blank, line by line; at a line's end the blank becomes
// CR LF. The buffer has three bytes of room past the text.
template <NumberForm Form>
char* PutNumberList(char* w, const uint8_t* bytes, int32_t count, int numbersPerLine) {
    const int32_t perLine = numbersPerLine > 0 ? numbersPerLine : count;
    for (int32_t lineStart = 0; lineStart < count; lineStart += perLine) {
        const int32_t lineEnd = std::min<int64_t>(int64_t(lineStart) + perLine, count);
        for (int32_t k = lineStart; k < lineEnd; ++k) {
            w = PutNumber(w, Form, bytes[k]);
            *w++ = ' ';
        }
        if (numbersPerLine > 0 && lineEnd - lineStart == perLine) {
            w[-1] = '\r';
            *w++ = '\n';
        }
    }
    return w;
}
}  // namespace

std::string NumberListText(NumberForm form, const uint8_t* bytes, int32_t count, int numbersPerLine) {
    // The exact length first, so that the text is written into its final
    // buffer once: the digits, a blank between numbers, and CR LF instead
    // of the blank (or after the last number) at each line end.
    int64_t digits = 0;
    switch (form) {
        case NumberForm::Decimal:
            for (int32_t i = 0; i < count; ++i) digits += Tables.decimalLength[bytes[i]];
            break;
        case NumberForm::Hexadecimal: digits = int64_t(count) * 2; break;
        case NumberForm::Binary: digits = int64_t(count) * 8; break;
    }
    const int64_t breaks = numbersPerLine > 0 ? count / numbersPerLine : 0;
    const bool breakAtEnd = breaks > 0 && count % numbersPerLine == 0;
    const int64_t blanks = count > 0 ? int64_t(count) - 1 - (breaks - (breakAtEnd ? 1 : 0)) : 0;
    // Room for the three bytes a decimal number is copied with.
    std::string s = Sized(digits + blanks + 2 * breaks + 3);
    char* const start = s.data();
    char* w = start;
    switch (form) {
        case NumberForm::Decimal: w = PutNumberList<NumberForm::Decimal>(w, bytes, count, numbersPerLine); break;
        case NumberForm::Hexadecimal: w = PutNumberList<NumberForm::Hexadecimal>(w, bytes, count, numbersPerLine); break;
        case NumberForm::Binary: w = PutNumberList<NumberForm::Binary>(w, bytes, count, numbersPerLine); break;
    }
    // No blank after the last number.
    if (count > 0 && w[-1] == ' ') --w;
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
        std::memcpy(l + 18 + 3 * column, Tables.hex[b], 2);
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
