#pragma once
// Dates, currency, locale texts and locale comparisons of wide texts.
#include <windows.h>

#include <cstdint>
#include <string>

// Kinds of StrToDateTimeKind: 0 date and time, 1 time only, 2 date only.
HRESULT StrToDateTimeKind(const std::u16string& s, DWORD kind, double& value);
bool UvxTryStrToDateTime(const std::u16string& s, double& value);
bool UvxTryStrToDate(const std::u16string& s, double& value);
bool UvxTryStrToTime(const std::u16string& s, double& value);
bool ValidDateTimeStr(const std::u16string& s);
bool ValidDateStr(const std::u16string& s);
bool ValidTimeStr(const std::u16string& s);
double UvxStrToDateTimeDef(const std::u16string& s, double def);
double UvxStrToDateDef(const std::u16string& s, double def);
double UvxStrToTimeDef(const std::u16string& s, double def);
// Raise EConvertError: "'%s' is not a valid date and time" (date, time) after the system's reason.
double UvxStrToDateTime(const std::u16string& s);
double UvxStrToDate(const std::u16string& s);
double UvxStrToTime(const std::u16string& s);

// Currency: a 64-bit integer scaled by 10000.
int64_t UvxStrToCurr(const std::u16string& s);
bool ValidCurrencyStr(const std::u16string& s);
int64_t UvxStrToCurrDef(const std::u16string& s, int64_t def);
// Formats with the thread's locale and format (null: the locale's own).
std::u16string UvxCurrToStr(int64_t value, const CURRENCYFMTW* format);
// The locale's currency format; its texts belong to the calling thread until it asks again.
CURRENCYFMTW GetDefaultCurrencyFmt();
std::u16string WideGetLocaleStr(LCID locale, LCTYPE localeType, const std::u16string& def);

// Locale comparison of at most maxLen characters (2147483647: whole texts): -1, 0, 1.
int CompareWideN(const char16_t* s1, const char16_t* s2, int maxLen, DWORD flags);
int WStrLComp(const char16_t* s1, const char16_t* s2, int maxLen);
int WStrLIComp(const char16_t* s1, const char16_t* s2, int maxLen);
int WStrIComp(const char16_t* s1, const char16_t* s2);
char16_t* WStrLower(char16_t* str);
char16_t* WStrUpper(char16_t* str);
