// The code pages of the Windows build: the system's own conversions.
#include <windows.h>

#include <string>

#include "editor/unicode/UvxCodePage.h"
#include "framework/WinText.h"

namespace {
class SystemPages : public IUvxCodePages {
public:
    SystemPages() : FAcp(GetACP()) {}
    uint32_t SystemCodePage() const override { return FAcp; }
    std::u16string ToWide(const std::string& s, uint32_t codePage) const override {
        return AnsiToWide(s, codePage);
    }
    std::string FromWide(const std::u16string& s, uint32_t codePage, bool* usedDefault) const override {
        return WideToAnsi(s, codePage, usedDefault);
    }
    bool Represents(const std::u16string& s, uint32_t codePage) const override {
        if (s.empty() || codePage == CP_UTF7_ || codePage == CP_UTF8_) return true;
        // Without WC_NO_BEST_FIT_CHARS the system quietly writes a look-alike
        // for a character the code page lacks (U+0107 as 'c') and reports no
        // default character used.
        int n = static_cast<int>(s.size());
        std::string out(s.size() * 4, '\0');
        BOOL usedDefault = FALSE;
        int written = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, WC(s), n, out.data(),
                                          static_cast<int>(out.size()), nullptr, &usedDefault);
        return written > 0 && !usedDefault;
    }
    uint16_t CharType(char16_t c) const override {
        WORD type = 0;
        wchar_t ch = static_cast<wchar_t>(c);
        GetStringTypeExW(GetThreadLocale(), CT_CTYPE1, &ch, 1, &type);
        return type;
    }

private:
    uint32_t FAcp;
};
}  // namespace

IUvxCodePages& SystemUvxCodePages() {
    static SystemPages pages;
    return pages;
}
