#include <windows.h>

#include "framework/SysUtils.h"

// What the locale does not give keeps the English (United States) value.
TFormatSettings GetLocaleFormatSettings(uint32_t lcid) {
    TFormatSettings settings;
    auto text = [lcid](LCTYPE type, std::string& value) {
        char buffer[96] = {};
        if (GetLocaleInfoA(lcid, type, buffer, sizeof buffer) > 0) value = buffer;
    };
    auto character = [lcid](LCTYPE type, char& value) {
        char buffer[8] = {};
        if (GetLocaleInfoA(lcid, type, buffer, sizeof buffer) > 1) value = buffer[0];
    };
    character(LOCALE_SDECIMAL, settings.DecimalSeparator);
    character(LOCALE_STHOUSAND, settings.ThousandSeparator);
    character(LOCALE_SDATE, settings.DateSeparator);
    character(LOCALE_STIME, settings.TimeSeparator);
    character(LOCALE_SLIST, settings.ListSeparator);
    text(LOCALE_SSHORTDATE, settings.ShortDateFormat);
    // A locale that counts 24 hours has no morning and afternoon marks.
    text(LOCALE_S1159, settings.TimeAMString);
    text(LOCALE_S2359, settings.TimePMString);
    return settings;
}
