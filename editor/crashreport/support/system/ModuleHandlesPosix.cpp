// Outside Windows there are no loaded modules to name: no options object
// describes the current module, so nothing is published.
#include "editor/crashreport/support/system/ModuleHandles.h"

TModuleHandle SystemModuleHandleOf(const std::string&) { return 0; }

TModuleHandle SystemCurrentModuleHandle() { return 1; }
