#pragma once
// Format for wide texts: "%" [index ":"] ["-"] [width] ["." precision] type,
// width and precision also "*" (taken from the arguments); types d, u, x
// (integers; the precision is the least number of digits), e, f, g, n
// (numbers; n with thousands separators) and s (texts; the precision is
// the most characters); "%%" is a "%".
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

using TWideFormatArg = std::variant<int64_t, double, std::u16string>;
using TWideFormatArgs = std::vector<TWideFormatArg>;

// EConvertError "Format '<fmt>' invalid or incompatible with argument" for a
// bad specifier or an argument of the wrong kind, "No argument for format
// '<fmt>'" when the arguments run out.
std::u16string WideFormat(const std::u16string& fmt, const TWideFormatArgs& args);
