#pragma once
// Wide texts are UTF-16 std::u16string everywhere; at a Win32 call they become
// wchar_t pointers (16 bits on Windows). 8-bit texts are in the ANSI code page.
#include <windows.h>

#include <string>

inline const wchar_t* WC(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline std::u16string U16(const wchar_t* s) {
    return s ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string();
}
inline std::u16string U16(const wchar_t* s, size_t n) {
    return std::u16string(reinterpret_cast<const char16_t*>(s), n);
}

// Conversions through a code page (the system's ANSI code page by default).
// Characters the code page lacks become its default character.
// usedDefault, when given, tells whether any character was missing.
std::string WideToAnsi(const std::u16string& s, UINT codePage = CP_ACP, bool* usedDefault = nullptr);
std::u16string AnsiToWide(const std::string& s, UINT codePage = CP_ACP);
