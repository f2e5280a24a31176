#pragma once
// Splitting a wide command line into arguments by the runtime's rules:
// blanks separate, quotes group and are dropped, "" between arguments is skipped.
#include <string>

// One argument starting at pos; pos moves behind it. Empty at the end.
std::u16string NextWideParam(const std::u16string& commandLine, size_t& pos);
// Arguments after the program name.
int WideParamCountOf(const std::u16string& commandLine);
// Index 1 and up: the n-th argument after the program name; empty beyond the last.
// Index 0 is the program name as written (WideParamStr gives the module path instead).
std::u16string WideParamStrOf(const std::u16string& commandLine, int index);
