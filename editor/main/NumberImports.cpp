#include "editor/main/NumberImports.h"

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

void StoreLittleEndian(uint8_t* w, uint64_t value, int width) {
    for (int i = 0; i < width; ++i) w[i] = static_cast<uint8_t>(value >> (8 * i));
}

template <int Width>
auto IntegerConverter(int64_t min, int64_t max) {
    return [min, max](const char* b, const char* e, uint8_t* w) {
        int64_t v;
        if (!ReadDecimalInteger(b, e, v) || v < min || v > max) return false;
        StoreLittleEndian(w, static_cast<uint64_t>(v), Width);
        return true;
    };
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
    return isSigned ? ParseList(text, out, 1, IntegerConverter<1>(-128, 127))
                    : ParseList(text, out, 1, IntegerConverter<1>(0, 255));
}

int32_t ParseInt16List(std::string_view text, std::vector<uint8_t>& out, bool isSigned) {
    return isSigned ? ParseList(text, out, 2, IntegerConverter<2>(-32768, 32767))
                    : ParseList(text, out, 2, IntegerConverter<2>(0, 65535));
}

int32_t ParseInt32List(std::string_view text, std::vector<uint8_t>& out, bool isSigned) {
    return isSigned ? ParseList(text, out, 4, IntegerConverter<4>(-2147483648LL, 2147483647LL))
                    : ParseList(text, out, 4, IntegerConverter<4>(0, 4294967295LL));
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
