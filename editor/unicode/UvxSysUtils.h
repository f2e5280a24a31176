#pragma once
// Platform flags of the Unicode layer, computed once at start-up.
#include <cstdint>

// True on the NT family, which offers the wide system calls.
extern bool Win32PlatformIsUnicode;

namespace uvx_testing {
// Lets tests run the 8-bit branches; the product never calls it.
void ForcePlatformIsUnicode(bool value);
void RestorePlatformFlags();
}  // namespace uvx_testing
