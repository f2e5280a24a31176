// The code pages of the Windows build: the system's own conversions.
#include <windows.h>

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
