#include "editor/crashreport/support/system/WindowsFacts.h"

#include "framework/SysUtils.h"

std::string WindowsTypeText(const TWindowsVersion& v)
{
    std::string text = "Microsoft Windows ";
    if (!v.NT) {
        const std::string sp = Trim(v.ServicePack);
        if (v.Minor < 10)
            text += sp == "B" ? "95 OSR 2" : "95";
        else if (v.Minor < 90)
            text += sp == "A" ? "98 SE" : "98";
        else if (v.Minor == 90)
            text += "ME";
        return text;
    }
    if (v.Major == 4)
        text += "NT 4.0";
    else if (v.Major == 5 && v.Minor == 0)
        text += "2000";
    else if (v.Major == 5 && v.Minor == 1)
        text += "XP";
    else if (v.Major == 5 && v.Minor == 2)
        text += v.Wow64 ? "XP" : "2003";
    else if (v.Major == 6 && v.Minor == 0)
        text += "Vista";
    else if (v.Major == 6 && v.Minor == 1)
        text += "7";
    else if (v.Major == 6 && v.Minor == 2)
        text += "8";
    else if (v.Major == 6 && v.Minor == 3)
        text += "8.1";
    else if (v.Major == 10)
        text += "10";
    if (v.Wow64)
        text += " (64 bit)";
    return text;
}

std::string WindowsBuildText(const TWindowsVersion& v)
{
    return IntToStr(v.NT ? v.Build : (v.Build & 0xFFFF));
}

bool RunsOnWindows95(const TWindowsVersion& v) { return !v.NT && v.Minor < 10; }
bool RunsOnWindowsNT4(const TWindowsVersion& v) { return v.NT && v.Major < 5; }
bool RunsOnVistaOrLater(const TWindowsVersion& v) { return v.NT && v.Major > 5; }
