#include "editor/crashreport/core/capture/CoreServiceTexts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

const char* const ZorvikLogVersionText = "6.0.20";

namespace {

const char* const DayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const MonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// 0 for Sunday, by the proleptic Gregorian calendar; any year, the years
// before 1 included (division rounds down, so no index goes negative).
int DayOfWeek(int64_t y, int m, int d)
{
    if (m <= 2)
        --y;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t days = era * 146097 + doe - 719468;  // from 1 Jan 1970, a Thursday
    return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

std::string Hex8(uintptr_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(value) & 0xFFFFFFFFull);
    return text;
}

}  // namespace

std::string Rfc822Zone(int32_t gmtOffsetMinutes)
{
    const int64_t minutes = std::llabs(static_cast<int64_t>(gmtOffsetMinutes));
    char text[32];
    std::snprintf(text, sizeof text, "%c%02lld%02lld", gmtOffsetMinutes < 0 ? '-' : '+',
                  static_cast<long long>(minutes / 60), static_cast<long long>(minutes % 60));
    return text;
}

std::string Rfc822Date(const TDateTimeParts& t, int32_t gmtOffsetMinutes)
{
    // The one writer of these dates: the report's, the mail header's and the
    // internal error log's.
    const int month = t.Month >= 1 && t.Month <= 12 ? t.Month : 1;
    char text[96];
    std::snprintf(text, sizeof text, "%s, %d %s %d %02d:%02d:%02d %s", DayNames[DayOfWeek(t.Year, month, t.Day)], t.Day,
                  MonthNames[month - 1], t.Year, t.Hour, t.Minute, t.Second, Rfc822Zone(gmtOffsetMinutes).c_str());
    return text;
}

std::string PointerHexText(uintptr_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(value));
    return text;
}

std::string SystemFaultMessage(const TSystemFault& f)
{
    if (f.Code == SystemFaultAccessViolation && f.AccessKnown) {
        const char* what = f.Access == 8 ? "Execution" : f.Access != 0 ? "Write" : "Read";
        return "Access violation at address " + PointerHexText(f.Address) + " in module '" + f.ModuleName + "'. " +
               what + " of address " + PointerHexText(f.Target);
    }
    char code[16];
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(f.Code));
    return std::string("External exception ") + code + " at address " + PointerHexText(f.Address);
}

const char* ErrorCodeName(TZorvikLogErrorCode code)
{
    switch (code) {
    case TZorvikLogErrorCode::eeNone: return "eeNone";
    case TZorvikLogErrorCode::eeShowError: return "eeShowError";
    case TZorvikLogErrorCode::eeLogError: return "eeLogError";
    case TZorvikLogErrorCode::eeEmailMAPIError: return "eeEmailMAPIError";
    case TZorvikLogErrorCode::eeEmailShellError: return "eeEmailShellError";
    case TZorvikLogErrorCode::eeEmailSMTPError: return "eeEmailSMTPError";
    case TZorvikLogErrorCode::eeWebHTTPError: return "eeWebHTTPError";
    case TZorvikLogErrorCode::eeWebHTTPSError: return "eeWebHTTPSError";
    case TZorvikLogErrorCode::eeWebFTPError: return "eeWebFTPError";
    case TZorvikLogErrorCode::eeWebTrakerError: return "eeWebTrakerError";
    }
    return "";
}

bool IsSendErrorCode(TZorvikLogErrorCode code)
{
    return code >= TZorvikLogErrorCode::eeEmailSMTPError && code <= TZorvikLogErrorCode::eeWebTrakerError;
}

std::string InternalErrorLine(const std::string& section, uintptr_t address, const std::string& message)
{
    return "[ERROR] - Section: " + section + " - Address: " + Hex8(address) + " - Message: \"" + message + "\"";
}

std::string WarningLine(TZorvikLogErrorCode code, uintptr_t address, const std::string& message)
{
    return std::string("[WARNING] - Code: ") + ErrorCodeName(code) + " - Address: " + Hex8(address) +
           " - Message: \"" + message + "\"";
}

std::string ByteDumpText(const uint8_t* bytes, size_t count)
{
    std::string text;
    char item[8];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(item, sizeof item, "$%02X ", bytes[i]);
        text += item;
    }
    return text;
}

std::string InternalErrorAddressText(const TInternalErrorPlace& p)
{
    return "$" + Hex8(p.Address) + " - [" + Hex8(p.Module) + "] " + p.ModuleFile + " - " + p.Unit + " - " + p.Class +
           " - " + p.Procedure + " - " + std::to_string(p.Line) + "[" + std::to_string(p.Offset) + "]";
}

std::string InternalErrorCallStackText(const std::vector<TInternalErrorPlace>& rows)
{
    std::string text;
    char number[8];
    for (size_t i = 0; i < rows.size(); ++i) {
        const TInternalErrorPlace& p = rows[i];
        std::snprintf(number, sizeof number, "%02X", static_cast<unsigned>(i & 0xFF));
        if (i > 0)
            text.append(12, ' ');
        text += std::string(number) + " $" + Hex8(p.Address) + " - [" + Hex8(p.Module) + "] " + p.ModuleFile + " ";
        if (p.Line)
            text += "- " + p.Unit + " - " + p.Class + " - " + p.Procedure + " - " + std::to_string(p.Line) + "[" +
                    std::to_string(p.Offset) + "]";
        text += "\r\n";
    }
    return text;
}

std::string InternalErrorLogText(const TInternalErrorFacts& f)
{
    return std::string("Version   : ") + ZorvikLogVersionText + "\r\nDate      : " + f.Date + "\r\nOS        : " + f.OS +
           "\r\nRAD       : BDS 4.0\r\nDump      : " + f.Dump + "\r\nSection   : " + f.Section +
           "\r\nLastExcept: " + f.LastException + "\r\nAddress   : " + f.Address + "\r\nException : " +
           f.ExceptionClass + "\r\nMessage   : " + f.Message + "\r\nCall Stack: " + f.CallStack;
}

std::string WithoutObjectManagerPrefix(const std::string& fileName)
{
    const size_t question = fileName.find('?');
    if (question == std::string::npos)
        return fileName;
    const size_t colon = fileName.find(':', question);
    if (colon == std::string::npos || colon == 0)
        return fileName;
    return fileName.substr(colon - 1);
}

const std::string& ChooseString(bool first, const std::string& a, const std::string& b) { return first ? a : b; }

std::string PadRight(const std::string& text, size_t width)
{
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string PluralWord(const std::string& word, double number)
{
    return std::trunc(number) > 1 ? word + "s" : word;
}
