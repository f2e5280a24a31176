#include "editor/crashreport/core/report/ReportValues.h"

#include <cmath>
#include <cstdio>

#include "editor/crashreport/core/capture/CoreServiceTexts.h"
#include "framework/SysUtils.h"

namespace {

// Days since 30 Dec 1899 to the civil calendar (proleptic Gregorian), to
// the nearest millisecond; times before that date count backwards in days
// and forwards in hours, as the date-time type does.
TDateTimeParts DecodeDateTime(double dateTime)
{
    TDateTimeParts p;
    p.Year = 1899;
    p.Month = 12;
    p.Day = 30;
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > 3e6)
        return p;
    double days = std::trunc(dateTime);
    int64_t ms = std::llround(std::fabs(dateTime - days) * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        days += dateTime < 0 ? -1 : 1;
    }
    // Days from 1 Mar 0000, then the civil date.
    const int64_t z = static_cast<int64_t>(days) - 25569 + 719468;  // through 1 Jan 1970, 25569 days later
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    p.Year = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    p.Month = static_cast<int>(m);
    p.Day = static_cast<int>(d);
    const int64_t seconds = ms / 1000;
    p.Hour = static_cast<int>(seconds / 3600);
    p.Minute = static_cast<int>(seconds / 60 % 60);
    p.Second = static_cast<int>(seconds % 60);
    return p;
}

std::string PadLeft(std::string text, size_t width, char fill)
{
    if (text.size() < width)
        text.insert(0, width - text.size(), fill);
    return text;
}

}  // namespace

std::string DateTimeToRFC822(double dateTime, int32_t gmtOffsetMinutes)
{
    return Rfc822Date(DecodeDateTime(dateTime), gmtOffsetMinutes);
}

std::string DateTimeToFileDateText(double dateTime)
{
    const TDateTimeParts p = DecodeDateTime(dateTime);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.Year, p.Month, p.Day, p.Hour, p.Minute,
                  p.Second);
    return text;
}

std::string DurationText(double days)
{
    // Counted in whole milliseconds, so that a value such as 1 h 5 min 7 s,
    // which a double holds a hair below its exact value, keeps its last
    // second; each part is then truncated as days, hours, minutes, seconds.
    if (!std::isfinite(days) || days < 0 || days > 1e9)
        days = 0;
    const int64_t ms = std::llround(days * 86400000.0);
    const int64_t d = ms / 86400000;
    const int64_t h = ms / 3600000 % 24;
    const int64_t m = ms / 60000 % 60;
    const int64_t s = ms / 1000 % 60;
    auto part = [](int64_t count, const char* word) {
        return std::to_string(count) + " " + word + (count > 1 ? "s" : "");
    };
    std::string text;
    if (d > 0)
        text += part(d, "day") + ", ";
    if (h > 0)
        text += part(h, "hour") + ", ";
    if (m > 0)
        text += part(m, "minute") + ", ";
    return text + part(s, "second");
}

std::string CommandLineParameters(const std::string& commandLine)
{
    const std::string line = Trim(commandLine);
    size_t rest;
    if (!line.empty() && line[0] == '"') {
        const size_t close = line.find('"', 1);
        rest = close == std::string::npos ? line.size() : close + 1;
    } else {
        rest = line.find_first_of(" \t");
        if (rest == std::string::npos)
            rest = line.size();
    }
    return Trim(line.substr(rest));
}

std::string ExceptionClassText(const TReportFacts& facts)
{
    return facts.ExceptionIsObject ? facts.ExceptionClass : "Unknown exception type";
}

std::string AccessViolationText(uintptr_t address, const std::string& moduleFile, bool write, uintptr_t target)
{
    // The addresses as the hooks' own message and item 2.2 write them.
    const char* access = write ? "Write" : "Read";
    if (moduleFile.empty())
        return "Access violation at address " + PointerHexText(address) + ". " + access + " of address " +
               PointerHexText(target);
    return "Access violation at address " + PointerHexText(address) + " in module '" + moduleFile + "'. " + access +
           " of address " + PointerHexText(target);
}

std::string ExceptionMessageText(const TReportFacts& facts)
{
    std::string message =
        facts.ExceptionIsObject && facts.FrameworkException ? facts.ExceptionMessage : "Unknown error message.";
    const TAccessViolationFacts& av = facts.AccessViolation;
    if (av.Valid) {
        std::string made = AccessViolationText(av.Address, av.ModuleFile, av.Write, av.Target);
        if (made == message && !av.ModuleLongFile.empty())
            made = AccessViolationText(av.Address, av.ModuleLongFile, av.Write, av.Target);
        message = made;
    }
    if (!message.empty() && message.back() != '.')
        message += '.';
    return message;
}

std::string ExceptionMessageForDialog(const std::string& message)
{
    std::string text = message;
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32 && c != '\r' && c != '\n')
            c = ' ';
    return text;
}

std::string MemoryMbText(uint64_t bytes)
{
    return std::to_string(static_cast<uint64_t>(std::nearbyint(static_cast<double>(bytes) / 1048576.0))) + " Mb";
}

std::string DiskGbText(uint64_t bytes)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(bytes) / 1073741824.0);
    std::string value = text;
    while (!value.empty() && value.back() == '0')
        value.pop_back();
    if (!value.empty() && value.back() == '.')
        value.pop_back();
    const size_t dot = value.find('.');
    if (dot != std::string::npos)
        value[dot] = FormatSettings.DecimalSeparator;
    return value + " Gb";
}

std::string PrivilegeLine(const std::string& name, bool enabled)
{
    std::string line = name;
    if (line.size() < 31)
        line.append(31 - line.size(), ' ');
    return line + (enabled ? " - ON" : " - OFF") + "\r\n";
}

std::string NormalizeIPAddress(const std::string& address)
{
    if (address.empty())
        return "000.000.000.000";
    std::string text;
    size_t start = 0;
    while (true) {
        const size_t dot = address.find('.', start);
        text += PadLeft(address.substr(start, dot == std::string::npos ? std::string::npos : dot - start), 3, '0');
        if (dot == std::string::npos)
            break;
        text += '.';
        start = dot + 1;
    }
    return text;
}

TNetworkTexts GetNetworkTexts(const std::vector<TReportAdapter>& adapters)
{
    TNetworkTexts t;
    for (const TReportAdapter& a : adapters) {
        t.IP += NormalizeIPAddress(a.IP) + " - ";
        t.Submask += NormalizeIPAddress(a.Mask) + " - ";
        t.Gateway += NormalizeIPAddress(a.Gateway) + " - ";
        t.DHCP += a.DHCP ? "ON              - " : "OFF             - ";
        const bool first = a.DNSKnown && !a.DNS.empty();
        const bool second = a.DNSKnown && a.DNS.size() > 1;
        t.DNS1 += (first ? NormalizeIPAddress(a.DNS[0]) : std::string("000.000.000.000")) + " - ";
        t.DNS2 += (second ? NormalizeIPAddress(a.DNS[1]) : std::string("000.000.000.000")) + " - ";
    }
    for (std::string* text : {&t.IP, &t.Submask, &t.Gateway, &t.DNS1, &t.DNS2, &t.DHCP})
        if (text->size() >= 3 && text->compare(text->size() - 3, 3, " - ") == 0)
            text->resize(text->size() - 3);
    return t;
}
