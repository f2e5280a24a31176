#pragma once
// Redirection of procedures, virtual-method slots and import-table entries to
// handlers of the crash-report component. Every hook is recorded and undone
// when the unit finishes (ZHookDone).
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/List.h"

TQ_EXCEPTION_CLASS(EHookError, Exception)
TQ_EXCEPTION_CLASS(EProcNull, EHookError)
TQ_EXCEPTION_CLASS(EHookingError, EHookError)
TQ_EXCEPTION_CLASS(ESharedArea, EHookError)

// Instruction length and function length of code in memory; unreadable
// memory ends a walk instead of faulting.
bool GetAsmSize(const void* code, int32_t& size);
int32_t GetFunctionSize(const void* code, int32_t maximum);

// Writes "jmp target" at `at` (through the code-write routine).
void JumpToMem(void* at, const void* target);

// Copies bytes into code: made writable, copied, protection restored and the
// instruction cache flushed.
bool WriteCode(void* at, const void* bytes, size_t count);

// One hooked procedure.
struct THookedProcedure {
    void* Procedure = nullptr;
    uint8_t* Trampoline = nullptr;
    int32_t TrampolineSize = 0;
    std::vector<uint8_t> SavedBytes;  // the procedure's first bytes as they were
    int32_t Copied = 0;
};

// Redirects procedure to newProcedure; returns the trampoline through which
// the replaced code still runs.
void* HookProcedureEx(void* procedure, void* newProcedure, const std::string& name);
bool UnhookProcedure(void* address);
// The record of a hooked procedure (found by procedure or trampoline), or null.
const THookedProcedure* FindHookedProcedure(void* address);

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

#include "editor/crashreport/support/ZHookUnit.h"
