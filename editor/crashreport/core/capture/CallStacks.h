#pragma once
// Call stacks of this process: the stack scan over live stacks and over the
// stack copy of a raise, each address resolved to module, unit, class,
// procedure and line through the modules' debug information.
#include <cstdint>
#include <vector>

#include "editor/crashreport/core/capture/StackScan.h"

// The live stack of a thread from its stack pointer up to its top (thread
// kind 1).
void BuildLiveCallStack(TZorvikStackList& list, uintptr_t firstAddress, uintptr_t stackPointer,
                        uintptr_t stackTop, uint32_t threadId);
// The calling thread from the caller's position.
void BuildCurrentCallStack(TZorvikStackList& list, uintptr_t firstAddress, uint32_t threadId);
// A copy of a stack that started at `start`: the words are read from the
// copy, the code they point into from the process. Thread kind 1 for a
// thread's own stack (as at a raise), 0 for the stack of the code that
// resumed it.
void BuildCopiedCallStack(TZorvikStackList& list, uintptr_t firstAddress, uintptr_t start,
                          const std::vector<uint8_t>& copy, uint32_t threadId, uint8_t threadKind);
