// The environment of the portable build (tests of the native tree).
#include "editor/crashreport/support/system/EnvVariables.h"

#include <cstdlib>
#include <ctime>
#include <unistd.h>

#include "framework/SysUtils.h"

std::string GetEnvVariable(const std::string& name)
{
    if (const char* value = std::getenv(name.c_str()))
        return value;
    char buffer[4096];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    if (SameText(name, "date") && std::strftime(buffer, sizeof buffer, "%d/%m/%Y", &local))
        return buffer;
    if (SameText(name, "time") && std::strftime(buffer, sizeof buffer, "%H:%M:%S", &local))
        return buffer;
    if (SameText(name, "cd") && getcwd(buffer, sizeof buffer))
        return buffer;
    return "";
}
