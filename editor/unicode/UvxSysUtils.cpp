#include "editor/unicode/UvxSysUtils.h"

#include <windows.h>

namespace {
struct Platform {
    bool unicode = false, xp = false, s2003 = false, vista = false;
};

Platform DetectPlatform() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    Platform p;
    if (!GetVersionExA(&info)) return p;
    DWORD major = info.dwMajorVersion, minor = info.dwMinorVersion;
    p.unicode = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    p.xp = major > 5 || (major == 5 && minor >= 1);
    p.s2003 = major > 5 || (major == 5 && minor >= 2);
    p.vista = major >= 6;
    return p;
}

const Platform kPlatform = DetectPlatform();
}  // namespace

bool Win32PlatformIsUnicode = kPlatform.unicode;
bool Win32PlatformIsXP = kPlatform.xp;
bool Win32PlatformIs2003 = kPlatform.s2003;
bool Win32PlatformIsVista = kPlatform.vista;

namespace uvx_testing {
void ForcePlatformIsUnicode(bool value) { Win32PlatformIsUnicode = value; }
void RestorePlatformFlags() {
    Platform p = DetectPlatform();
    Win32PlatformIsUnicode = p.unicode;
    Win32PlatformIsXP = p.xp;
    Win32PlatformIs2003 = p.s2003;
    Win32PlatformIsVista = p.vista;
}
}  // namespace uvx_testing
