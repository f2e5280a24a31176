#pragma once
// Number texts to bytes: the parsers behind the imports from the clipboard
// and from files, the data types editor and the search and replace data.
// Each takes an 8-bit text and gives the bytes (multi-byte values
// little-endian, one after the other) and their count, or -1 when the text
// is not valid. Numbers are separated by blanks; CR and LF count as blanks;
// characters 0 to 32 at both ends are ignored; a tab between numbers makes
// the text invalid. Every parser runs in time linear in the text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class NumberKind {
    Int8Unsigned,
    Int8Signed,
    Int16Unsigned,
    Int16Signed,
    Int32Unsigned,
    Int32Signed,
    Float32,
    Float64,
    Hexadecimal,
    Binary,
};

// The number of values in a text: 1 plus the number of blanks that follow a
// character other than a blank (after the preparation above). An empty text
// counts 1.
int32_t CountNumbers(std::string_view text);

int32_t ParseInt8List(std::string_view text, std::vector<uint8_t>& out, bool isSigned);
int32_t ParseInt16List(std::string_view text, std::vector<uint8_t>& out, bool isSigned);
int32_t ParseInt32List(std::string_view text, std::vector<uint8_t>& out, bool isSigned);
// Floats with the locale's decimal separator and an optional exponent; a
// value the type cannot hold is refused.
int32_t ParseFloat32List(std::string_view text, std::vector<uint8_t>& out);
int32_t ParseFloat64List(std::string_view text, std::vector<uint8_t>& out);
// Hexadecimal digits, two per byte over the text joined at its blanks; a
// one-digit number gets a leading 0, a three-digit one is refused. An empty
// text gives 0 bytes.
int32_t ParseHexBytes(std::string_view text, std::vector<uint8_t>& out);
// Binary digits, eight per byte, blanks ignored. An empty text gives 0 bytes.
int32_t ParseBinaryBytes(std::string_view text, std::vector<uint8_t>& out);

int32_t ParseNumbers(NumberKind kind, std::string_view text, std::vector<uint8_t>& out);

// What the user is told when a text of the kind is refused: "That is not
// correct." and the kind's advice, from the language table.
std::string ImportRefusal(NumberKind kind);

// The text of a file for an import: its bytes up to the first zero byte.
std::string_view TextUpToFirstZero(std::string_view bytes);
