#include "framework/WinText.h"

std::string WideToAnsi(const std::u16string& s, UINT codePage, bool* usedDefault) {
    if (usedDefault) *usedDefault = false;
    if (s.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, WC(s), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    BOOL used = FALSE;
    WideCharToMultiByte(codePage, 0, WC(s), static_cast<int>(s.size()), out.data(), n, nullptr,
                        usedDefault ? &used : nullptr);
    if (usedDefault) *usedDefault = used != FALSE;
    return out;
}

std::u16string AnsiToWide(const std::string& s, UINT codePage) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0) return {};
    std::u16string out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}
