// The process environment, and the date, time and folder a text may name.
#include "editor/crashreport/support/system/EnvVariables.h"

#include <windows.h>

#include <vector>

#include "framework/SysUtils.h"

namespace {
std::string FormatNow(bool date)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char buffer[256];
    int n = date ? GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, sizeof buffer)
                 : GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer) : std::string();
}
} // namespace

std::string GetEnvVariable(const std::string& name)
{
    std::vector<char> buffer(1024);
    SetLastError(0);
    DWORD n = GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n >= buffer.size()) {
        // Too long for the first buffer: n is the size it needs.
        buffer.resize(n + 1);
        n = GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n >= buffer.size())
            n = 0;
    }
    if (n > 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND)
        return std::string(buffer.data(), n);
    if (SameText(name, "date"))
        return FormatNow(true);
    if (SameText(name, "time"))
        return FormatNow(false);
    if (SameText(name, "cd")) {
        char folder[MAX_PATH + 1];
        DWORD len = GetCurrentDirectoryA(sizeof folder, folder);
        return len > 0 && len < sizeof folder ? std::string(folder, len) : std::string();
    }
    return "";
}
