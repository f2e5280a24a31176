#include "editor/unicode/UvxSysUtils.h"

#include <windows.h>

namespace {
bool DetectPlatformIsUnicode() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}
}  // namespace

bool Win32PlatformIsUnicode = DetectPlatformIsUnicode();

namespace uvx_testing {
void ForcePlatformIsUnicode(bool value) { Win32PlatformIsUnicode = value; }
void RestorePlatformFlags() { Win32PlatformIsUnicode = DetectPlatformIsUnicode(); }
}  // namespace uvx_testing
