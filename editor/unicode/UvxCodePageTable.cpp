// The code pages outside Windows: code page 1252 from the framework's table,
// and character types for the Latin-1 range (anything above it is taken as a letter
// when the case mapping knows it, else as no type).
#include "editor/unicode/UvxCodePage.h"
#include "framework/CodePage1252.h"
#include "framework/WideCase.h"

namespace {
class Cp1252Pages : public IUvxCodePages {
public:
    uint32_t SystemCodePage() const override { return 1252; }
    std::u16string ToWide(const std::string& s, uint32_t) const override { return Cp1252ToWide(s); }
    std::string FromWide(const std::u16string& s, uint32_t, bool* usedDefault) const override {
        return WideToCp1252(s, usedDefault);
    }
    uint16_t CharType(char16_t c) const override {
        uint16_t t = 0;
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) t |= C1Cntrl;
        if ((c >= 9 && c <= 13) || c == 0x20 || c == 0xA0) t |= C1Space;
        if (c == 9 || c == 0x20 || c == 0xA0) t |= C1Blank;
        if (c >= u'0' && c <= u'9') t |= C1Digit | C1XDigit;
        if ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')) t |= C1XDigit;
        bool upper = WideLowerChar(c) != c, lower = WideUpperChar(c) != c || c == 0xDF;
        if (upper) t |= C1Upper | C1Alpha;
        if (lower) t |= C1Lower | C1Alpha;
        if (!(t & (C1Alpha | C1Digit | C1Cntrl | C1Space)) && c >= 0x21 && c <= 0xBF) t |= C1Punct;
        if (c == 0xD7 || c == 0xF7) t |= C1Punct;
        return t;
    }
};
}  // namespace

IUvxCodePages& SystemUvxCodePages() {
    static Cp1252Pages pages;
    return pages;
}
