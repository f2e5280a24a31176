// The code pages of the Windows build: the system's own conversions.
#include <windows.h>

#include "editor/unicode/UvxCodePage.h"

namespace {
class SystemPages : public IUvxCodePages {
public:
    SystemPages() : FAcp(GetACP()) {}
    uint32_t SystemCodePage() const override { return FAcp; }
    std::u16string ToWide(const std::string& s, uint32_t codePage) const override {
        if (s.empty()) return {};
        int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
        std::u16string out(static_cast<size_t>(n > 0 ? n : 0), u'\0');
        if (n > 0)
            MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()),
                                reinterpret_cast<wchar_t*>(out.data()), n);
        return out;
    }
    std::string FromWide(const std::u16string& s, uint32_t codePage, bool* usedDefault) const override {
        if (usedDefault) *usedDefault = false;
        if (s.empty()) return {};
        auto* w = reinterpret_cast<const wchar_t*>(s.data());
        int n = WideCharToMultiByte(codePage, 0, w, static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
        BOOL used = FALSE;
        if (n > 0)
            WideCharToMultiByte(codePage, 0, w, static_cast<int>(s.size()), out.data(), n, nullptr,
                                usedDefault ? &used : nullptr);
        if (usedDefault) *usedDefault = used != FALSE;
        return out;
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
