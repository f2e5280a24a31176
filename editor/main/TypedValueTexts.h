#pragma once
// The selection read as typed values (8, 16 or 32-bit integers, signed or
// unsigned, 32 or 64-bit floats, little-endian) and written as decimal text
// for the clipboard, laid out by the "numbers per line" setting.
#include <cstdint>
#include <string>

enum class TypedKind { UInt8, Int8, UInt16, Int16, UInt32, Int32, Float32, Float64 };

int TypedWidth(TypedKind kind);

// Empty when a selection of this size may be copied as the kind; else the
// message that refuses it ("Make a selection with a size that is divisible
// by four. The selection size is 6 bytes."). The 8-bit kinds take any range.
std::string TypedSizeRefusal(TypedKind kind, bool selectionActive, int32_t selectionSize);

// The values of count bytes (a whole number of elements) as text: elements
// separated by a blank, or by CR LF before element k when k is a multiple of
// numbersPerLine (0: never). A float that cannot be written stands as the
// text of "INVALID". The unsigned 8-bit kind is the decimal number list.
std::string TypedValuesText(TypedKind kind, const uint8_t* bytes, int32_t count, int numbersPerLine);
