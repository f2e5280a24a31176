#pragma once
// Facts read from a loaded module's image: its kind (main program, framework
// package, system library) and its exported functions.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/crashreport/core/lookup/ModuleInfo.h"

// No readable "MZ"/"PE" headers: mtUnknown. A DLL: mtFrameworkPackage when
// its file holds the RCDATA resources PACKAGEINFO and PACKAGEOPTIONS, else
// mtOSLibrary. Anything else: mtMainModule.
TZorvikModuleType GetModuleType(uintptr_t module);

// The module's exported functions by address (forwarded exports at the
// address the system gives); true when at least one was added.
bool ReadExportedFunctions(uintptr_t module, std::vector<TZorvikFunctionInfo>& functions);

// The file's description (FileDescription of its first translation) and
// version ("a.b.c.d", empty for 0.0.0.0); both empty without version data.
void GetFileVersionTexts(const std::string& fileName, std::string& description, std::string& version);
