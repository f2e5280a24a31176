#pragma once
// The value texts of a crash report's general section: dates, durations,
// the program's parameters, the exception's class and message, memory and
// disk sizes, privileges and the network addresses.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/crashreport/core/report/ReportFacts.h"

// "Fri, 11 Dec 2026 00:17:05 +0100": a local date-time (days since 30 Dec
// 1899) with the local zone's offset from UTC in minutes, which a zone of
// half or quarter hours keeps ("+0530").
std::string DateTimeToRFC822(double dateTime, int32_t gmtOffsetMinutes);
// "yyyy-mm-dd hh:nn:ss".
std::string DateTimeToFileDateText(double dateTime);

// "1 day, 12 hours, 0 second": days, hours and minutes when above 0, the
// seconds always.
std::string DurationText(double days);

// The command line without the program's own name (its first token, quoted
// or not), trimmed.
std::string CommandLineParameters(const std::string& commandLine);

// The class name the report gives an exception.
std::string ExceptionClassText(const TReportFacts& facts);
// The message the report gives it, ending with a ".".
std::string ExceptionMessageText(const TReportFacts& facts);
// The message with every control character other than CR and LF a blank.
std::string ExceptionMessageForDialog(const std::string& message);
// "Access violation at address %p in module '%s'. %s of address %p", or
// without a module "Access violation at address %p. %s of address %p";
// the addresses as PointerHexText writes them (8 digits in the 32-bit
// program, never cut in the 64-bit one).
std::string AccessViolationText(uintptr_t address, const std::string& moduleFile, bool write, uintptr_t target);

// Megabytes rounded and " Mb"; gigabytes in the form "0.##" and " Gb".
std::string MemoryMbText(uint64_t bytes);
std::string DiskGbText(uint64_t bytes);

// One line of the privileges item: the name padded to 31 characters, then
// " - ON" or " - OFF", then CR LF.
std::string PrivilegeLine(const std::string& name, bool enabled);

// Every dotted part padded with zeros to 3 digits; "" gives "000.000.000.000".
std::string NormalizeIPAddress(const std::string& address);

struct TNetworkTexts {
    std::string IP, Submask, Gateway, DNS1, DNS2, DHCP;
};
// The six network texts, adapters joined by " - ".
TNetworkTexts GetNetworkTexts(const std::vector<TReportAdapter>& adapters);
