#pragma once
// Selections counted in wide characters against windows that count in bytes
// of the system code page (the 8-bit platforms), where a character may take
// two bytes.
#include <string>

// The wide position of a byte position in the 8-bit text.
int WideSelStartFromAnsi(const std::string& ansiText, int byteStart);
// The byte position of a wide position in the wide text.
int AnsiSelStartFromWide(const std::u16string& wideText, int wideStart);
// The bytes that count wide characters from wide position start take.
int AnsiSelLengthFromWide(const std::u16string& wideText, int wideStart, int wideLength);
