#pragma once
// The texts of the status bar's position panels and of the position copies.
#include <cstdint>
#include <string>

// Panel 1: the position shown (cursor plus the first byte number) in decimal.
std::string StatusDecimalText(int64_t shownPosition);
// Panel 2: "0x" and upper-case hexadecimal without leading zeros.
std::string StatusHexadecimalText(int64_t shownPosition);
// The copies from the status bar's menu: no prefix, no leading zeros.
std::string PositionDecimalText(int64_t position);
std::string PositionHexadecimalText(int64_t position);
