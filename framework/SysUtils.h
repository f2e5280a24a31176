#pragma once
// Number and text conversions of the framework.
#include <cstdint>
#include <string>

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    // The order of day, month and year comes from the first of 'd', 'M' and
    // 'y' in it.
    std::string ShortDateFormat = "M/d/yyyy";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
};
// The user's locale settings; the Windows shell fills them at start-up.
extern TFormatSettings FormatSettings;
// The settings of a locale (a Windows locale identifier; 0x0409 is English,
// United States). Without the system's locales (the native build) every
// locale reads as English (United States).
TFormatSettings GetLocaleFormatSettings(uint32_t lcid);

std::string IntToStr(int64_t value);
std::string IntToHex(int64_t value, int digits);
// Decimal, or hexadecimal after "$" or "0x"; an optional sign; no blanks
// after the number. Raises EConvertError for anything else or out of range.
int32_t StrToInt(const std::string& text);
int32_t StrToIntDef(const std::string& text, int32_t def);
bool TryStrToInt(const std::string& text, int32_t& value);
int64_t StrToInt64(const std::string& text);
bool TryStrToInt64(const std::string& text, int64_t& value);

// 15 significant digits; fixed notation for decimal exponents -5 to 14,
// otherwise mantissa, "E" and exponent ("1E20", "1.5E-6"). NaN and the
// infinities raise EConvertError.
std::string FloatToStr(double value);
std::string FloatToStr(double value, const TFormatSettings& settings);
// Reads a number written with the locale's decimal separator and an optional
// exponent; surrounding blanks are allowed. Raises EConvertError otherwise.
double StrToFloat(const std::string& text);
bool TryStrToFloat(const std::string& text, double& value);
bool TryStrToFloat(const std::string& text, double& value, const TFormatSettings& settings);

std::string Trim(const std::string& s);
std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
bool SameText(const std::string& a, const std::string& b);
int CompareText(const std::string& a, const std::string& b);
