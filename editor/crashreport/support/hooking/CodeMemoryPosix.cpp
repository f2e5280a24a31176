// Code memory through mmap and mprotect. The protection a write restores is
// read from the process's own map of its address space.
#include "editor/crashreport/support/hooking/CodeMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "editor/crashreport/support/system/ProcessMaps.h"

namespace {

constexpr int kCodeProtection = PROT_READ | PROT_WRITE | PROT_EXEC;

void* MapAt(uintptr_t hint) {
    void* block = mmap(reinterpret_cast<void*>(hint), kCodeBlockSize, kCodeProtection, MAP_PRIVATE | MAP_ANONYMOUS,
                       -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

bool WithinReach(uintptr_t block, uintptr_t center) {
    const uintptr_t reach = 0x80000000u - 2 * kCodeBlockSize;
    return block >= center ? block - center <= reach : center - block <= reach;
}

// The protection a write into code restores: the page's own, read from the
// map, and always execute, since the bytes written are code that runs (a
// user-mode CPU emulator leaves execute out of the map it shows).
int CodeProtectionOf(uintptr_t address) {
    uintptr_t end = 0;
    int protection = PROT_READ;
    FindMapping(address, end, protection);
    return protection | PROT_EXEC;
}

}  // namespace

void* AllocateCode(const void* around) {
    if constexpr (sizeof(void*) == 8) {
        // The system takes an address as a hint and keeps it when it is free:
        // steps of 1 MiB above the address, then below it.
        const uintptr_t center = reinterpret_cast<uintptr_t>(around) & ~static_cast<uintptr_t>(kCodeBlockSize - 1);
        constexpr uintptr_t step = 1u << 20;
        for (int side = 0; side < 2; ++side) {
            for (uintptr_t distance = step; distance < 0x80000000u - step; distance += step) {
                const uintptr_t hint = side == 0 ? center + distance : center - distance;
                if ((side == 0 && hint < center) || (side == 1 && hint > center) || hint == 0)
                    break;
                void* block = MapAt(hint);
                if (block && WithinReach(reinterpret_cast<uintptr_t>(block), center))
                    return block;
                if (block)
                    munmap(block, kCodeBlockSize);
            }
        }
    }
    return MapAt(0);
}

void FreeCode(void* block) { munmap(block, kCodeBlockSize); }

bool WriteCode(void* at, const void* bytes, size_t count) {
    const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t start = reinterpret_cast<uintptr_t>(at) & ~(page - 1);
    const uintptr_t end = reinterpret_cast<uintptr_t>(at) + count;
    const size_t length = static_cast<size_t>(end - start);
    const int old = CodeProtectionOf(reinterpret_cast<uintptr_t>(at));
    if (mprotect(reinterpret_cast<void*>(start), length, kCodeProtection) != 0)
        return false;
    std::memcpy(at, bytes, count);
    mprotect(reinterpret_cast<void*>(start), length, old);
    __builtin___clear_cache(static_cast<char*>(at), static_cast<char*>(at) + count);
    return true;
}

std::string ModuleFileOf(const void*) { return {}; }

bool IsSharedAreaAddress(const void*) { return false; }
