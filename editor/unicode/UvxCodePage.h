#pragma once
// Code pages and character types behind one small interface: the system's
// conversions (MultiByteToWideChar, GetStringTypeExW) in the Windows build, a
// code page 1252 table elsewhere. Tests may put in their own.
#include <cstdint>
#include <string>

constexpr uint32_t CP_UTF7_ = 65000;
constexpr uint32_t CP_UTF8_ = 65001;

// The character type bits (CT_CTYPE1) of the system.
enum : uint16_t {
    C1Upper = 0x1, C1Lower = 0x2, C1Digit = 0x4, C1Space = 0x8, C1Punct = 0x10,
    C1Cntrl = 0x20, C1Blank = 0x40, C1XDigit = 0x80, C1Alpha = 0x100,
};

class IUvxCodePages {
public:
    virtual ~IUvxCodePages() = default;
    // The system's ANSI code page.
    virtual uint32_t SystemCodePage() const = 0;
    // Bytes in codePage (never UTF-7 or UTF-8 here) to UTF-16.
    virtual std::u16string ToWide(const std::string& s, uint32_t codePage) const = 0;
    // UTF-16 to codePage; characters it lacks become its default character and
    // set usedDefault.
    virtual std::string FromWide(const std::u16string& s, uint32_t codePage, bool* usedDefault) const = 0;
    // Whether every character of s has its own code in codePage: one the
    // code page lacks counts as missing even where a look-alike would stand in.
    virtual bool Represents(const std::u16string& s, uint32_t codePage) const {
        bool usedDefault = false;
        FromWide(s, codePage, &usedDefault);
        return !usedDefault;
    }
    // The CT_CTYPE1 bits of one character.
    virtual uint16_t CharType(char16_t c) const = 0;
};

// The converter in use; SetUvxCodePages(nullptr) brings back the system's.
IUvxCodePages& UvxCodePages();
void SetUvxCodePages(IUvxCodePages* pages);
// The converter of this build (Windows: the system's; elsewhere: the 1252 table).
IUvxCodePages& SystemUvxCodePages();

// The system ANSI code page, read once; every "system code page" conversion uses it.
uint32_t DefaultSystemCodePage();
// Conversions through the system code page.
std::u16string AnsiToWideSys(const std::string& s);
std::string WideToAnsiSys(const std::u16string& s);
