// Readability in the portable build: the kernel copies the block for us and
// answers a fault with an error instead of a signal. Reads made this way are
// also invisible to the address sanitizer, which must not take a probe of
// freed memory for a fault of ours.
#include "editor/crashreport/support/MemoryProbe.h"

#include <sys/uio.h>
#include <unistd.h>

#include <vector>

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
    return n == static_cast<ssize_t>(size);
}

bool IsValidBlockAddr(const void* address, size_t size)
{
    std::vector<unsigned char> copy(size == 0 ? 1 : size);
    return ReadMemoryBlock(address, copy.data(), copy.size());
}
