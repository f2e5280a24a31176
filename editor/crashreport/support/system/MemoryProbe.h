#pragma once
// Readability tests of memory the component cannot trust: an exception may
// carry a dangling pointer, a stack may end in unmapped pages.
#include <cstddef>
#include <cstdint>

// True when every byte of the block lies in committed, readable memory
// (guard pages and no-access pages fail); the block may span regions.
bool IsValidBlockAddr(const void* address, size_t size);

// Copies `size` bytes from `address` when they are all readable; false
// (and nothing copied) otherwise. Never faults.
bool ReadMemoryBlock(const void* address, void* buffer, size_t size);

// The jump target of an import stub (FF 25 and the address of the slot)
// when both stub and slot are readable; else the address itself.
uintptr_t ConvertAddress(uintptr_t address);
