#include "editor/crashreport/support/system/ModuleHandles.h"

// The system's answers, in ModuleHandlesWin.cpp or ModuleHandlesPosix.cpp.
TModuleHandle SystemModuleHandleOf(const std::string& moduleName);
TModuleHandle SystemCurrentModuleHandle();

namespace {
std::function<TModuleHandle(const std::string&)> g_lookup;
TModuleHandle g_current = 0;
}  // namespace

TModuleHandle ModuleHandleOf(const std::string& moduleName)
{
    if (moduleName.empty()) return 0;
    return g_lookup ? g_lookup(moduleName) : SystemModuleHandleOf(moduleName);
}

TModuleHandle CurrentModuleHandle()
{
    return g_lookup ? g_current : SystemCurrentModuleHandle();
}

void zorvik_testing::SetModuleLookup(std::function<TModuleHandle(const std::string&)> lookup, TModuleHandle current)
{
    g_lookup = std::move(lookup);
    g_current = current;
}
