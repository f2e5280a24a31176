#pragma once
// Which loaded module a set of crash-report options belongs to, and which
// module holds this code: options are published only by their own module.
#include <cstdint>
#include <functional>
#include <string>

using TModuleHandle = uintptr_t;

// The handle of the loaded module of that file name; 0 for an empty name or
// one that is not loaded.
TModuleHandle ModuleHandleOf(const std::string& moduleName);
// The handle of the module this code is linked into.
TModuleHandle CurrentModuleHandle();

namespace zorvik_testing {
// Replaces the system's answers (tests only); an empty lookup restores them.
void SetModuleLookup(std::function<TModuleHandle(const std::string&)> lookup, TModuleHandle current);
}  // namespace zorvik_testing
