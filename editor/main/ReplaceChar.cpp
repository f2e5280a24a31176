#include "editor/main/ReplaceChar.h"

#include <cstddef>

// Both stop at the first zero as it stood on entry: replacing a character by
// zero must not make the rest of the text unreachable half-way, nor replacing
// zero run past the end.
char16_t* ReplaceCharW(char16_t* text, char16_t from, char16_t to) {
    if (!text) return text;
    size_t n = 0;
    while (text[n]) ++n;
    for (size_t i = 0; i < n; ++i)
        if (text[i] == from) text[i] = to;
    return text;
}

char* ReplaceCharA(char* text, char from, char to) {
    if (!text) return text;
    size_t n = 0;
    while (text[n]) ++n;
    for (size_t i = 0; i < n; ++i)
        if (text[i] == from) text[i] = to;
    return text;
}
