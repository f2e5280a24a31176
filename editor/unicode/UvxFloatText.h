#pragma once
// Numbers as text with '.' as the decimal separator, whatever the locale says.
#include <string>

#include "framework/SysUtils.h"

// The format settings of English (United States) with '.' as decimal
// separator, read once and again after every system setting change (when
// _SettingChangeTime moved on).
const TFormatSettings& EnsureLocaleSettingsUS();

std::string ENG_US_FloatToStr(double value);
// Falls back to the locale's own format; raises EConvertError for text that is no number.
double ENG_US_StrToFloat(const std::string& s);
