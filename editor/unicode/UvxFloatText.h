#pragma once
// Numbers as text with '.' as the decimal separator, whatever the locale says.
#include <string>

std::string ENG_US_FloatToStr(double value);
// Falls back to the locale's own format; raises EConvertError for text that is no number.
double ENG_US_StrToFloat(const std::string& s);
