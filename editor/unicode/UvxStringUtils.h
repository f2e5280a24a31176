#pragma once
// Everyday wide-string functions: case, character types, search, replace,
// line breaks and wrapping.
#include <cstdint>
#include <string>

std::u16string Uvx_WideUpperCase(const std::u16string& s);
std::u16string Uvx_WideLowerCase(const std::u16string& s);
// Last character, 0 for an empty text.
char16_t UvxWideLastChar(const std::u16string& s);
// Position (from 1) of subStr in s without regard to case; 0 when absent.
int WideTextPos(const std::u16string& subStr, const std::u16string& s);
bool IsRTF(const std::u16string& s);

// Character types of the system (thread locale).
bool IsWideCharUpper(char16_t c);
bool IsWideCharLower(char16_t c);
bool IsWideCharDigit(char16_t c);
bool IsWideCharSpace(char16_t c);
bool IsWideCharPunct(char16_t c);
bool IsWideCharCntrl(char16_t c);
bool IsWideCharBlank(char16_t c);
bool IsWideCharXDigit(char16_t c);
bool IsWideCharAlpha(char16_t c);
bool IsWideCharAlphaNumeric(char16_t c);
// Whether the system code page holds the character (all characters of the text).
bool IsWideCharMappableToAnsi(char16_t c);
bool IsWideStringMappableToAnsi(const std::u16string& s);

// The framework's replace flags.
enum : uint32_t { rfReplaceAll = 1, rfIgnoreCase = 2 };
// With an empty oldPattern the text comes back unchanged.
std::u16string Uvx_WideStringReplace(const std::u16string& s, const std::u16string& oldPattern,
                                     const std::u16string& newPattern, uint32_t flags, bool wholeWord);

enum TUvxTextLineBreakStyle { tlbsLF = 0, tlbsCRLF = 1, tlbsCR = 2 };
// Every CR LF, lone CR, lone LF and U+2028 written in the chosen style.
int32_t UvxAdjustLineBreaksLength(const std::u16string& s, TUvxTextLineBreakStyle style);
std::u16string UvxAdjustLineBreaks(const std::u16string& s, TUvxTextLineBreakStyle style);

// Cuts lines longer than maxCol at break characters (8-bit set) or existing
// breaks, never inside quotes; breakStr goes between the pieces.
std::u16string WideWrapText(const std::u16string& line, const std::u16string& breakStr, const std::string& breakChars,
                            int maxCol);
std::u16string WideWrapText(const std::u16string& line, int maxCol);
