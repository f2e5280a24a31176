#include "framework/DateTimeText.h"

#include <cctype>
#include <ctime>

namespace {
// Days from 1 January of year 1 to 30 December 1899.
constexpr long kDateDelta = 693594;

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int ThisYear() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local.tm_year + 1900;
}

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder DateOrder(const std::string& format) {
    for (char c : format) {
        switch (std::tolower(static_cast<unsigned char>(c))) {
            case 'd': return doDMY;
            case 'm': return doMDY;
            case 'y': return doYMD;
            default: break;
        }
    }
    return doMDY;
}

// A reader over the text: one pass, no step back beyond a saved position.
struct TScanner {
    const std::string& Text;
    size_t Pos = 0;

    void SkipBlanks() {
        while (Pos < Text.size() && Text[Pos] == ' ') ++Pos;
    }
    bool AtEnd() {
        SkipBlanks();
        return Pos >= Text.size();
    }
    bool Char(char c) {
        SkipBlanks();
        if (Pos < Text.size() && Text[Pos] == c) {
            ++Pos;
            return true;
        }
        return false;
    }
    // At most nine digits, so the number fits; digits tells how many.
    bool Number(int& value, int& digits) {
        SkipBlanks();
        value = 0;
        digits = 0;
        while (Pos < Text.size() && std::isdigit(static_cast<unsigned char>(Text[Pos]))) {
            if (++digits > 9) return false;
            value = value * 10 + (Text[Pos++] - '0');
        }
        return digits > 0;
    }
    bool Word(const std::string& word) {
        SkipBlanks();
        if (word.empty() || Text.size() - Pos < word.size()) return false;
        for (size_t i = 0; i < word.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(Text[Pos + i])) != std::toupper(static_cast<unsigned char>(word[i])))
                return false;
        Pos += word.size();
        return true;
    }
};

bool ScanDate(TScanner& s, const TFormatSettings& settings, double& value) {
    int n[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    if (!s.Number(n[0], digits[0]) || !s.Char(settings.DateSeparator) || !s.Number(n[1], digits[1])) return false;
    int count = 2;
    if (s.Char(settings.DateSeparator)) {
        if (!s.Number(n[2], digits[2])) return false;
        count = 3;
    }
    int year, month, day, yearDigits = 4;
    TDateOrder order = DateOrder(settings.ShortDateFormat);
    if (count == 2) {
        year = ThisYear();
        month = order == doDMY ? n[1] : n[0];
        day = order == doDMY ? n[0] : n[1];
    } else if (order == doYMD) {
        year = n[0], yearDigits = digits[0], month = n[1], day = n[2];
    } else {
        year = n[2], yearDigits = digits[2];
        month = order == doDMY ? n[1] : n[0];
        day = order == doDMY ? n[0] : n[1];
    }
    if (yearDigits <= 2) {
        // The year of that ending within the 100 years from 50 years ago.
        int base = ThisYear() - 50;
        year += base / 100 * 100;
        if (year < base) year += 100;
    }
    return TryEncodeDate(year, month, day, value);
}

bool ScanTime(TScanner& s, const TFormatSettings& settings, double& value) {
    int hour, minute, second = 0, millisecond = 0, digits;
    if (!s.Number(hour, digits) || !s.Char(settings.TimeSeparator) || !s.Number(minute, digits)) return false;
    if (s.Char(settings.TimeSeparator)) {
        if (!s.Number(second, digits)) return false;
        if (s.Char(settings.DecimalSeparator)) {
            // A fraction of a second: ".5" is half a second; three places count.
            int fraction;
            if (!s.Number(fraction, digits)) return false;
            for (; digits > 3; --digits) fraction /= 10;
            for (; digits < 3; ++digits) fraction *= 10;
            millisecond = fraction;
        }
    }
    bool am = s.Word(settings.TimeAMString) || s.Word("AM");
    bool pm = !am && (s.Word(settings.TimePMString) || s.Word("PM"));
    if (am || pm) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    return TryEncodeTime(hour, minute, second, millisecond, value);
}
}  // namespace

bool TryEncodeDate(int year, int month, int day, double& value) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
    long y = year - 1;
    long days = y * 365 + y / 4 - y / 100 + y / 400 + day;
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    value = static_cast<double>(days - kDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, double& value) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return false;
    value = ((hour * 3600.0 + minute * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
    return true;
}

namespace {
// The whole text is one date (or time); the value stays as it was otherwise.
bool ScanWhole(const std::string& text, double& value, const TFormatSettings& settings,
               bool (*scan)(TScanner&, const TFormatSettings&, double&)) {
    TScanner s{text};
    double read;
    if (!scan(s, settings, read) || !s.AtEnd()) return false;
    value = read;
    return true;
}
}  // namespace

bool TryStrToDate(const std::string& text, double& value, const TFormatSettings& settings) {
    return ScanWhole(text, value, settings, ScanDate);
}

bool TryStrToTime(const std::string& text, double& value, const TFormatSettings& settings) {
    return ScanWhole(text, value, settings, ScanTime);
}

bool TryStrToDateTime(const std::string& text, double& value, const TFormatSettings& settings) {
    TScanner s{text};
    double date, time = 0;
    if (!ScanDate(s, settings, date)) return TryStrToTime(text, value, settings);
    if (!s.AtEnd() && !ScanTime(s, settings, time)) return false;
    if (!s.AtEnd()) return false;
    // Before 30 December 1899 the time still runs forward within the day.
    value = date < 0 ? date - time : date + time;
    return true;
}
