#pragma once
// Case mapping and comparison of wide texts, the same in every build: ASCII,
// Latin-1, Latin Extended-A, Greek and Cyrillic letters are mapped; others stand.
#include <string>

char16_t WideUpperChar(char16_t c);
char16_t WideLowerChar(char16_t c);
std::u16string WideUpperCase(const std::u16string& s);
std::u16string WideLowerCase(const std::u16string& s);
// Ordinal comparison: < 0, 0 or > 0.
int WideCompareStr(const std::u16string& a, const std::u16string& b);
// The same after upper-casing both.
int WideCompareText(const std::u16string& a, const std::u16string& b);
bool WideSameText(const std::u16string& a, const std::u16string& b);
