#pragma once
// Small rules of a send apart from the system: the log copy's text and the
// auto-crash rule.
#include <string>
#include <vector>

// The text to send with three CR LF pairs after it, unless it ends so.
std::string LogCopyText(const std::string& text);

// The crash times (local date-times) hold exactly `number` entries, the
// last at most `minutes` after the first.
bool AutoCrashDue(const std::vector<double>& crashTimes, int number, int minutes);
