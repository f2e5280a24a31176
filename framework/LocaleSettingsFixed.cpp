#include "framework/SysUtils.h"

// Without the system's locales every locale reads as English (United States),
// the values TFormatSettings starts with.
TFormatSettings GetLocaleFormatSettings(uint32_t) { return TFormatSettings(); }
