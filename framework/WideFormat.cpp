#include "framework/WideFormat.h"

#include <cstdio>

#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

namespace {
std::string Narrow(const std::u16string& s) {
    std::string r;
    for (char16_t c : s) r += c < 0x80 ? static_cast<char>(c) : '?';
    return r;
}

std::u16string Widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

[[noreturn]] void Invalid(const std::u16string& fmt) {
    throw EConvertError("Format '" + Narrow(fmt) + "' invalid or incompatible with argument");
}

// Digits with thousands separators every three from the right.
std::string Grouped(const std::string& digits) {
    std::string r;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) r += ',';
        r += digits[static_cast<size_t>(i)];
    }
    return r;
}

std::string Number(char type, double v, int prec) {
    char buf[512];
    if (type == 'g') {
        std::snprintf(buf, sizeof buf, "%.*G", prec < 0 ? 15 : (prec == 0 ? 1 : prec), v);
    } else if (type == 'e') {
        std::snprintf(buf, sizeof buf, "%.*E", prec < 0 ? 15 : prec, v);
    } else {
        std::snprintf(buf, sizeof buf, "%.*f", prec < 0 ? 2 : prec, v);
    }
    std::string s = buf;
    if (type == 'n') {
        size_t sign = (s[0] == '-') ? 1 : 0;
        size_t dot = s.find('.');
        std::string whole = s.substr(sign, (dot == std::string::npos ? s.size() : dot) - sign);
        s = s.substr(0, sign) + Grouped(whole) + (dot == std::string::npos ? "" : s.substr(dot));
    }
    for (char& c : s)
        if (c == '.') c = FormatSettings.DecimalSeparator;
    return s;
}
}  // namespace

std::u16string WideFormat(const std::u16string& fmt, const TWideFormatArgs& args) {
    std::u16string out;
    size_t next = 0;
    auto take = [&](size_t& index) -> const TWideFormatArg& {
        if (index >= args.size()) throw EConvertError("No argument for format '" + Narrow(fmt) + "'");
        return args[index++];
    };
    auto number = [&](size_t& i, size_t& argIndex) -> int {
        if (i < fmt.size() && fmt[i] == u'*') {
            ++i;
            const TWideFormatArg& a = take(argIndex);
            if (!std::holds_alternative<int64_t>(a)) Invalid(fmt);
            return static_cast<int>(std::get<int64_t>(a));
        }
        int v = -1;
        while (i < fmt.size() && fmt[i] >= u'0' && fmt[i] <= u'9') {
            v = (v < 0 ? 0 : v) * 10 + (fmt[i++] - u'0');
            if (v > 100000) Invalid(fmt);
        }
        return v;
    };
    for (size_t i = 0; i < fmt.size();) {
        if (fmt[i] != u'%') {
            out += fmt[i++];
            continue;
        }
        ++i;
        if (i < fmt.size() && fmt[i] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        // An index: digits (or "*") followed by ":".
        size_t j = i;
        while (j < fmt.size() && fmt[j] >= u'0' && fmt[j] <= u'9') ++j;
        if (j > i && j < fmt.size() && fmt[j] == u':') {
            size_t index = 0;
            for (; i < j; ++i) {
                index = index * 10 + (fmt[i] - u'0');
                if (index > 100000) Invalid(fmt);
            }
            next = index;
            ++i;
        }
        bool left = false;
        if (i < fmt.size() && fmt[i] == u'-') {
            left = true;
            ++i;
        }
        int width = number(i, next);
        int prec = -1;
        if (i < fmt.size() && fmt[i] == u'.') {
            ++i;
            prec = number(i, next);
            if (prec < 0) prec = 0;
        }
        if (i >= fmt.size()) Invalid(fmt);
        char16_t type = fmt[i++];
        if (type >= u'A' && type <= u'Z') type = static_cast<char16_t>(type + 32);
        const TWideFormatArg& arg = take(next);
        std::u16string piece;
        switch (type) {
            case u'd':
            case u'u':
            case u'x': {
                if (!std::holds_alternative<int64_t>(arg)) Invalid(fmt);
                int64_t v = std::get<int64_t>(arg);
                bool negative = type == u'd' && v < 0;
                uint64_t magnitude = type == u'd' ? (negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v))
                                                  : static_cast<uint64_t>(type == u'u' ? static_cast<uint32_t>(v) : v);
                char buf[32];
                std::snprintf(buf, sizeof buf, type == u'x' ? "%llX" : "%llu", static_cast<unsigned long long>(magnitude));
                std::string digits = buf;
                if (prec > static_cast<int>(digits.size())) digits.insert(0, static_cast<size_t>(prec) - digits.size(), '0');
                piece = Widen((negative ? "-" : "") + digits);
                break;
            }
            case u'e':
            case u'f':
            case u'g':
            case u'n': {
                double v;
                if (std::holds_alternative<double>(arg)) v = std::get<double>(arg);
                else if (std::holds_alternative<int64_t>(arg)) v = static_cast<double>(std::get<int64_t>(arg));
                else Invalid(fmt);
                piece = Widen(Number(static_cast<char>(type), v, prec));
                break;
            }
            case u's': {
                if (!std::holds_alternative<std::u16string>(arg)) Invalid(fmt);
                piece = std::get<std::u16string>(arg);
                if (prec >= 0 && piece.size() > static_cast<size_t>(prec)) piece.resize(static_cast<size_t>(prec));
                break;
            }
            default: Invalid(fmt);
        }
        if (width > static_cast<int>(piece.size())) {
            std::u16string pad(static_cast<size_t>(width) - piece.size(), u' ');
            piece = left ? piece + pad : pad + piece;
        }
        out += piece;
    }
    return out;
}
