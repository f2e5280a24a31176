#include "editor/main/StatusTexts.h"

#include <cinttypes>
#include <cstdio>

std::string PositionDecimalText(int64_t position) { return std::to_string(position); }

std::string PositionHexadecimalText(int64_t position) {
    char text[24];
    std::snprintf(text, sizeof text, "%" PRIX64, static_cast<uint64_t>(position));
    return text;
}

std::string StatusDecimalText(int64_t shownPosition) { return PositionDecimalText(shownPosition); }
std::string StatusHexadecimalText(int64_t shownPosition) { return "0x" + PositionHexadecimalText(shownPosition); }
