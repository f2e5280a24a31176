#include <gtest/gtest.h>

#include <cstring>

#include "editor/crashreport/core/capture/CoreServiceTexts.h"

namespace {

TEST(CoreServiceTexts, Rfc822DatesAndZones)
{
    struct Case {
        TDateTimeParts when;
        int32_t offset;  // minutes east of GMT
        const char* text;
    } cases[] = {
        {{2025, 12, 9, 14, 3, 7}, 60, "Tue, 9 Dec 2025 14:03:07 +0100"},
        {{2026, 1, 1, 0, 0, 0}, 120, "Thu, 1 Jan 2026 00:00:00 +0200"},
        {{2000, 2, 29, 23, 59, 59}, -300, "Tue, 29 Feb 2000 23:59:59 -0500"},
        {{2024, 7, 14, 9, 5, 0}, 600, "Sun, 14 Jul 2024 09:05:00 +1000"},
        {{1999, 3, 31, 12, 0, 0}, 0, "Wed, 31 Mar 1999 12:00:00 +0000"},
        {{2013, 3, 5, 7, 4, 9}, -300, "Tue, 5 Mar 2013 07:04:09 -0500"},
        // The years before 1 keep their weekdays (31 Dec of the year 0 was
        // a Sunday, 1 Jan 1 a Monday).
        {{0, 12, 31, 23, 59, 59}, 0, "Sun, 31 Dec 0 23:59:59 +0000"},
        {{1, 1, 1, 0, 0, 0}, 0, "Mon, 1 Jan 1 00:00:00 +0000"},
        {{-1, 2, 28, 0, 0, 0}, 0, "Sun, 28 Feb -1 00:00:00 +0000"},
        // Half and quarter hours, east and west: written exactly.
        {{2025, 6, 2, 8, 30, 0}, 330, "Mon, 2 Jun 2025 08:30:00 +0530"},
        {{2025, 6, 7, 8, 30, 0}, 345, "Sat, 7 Jun 2025 08:30:00 +0545"},
        {{2025, 6, 7, 8, 30, 0}, -570, "Sat, 7 Jun 2025 08:30:00 -0930"},
        {{2025, 6, 7, 8, 30, 0}, -30, "Sat, 7 Jun 2025 08:30:00 -0030"},
        {{2025, 6, 7, 8, 30, 0}, 840, "Sat, 7 Jun 2025 08:30:00 +1400"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rfc822Date(c.when, c.offset), c.text);
}

TEST(CoreServiceTexts, AddressesAreNeverCutToEightDigits)
{
    EXPECT_EQ(PointerHexText(0), "00000000");
    EXPECT_EQ(PointerHexText(0x401A2B), "00401A2B");
    EXPECT_EQ(PointerHexText(0xFFFFFFF0u), "FFFFFFF0");
    if (sizeof(uintptr_t) == 8) {
        // The 64-bit program's image above 4 GB, and a read just below
        // address 0, keep every digit.
        EXPECT_EQ(PointerHexText(static_cast<uintptr_t>(0x14001A2B0ull)), "14001A2B0");
        EXPECT_EQ(PointerHexText(static_cast<uintptr_t>(0xFFFFFFFFFFFFFFF0ull)), "FFFFFFFFFFFFFFF0");
    }
}

TEST(CoreServiceTexts, SystemFaultMessages)
{
    TSystemFault fault;
    fault.Code = SystemFaultAccessViolation;
    fault.Address = 0x401A2B;
    fault.ModuleName = "Tessaly.exe";
    fault.AccessKnown = true;
    const struct {
        uintptr_t access;
        uintptr_t target;
        const char* text;
    } cases[] = {
        {0, 0x10, "Access violation at address 00401A2B in module 'Tessaly.exe'. Read of address 00000010"},
        {1, 0, "Access violation at address 00401A2B in module 'Tessaly.exe'. Write of address 00000000"},
        {8, 0x401A2B, "Access violation at address 00401A2B in module 'Tessaly.exe'. Execution of address 00401A2B"},
    };
    for (const auto& c : cases) {
        fault.Access = c.access;
        fault.Target = c.target;
        EXPECT_EQ(SystemFaultMessage(fault), c.text);
    }
    if (sizeof(uintptr_t) == 8) {
        fault.Address = static_cast<uintptr_t>(0x14001A2B0ull);
        fault.Access = 0;
        fault.Target = static_cast<uintptr_t>(0xFFFFFFFFFFFFFFF0ull);
        EXPECT_EQ(SystemFaultMessage(fault),
                  "Access violation at address 14001A2B0 in module 'Tessaly.exe'. Read of address FFFFFFFFFFFFFFF0");
    }
    // Other codes, and an access violation whose record names no access.
    TSystemFault other;
    other.Code = 0xC0000094u;
    other.Address = 0x401A2B;
    EXPECT_EQ(SystemFaultMessage(other), "External exception C0000094 at address 00401A2B");
    other.Code = SystemFaultAccessViolation;
    EXPECT_EQ(SystemFaultMessage(other), "External exception C0000005 at address 00401A2B");
}

TEST(CoreServiceTexts, InternalErrorLogLines)
{
    EXPECT_EQ(InternalErrorLine("ZorvikCore.Init", 0x401A2B, "Boom"),
              "[ERROR] - Section: ZorvikCore.Init - Address: 00401A2B - Message: \"Boom\"");
    EXPECT_EQ(WarningLine(TZorvikLogErrorCode::eeEmailSMTPError, 0xDEADBEEF, "No answer"),
              "[WARNING] - Code: eeEmailSMTPError - Address: DEADBEEF - Message: \"No answer\"");
    const uint8_t code[] = {0x8B, 0x45, 0xFC, 0x00};
    EXPECT_EQ(ByteDumpText(code, 4), "$8B $45 $FC $00 ");
    EXPECT_EQ(ByteDumpText(code, 0), "");

    TInternalErrorPlace a{0x401A2B, 0x400000, "Tessaly.exe", "MainForm.cpp", "TMainForm", "Save", 120, 4};
    TInternalErrorPlace b{0x7C801234, 0x7C800000, "kernel32.dll", "", "", "", 0, 0};
    EXPECT_EQ(InternalErrorAddressText(a),
              "$00401A2B - [00400000] Tessaly.exe - MainForm.cpp - TMainForm - Save - 120[4]");
    EXPECT_EQ(InternalErrorCallStackText({a, b, a}),
              "00 $00401A2B - [00400000] Tessaly.exe - MainForm.cpp - TMainForm - Save - 120[4]\r\n"
              "            01 $7C801234 - [7C800000] kernel32.dll \r\n"
              "            02 $00401A2B - [00400000] Tessaly.exe - MainForm.cpp - TMainForm - Save - 120[4]\r\n");

    TInternalErrorFacts f;
    f.Date = "Tue, 9 Dec 2025 14:03:07 +0100";
    f.OS = "Microsoft Windows XP";
    f.Dump = "$90 ";
    f.Section = "ZorvikCore.Init";
    f.Address = "$X";
    f.ExceptionClass = "EAccessViolation";
    f.Message = "M";
    f.CallStack = "00 $1\r\n";
    EXPECT_EQ(InternalErrorLogText(f),
              "Version   : 6.0.20\r\nDate      : Tue, 9 Dec 2025 14:03:07 +0100\r\nOS        : Microsoft Windows XP\r\n"
              "RAD       : BDS 4.0\r\nDump      : $90 \r\nSection   : ZorvikCore.Init\r\nLastExcept: \r\n"
              "Address   : $X\r\nException : EAccessViolation\r\nMessage   : M\r\nCall Stack: 00 $1\r\n");
}

TEST(CoreServiceTexts, CodesAndSmallHelpers)
{
    EXPECT_STREQ(ErrorCodeName(TZorvikLogErrorCode::eeNone), "eeNone");
    EXPECT_STREQ(ErrorCodeName(TZorvikLogErrorCode::eeWebTrakerError), "eeWebTrakerError");
    EXPECT_FALSE(IsSendErrorCode(TZorvikLogErrorCode::eeEmailShellError));
    EXPECT_TRUE(IsSendErrorCode(TZorvikLogErrorCode::eeEmailSMTPError));
    EXPECT_TRUE(IsSendErrorCode(TZorvikLogErrorCode::eeWebTrakerError));

    EXPECT_EQ(WithoutObjectManagerPrefix("\\??\\C:\\Windows\\system32\\ntdll.dll"), "C:\\Windows\\system32\\ntdll.dll");
    EXPECT_EQ(WithoutObjectManagerPrefix("C:\\Program Files\\Tessaly.exe"), "C:\\Program Files\\Tessaly.exe");
    EXPECT_EQ(WithoutObjectManagerPrefix("\\??\\no drive"), "\\??\\no drive");

    const std::string a = "a", b = "b";
    EXPECT_EQ(ChooseString(true, a, b), "a");
    EXPECT_EQ(ChooseString(false, a, b), "b");
    EXPECT_EQ(PadRight("ab", 5), "ab   ");
    EXPECT_EQ(PadRight("abcdef", 3), "abcdef");
    EXPECT_EQ(PluralWord("second", 1.9), "second");
    EXPECT_EQ(PluralWord("second", 2), "seconds");
    EXPECT_EQ(PluralWord("second", 0), "second");
}

}  // namespace
