#include "editor/crashreport/support/system/MemoryProbe.h"

#include <cstring>

// In 32-bit code the stub's operand is the slot's address; in 64-bit code it
// is the slot's distance from the end of the six-byte stub, and the slot holds
// eight bytes.
uintptr_t ConvertAddress(uintptr_t address)
{
    unsigned char stub[6];
    if (!ReadMemoryBlock(reinterpret_cast<const void*>(address), stub, sizeof stub) || stub[0] != 0xFF ||
        stub[1] != 0x25)
        return address;
    uint32_t operand;
    std::memcpy(&operand, stub + 2, 4);
    uintptr_t slot = operand;
    if constexpr (sizeof(uintptr_t) == 8)
        slot = address + sizeof stub + static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<int32_t>(operand)));
    uintptr_t target;
    if (!ReadMemoryBlock(reinterpret_cast<const void*>(slot), &target, sizeof target))
        return address;
    return target;
}
