#pragma once
// Platform flags of the Unicode layer, computed once at start-up.
#include <cstdint>

// True on the NT family, which offers the wide system calls.
extern bool Win32PlatformIsUnicode;
// Windows XP (5.1) or later, Server 2003 (5.2) or later, Vista (6.0) or later.
extern bool Win32PlatformIsXP;
extern bool Win32PlatformIs2003;
extern bool Win32PlatformIsVista;
// Tick count of the last system setting change; cached locale data older than
// it is read again.
extern uint32_t _SettingChangeTime;

namespace uvx_testing {
// Lets tests run the 8-bit branches; the product never calls it.
void ForcePlatformIsUnicode(bool value);
void RestorePlatformFlags();
}  // namespace uvx_testing
