// Readability in the portable build: the kernel copies the block for us and
// answers a fault with an error instead of a signal. Reads made this way are
// also invisible to the address sanitizer, which must not take a probe of
// freed memory for a fault of ours.
#include "editor/crashreport/support/system/MemoryProbe.h"

#include <sys/mman.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "editor/crashreport/support/system/ProcessMaps.h"

namespace {

// Where the kernel's copy is missing (a user-mode CPU emulator runs the
// program), the process's map says whether every byte is readable.
bool ReadableByMap(uintptr_t start, size_t size)
{
    const uintptr_t last = start + (size - 1);
    if (last < start)
        return false;
    for (uintptr_t at = start;;) {
        uintptr_t end = 0;
        int protection = 0;
        if (!FindMapping(at, end, protection) || (protection & PROT_READ) == 0)
            return false;
        if (end == 0 || end - 1 >= last)
            return true;
        at = end;
    }
}

} // namespace

bool ReadMemoryBlock(const void* address, void* buffer, size_t size)
{
    if (address == nullptr)
        return false;
    if (size == 0) {
        unsigned char probe;
        return ReadMemoryBlock(address, &probe, 1);
    }
    iovec local{buffer, size};
    iovec remote{const_cast<void*>(address), size};
    const ssize_t n = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
    if (n < 0 && errno == ENOSYS) {
        if (!ReadableByMap(reinterpret_cast<uintptr_t>(address), size))
            return false;
        std::memcpy(buffer, address, size);
        return true;
    }
    return n == static_cast<ssize_t>(size);
}

bool IsValidBlockAddr(const void* address, size_t size)
{
    std::vector<unsigned char> copy(size == 0 ? 1 : size);
    return ReadMemoryBlock(address, copy.data(), copy.size());
}
