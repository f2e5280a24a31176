#pragma once
// The texts of the core's small services: the RFC-822 date of mail headers
// and of the internal error log, the lines and the file of the internal
// error log, the warning line, and a few string and file-name helpers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TDateTimeParts {
    int Year = 0, Month = 1, Day = 1;  // month 1..12
    int Hour = 0, Minute = 0, Second = 0;
};

// "+0200", "-0500", "+0530", "-0930": the local time's distance from GMT
// in hours and minutes (a zone of half or quarter hours is written exactly).
std::string Rfc822Zone(int32_t gmtOffsetMinutes);
// "Tue, 9 Dec 2025 14:03:07 +0100": the English day and month, the day
// without a leading zero, the time in two-digit fields, the zone. The one
// writer of these dates: the report's, the mail header's and the internal
// error log's.
std::string Rfc822Date(const TDateTimeParts& local, int32_t gmtOffsetMinutes);

// An address in upper-case hexadecimal: at least 8 digits, and every digit
// of the pointer's width that the value needs, so the 32-bit program writes
// exactly 8 and the 64-bit one never cuts an address to 8.
std::string PointerHexText(uintptr_t value);

// A system exception as the hooks catch it.
constexpr uint32_t SystemFaultAccessViolation = 0xC0000005u;
struct TSystemFault {
    uint32_t Code = 0;
    uintptr_t Address = 0;     // where it happened
    std::string ModuleName;    // file name of the module there
    bool AccessKnown = false;  // an access violation's record names the access
    uintptr_t Access = 0;      // 0 read, 8 execution, else write
    uintptr_t Target = 0;      // the address read or written
};
// The run time's message for it: "Access violation at address %p in module
// '%s'. %s of address %p", else "External exception %08X at address %p";
// addresses as PointerHexText writes them.
std::string SystemFaultMessage(const TSystemFault& fault);

// The core's internal error codes (the last internal error, the warnings
// and the sending roads' reports).
enum TZorvikLogErrorCode : uint8_t {
    eeNone,
    eeShowError,
    eeLogError,
    eeEmailMAPIError,
    eeEmailShellError,
    eeEmailSMTPError,
    eeWebHTTPError,
    eeWebHTTPSError,
    eeWebFTPError,
    eeWebTrakerError,
};
// The code's enumeration name ("eeEmailSMTPError").
const char* ErrorCodeName(TZorvikLogErrorCode code);
// The codes of failed sends, whose warnings the send-progress dialog shows.
bool IsSendErrorCode(TZorvikLogErrorCode code);

// The debugger-output lines of an internal error and of a warning.
std::string InternalErrorLine(const std::string& section, uintptr_t address, const std::string& message);
std::string WarningLine(TZorvikLogErrorCode code, uintptr_t address, const std::string& message);

// "$8B $45 $FC ": each byte as "$" and two hexadecimal digits and a blank.
std::string ByteDumpText(const uint8_t* bytes, size_t count);

// One place in the code as the internal error log names it.
struct TInternalErrorPlace {
    uintptr_t Address = 0;
    uintptr_t Module = 0;
    std::string ModuleFile, Unit, Class, Procedure;
    int32_t Line = 0;  // 0: the place has no line
    int32_t Offset = 0;
};
// "$00401A2B - [00400000] Tessaly.exe - Unit.cpp - TClass - Proc - 12[3]".
std::string InternalErrorAddressText(const TInternalErrorPlace& place);
// The call stack, one row per line: the row number as two hexadecimal
// digits, the address, the module, and unit, class, procedure, line and
// offset for a row with a line; rows after the first indented by 12 blanks.
std::string InternalErrorCallStackText(const std::vector<TInternalErrorPlace>& rows);

struct TInternalErrorFacts {
    std::string Date, OS, Dump, Section, LastException, Address, ExceptionClass, Message, CallStack;
};
// The internal error log file's text.
std::string InternalErrorLogText(const TInternalErrorFacts& facts);
// The version of the component the internal error log names.
extern const char* const ZorvikLogVersionText;

// A module file name as the system may give it: a "\??\" prefix before the
// drive letter goes (the part before the first ":" after a "?", less one
// character).
std::string WithoutObjectManagerPrefix(const std::string& fileName);

const std::string& ChooseString(bool first, const std::string& a, const std::string& b);
// The text padded on the right with blanks to the width (longer texts stay).
std::string PadRight(const std::string& text, size_t width);
// The word with "s" when the number, taken as a whole number, is above 1.
std::string PluralWord(const std::string& word, double number);
