#include "editor/unicode/UvxTextConversions.h"

#include <cstring>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxErrors.h"
#include "framework/Utf8.h"

std::string WideStringToUTF8(const std::u16string& s) { return UTF8Encode(s); }
std::u16string UTF8ToWideString(const std::string& s) { return UTF8Decode(s); }

namespace {
const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const char kDirect[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'(),-./:?";
const char kOptionalDirect[] = "!\"#$%&*;<=>@[]^_`{|}";
const char kSpaces[] = "\t\r\n ";

struct Utf7Tables {
    bool mustShiftOptional[128];
    int8_t base64Value[128];
    Utf7Tables() {
        for (int c = 0; c < 128; ++c) {
            mustShiftOptional[c] = !std::strchr(kDirect, c) && !std::strchr(kOptionalDirect, c) && !std::strchr(kSpaces, c);
            base64Value[c] = -1;
        }
        mustShiftOptional[0] = true;  // strchr finds the terminator
        for (int i = 0; i < 64; ++i) base64Value[static_cast<unsigned char>(kBase64[i])] = static_cast<int8_t>(i);
    }
};

const Utf7Tables& Tables() {
    static const Utf7Tables tables;
    return tables;
}

bool IsBase64(uint32_t c) { return c < 128 && Tables().base64Value[c] >= 0; }
}  // namespace

std::string WideStringToUTF7(const std::u16string& s) {
    const Utf7Tables& t = Tables();
    std::string out;
    bool open = false;
    uint32_t bits = 0;
    int nbits = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        bool end = i == s.size();
        uint32_t r = end ? 0 : s[i];
        bool shift = !end && (r > 127 || t.mustShiftOptional[r]);
        if (!open) {
            if (!shift) {
                if (!end) out += static_cast<char>(r);
                continue;
            }
            out += '+';
            if (r == '+') {
                out += '-';  // "+-" stands for '+'
                continue;
            }
            open = true;
        }
        if (shift) {
            bits = (bits << 16) | r;
            nbits += 16;
        } else if (nbits % 6) {
            bits <<= 6 - nbits % 6;
            nbits += 6 - nbits % 6;
        }
        while (nbits >= 6) {
            nbits -= 6;
            out += kBase64[(bits >> nbits) & 0x3F];
        }
        bits &= (1u << nbits) - 1;
        if (!shift) {
            open = false;
            if (!end) {
                if (IsBase64(r) || r == '-') out += '-';
                out += static_cast<char>(r);
            }
        }
    }
    return out;
}

// '+' belongs to the base64 alphabet, so "+AOk+AOk-" read greedily is one
// run that leaves stray bits. When a run goes wrong like that and a '+' in it
// came right after a cleanly ended character, that '+' opened a new sequence:
// the run is cut there and read again, which gives "\u00E9\u00E9". Runs that
// decode cleanly keep the RFC 2152 reading ("+AOk+AA-" stays two characters).
std::u16string UTF7ToWideString(const std::string& s) {
    const Utf7Tables& t = Tables();
    std::u16string out;
    bool bad = false;
    size_t i = 0, n = s.size();
    while (i < n) {
        auto b = static_cast<unsigned char>(s[i]);
        if (b != '+') {
            if (b > 127) bad = true;
            out += static_cast<char16_t>(b);
            ++i;
            continue;
        }
        ++i;
        uint32_t bits = 0;
        int nbits = 0, digits = 0, produced = 0;
        size_t splitAt = 0, splitOut = 0;
        while (i < n && IsBase64(static_cast<unsigned char>(s[i]))) {
            if (s[i] == '+' && splitAt == 0 && produced > 0 && bits == 0) {
                splitAt = i;
                splitOut = out.size();
            }
            bits = (bits << 6) | static_cast<uint32_t>(t.base64Value[static_cast<unsigned char>(s[i])]);
            nbits += 6;
            ++digits;
            if (nbits >= 16) {
                nbits -= 16;
                out += static_cast<char16_t>((bits >> nbits) & 0xFFFF);
                ++produced;
            }
            bits &= (1u << nbits) - 1;
            ++i;
        }
        if (bits != 0 && splitAt != 0) {
            out.resize(splitOut);
            i = splitAt;
            continue;
        }
        if (i < n && s[i] == '-') {
            ++i;
            if (digits == 0) out += u'+';
            else if (produced == 0) bad = true;
        } else if (produced == 0) {
            bad = true;
        }
        if (bits != 0) bad = true;
    }
    if (bad) throw EUvxGeneralError("Invalid UTF7");
    return out;
}

std::u16string StringToWideStringEx(const std::string& s, uint32_t codePage) {
    if (codePage == CP_UTF7_) return UTF7ToWideString(s);
    if (codePage == CP_UTF8_) return UTF8ToWideString(s);
    return UvxCodePages().ToWide(s, codePage);
}

std::string WideStringToStringEx(const std::u16string& ws, uint32_t codePage) {
    if (codePage == CP_UTF7_) return WideStringToUTF7(ws);
    if (codePage == CP_UTF8_) return WideStringToUTF8(ws);
    return UvxCodePages().FromWide(ws, codePage, nullptr);
}

std::u16string UCS2ToWideString(const std::string& s) {
    std::u16string out(s.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(s[2 * i]) |
                                       (static_cast<unsigned char>(s[2 * i + 1]) << 8));
    return out;
}

std::string WideStringToUCS2(const std::u16string& ws) {
    std::string out(ws.size() * 2, '\0');
    for (size_t i = 0; i < ws.size(); ++i) {
        out[2 * i] = static_cast<char>(ws[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(ws[i] >> 8);
    }
    return out;
}

void StrSwapByteOrder(char16_t* str) {
    for (; str && *str; ++str) *str = static_cast<char16_t>((*str << 8) | (*str >> 8));
}
