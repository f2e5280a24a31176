#include "editor/crashreport/support/MemoryProbe.h"

#include <cstring>

uintptr_t ConvertAddress(uintptr_t address)
{
    unsigned char stub[8];
    if (!ReadMemoryBlock(reinterpret_cast<const void*>(address), stub, sizeof stub) || stub[0] != 0xFF ||
        stub[1] != 0x25)
        return address;
    uint32_t slot;
    std::memcpy(&slot, stub + 2, 4);
    uint32_t target;
    if (!ReadMemoryBlock(reinterpret_cast<const void*>(static_cast<uintptr_t>(slot)), &target, 4))
        return address;
    return target;
}
