#include "editor/crashreport/core/sending/SendRules.h"

std::string LogCopyText(const std::string& text) {
    const std::string end = "\r\n\r\n\r\n";
    if (text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0)
        return text;
    return text + end;
}

bool AutoCrashDue(const std::vector<double>& crashTimes, int number, int minutes) {
    if (number <= 0 || crashTimes.size() != static_cast<size_t>(number))
        return false;
    return crashTimes.back() - crashTimes.front() <= minutes / 1440.0;
}
