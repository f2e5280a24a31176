#pragma once
// The memory reserve: 5 MB of address space reserved without access at
// start-up and given back while an exception is processed, so that a
// program that ran out of address space still has room for its report.
#include <cstddef>

constexpr size_t MemoryReserveSize = 0x500000;

// Reserves the 5 MB unless they are held already; false when the system
// has no such room.
bool ReserveMemory();
void ReleaseMemoryReserve();
// The reserved block; null while it is given back.
const void* MemoryReserveAddress();
