#include "framework/SysUtils.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "framework/Exceptions.h"

TFormatSettings FormatSettings;

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(int64_t value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", digits < 0 ? 0 : digits,
                  static_cast<unsigned long long>(value < 0 && value >= INT32_MIN ? static_cast<uint32_t>(value) : value));
    return buf;
}

bool TryStrToInt64(const std::string& text, int64_t& value) {
    size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < n && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n) return false;
    uint64_t acc = 0;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    for (; i < n; ++i) {
        int c = static_cast<unsigned char>(text[i]), d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && std::isxdigit(c)) d = std::toupper(c) - 'A' + 10;
        else return false;
        if (acc > (limit - d) / base) return false;
        acc = acc * base + d;
    }
    value = negative ? static_cast<int64_t>(0 - acc) : static_cast<int64_t>(acc);
    return true;
}

bool TryStrToInt(const std::string& text, int32_t& value) {
    int64_t v;
    if (!TryStrToInt64(text, v) || v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int32_t>(v);
    return true;
}

int32_t StrToInt(const std::string& text) {
    int32_t v;
    if (!TryStrToInt(text, v)) throw EConvertError("'" + text + "' is not a valid integer value");
    return v;
}

int32_t StrToIntDef(const std::string& text, int32_t def) {
    int32_t v;
    return TryStrToInt(text, v) ? v : def;
}

int64_t StrToInt64(const std::string& text) {
    int64_t v;
    if (!TryStrToInt64(text, v)) throw EConvertError("'" + text + "' is not a valid integer value");
    return v;
}

std::string FloatToStr(double value) { return FloatToStr(value, FormatSettings); }

std::string FloatToStr(double value, const TFormatSettings& settings) {
    if (std::isnan(value) || std::isinf(value)) throw EConvertError("Invalid floating point operation");
    if (value == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);  // d.dddddddddddddde[+-]xx
    std::string s(buf);
    size_t e = s.find('e');
    int exponent = std::atoi(s.c_str() + e + 1);
    bool negative = s[0] == '-';
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < e; ++i)
        if (std::isdigit(static_cast<unsigned char>(s[i]))) digits += s[i];
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    const char sep = settings.DecimalSeparator;
    if (exponent >= -5 && exponent <= 14) {
        if (exponent < 0) {
            out += '0';
            out += sep;
            out.append(static_cast<size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            size_t whole = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= whole) {
                out += digits;
                out.append(whole - digits.size(), '0');
            } else {
                out += digits.substr(0, whole);
                out += sep;
                out += digits.substr(whole);
            }
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += sep;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
    }
    return out;
}

bool TryStrToFloat(const std::string& text, double& value) { return TryStrToFloat(text, value, FormatSettings); }

bool TryStrToFloat(const std::string& text, double& value, const TFormatSettings& settings) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    // Rewrite into the C locale's form, checking the shape on the way.
    std::string c;
    size_t i = b;
    if (i < e && (text[i] == '+' || text[i] == '-')) c += text[i++];
    int mantissaDigits = 0;
    while (i < e && std::isdigit(static_cast<unsigned char>(text[i]))) c += text[i++], ++mantissaDigits;
    if (i < e && text[i] == settings.DecimalSeparator) {
        c += '.';
        ++i;
        while (i < e && std::isdigit(static_cast<unsigned char>(text[i]))) c += text[i++], ++mantissaDigits;
    }
    if (mantissaDigits == 0) return false;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        c += 'e';
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-')) c += text[i++];
        int expDigits = 0;
        while (i < e && std::isdigit(static_cast<unsigned char>(text[i]))) c += text[i++], ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != e) return false;
    char* end = nullptr;
    double v = std::strtod(c.c_str(), &end);
    if (end != c.c_str() + c.size() || std::isinf(v) || std::isnan(v)) return false;
    value = v;
    return true;
}

double StrToFloat(const std::string& text) {
    double v;
    if (!TryStrToFloat(text, v)) throw EConvertError("'" + text + "' is not a valid floating point value");
    return v;
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

std::string UpperCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

std::string LowerCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return r;
}

namespace {
unsigned char FoldAscii(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}
}  // namespace

// Compared byte by byte as UpperCase folds them, without copying either
// text: callers compare long names against short ones many times over.
int CompareText(const std::string& a, const std::string& b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = FoldAscii(a[i]), y = FoldAscii(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Texts of different lengths differ at once, however long they are.
bool SameText(const std::string& a, const std::string& b) { return a.size() == b.size() && CompareText(a, b) == 0; }
