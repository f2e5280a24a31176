#pragma once
// Redirection of procedures (ProcedureHooks.h), virtual-method slots and
// import-table entries to handlers of the crash-report component. Every hook
// is recorded and undone when the unit finishes (ZHookDone).
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/crashreport/support/hooking/ProcedureHooks.h"
#include "framework/List.h"

// One patched virtual-method slot.
struct THookedMethod {
    void** Table;
    void* Previous;
    int32_t Index;
};

// The patched slots, under a lock of their own; destroying the list puts
// every slot back.
class THookedMethodsList : public TList {
public:
    THookedMethodsList();
    ~THookedMethodsList() override;
    void* Hook(void** table, int32_t index, void* newCode);
    bool Unhook(void** table, int32_t index);

private:
    THookedMethod* Find(void** table, int32_t index) const;
    CRITICAL_SECTION FLock;
};

void* HookVirtualMethod(void* methodTable, int32_t index, void* newCode);
bool UnhookVirtualMethod(void* methodTable, int32_t index);

// Patches the import entries of moduleName (empty: the program) that import
// procName from libraryName; returns the replaced procedure.
void* HookDllProcedureEx(const std::string& moduleName, const std::string& libraryName,
                         const std::string& procName, void* newProcedure);
// The same for every listed module that is loaded; true when any entry was
// patched; replaced gets the procedure's address in every case.
bool TryHookDllProcedureEx(const std::vector<std::string>& moduleNames, const std::string& libraryName,
                           bool noError, void*& replaced, void* newProcedure, const std::string& procName);

#include "editor/crashreport/support/hooking/ZHookUnit.h"
