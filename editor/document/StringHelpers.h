#pragma once
// The two 8-bit string operations the language-pack reader needs. Positions
// are 1-based, like the framework's strings.
#include <cstdint>
#include <string>

// True when s begins with prefix (exact, case-sensitive); an empty prefix
// always matches and a prefix longer than s never does.
bool startsWith(const std::string& s, const std::string& prefix);
// The characters of s from the 1-based position p to the end; empty when p
// lies past the end. A position below 1 counts as 1.
std::string rightFrom(const std::string& s, int32_t p);
