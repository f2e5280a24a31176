#include <gtest/gtest.h>

#include "editor/crashreport/support/system/WindowsFacts.h"

TEST(WindowsFacts, TypeTexts)
{
    struct Case { bool nt; uint32_t major, minor; const char* sp; bool wow; const char* text; };
    const Case cases[] = {
        {false, 4, 0, "", false, "Microsoft Windows 95"},
        {false, 4, 0, " B ", false, "Microsoft Windows 95 OSR 2"},
        {false, 4, 10, "", false, "Microsoft Windows 98"},
        {false, 4, 10, "A", false, "Microsoft Windows 98 SE"},
        {false, 4, 90, "", false, "Microsoft Windows ME"},
        {false, 4, 95, "", false, "Microsoft Windows "},
        {true, 4, 0, "", false, "Microsoft Windows NT 4.0"},
        {true, 5, 0, "", false, "Microsoft Windows 2000"},
        {true, 5, 1, "", true, "Microsoft Windows XP (64 bit)"},
        {true, 5, 2, "", true, "Microsoft Windows XP (64 bit)"},
        {true, 5, 2, "", false, "Microsoft Windows 2003"},
        {true, 6, 0, "", false, "Microsoft Windows Vista"},
        // The versions after Vista carry their own names.
        {true, 6, 1, "", false, "Microsoft Windows 7"},
        {true, 6, 2, "", false, "Microsoft Windows 8"},
        {true, 6, 3, "", true, "Microsoft Windows 8.1 (64 bit)"},
        {true, 10, 0, "", true, "Microsoft Windows 10 (64 bit)"},
        {true, 6, 4, "", false, "Microsoft Windows "},
        {true, 11, 0, "", false, "Microsoft Windows "},
    };
    for (const Case& c : cases) {
        TWindowsVersion v;
        v.NT = c.nt, v.Major = c.major, v.Minor = c.minor, v.ServicePack = c.sp, v.Wow64 = c.wow;
        EXPECT_EQ(WindowsTypeText(v), c.text) << c.major << "." << c.minor;
    }
}

TEST(WindowsFacts, BuildAndFamilyTests)
{
    TWindowsVersion nt{true, 5, 1, 2600, "", false};
    TWindowsVersion w9x{false, 4, 10, 0x040A08AE, "A", false};
    EXPECT_EQ(WindowsBuildText(nt), "2600");
    EXPECT_EQ(WindowsBuildText(w9x), "2222");
    EXPECT_TRUE(RunsOnWindows95(TWindowsVersion{false, 4, 0, 0, "", false}));
    EXPECT_FALSE(RunsOnWindows95(w9x));
    EXPECT_TRUE(RunsOnWindowsNT4(TWindowsVersion{true, 4, 0, 1381, "", false}));
    EXPECT_FALSE(RunsOnWindowsNT4(nt));
    EXPECT_FALSE(RunsOnVistaOrLater(nt));
    EXPECT_TRUE(RunsOnVistaOrLater(TWindowsVersion{true, 6, 0, 6000, "", false}));
}
