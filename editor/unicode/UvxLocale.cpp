#include "editor/unicode/UvxLocale.h"

#include <oleauto.h>

#include <algorithm>
#include <climits>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxFloatText.h"
#include "editor/unicode/UvxSysUtils.h"
#include "editor/unicode/UvxWideStrUtils.h"
#include "editor/unicode/UvxWindows.h"
#include "framework/DateTimeText.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"
#include "framework/WinStreams.h"
#include "framework/WinText.h"

// The system's parser first; what it refuses, the framework's 8-bit parsers
// may still read in the user's format settings (a time with a fraction of a
// second, a date in the order and with the separator the settings name).
HRESULT StrToDateTimeKind(const std::u16string& s, DWORD kind, double& value) {
    DATE date = 0;
    HRESULT hr = VarDateFromStr(const_cast<OLECHAR*>(WC(s)), GetThreadLocale(), kind, &date);
    if (SUCCEEDED(hr)) {
        value = date;
        return hr;
    }
    std::string ansi = WideToAnsiSys(s);
    bool read = kind == VAR_TIMEVALUEONLY   ? TryStrToTime(ansi, value)
                : kind == VAR_DATEVALUEONLY ? TryStrToDate(ansi, value)
                                            : TryStrToDateTime(ansi, value);
    return read ? S_OK : hr;
}

bool UvxTryStrToDateTime(const std::u16string& s, double& value) { return SUCCEEDED(StrToDateTimeKind(s, 0, value)); }
bool UvxTryStrToDate(const std::u16string& s, double& value) {
    return SUCCEEDED(StrToDateTimeKind(s, VAR_DATEVALUEONLY, value));
}
bool UvxTryStrToTime(const std::u16string& s, double& value) {
    return SUCCEEDED(StrToDateTimeKind(s, VAR_TIMEVALUEONLY, value));
}
bool ValidDateTimeStr(const std::u16string& s) { double v; return UvxTryStrToDateTime(s, v); }
bool ValidDateStr(const std::u16string& s) { double v; return UvxTryStrToDate(s, v); }
bool ValidTimeStr(const std::u16string& s) { double v; return UvxTryStrToTime(s, v); }
double UvxStrToDateTimeDef(const std::u16string& s, double def) { double v; return UvxTryStrToDateTime(s, v) ? v : def; }
double UvxStrToDateDef(const std::u16string& s, double def) { double v; return UvxTryStrToDate(s, v) ? v : def; }
double UvxStrToTimeDef(const std::u16string& s, double def) { double v; return UvxTryStrToTime(s, v) ? v : def; }

namespace {
[[noreturn]] void RaiseConvert(HRESULT hr, const char* what, const std::u16string& s) {
    std::string reason = "System Error.  Code: " + std::to_string(static_cast<long>(hr)) + ".\r\n" +
                         SysErrorMessage(static_cast<DWORD>(hr));
    throw EConvertError(reason + "\r\n'" + WideToAnsiSys(s) + "' is not a valid " + what);
}

double ParseOrRaise(const std::u16string& s, DWORD kind, const char* what) {
    double v = 0;
    HRESULT hr = StrToDateTimeKind(s, kind, v);
    if (FAILED(hr)) RaiseConvert(hr, what, s);
    return v;
}
}  // namespace

double UvxStrToDateTime(const std::u16string& s) { return ParseOrRaise(s, 0, "date and time"); }
double UvxStrToDate(const std::u16string& s) { return ParseOrRaise(s, VAR_DATEVALUEONLY, "date"); }
double UvxStrToTime(const std::u16string& s) { return ParseOrRaise(s, VAR_TIMEVALUEONLY, "time"); }

int64_t UvxStrToCurr(const std::u16string& s) {
    CY cy{};
    HRESULT hr = VarCyFromStr(const_cast<OLECHAR*>(WC(s)), GetThreadLocale(), 0, &cy);
    if (FAILED(hr)) RaiseConvert(hr, "currency value", s);
    return cy.int64;
}

bool ValidCurrencyStr(const std::u16string& s) {
    CY cy{};
    return SUCCEEDED(VarCyFromStr(const_cast<OLECHAR*>(WC(s)), GetThreadLocale(), 0, &cy));
}

int64_t UvxStrToCurrDef(const std::u16string& s, int64_t def) {
    CY cy{};
    return SUCCEEDED(VarCyFromStr(const_cast<OLECHAR*>(WC(s)), GetThreadLocale(), 0, &cy)) ? cy.int64 : def;
}

std::u16string UvxCurrToStr(int64_t value, const CURRENCYFMTW* format) {
    std::u16string number = AnsiToWideSys(ENG_US_FloatToStr(static_cast<double>(value) / 10000.0));
    wchar_t buffer[64];
    int n = Uvx_GetCurrencyFormatW(GetThreadLocale(), 0, WC(number), format, buffer, 64);
    if (n == 0) RaiseLastOSError();
    return U16(buffer);
}

std::u16string WideGetLocaleStr(LCID locale, LCTYPE localeType, const std::u16string& def) {
    if (Win32PlatformIsUnicode) {
        wchar_t buffer[255];
        int n = GetLocaleInfoW(locale, localeType, buffer, 255);
        return n > 0 ? U16(buffer, static_cast<size_t>(n - 1)) : def;
    }
    char buffer[255];
    int n = GetLocaleInfoA(locale, localeType, buffer, 255);
    return n > 0 ? AnsiToWideSys(std::string(buffer, static_cast<size_t>(n - 1))) : def;
}

CURRENCYFMTW GetDefaultCurrencyFmt() {
    thread_local std::u16string decimalSep, thousandSep, symbol;
    LCID lcid = GetThreadLocale();
    auto number = [&](LCTYPE type, const char16_t* def, int fallback) {
        std::string text = WideToAnsiSys(WideGetLocaleStr(lcid, type, def));
        return static_cast<UINT>(StrToIntDef(text, fallback));
    };
    CURRENCYFMTW fmt{};
    fmt.NumDigits = number(LOCALE_ICURRDIGITS, u"2", 2);
    fmt.LeadingZero = number(LOCALE_ILZERO, u"1", 1);
    std::u16string grouping = WideGetLocaleStr(lcid, LOCALE_SMONGROUPING, u"3;0");
    fmt.Grouping = StrToIntDef(WideToAnsiSys(grouping.substr(0, 1)), 3);
    decimalSep = WideGetLocaleStr(lcid, LOCALE_SMONDECIMALSEP, u".");
    thousandSep = WideGetLocaleStr(lcid, LOCALE_SMONTHOUSANDSEP, u",");
    fmt.NegativeOrder = number(LOCALE_INEGCURR, u"0", 0);
    fmt.PositiveOrder = number(LOCALE_ICURRENCY, u"0", 0);
    symbol = WideGetLocaleStr(lcid, LOCALE_SCURRENCY, u"");
    fmt.lpDecimalSep = reinterpret_cast<LPWSTR>(decimalSep.data());
    fmt.lpThousandSep = reinterpret_cast<LPWSTR>(thousandSep.data());
    fmt.lpCurrencySymbol = reinterpret_cast<LPWSTR>(symbol.data());
    return fmt;
}

int CompareWideN(const char16_t* s1, const char16_t* s2, int maxLen, DWORD flags) {
    int count1 = -1, count2 = -1;
    if (maxLen != INT_MAX) {
        count1 = static_cast<int>(std::min<size_t>(WStrLen(s1), static_cast<size_t>(std::max(maxLen, 0))));
        count2 = static_cast<int>(std::min<size_t>(WStrLen(s2), static_cast<size_t>(std::max(maxLen, 0))));
    }
    return Uvx_CompareStringW(GetThreadLocale(), flags, reinterpret_cast<LPCWSTR>(s1), count1,
                              reinterpret_cast<LPCWSTR>(s2), count2) - 2;
}

int WStrLComp(const char16_t* s1, const char16_t* s2, int maxLen) { return CompareWideN(s1, s2, maxLen, 0); }
int WStrLIComp(const char16_t* s1, const char16_t* s2, int maxLen) {
    return CompareWideN(s1, s2, maxLen, NORM_IGNORECASE);
}
int WStrIComp(const char16_t* s1, const char16_t* s2) { return CompareWideN(s1, s2, INT_MAX, NORM_IGNORECASE); }

char16_t* WStrLower(char16_t* str) {
    Uvx_CharLowerBuffW(reinterpret_cast<LPWSTR>(str), static_cast<DWORD>(WStrLen(str)));
    return str;
}

char16_t* WStrUpper(char16_t* str) {
    Uvx_CharUpperBuffW(reinterpret_cast<LPWSTR>(str), static_cast<DWORD>(WStrLen(str)));
    return str;
}
