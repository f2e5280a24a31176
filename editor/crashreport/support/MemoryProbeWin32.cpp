// Readability through the system's map of the address space.
#include "editor/crashreport/support/MemoryProbe.h"

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
    uint64_t at = reinterpret_cast<uintptr_t>(address);
    const uint64_t end = at + (size == 0 ? 1 : size);
    if (end > UINTPTR_MAX + uint64_t(1))
        return false;
    while (at < end) {
        MEMORY_BASIC_INFORMATION info;
        if (VirtualQuery(reinterpret_cast<const void*>(static_cast<uintptr_t>(at)), &info, sizeof info) != sizeof info)
            return false;
        if (info.State != MEM_COMMIT || !ReadableProtection(info.Protect))
            return false;
        const uint64_t regionEnd = reinterpret_cast<uintptr_t>(info.BaseAddress) + uint64_t(info.RegionSize);
        if (regionEnd <= at)
            return false;
        at = regionEnd;
    }
    return true;
}

bool ReadMemoryBlock(const void* address, void* buffer, size_t size)
{
    if (!IsValidBlockAddr(address, size))
        return false;
    std::memcpy(buffer, address, size);
    return true;
}
