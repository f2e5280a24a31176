#pragma once
// The date of a mail header and of the internal error log, RFC 822 style:
// "Tue, 5 Mar 2013 07:04:09 +0200".
#include <string>

struct TMailDateParts {
    int Year = 0, Month = 1, Day = 1;  // Month 1 to 12
    int DayOfWeek = 0;                 // 0 Sunday to 6 Saturday
    int Hour = 0, Minute = 0, Second = 0;
};

// gmtOffsetHours: local time minus UTC in whole hours.
std::string RFC822DateText(const TMailDateParts& date, int gmtOffsetHours);
