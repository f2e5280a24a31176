#include "editor/crashreport/core/capture/CallStacks.h"

#include <windows.h>

#include <cstring>

#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/support/system/MemoryProbe.h"

namespace {

TScanMemory ProcessMemory()
{
    TScanMemory m;
    m.Readable = [](uintptr_t a, size_t n) { return IsValidBlockAddr(reinterpret_cast<const void*>(a), n); };
    m.Read = [](uintptr_t a, void* out, size_t n) { return ReadMemoryBlock(reinterpret_cast<const void*>(a), out, n); };
    m.Convert = [](uintptr_t a) { return ConvertAddress(a); };
    return m;
}

TRowLookup FullLookup(uint32_t threadId, uint8_t threadKind)
{
    return [threadId, threadKind](uintptr_t address, bool exceptionRow, TZorvikDebugInfo& row) {
        GetDebugInfoByAddr(address, threadId, row, exceptionRow, threadKind);
    };
}

}  // namespace

void BuildLiveCallStack(TZorvikStackList& list, uintptr_t firstAddress, uintptr_t stackPointer, uintptr_t stackTop,
                        uint32_t threadId)
{
    TStackScanner scanner(ProcessMemory(), FullLookup(threadId, 1));
    TScanParameters p;
    p.ThreadId = threadId;
    p.ThreadKind = 1;
    scanner.ScanStack(list, firstAddress, stackPointer, stackTop, p);
}

__attribute__((noinline)) void BuildCurrentCallStack(TZorvikStackList& list, uintptr_t firstAddress,
                                                     uint32_t threadId)
{
    const uintptr_t here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    const uintptr_t top = reinterpret_cast<uintptr_t>(reinterpret_cast<NT_TIB*>(NtCurrentTeb())->StackBase);
    BuildLiveCallStack(list, firstAddress, here, top, threadId);
}

void BuildCopiedCallStack(TZorvikStackList& list, uintptr_t firstAddress, uintptr_t start,
                          const std::vector<uint8_t>& copy, uint32_t threadId, uint8_t threadKind)
{
    TScanMemory m = ProcessMemory();
    const TScanMemory live = m;
    const uintptr_t end = start + copy.size();
    auto inCopy = [start, end](uintptr_t a, size_t n) { return a >= start && a <= end && n <= end - a; };
    m.Readable = [=, &copy](uintptr_t a, size_t n) { return inCopy(a, n) || live.Readable(a, n); };
    m.Read = [=, &copy](uintptr_t a, void* out, size_t n) {
        if (inCopy(a, n)) {
            std::memcpy(out, copy.data() + (a - start), n);
            return true;
        }
        return live.Read(a, out, n);
    };
    TStackScanner scanner(m, FullLookup(threadId, threadKind));
    TScanParameters p;
    p.ThreadId = threadId;
    p.ThreadKind = threadKind;
    scanner.ScanStack(list, firstAddress, start, end, p);
}
