#include <windows.h>

#include "editor/crashreport/support/debuginfo/DebugInfoSource.h"

std::string DebugModuleFileName(uintptr_t module)
{
    char buffer[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), buffer, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(buffer, n);
}

namespace zorvik_testing {
void SetDebugModuleFileName(uintptr_t, const std::string&) {}
}  // namespace zorvik_testing
