#include "editor/unicode/UvxFloatText.h"

#include "editor/unicode/UvxSysUtils.h"

// Written by the application companion whenever the system's settings
// change; read here, where it decides whether the cached settings are old.
uint32_t _SettingChangeTime = 0;

namespace {
// English (United States), sorted the default way.
constexpr uint32_t kLocaleEnglishUS = 0x0409;
}  // namespace

const TFormatSettings& EnsureLocaleSettingsUS() {
    static TFormatSettings cached;
    static uint32_t stamp = 0;
    static bool read = false;
    if (!read || stamp != _SettingChangeTime) {
        TFormatSettings settings = GetLocaleFormatSettings(kLocaleEnglishUS);
        settings.DecimalSeparator = '.';
        cached = settings;
        stamp = _SettingChangeTime;
        read = true;
    }
    return cached;
}

std::string ENG_US_FloatToStr(double value) { return FloatToStr(value, EnsureLocaleSettingsUS()); }

double ENG_US_StrToFloat(const std::string& s) {
    double value = 0;
    return TryStrToFloat(s, value, EnsureLocaleSettingsUS()) ? value : StrToFloat(s);
}
