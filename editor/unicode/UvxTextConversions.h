#pragma once
// Wide text to and from its 8-bit forms: a code page, UTF-8, UTF-7 (RFC 2152)
// and raw UCS-2 bytes.
#include <cstdint>
#include <string>

std::string WideStringToUTF8(const std::u16string& s);
std::u16string UTF8ToWideString(const std::string& s);
// Optional direct characters are written as they stand; a shift sequence is
// closed with '-' only where the next character would otherwise join it.
std::string WideStringToUTF7(const std::u16string& s);
// Raises EUvxGeneralError "Invalid UTF7" for malformed input.
std::u16string UTF7ToWideString(const std::string& s);
// CodePage 65000 is UTF-7, 65001 UTF-8, anything else a code page of the system.
std::u16string StringToWideStringEx(const std::string& s, uint32_t codePage);
std::string WideStringToStringEx(const std::u16string& ws, uint32_t codePage);
// The bytes taken as UTF-16 little endian; an odd last byte is dropped.
std::u16string UCS2ToWideString(const std::string& s);
std::string WideStringToUCS2(const std::u16string& ws);
// Swaps the two bytes of every character of a null-terminated text in place.
void StrSwapByteOrder(char16_t* str);
