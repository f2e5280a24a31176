#include "editor/crashreport/support/debuginfo/DebugInfoSource.h"
#include "editor/crashreport/support/debuginfo/DebugModuleNames.h"

// Without a loader, module handles get their file names from the tests.
std::string DebugModuleFileName(uintptr_t module)
{
    std::string name;
    GivenDebugModuleFileName(module, name);
    return name;
}
