// Code memory through the system's virtual-memory calls.
#include "editor/crashreport/support/hooking/CodeMemory.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

void* AllocateAnywhere() {
    return VirtualAlloc(nullptr, kCodeBlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
}

// The first free block from `from` up to `to` (exclusive of the block's end).
void* AllocateBetween(uintptr_t from, uintptr_t to, uintptr_t granularity) {
    uintptr_t at = (from + granularity - 1) / granularity * granularity;
    while (at < to) {
        MEMORY_BASIC_INFORMATION mbi;
        if (VirtualQuery(reinterpret_cast<void*>(at), &mbi, sizeof(mbi)) == 0)
            return nullptr;
        const uintptr_t regionEnd = reinterpret_cast<uintptr_t>(mbi.BaseAddress) + mbi.RegionSize;
        if (mbi.State == MEM_FREE && at + kCodeBlockSize <= regionEnd && at + kCodeBlockSize <= to) {
            if (void* block = VirtualAlloc(reinterpret_cast<void*>(at), kCodeBlockSize, MEM_COMMIT | MEM_RESERVE,
                                           PAGE_EXECUTE_READWRITE))
                return block;
        }
        if (regionEnd <= at)
            return nullptr;
        at = (regionEnd + granularity - 1) / granularity * granularity;
    }
    return nullptr;
}

}  // namespace

void* AllocateCode(const void* around) {
    if constexpr (sizeof(void*) == 4) {
        return AllocateAnywhere();
    } else {
        // Free regions above the address first (a program's own image is
        // followed by room), then those below it; a margin keeps the whole
        // block within reach.
        SYSTEM_INFO si;
        GetSystemInfo(&si);
        const uintptr_t granularity = si.dwAllocationGranularity;
        const uintptr_t lowest = reinterpret_cast<uintptr_t>(si.lpMinimumApplicationAddress);
        const uintptr_t highest = reinterpret_cast<uintptr_t>(si.lpMaximumApplicationAddress);
        const uintptr_t center = reinterpret_cast<uintptr_t>(around);
        const uintptr_t reach = 0x80000000u - 2 * granularity;
        const uintptr_t low = center > lowest + reach ? center - reach : lowest;
        const uintptr_t high = highest - center > reach ? center + reach : highest;
        if (void* block = AllocateBetween(center, high, granularity))
            return block;
        if (void* block = AllocateBetween(low, center, granularity))
            return block;
        return AllocateAnywhere();
    }
}

void FreeCode(void* block) { VirtualFree(block, 0, MEM_RELEASE); }

bool WriteCode(void* at, const void* bytes, size_t count) {
    DWORD old = 0;
    if (!VirtualProtect(at, count, PAGE_EXECUTE_READWRITE, &old))
        return false;
    std::memcpy(at, bytes, count);
    DWORD ignored = 0;
    VirtualProtect(at, count, old, &ignored);
    FlushInstructionCache(GetCurrentProcess(), at, count);
    return true;
}

std::string ModuleFileOf(const void* address) {
    MEMORY_BASIC_INFORMATION mbi;
    char path[MAX_PATH] = "";
    if (VirtualQuery(address, &mbi, sizeof(mbi)) != 0 && mbi.AllocationBase != nullptr)
        GetModuleFileNameA(static_cast<HMODULE>(mbi.AllocationBase), path, MAX_PATH);
    return path;
}

bool IsSharedAreaAddress(const void* address) {
    const bool win9x = (GetVersion() & 0x80000000u) != 0;
    return win9x && reinterpret_cast<uintptr_t>(address) >= 0x80000000u;
}
