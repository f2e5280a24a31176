#pragma once
// The Windows version as the report names it, from the platform's values.
#include <cstdint>
#include <string>

struct TWindowsVersion {
    bool NT = true;            // the NT family; false: Windows 95/98/ME
    uint32_t Major = 0;
    uint32_t Minor = 0;
    uint32_t Build = 0;
    std::string ServicePack;   // the service-pack text ("B" marks 95 OSR 2)
    bool Wow64 = false;        // a 32-bit process on 64-bit Windows
};

// "Microsoft Windows XP (64 bit)" and its kin.
std::string WindowsTypeText(const TWindowsVersion& v);
// The build number in decimal (its low 16 bits outside the NT family).
std::string WindowsBuildText(const TWindowsVersion& v);

bool RunsOnWindows95(const TWindowsVersion& v);
bool RunsOnWindowsNT4(const TWindowsVersion& v);
bool RunsOnVistaOrLater(const TWindowsVersion& v);
