#pragma once
// Dates and times as the framework reads them from 8-bit text, in the order
// and with the separators of the format settings: "3/15/2024", "7:05 PM",
// "7:05:09.250", "3/15/2024 7:05". A value counts days since 30 December
// 1899, the time of day as its fraction.
#include <string>

#include "framework/SysUtils.h"

// Years 1 to 9999; false for a day that does not exist.
bool TryEncodeDate(int year, int month, int day, double& value);
// Hours 0-23, minutes and seconds 0-59, milliseconds 0-999.
bool TryEncodeTime(int hour, int minute, int second, int millisecond, double& value);

// Day, month and year as numbers between date separators; a missing year is
// this year's, a year of one or two digits the nearest such year within 50
// years of this one.
bool TryStrToDate(const std::string& text, double& value, const TFormatSettings& settings = FormatSettings);
// Hours and minutes, then seconds and a fraction of a second after the
// decimal separator if given, then the morning or afternoon mark if any.
bool TryStrToTime(const std::string& text, double& value, const TFormatSettings& settings = FormatSettings);
// A date with or without a time after it, or a time alone.
bool TryStrToDateTime(const std::string& text, double& value, const TFormatSettings& settings = FormatSettings);
