#include "editor/unicode/UvxWideStrUtils.h"

size_t WStrLen(const char16_t* str) {
    size_t n = 0;
    while (str && str[n]) ++n;
    return n;
}

int Uvx_WStrComp(const char16_t* s1, const char16_t* s2) {
    while (*s1 && *s1 == *s2) {
        ++s1;
        ++s2;
    }
    return static_cast<int>(*s1) - static_cast<int>(*s2);
}

const char16_t* Uvx_WStrPos(const char16_t* str, const char16_t* subStr) {
    if (!str || !subStr || !*subStr) return nullptr;
    for (; *str; ++str) {
        const char16_t *a = str, *b = subStr;
        while (*a && *b && *a == *b) {
            ++a;
            ++b;
        }
        if (!*b) return str;
    }
    return nullptr;
}

char16_t* WStrECopy(char16_t* dest, const char16_t* source) {
    while ((*dest = *source++) != 0) ++dest;
    return dest;
}

const char16_t* WStrRScan(const char16_t* str, char16_t chr) {
    const char16_t* found = nullptr;
    for (;; ++str) {
        if (*str == chr) found = str;
        if (!*str) return found;
    }
}

char16_t* WStrLCat(char16_t* dest, const char16_t* source, int maxLen) {
    size_t have = WStrLen(dest);
    if (maxLen < 0 || have >= static_cast<size_t>(maxLen)) return dest;
    size_t room = static_cast<size_t>(maxLen) - have;
    char16_t* d = dest + have;
    while (room-- > 0 && *source) *d++ = *source++;
    *d = 0;
    return dest;
}

std::u16string WStrPas(const char16_t* str) { return str ? std::u16string(str) : std::u16string(); }

std::u16string ExtractStringArrayStr(const char16_t* p) {
    const char16_t* q = p;
    while (*q) q += WStrLen(q) + 1;
    return std::u16string(p, static_cast<size_t>(q - p) + 1);
}

std::u16string ExtractStringFromStringArray(const char16_t*& p, char16_t separator) {
    const char16_t* start = p;
    while (*p && *p != separator) ++p;
    std::u16string out(start, static_cast<size_t>(p - start));
    if (*p == separator) ++p;  // on a string array the terminator is the separator
    return out;
}

std::vector<std::u16string> ExtractStringsFromStringArray(const char16_t* p, char16_t separator) {
    std::vector<std::u16string> out;
    out.reserve(256);  // grows 256 at a time; the vector's own growth keeps that cheap
    for (;;) {
        std::u16string s = ExtractStringFromStringArray(p, separator);
        if (s.empty()) break;
        out.push_back(std::move(s));
    }
    out.shrink_to_fit();
    return out;
}
