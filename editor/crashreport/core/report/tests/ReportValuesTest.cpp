#include <gtest/gtest.h>

#include "editor/crashreport/core/report/ReportValues.h"

TEST(ReportValues, DurationTexts)
{
    const struct { double days; const char* text; } cases[] = {
        {0, "0 second"},
        {1.5, "1 day, 12 hours, 0 second"},
        {2 + 3 / 24.0 + 4 / 1440.0 + 5.5 / 86400.0, "2 days, 3 hours, 4 minutes, 5 seconds"},
        {1 / 1440.0 + 1 / 86400.0 + 1e-9, "1 minute, 1 second"},
        {0.25, "6 hours, 0 second"},
        // A sum a hair below its exact value keeps its last second.
        {46367.37855324074 - 46366.333333333336, "1 day, 1 hour, 5 minutes, 7 seconds"},
        {-0.5, "0 second"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DurationText(c.days), c.text) << c.days;
}

TEST(ReportValues, RFC822DatesCarryTheZone)
{
    const double friday = 46367.37855324074;  // 11 Dec 2026 09:05:07
    const struct { double dateTime; int32_t minutes; const char* text; } cases[] = {
        {friday, 120, "Fri, 11 Dec 2026 09:05:07 +0200"},
        {friday, -300, "Fri, 11 Dec 2026 09:05:07 -0500"},
        {friday, 600, "Fri, 11 Dec 2026 09:05:07 +1000"},
        {friday, -660, "Fri, 11 Dec 2026 09:05:07 -1100"},
        // Zones of half and quarter hours are written exactly.
        {friday, 330, "Fri, 11 Dec 2026 09:05:07 +0530"},
        {friday, 345, "Fri, 11 Dec 2026 09:05:07 +0545"},
        {friday, -570, "Fri, 11 Dec 2026 09:05:07 -0930"},
        {friday, -30, "Fri, 11 Dec 2026 09:05:07 -0030"},
        {friday, 840, "Fri, 11 Dec 2026 09:05:07 +1400"},
        {0, 0, "Sat, 30 Dec 1899 00:00:00 +0000"},
        {60.5, 0, "Wed, 28 Feb 1900 12:00:00 +0000"},
        // A time a hair below midnight rounds to the next day, not to 24:00:00.
        {46367.9999999999, 0, "Sat, 12 Dec 2026 00:00:00 +0000"},
        // The first day of the calendar and the day before it.
        {-693593, 0, "Mon, 1 Jan 1 00:00:00 +0000"},
        {-693594, 0, "Sun, 31 Dec 0 00:00:00 +0000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateTimeToRFC822(c.dateTime, c.minutes), c.text) << c.dateTime << " " << c.minutes;
    EXPECT_EQ(DateTimeToFileDateText(46367.37855324074), "2026-12-11 09:05:07");
}

TEST(ReportValues, ParametersDropTheProgramsOwnName)
{
    const struct { const char* line; const char* parameters; } cases[] = {
        {"\"C:\\Program Files\\Tessaly\\Tessaly.exe\" -x", "-x"},
        {"  \"C:\\Program Files\\Tessaly\\Tessaly.exe\"   a b  ", "a b"},
        // A short or relative start name: the first token, not the full path's length.
        {"Tessaly notes.bin", "notes.bin"},
        {"C:\\PROGRA~1\\Tessaly\\Tessaly.exe -x", "-x"},
        {"Tessaly.exe", ""},
        {"\"unclosed quote -x", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandLineParameters(c.line), c.parameters) << c.line;
}

TEST(ReportValues, ExceptionClassAndMessage)
{
    TReportFacts f;
    f.ExceptionClass = "Exception";
    f.ExceptionMessage = "Abort";
    EXPECT_EQ(ExceptionMessageText(f), "Abort.");
    f.ExceptionMessage = "Done.";
    EXPECT_EQ(ExceptionMessageText(f), "Done.");
    f.ExceptionMessage = "";
    EXPECT_EQ(ExceptionMessageText(f), "");
    EXPECT_EQ(ExceptionClassText(f), "Exception");

    f.FrameworkException = false;
    f.ExceptionClass = "std::runtime_error";
    f.ExceptionMessage = "bad";
    EXPECT_EQ(ExceptionClassText(f), "std::runtime_error");
    EXPECT_EQ(ExceptionMessageText(f), "Unknown error message.");

    f.ExceptionIsObject = false;
    f.ExceptionClass = "int";
    EXPECT_EQ(ExceptionClassText(f), "Unknown exception type");

    TReportFacts av;
    av.ExceptionClass = "EAccessViolation";
    av.ExceptionMessage = "whatever the system said";
    av.AccessViolation = {true, 0x00401012, "Tessaly.exe", "", true, 0};
    EXPECT_EQ(ExceptionMessageText(av),
              "Access violation at address 00401012 in module 'Tessaly.exe'. Write of address 00000000.");
    av.AccessViolation = {true, 0x00401012, "", "", false, 0x10};
    EXPECT_EQ(ExceptionMessageText(av), "Access violation at address 00401012. Read of address 00000010.");
    // The same text as the exception's own: made again with the long name.
    av.ExceptionMessage = "Access violation at address 00401012 in module 'TESSAL~1.EXE'. Read of address 00000010";
    av.AccessViolation = {true, 0x00401012, "TESSAL~1.EXE", "Tessaly.exe", false, 0x10};
    EXPECT_EQ(ExceptionMessageText(av),
              "Access violation at address 00401012 in module 'Tessaly.exe'. Read of address 00000010.");

    // The 64-bit program's addresses keep all their digits.
    if (sizeof(uintptr_t) == 8) {
        av.AccessViolation = {true, static_cast<uintptr_t>(0x14001A2B0ull), "Tessaly.exe", "", false,
                              static_cast<uintptr_t>(0xFFFFFFFFFFFFFFF0ull)};
        EXPECT_EQ(ExceptionMessageText(av), "Access violation at address 14001A2B0 in module 'Tessaly.exe'. Read "
                                            "of address FFFFFFFFFFFFFFF0.");
    }

    EXPECT_EQ(ExceptionMessageForDialog("a\tb\r\nc\x01"), "a b\r\nc ");
}

TEST(ReportValues, SizesAndPrivileges)
{
    EXPECT_EQ(MemoryMbText(4294967296ull), "4096 Mb");
    EXPECT_EQ(MemoryMbText(1048576ull * 3 / 2), "2 Mb");  // 1.5 rounds to even
    EXPECT_EQ(MemoryMbText(1048576ull * 5 / 2), "2 Mb");
    EXPECT_EQ(MemoryMbText(0), "0 Mb");
    EXPECT_EQ(DiskGbText(107374182400ull), "100 Gb");
    EXPECT_EQ(DiskGbText(256060514304ull), "238.47 Gb");
    EXPECT_EQ(DiskGbText(1073741824ull * 3 / 2), "1.5 Gb");
    EXPECT_EQ(PrivilegeLine("SeShutdownPrivilege", false), "SeShutdownPrivilege" + std::string(12, ' ') + " - OFF\r\n");
    EXPECT_EQ(PrivilegeLine("SeChangeNotifyPrivilege", true), "SeChangeNotifyPrivilege" + std::string(8, ' ') + " - ON\r\n");
}

TEST(ReportValues, NetworkTexts)
{
    EXPECT_EQ(NormalizeIPAddress(""), "000.000.000.000");
    EXPECT_EQ(NormalizeIPAddress("192.168.1.2"), "192.168.001.002");
    EXPECT_EQ(NormalizeIPAddress("0.0.0.0"), "000.000.000.000");

    TReportAdapter lan;
    lan.IP = "192.168.1.2", lan.Mask = "255.255.255.0", lan.Gateway = "192.168.1.1", lan.DHCP = true;
    lan.DNS = {"192.168.1.1"};
    TReportAdapter vpn;
    vpn.IP = "10.0.0.5", vpn.Mask = "255.0.0.0", vpn.DHCP = false;
    vpn.DNSKnown = false;
    const TNetworkTexts t = GetNetworkTexts({lan, vpn});
    EXPECT_EQ(t.IP, "192.168.001.002 - 010.000.000.005");
    EXPECT_EQ(t.Submask, "255.255.255.000 - 255.000.000.000");
    EXPECT_EQ(t.Gateway, "192.168.001.001 - 000.000.000.000");
    EXPECT_EQ(t.DNS1, "192.168.001.001 - 000.000.000.000");
    EXPECT_EQ(t.DNS2, "000.000.000.000 - 000.000.000.000");
    EXPECT_EQ(t.DHCP, "ON" + std::string(13, ' ') + " - OFF" + std::string(12, ' '));

    const TNetworkTexts none = GetNetworkTexts({});
    EXPECT_EQ(none.IP, "");
    EXPECT_EQ(none.DHCP, "");
}
