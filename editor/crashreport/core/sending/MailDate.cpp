#include "editor/crashreport/core/sending/MailDate.h"

#include <cstdio>

std::string RFC822DateText(const TMailDateParts& d, int gmtOffsetHours) {
    static const char* const Days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* day = Days[(d.DayOfWeek % 7 + 7) % 7];
    const char* month = Months[((d.Month - 1) % 12 + 12) % 12];
    // The zone: the sign, two digits of hours, then "00".
    const int hours = gmtOffsetHours < 0 ? -gmtOffsetHours : gmtOffsetHours;
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d00", gmtOffsetHours < 0 ? '-' : '+', hours % 100);
    char text[96];
    std::snprintf(text, sizeof text, "%s, %d %s %d %02d:%02d:%02d %s", day, d.Day, month, d.Year, d.Hour, d.Minute,
                  d.Second, zone);
    return text;
}
