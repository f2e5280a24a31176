#pragma once
// Checks of number texts typed or pasted by the user: decimal integers
// within a range and eight-digit binary bytes.
#include <cstdint>
#include <string_view>

// The text, with blanks trimmed at both ends, is an optional minus sign and
// one or more decimal digits whose value lies in [min, max].
bool IsSignedInRange(std::string_view text, int32_t min, int32_t max);
// The same for an unsigned range; a negative value is out of range, "-0" is 0.
bool IsUnsignedInRange(std::string_view text, uint32_t min, uint32_t max);
// Exactly eight characters, each "0" or "1"; nothing is trimmed.
bool IsBinaryByte(std::string_view text);

// Reads [begin, end) as IsSignedInRange does, without the range: blanks
// trimmed, an optional minus, digits. False for anything else or for a value
// whose magnitude passes 2^40 (no range checked here comes near it).
bool ReadDecimalInteger(const char* begin, const char* end, int64_t& value);
