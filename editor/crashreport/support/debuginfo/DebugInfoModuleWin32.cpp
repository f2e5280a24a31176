#include <windows.h>

#include "editor/crashreport/support/debuginfo/DebugInfoSource.h"
#include "editor/crashreport/support/debuginfo/DebugModuleNames.h"

std::string DebugModuleFileName(uintptr_t module)
{
    std::string given;
    if (GivenDebugModuleFileName(module, given))
        return given;
    char buffer[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), buffer, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(buffer, n);
}
