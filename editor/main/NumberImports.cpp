#include "editor/main/NumberImports.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "editor/dialogs/NumberValidators.h"
#include "editor/document/LanguageSystem.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

namespace {

// After the preparation CR and LF are blanks like the blank itself.
inline bool IsBlank(char c) { return c == ' ' || c == '\r' || c == '\n'; }

// The text without the characters 0 to 32 at its ends.
struct Prepared {
    const char* begin;
    const char* end;
};

Prepared Prepare(std::string_view text) {
    const char* b = text.data();
    const char* e = b + text.size();
    while (b < e && static_cast<unsigned char>(*b) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(e[-1]) <= ' ') --e;
    return {b, e};
}

int64_t CountPrepared(const Prepared& p) {
    int64_t count = 1;
    for (const char* c = p.begin + 1; c < p.end; ++c)
        if (IsBlank(*c) && !IsBlank(c[-1])) ++count;
    return count;
}

void Allocate(std::vector<uint8_t>& out, int64_t count) {
    if (count > std::numeric_limits<int32_t>::max()) throw EOutOfMemory(OutOfMemoryMessage());
    try {
        out.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(OutOfMemoryMessage());
    }
}

// Walks the tokens of a prepared text: a token ends at a blank that follows
// a character other than a blank; the blanks of a run before a token are not
// part of it. convert(begin, end, destination) stores one value of the
// width or answers false.
template <class Convert>
int32_t ParseList(std::string_view text, std::vector<uint8_t>& out, int width, Convert convert) {
    const Prepared p = Prepare(text);
    const int64_t count = CountPrepared(p);
    Allocate(out, count * width);
    uint8_t* w = out.data();
    uint8_t* const limit = out.data() + out.size();
    const char* tokenStart = p.begin;
    auto take = [&](const char* tokenEnd) {
        while (tokenStart < tokenEnd && IsBlank(*tokenStart)) ++tokenStart;
        if (w + width > limit) return false;
        if (!convert(tokenStart, tokenEnd, w)) return false;
        w += width;
        return true;
    };
    for (const char* c = p.begin + 1; c < p.end; ++c) {
        if (IsBlank(*c) && !IsBlank(c[-1])) {
            if (!take(c)) return -1;
            tokenStart = c + 1;
        }
    }
    if (!take(p.end)) return -1;
    return static_cast<int32_t>(w - out.data());
}

// Decimal integer lists are read in one pass, without counting first: the
// array gets room for the most numbers a text of its length can hold (a
// digit and a blank each, the last without its blank), and is cut to what
// was read. The common case, two numbers of one to four digits each followed
// by a blank, is read from one 8-byte load with a few word operations; every
// other number (a sign, a long run of digits, anything not valid) goes the
// exact way through ReadDecimalInteger and the range. A long text is read as
// two halves at once, split at a number, so that the two halves' work
// overlaps in the processor; the second half's bytes then move up behind the
// first's.
static_assert(std::endian::native == std::endian::little, "the word reads take the first byte as the lowest");

struct BlankTable {
    uint8_t blank[256] = {};
    constexpr BlankTable() { blank[uint8_t(' ')] = blank[uint8_t('\r')] = blank[uint8_t('\n')] = 1; }
};
constexpr BlankTable Blanks;

template <int Width>
inline void PutLittleEndian(uint8_t* w, uint64_t value) {
    for (int i = 0; i < Width; ++i) w[i] = static_cast<uint8_t>(value >> (8 * i));
}

// Values of the fast path are at most 9999: over has, in each 32-bit half
// of the pair, the bits that a value above max must have (max + 1 is a
// power of two for every list), or nothing when max is 9999 or more.
uint64_t OverMask(int64_t max) {
    return max >= 9999 ? 0 : (0xFFFFull & ~static_cast<uint64_t>(max)) * 0x0000000100000001ull;
}

// Two numbers at c, each of one to four digits and followed by a blank,
// stored and passed with the blanks after them; false, with nothing done,
// for anything else. Needs 8 readable bytes at c and a character other
// than a blank before the text's end.
template <int Width>
[[gnu::always_inline]] inline bool ReadTwoShortNumbers(const char*& c, uint8_t*& w, uint64_t over) {
    constexpr uint64_t Bit4 = 0x1010101010101010ull;
    uint64_t x;
    std::memcpy(&x, c, 8);
    // Digits have bit 4 of their byte set and blanks have it clear: the
    // first two bytes with it clear end the two numbers, if the text is as
    // expected, which is checked next. Bit 4 of the last byte stands in when
    // there is only one (it is then no blank), and a second end missing
    // counts 64.
    const uint64_t clear4 = ~x & Bit4;
    const uint64_t ends = clear4 | (1ull << 60);
    const unsigned endA = static_cast<unsigned>(std::countr_zero(ends));              // 8 x position + 4
    const unsigned endB = static_cast<unsigned>(std::countr_zero(ends & (ends - 1)));
    // Both numbers have one to four digits (the differences are multiples of 8).
    if (((endA - 12) | (endB - endA - 16)) >= 32) return false;
    // Up to the second end, exactly the bytes with bit 4 clear are not
    // digits (a digit's byte is 0x30 to 0x39), and the two ends are blanks.
    const uint64_t u = x ^ 0x3030303030303030ull;
    const uint64_t notDigit = ((u & 0x7F7F7F7F7F7F7F7Full) + 0x7676767676767676ull) | u;  // bit 7 per byte
    const uint64_t upToB = (0x10ull << endB) - 1;
    if (((notDigit >> 3) ^ clear4) & upToB & Bit4) return false;
    if (!(Blanks.blank[static_cast<uint8_t>(x >> (endA - 4))] & Blanks.blank[static_cast<uint8_t>(x >> (endB - 4))]))
        return false;
    // Each number's digits moved to the top of a 32-bit half (leading
    // zeros below), then combined pairwise: 10 x d0 + d1, 10 x d2 + d3, and
    // 100 x the first + the second.
    const uint64_t digits = x & 0x0F0F0F0F0F0F0F0Full;
    const uint32_t a = static_cast<uint32_t>(digits) << (36 - endA);
    const uint32_t b = static_cast<uint32_t>(digits >> (endA + 4)) << (40 + endA - endB);
    const uint64_t both = a | static_cast<uint64_t>(b) << 32;
    const uint64_t tens = (both * 10 + (both >> 8)) & 0x00FF00FF00FF00FFull;
    const uint64_t values = (tens * 100 + (tens >> 16)) & 0x0000FFFF0000FFFFull;
    if (values & over) return false;
    PutLittleEndian<Width>(w, static_cast<uint32_t>(values));
    PutLittleEndian<Width>(w + Width, values >> 32);
    w += 2 * Width;
    c += (endB >> 3) + 1;
    while (Blanks.blank[static_cast<uint8_t>(*c)]) ++c;
    return true;
}

// One number at c, the exact way, stored at w: the position after it and
// the blanks that follow it up to stop, or null when it is not a decimal
// integer in [min, max]. Kept out of line, so that the loops that call it
// keep their positions in registers.
template <int Width>
[[gnu::noinline]] const char* ReadOneNumber(const char* c, const char* stop, uint8_t* w, int64_t min, int64_t max) {
    const char* t = c;
    while (t < stop && !IsBlank(*t)) ++t;
    int64_t v;
    if (!ReadDecimalInteger(c, t, v) || v < min || v > max) return nullptr;
    PutLittleEndian<Width>(w, static_cast<uint64_t>(v));
    while (t < stop && IsBlank(*t)) ++t;
    return t;
}

constexpr ptrdiff_t WordRoom = 16;  // two numbers are read at once only this far from the end

// The numbers from c (at a number) to stop (at a number, or the end of the
// text, whose last character is no blank), stored from w: the end of what
// was stored, or null when a number is not valid.
template <int Width>
uint8_t* ReadNumbers(const char* c, const char* stop, uint8_t* w, int64_t min, int64_t max, uint64_t over) {
    while (c < stop) {
        while (stop - c >= WordRoom && ReadTwoShortNumbers<Width>(c, w, over)) {
        }
        if (c < stop) {
            c = ReadOneNumber<Width>(c, stop, w, min, max);
            if (!c) return nullptr;
            w += Width;
        }
    }
    return w;
}

bool TryResize(std::vector<uint8_t>& out, int64_t size) {
    if (size > std::numeric_limits<int32_t>::max()) return false;
    try {
        out.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Texts shorter than this are read as one part.
constexpr ptrdiff_t TwoPartLength = 4096;

template <int Width>
int32_t ParseIntegerList(std::string_view text, std::vector<uint8_t>& out, int64_t min, int64_t max) {
    const Prepared p = Prepare(text);
    if (p.begin == p.end) return -1;  // one empty number
    const uint64_t over = OverMask(max);
    const ptrdiff_t length = p.end - p.begin;
    const char* split = p.begin + (length >= TwoPartLength ? length / 2 : length);
    while (split < p.end && !IsBlank(*split)) ++split;
    while (split < p.end && IsBlank(*split)) ++split;
    const int64_t room0 = ((split - p.begin) / 2 + 1) * Width;
    const int64_t room1 = ((p.end - split) / 2 + 1) * Width;
    uint8_t* end;
    if (TryResize(out, room0 + room1)) {
        // Both halves a step at a time while both have room, then each to
        // its end.
        const char* c0 = p.begin;
        const char* c1 = split;
        uint8_t* w0 = out.data();
        uint8_t* const second = out.data() + room0;
        uint8_t* w1 = second;
        while (split - c0 >= WordRoom && p.end - c1 >= WordRoom) {
            if (!ReadTwoShortNumbers<Width>(c0, w0, over)) {
                c0 = ReadOneNumber<Width>(c0, split, w0, min, max);
                if (!c0) return -1;
                w0 += Width;
            }
            if (!ReadTwoShortNumbers<Width>(c1, w1, over)) {
                c1 = ReadOneNumber<Width>(c1, p.end, w1, min, max);
                if (!c1) return -1;
                w1 += Width;
            }
        }
        w0 = ReadNumbers<Width>(c0, split, w0, min, max, over);
        w1 = ReadNumbers<Width>(c1, p.end, w1, min, max, over);
        if (!w0 || !w1) return -1;
        const size_t secondSize = static_cast<size_t>(w1 - second);
        if (secondSize > 0) std::memmove(w0, second, secondSize);
        end = w0 + secondSize;
    } else {
        // No room for the most numbers the text could hold: room for the
        // numbers it holds, as counted, or the memory error.
        Allocate(out, CountPrepared(p) * Width);
        end = ReadNumbers<Width>(p.begin, p.end, out.data(), min, max, over);
        if (!end) return -1;
    }
    const int32_t count = static_cast<int32_t>(end - out.data());
    out.resize(static_cast<size_t>(count));
    return count;
}

// A float token in the framework's form (optional sign, digits with the
// locale's decimal separator, optional exponent) rewritten into the C form
// in a buffer kept over the whole list, then read with strtod.
bool ReadFloat(const char* b, const char* e, std::string& buffer, double& value) {
    buffer.clear();
    const char* i = b;
    if (i < e && (*i == '+' || *i == '-')) buffer += *i++;
    int digits = 0;
    while (i < e && *i >= '0' && *i <= '9') buffer += *i++, ++digits;
    if (i < e && *i == FormatSettings.DecimalSeparator) {
        buffer += '.';
        ++i;
        while (i < e && *i >= '0' && *i <= '9') buffer += *i++, ++digits;
    }
    if (digits == 0) return false;
    if (i < e && (*i == 'e' || *i == 'E')) {
        buffer += 'e';
        ++i;
        if (i < e && (*i == '+' || *i == '-')) buffer += *i++;
        int expDigits = 0;
        while (i < e && *i >= '0' && *i <= '9') buffer += *i++, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != e) return false;
    char* end = nullptr;
    const double v = std::strtod(buffer.c_str(), &end);
    if (end != buffer.c_str() + buffer.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

struct HexTable {
    int8_t value[256];
    HexTable() {
        std::memset(value, -1, sizeof value);
        for (int c = '0'; c <= '9'; ++c) value[c] = static_cast<int8_t>(c - '0');
        for (int c = 'A'; c <= 'F'; ++c) value[c] = static_cast<int8_t>(c - 'A' + 10);
        for (int c = 'a'; c <= 'f'; ++c) value[c] = static_cast<int8_t>(c - 'a' + 10);
    }
};
const HexTable Hex;

std::string Text(const char* key) { return LanguageSystem.getText(key); }

}  // namespace

int32_t CountNumbers(std::string_view text) {
    const int64_t n = CountPrepared(Prepare(text));
    return n > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(n);
}

int32_t ParseInt8List(std::string_view text, std::vector<uint8_t>& out, bool isSigned) {
    return isSigned ? ParseIntegerList<1>(text, out, -128, 127) : ParseIntegerList<1>(text, out, 0, 255);
}

int32_t ParseInt16List(std::string_view text, std::vector<uint8_t>& out, bool isSigned) {
    return isSigned ? ParseIntegerList<2>(text, out, -32768, 32767) : ParseIntegerList<2>(text, out, 0, 65535);
}

int32_t ParseInt32List(std::string_view text, std::vector<uint8_t>& out, bool isSigned) {
    return isSigned ? ParseIntegerList<4>(text, out, -2147483648LL, 2147483647LL)
                    : ParseIntegerList<4>(text, out, 0, 4294967295LL);
}

int32_t ParseFloat32List(std::string_view text, std::vector<uint8_t>& out) {
    std::string buffer;
    return ParseList(text, out, 4, [&buffer](const char* b, const char* e, uint8_t* w) {
        double d;
        if (!ReadFloat(b, e, buffer, d)) return false;
        const float f = static_cast<float>(d);
        if (!std::isfinite(f)) return false;
        std::memcpy(w, &f, 4);
        return true;
    });
}

int32_t ParseFloat64List(std::string_view text, std::vector<uint8_t>& out) {
    std::string buffer;
    return ParseList(text, out, 8, [&buffer](const char* b, const char* e, uint8_t* w) {
        double d;
        if (!ReadFloat(b, e, buffer, d)) return false;
        std::memcpy(w, &d, 8);
        return true;
    });
}

// One pass over the tokens: their digits, a one-digit token with a 0 in
// front, are paired across token boundaries as the joined text would be.
int32_t ParseHexBytes(std::string_view text, std::vector<uint8_t>& out) {
    const Prepared p = Prepare(text);
    Allocate(out, (p.end - p.begin) / 2 + 1);  // the joined text is at most one digit longer
    uint8_t* w = out.data();
    int pending = -1;
    auto put = [&](int nibble) {
        if (pending < 0) {
            pending = nibble;
        } else {
            *w++ = static_cast<uint8_t>(pending << 4 | nibble);
            pending = -1;
        }
    };
    const char* c = p.begin;
    while (c < p.end) {
        // The common layout, two digits and a blank, read at once.
        if (pending < 0 && p.end - c >= 3 && c[2] == ' ') {
            const int hi = Hex.value[static_cast<unsigned char>(c[0])];
            const int lo = Hex.value[static_cast<unsigned char>(c[1])];
            if ((hi | lo) >= 0) {
                *w++ = static_cast<uint8_t>(hi << 4 | lo);
                c += 3;
                continue;
            }
        }
        if (IsBlank(*c)) {
            ++c;
            continue;
        }
        const char* t = c;
        while (t < p.end && !IsBlank(*t)) ++t;
        const ptrdiff_t length = t - c;
        if (length == 3) return -1;
        if (length == 1) put(0);
        if (pending < 0 && length % 2 == 0) {
            // Whole pairs within the token: read two digits at a time.
            int bad = 0;
            for (; c < t; c += 2) {
                const int hi = Hex.value[static_cast<unsigned char>(c[0])];
                const int lo = Hex.value[static_cast<unsigned char>(c[1])];
                bad |= hi | lo;
                *w++ = static_cast<uint8_t>(hi << 4 | (lo & 15));
            }
            if (bad < 0) return -1;
            continue;
        }
        for (; c < t; ++c) {
            const int v = Hex.value[static_cast<unsigned char>(*c)];
            if (v < 0) return -1;
            put(v);
        }
    }
    if (pending >= 0) return -1;
    const int32_t n = static_cast<int32_t>(w - out.data());
    out.resize(static_cast<size_t>(n));
    return n;
}

int32_t ParseBinaryBytes(std::string_view text, std::vector<uint8_t>& out) {
    const Prepared p = Prepare(text);
    Allocate(out, (p.end - p.begin) / 8 + 1);
    uint8_t* w = out.data();
    unsigned value = 0;
    int bits = 0;
    for (const char* c = p.begin; c < p.end; ++c) {
        if (IsBlank(*c)) continue;
        if (*c != '0' && *c != '1') return -1;
        value = value << 1 | static_cast<unsigned>(*c - '0');
        if (++bits == 8) {
            *w++ = static_cast<uint8_t>(value);
            value = 0;
            bits = 0;
        }
    }
    if (bits != 0) return -1;
    const int32_t n = static_cast<int32_t>(w - out.data());
    out.resize(static_cast<size_t>(n));
    return n;
}

int32_t ParseNumbers(NumberKind kind, std::string_view text, std::vector<uint8_t>& out) {
    switch (kind) {
        case NumberKind::Int8Unsigned: return ParseInt8List(text, out, false);
        case NumberKind::Int8Signed: return ParseInt8List(text, out, true);
        case NumberKind::Int16Unsigned: return ParseInt16List(text, out, false);
        case NumberKind::Int16Signed: return ParseInt16List(text, out, true);
        case NumberKind::Int32Unsigned: return ParseInt32List(text, out, false);
        case NumberKind::Int32Signed: return ParseInt32List(text, out, true);
        case NumberKind::Float32: return ParseFloat32List(text, out);
        case NumberKind::Float64: return ParseFloat64List(text, out);
        case NumberKind::Hexadecimal: return ParseHexBytes(text, out);
        case NumberKind::Binary: return ParseBinaryBytes(text, out);
    }
    return -1;
}

std::string ImportRefusal(NumberKind kind) {
    std::string advice;
    const std::string sep(1, FormatSettings.DecimalSeparator);
    switch (kind) {
        case NumberKind::Int8Unsigned: advice = Text("USE8INTSUNSIG"); break;
        case NumberKind::Int8Signed: advice = Text("USE8INTSSIGNED"); break;
        case NumberKind::Int16Unsigned: advice = Text("USE16INTSUNSIG"); break;
        case NumberKind::Int16Signed: advice = Text("USE16INTSSIGNED"); break;
        case NumberKind::Int32Unsigned: advice = Text("USE32INTSUNSIG"); break;
        case NumberKind::Int32Signed: advice = Text("USE32INTSSIGNED"); break;
        case NumberKind::Float32: advice = Text("USE32FLOATS1") + sep + Text("USE32FLOATS2"); break;
        case NumberKind::Float64: advice = Text("USE64FLOATS1") + sep + Text("USE64FLOATS2"); break;
        case NumberKind::Hexadecimal: advice = Text("USEHEXADECIMAL"); break;
        case NumberKind::Binary: advice = Text("USEBINARY"); break;
    }
    return Text("THATISNOTCORRECT") + " " + advice;
}

std::string_view TextUpToFirstZero(std::string_view bytes) {
    const size_t zero = bytes.find('\0');
    return zero == std::string_view::npos ? bytes : bytes.substr(0, zero);
}
