#include "editor/crashreport/core/capture/MemoryReserve.h"

#include <windows.h>

namespace {
void* volatile reserve = nullptr;
}

bool ReserveMemory()
{
    if (reserve)
        return true;
    void* block = VirtualAlloc(nullptr, MemoryReserveSize, MEM_RESERVE, PAGE_NOACCESS);
    if (!block)
        return false;
    if (InterlockedCompareExchangePointer(const_cast<void**>(&reserve), block, nullptr) != nullptr)
        VirtualFree(block, 0, MEM_RELEASE);
    return true;
}

void ReleaseMemoryReserve()
{
    void* block = InterlockedExchangePointer(const_cast<void**>(&reserve), nullptr);
    if (block)
        VirtualFree(block, 0, MEM_RELEASE);
}

const void* MemoryReserveAddress() { return reserve; }
