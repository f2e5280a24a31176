#pragma once
// Runs a test's body on the 8-bit branches of the layer, and back.
#include "editor/unicode/UvxSysUtils.h"

struct EightBitPlatform {
    EightBitPlatform() { uvx_testing::ForcePlatformIsUnicode(false); }
    ~EightBitPlatform() { uvx_testing::RestorePlatformFlags(); }
    EightBitPlatform(const EightBitPlatform&) = delete;
    EightBitPlatform& operator=(const EightBitPlatform&) = delete;
};

// Both platforms, one after the other: for (bool wide : kBothPlatforms) { Platform p(wide); ... }
inline constexpr bool kBothPlatforms[] = {true, false};
struct Platform {
    explicit Platform(bool wide) { uvx_testing::ForcePlatformIsUnicode(wide); }
    ~Platform() { uvx_testing::RestorePlatformFlags(); }
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;
};
