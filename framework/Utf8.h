#pragma once
// The framework's UTF-8 encoder and decoder for wide (UTF-16) texts.
#include <string>

// Unpaired surrogates are encoded as they stand (three bytes each).
std::string UTF8Encode(const std::u16string& s);
// Malformed bytes decode to U+FFFD, one per bad sequence; nothing is dropped silently.
std::u16string UTF8Decode(const std::string& s);
