#pragma once
// Null-terminated wide texts (char16_t pointers) and string arrays: texts
// ended by 0, the array ended by an empty text, as in the shell's file lists.
#include <string>
#include <vector>

int Uvx_WStrComp(const char16_t* s1, const char16_t* s2);
// The first occurrence of subStr in str, or null.
const char16_t* Uvx_WStrPos(const char16_t* str, const char16_t* subStr);
// Copies source with its terminator; returns dest's terminator.
char16_t* WStrECopy(char16_t* dest, const char16_t* source);
// The last chr in str, null when absent; for chr 0 the terminator.
const char16_t* WStrRScan(const char16_t* str, char16_t chr);
// Appends at most maxLen minus the length of dest characters of source, terminated.
char16_t* WStrLCat(char16_t* dest, const char16_t* source, int maxLen);
std::u16string WStrPas(const char16_t* str);
size_t WStrLen(const char16_t* str);

// The whole array as one string, inner terminators and the two final nulls included.
std::u16string ExtractStringArrayStr(const char16_t* p);
// The text up to the next separator (0 for a string array); p moves past it, or
// stays on the terminator when there is none.
std::u16string ExtractStringFromStringArray(const char16_t*& p, char16_t separator = 0);
std::vector<std::u16string> ExtractStringsFromStringArray(const char16_t* p, char16_t separator = 0);
