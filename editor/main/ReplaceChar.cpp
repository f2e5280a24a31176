#include "editor/main/ReplaceChar.h"

#include <cstddef>

namespace {
// Stops at the first zero as it stood on entry: replacing a character by zero
// must not cut the rest of the text off half-way, nor replacing zero run
// past the end.
template <class Char>
Char* ReplaceChar(Char* text, Char from, Char to) {
    if (!text) return text;
    size_t n = 0;
    while (text[n]) ++n;
    for (size_t i = 0; i < n; ++i)
        if (text[i] == from) text[i] = to;
    return text;
}
}  // namespace

char16_t* ReplaceCharW(char16_t* text, char16_t from, char16_t to) { return ReplaceChar(text, from, to); }
char* ReplaceCharA(char* text, char from, char to) { return ReplaceChar(text, from, to); }
