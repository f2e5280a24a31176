#pragma once
// Redirection of procedures to handlers of the crash-report component: the
// procedure's first bytes become a jump to the handler, and a trampoline still
// runs the replaced code. Needs no Win32: the code memory lies behind its own
// seam (CodeMemory.h).
#include <cstdint>
#include <string>
#include <vector>

#include "editor/crashreport/support/hooking/CodeMemory.h"
#include "framework/Exceptions.h"

TQ_EXCEPTION_CLASS(EHookError, Exception)
TQ_EXCEPTION_CLASS(EProcNull, EHookError)
TQ_EXCEPTION_CLASS(EHookingError, EHookError)
TQ_EXCEPTION_CLASS(ESharedArea, EHookError)

// A hook message with the name in place of its "%s".
std::string HookMessage(const std::string& pattern, const std::string& name);

// Instruction length and function length of code in memory; unreadable
// memory ends a walk instead of faulting.
bool GetAsmSize(const void* code, int32_t& size);
int32_t GetFunctionSize(const void* code, int32_t maximum);

// Writes "jmp target" (five bytes) at `at` through the code-write routine;
// false, and nothing written, where the target lies beyond the reach of its
// 32-bit displacement (64-bit programs only) or the bytes cannot be written.
bool JumpToMem(void* at, const void* target);

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
// Removes every procedure hook, the last made first.
void UndoProcedureHooks();
