#pragma once
// The crash-report data of the process's modules and the lookup of any code
// address: module, unit, class, procedure, line and the line's distance from
// the procedure's first line.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/core/lookup/DebugInfoTypes.h"
#include "editor/crashreport/core/lookup/ModuleInfo.h"

// True when the module has a ZVDATA resource starting with a magic, or its
// file ends with the appended data.
bool IsZorvikLogModule(uintptr_t module);
// The version word as stored; 0 when the module has no data.
uint16_t GetZorvikLogModuleVersion(uintptr_t module);
// The module has data of at least this reader's version.
bool IsCurrentZorvikModule(uintptr_t module);

// The address of a section-table record of the module that holds this code:
// module + 0x1000 + the record's code offset; null without one.
void* FindDataSectionAddress(uint8_t id);
// Hooks the routine of that section record; returns the entry through which
// the replaced routine can still be called (null when nothing was hooked).
void* HookSectionMethod(uint8_t id, void* replacement);
// The section's routine, else the named export of the named loaded library;
// hooked when a replacement is given. Returns the routine's address, or the
// entry to the replaced routine after hooking.
void* HookMethod(uint8_t id, const std::string& library, const std::string& exportName, void* replacement);

// The records of the process's modules.
TZorvikModulesList& ZorvikModules();
// The record of the module that holds the address (made when missing); null
// for an address outside every module.
TZorvikModuleInfo* ModuleInfoByAddr(uintptr_t address);
// Makes and lists the record of a module; `full` false: file facts only.
TZorvikModuleInfo* AddModuleInfo(uintptr_t module, const std::string& path, bool full);
// Makes the options object of a module's record (the core's own class,
// which publishes and reads the options through the module's shared
// virtual file); unset: the plain options class.
using TModuleOptionsMaker = std::function<std::unique_ptr<TZorvikModuleOptions>(const std::string& path)>;
void SetModuleOptionsMaker(TModuleOptionsMaker maker);
// A module file's modification date as its entry keeps it (local time, days
// since 30 Dec 1899); 0 when the file cannot be read.
double ModuleFileDate(const std::string& path);

// Lookup in the module's own crash-report data.
bool GetSourceInfoByAddr(uintptr_t address, TZorvikDebugInfo& info);
// The full lookup: own data, else external debug information, else exports.
void GetDebugInfoByAddr(uintptr_t address, uint32_t threadId, TZorvikDebugInfo& info, bool exceptionRow,
                        uint8_t threadKind);
// As GetDebugInfoByAddr, and picks the module's external source when the
// first answer names no more than the module.
void ResolveAddress(uintptr_t address, TZorvikDebugInfo& info);

// Password requests for enciphered data: attempt 1 asks the module's own
// request, attempt 2 the process's handlers. Unset: the empty password.
using TModulePasswordRequest = std::function<bool(uintptr_t module, int attempt, std::string& password)>;
void SetModulePasswordRequest(TModulePasswordRequest request);

// The file names of the component's own units: frames in them show only
// their module, unless the exported flag ShowZorvikLogUnits is set (the
// internal error log sets it while it runs).
void SetComponentUnitNames(std::vector<std::string> names);
extern "C" uint8_t ShowZorvikLogUnits;
