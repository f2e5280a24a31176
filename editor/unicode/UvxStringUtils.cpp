#include "editor/unicode/UvxStringUtils.h"

#include "editor/unicode/UvxCodePage.h"
#include "framework/WideCase.h"

std::u16string Uvx_WideUpperCase(const std::u16string& s) { return WideUpperCase(s); }
std::u16string Uvx_WideLowerCase(const std::u16string& s) { return WideLowerCase(s); }

char16_t UvxWideLastChar(const std::u16string& s) { return s.empty() ? 0 : s.back(); }

int WideTextPos(const std::u16string& subStr, const std::u16string& s) {
    size_t p = Uvx_WideUpperCase(s).find(Uvx_WideUpperCase(subStr));
    return p == std::u16string::npos ? 0 : static_cast<int>(p) + 1;
}

bool IsRTF(const std::u16string& s) { return WideTextPos(u"{\\RTF", s) == 1 || WideTextPos(u"{URTF", s) == 1; }

namespace {
bool HasType(char16_t c, uint16_t mask) { return (UvxCodePages().CharType(c) & mask) != 0; }
}  // namespace

bool IsWideCharUpper(char16_t c) { return HasType(c, C1Upper); }
bool IsWideCharLower(char16_t c) { return HasType(c, C1Lower); }
bool IsWideCharDigit(char16_t c) { return HasType(c, C1Digit); }
bool IsWideCharSpace(char16_t c) { return HasType(c, C1Space); }
bool IsWideCharPunct(char16_t c) { return HasType(c, C1Punct); }
bool IsWideCharCntrl(char16_t c) { return HasType(c, C1Cntrl); }
bool IsWideCharBlank(char16_t c) { return HasType(c, C1Blank); }
bool IsWideCharXDigit(char16_t c) { return HasType(c, C1XDigit); }
bool IsWideCharAlpha(char16_t c) { return HasType(c, C1Alpha); }
bool IsWideCharAlphaNumeric(char16_t c) { return HasType(c, C1Alpha | C1Digit); }

bool IsWideCharMappableToAnsi(char16_t c) { return IsWideStringMappableToAnsi(std::u16string(1, c)); }

bool IsWideStringMappableToAnsi(const std::u16string& s) {
    return UvxCodePages().Represents(s, DefaultSystemCodePage());
}

namespace {
bool IsWordBoundaryChar(char16_t c) { return c == 0 || IsWideCharSpace(c) || IsWideCharPunct(c); }
}  // namespace

std::u16string Uvx_WideStringReplace(const std::u16string& s, const std::u16string& oldPattern,
                                     const std::u16string& newPattern, uint32_t flags, bool wholeWord) {
    // Nothing to look for: searching would match everywhere and never advance.
    if (oldPattern.empty()) return s;
    bool ignoreCase = flags & rfIgnoreCase;
    std::u16string search = ignoreCase ? Uvx_WideUpperCase(s) : s;
    std::u16string pattern = ignoreCase ? Uvx_WideUpperCase(oldPattern) : oldPattern;
    std::u16string rest = s, result;
    size_t len = pattern.size();
    while (!search.empty()) {
        size_t p = search.find(pattern);
        if (p == std::u16string::npos) {
            result += rest;
            break;
        }
        if (wholeWord) {
            char16_t before = p == 0 ? UvxWideLastChar(result) : rest[p - 1];
            char16_t after = p + len < rest.size() ? rest[p + len] : 0;
            if (!IsWordBoundaryChar(before) || !IsWordBoundaryChar(after)) {
                result += rest.substr(0, p + len);
                rest.erase(0, p + len);
                search.erase(0, p + len);
                continue;
            }
        }
        result += rest.substr(0, p) + newPattern;
        rest.erase(0, p + len);
        search.erase(0, p + len);
        if (!(flags & rfReplaceAll)) {
            result += rest;
            break;
        }
    }
    return result;
}

int32_t UvxAdjustLineBreaksLength(const std::u16string& s, TUvxTextLineBreakStyle style) {
    int64_t n = static_cast<int64_t>(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        bool crlf = s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n';
        if (crlf) {
            if (style != tlbsCRLF) --n;
            ++i;
        } else if (s[i] == u'\r' || s[i] == u'\n' || s[i] == 0x2028) {
            if (style == tlbsCRLF) ++n;
        }
    }
    return n > INT32_MAX ? INT32_MAX : static_cast<int32_t>(n);
}

std::u16string UvxAdjustLineBreaks(const std::u16string& s, TUvxTextLineBreakStyle style) {
    const char16_t* brk = style == tlbsLF ? u"\n" : style == tlbsCRLF ? u"\r\n" : u"\r";
    std::u16string out;
    out.reserve(static_cast<size_t>(UvxAdjustLineBreaksLength(s, style)));
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        if (c == u'\r' || c == u'\n' || c == 0x2028) {
            if (c == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
            out += brk;
        } else {
            out += c;
        }
    }
    return out;
}

std::u16string WideWrapText(const std::u16string& line, const std::u16string& breakStr, const std::string& breakChars,
                            int maxCol) {
    auto isBreakChar = [&](char16_t c) {
        return c != 0 && c <= 255 && breakChars.find(static_cast<char>(c)) != std::string::npos;
    };
    auto isQuote = [](char16_t c) { return c == u'"' || c == u'\''; };
    // 1-based positions, as the algorithm is usually told.
    auto at = [&](int pos) { return line[static_cast<size_t>(pos - 1)]; };
    int lineLen = static_cast<int>(line.size()), breakLen = static_cast<int>(breakStr.size());
    int col = 1, pos = 1, linePos = 1, breakPos = 0;
    char16_t quoteChar = u' ';
    bool existingBreak = false;
    std::u16string result;
    while (pos <= lineLen) {
        char16_t c = at(pos);
        if (breakLen > 0 && c == breakStr[0]) {
            if (quoteChar == u' ') {
                existingBreak = WideSameText(line.substr(static_cast<size_t>(pos - 1), breakStr.size()), breakStr);
                if (existingBreak) {
                    pos += breakLen - 1;
                    breakPos = pos;
                }
            }
        } else if (isBreakChar(c)) {
            if (quoteChar == u' ') breakPos = pos;
        } else if (isQuote(c)) {
            if (c == quoteChar) quoteChar = u' ';
            else if (quoteChar == u' ') quoteChar = c;
        }
        ++col;
        ++pos;
        if (quoteChar == u' ' && (existingBreak || (col > maxCol && breakPos > linePos))) {
            col = pos - breakPos;
            result += line.substr(static_cast<size_t>(linePos - 1), static_cast<size_t>(breakPos - linePos + 1));
            if (!isQuote(c)) {
                while (pos <= lineLen) {
                    if (isBreakChar(at(pos))) ++pos;
                    else if (pos < lineLen && at(pos) == u'\r' && at(pos + 1) == u'\n') pos += 2;
                    else break;
                }
            }
            if (!existingBreak && pos < lineLen) result += breakStr;
            ++breakPos;
            linePos = breakPos;
            existingBreak = false;
        }
    }
    if (linePos <= lineLen) result += line.substr(static_cast<size_t>(linePos - 1));
    return result;
}

std::u16string WideWrapText(const std::u16string& line, int maxCol) {
    return WideWrapText(line, u"\r\n", std::string("\t -"), maxCol);
}
