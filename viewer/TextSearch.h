#pragma once
// Finding and counting a word in a text. The letters a-z and A-Z match
// without regard to case; every other byte matches only itself. Positions
// are 1-based; 0 means not found.
#include <cstdint>
#include <string>

int32_t FindText(const std::string& text, const std::string& word);
// Non-overlapping occurrences, scanning on right after each one found.
int32_t CountOccurrences(const std::string& text, const std::string& word);
// The text from the 1-based position to its end.
std::string CopyFrom(const std::string& text, int32_t position);
