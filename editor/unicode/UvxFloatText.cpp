#include "editor/unicode/UvxFloatText.h"

#include <algorithm>

#include "framework/SysUtils.h"

std::string ENG_US_FloatToStr(double value) {
    std::string s = FloatToStr(value);
    std::replace(s.begin(), s.end(), FormatSettings.DecimalSeparator, '.');
    return s;
}

double ENG_US_StrToFloat(const std::string& s) {
    TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = '.';
    double value = 0;
    bool ok = TryStrToFloat(s, value);
    FormatSettings = saved;
    return ok ? value : StrToFloat(s);
}
