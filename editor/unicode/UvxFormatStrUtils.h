#pragma once
// Format strings of Format ("%" [index ":"] ["-"] [width] ["." precision]
// type): rewritten with explicit argument indexes, and two of them compared
// argument by argument, so that a translated text uses the same arguments,
// by index and kind, as the text it replaces.
#include <string>

#include "editor/unicode/UvxErrors.h"

TQ_EXCEPTION_CLASS(EFormatSpecError, EUvxGeneralError)

// The format string with an index in front of every specifier that lacks
// one; fmt itself when it needs no change.
std::u16string GetCanonicalFormatStr(const std::u16string& fmt);
// Returns when both use the same argument indexes with the same kinds;
// EFormatSpecError otherwise.
void CompareFormatStrings(const std::u16string& fmt1, const std::u16string& fmt2);
// The same test as a boolean; a bad specifier, or one index used with two
// kinds inside one string, still raises.
bool FormatStringsAreCompatible(const std::u16string& fmt1, const std::u16string& fmt2);
