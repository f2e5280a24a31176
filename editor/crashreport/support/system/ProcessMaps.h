#pragma once
// The process's own map of its address space (/proc/self/maps), for the
// portable build: the protection of a mapping, where the system gives no
// other way to learn it, and readability where the kernel's copy between
// processes is missing (user-mode CPU emulators do not offer it).
#include <cstdint>

// The mapping that holds `address`: its end and its protection (PROT_*
// flags). False when no mapping holds it or the map cannot be read.
bool FindMapping(uintptr_t address, uintptr_t& end, int& protection);
