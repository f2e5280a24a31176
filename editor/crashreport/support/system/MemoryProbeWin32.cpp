// Readability through the system's map of the address space.
#include "editor/crashreport/support/system/MemoryProbe.h"

#include <windows.h>

#include <cstring>

namespace {
// Exactly one readable kind: modifiers such as guard or no-cache make the
// value match none of them.
bool ReadableProtection(DWORD protect)
{
    switch (protect) {
    case PAGE_READONLY: case PAGE_READWRITE: case PAGE_WRITECOPY: case PAGE_EXECUTE:
    case PAGE_EXECUTE_READ: case PAGE_EXECUTE_READWRITE: case PAGE_EXECUTE_WRITECOPY:
        return true;
    default:
        return false;
    }
}
} // namespace

bool IsValidBlockAddr(const void* address, size_t size)
{
    if (address == nullptr)
        return false;
    // Worked with the block's last byte, so that a block ending at the top of
    // the address space neither overflows nor is refused.
    const uintptr_t start = reinterpret_cast<uintptr_t>(address);
    const uintptr_t span = size == 0 ? 1 : size;
    if (span - 1 > UINTPTR_MAX - start)
        return false;
    const uintptr_t last = start + (span - 1);
    uintptr_t at = start;
    for (;;) {
        MEMORY_BASIC_INFORMATION info;
        if (VirtualQuery(reinterpret_cast<const void*>(at), &info, sizeof info) != sizeof info)
            return false;
        if (info.State != MEM_COMMIT || !ReadableProtection(info.Protect) || info.RegionSize == 0)
            return false;
        const uintptr_t base = reinterpret_cast<uintptr_t>(info.BaseAddress);
        const uintptr_t regionLast = base + (info.RegionSize - 1);
        if (regionLast < at)
            return false;
        if (regionLast >= last)
            return true;
        at = regionLast + 1;
    }
}

bool ReadMemoryBlock(const void* address, void* buffer, size_t size)
{
    if (!IsValidBlockAddr(address, size))
        return false;
    std::memcpy(buffer, address, size);
    return true;
}
