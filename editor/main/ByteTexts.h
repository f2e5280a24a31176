#pragma once
// Byte ranges to texts: the editor's own clipboard format (hexadecimal
// pairs) and its way back, the plain-text rendering of a copy, the number
// lists, the adapted text and the dumps. Each text is built in one buffer
// sized beforehand, in time linear in the range.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The editor's own bytes on the clipboard, beside the plain text.
constexpr unsigned ClipboardBytesFormat = 129;  // CF_DSPTEXT
constexpr unsigned ClipboardTextFormat = 1;     // CF_TEXT

// Each byte as two upper-case hexadecimal digits, no separators.
std::string BytesToHexPairs(const uint8_t* bytes, int32_t count);
// The bytes of a text of hexadecimal pairs (length / 2 bytes; an odd last
// character is ignored). A pair that is not hexadecimal raises the
// exception of "NOTHEXADECIMAL"; out is then left as it was.
void HexPairsToBytes(std::string_view text, std::vector<uint8_t>& out);

// The byte views of the main window.
enum class ByteViewKind { Text = 0, Decimal = 1, Hexadecimal = 2 };
// The plain-text rendering of copied bytes by the active view: numbers
// separated by single blanks, or the bytes themselves up to the first zero.
std::string CopyTextRendering(ByteViewKind view, const uint8_t* bytes, int32_t count);

enum class NumberForm { Decimal, Hexadecimal, Binary };
// The "numbers per line" setting: 0 for "Don't add Enters", or 4, 8, 16.
// True when a line ends after the count-th number (counted from 1).
bool LineBreakAfter(int32_t count, int numbersPerLine);
// The range as numbers: a line break (CR LF) after every number where
// LineBreakAfter holds, else a blank between numbers.
std::string NumberListText(NumberForm form, const uint8_t* bytes, int32_t count, int numbersPerLine);
// Every byte as its character, a zero byte as replaceValue.
std::string AdaptedText(const uint8_t* bytes, int32_t count, uint8_t replaceValue);
// The dump of document positions first..last (inclusive) of a document of
// documentSize bytes at doc: lines of 16 columns with the characters (below
// 32 as replaceValue) and the hexadecimal pairs, with or without an offset
// column; every line ends with CR LF.
std::string DumpText(const uint8_t* doc, int32_t documentSize, int32_t first, int32_t last, bool withOffsets,
                     uint8_t replaceValue);
// A position in decimal or in upper-case hexadecimal without prefix.
std::string PositionText(int32_t position, bool hexadecimal);
