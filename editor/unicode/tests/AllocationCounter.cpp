#include "editor/unicode/tests/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<size_t> gBytes{0};
}  // namespace

AllocationCounter::AllocationCounter() : FStart(gBytes.load()) {}
AllocationCounter::~AllocationCounter() = default;
size_t AllocationCounter::Bytes() const { return gBytes.load() - FStart; }

// The array and non-throwing forms of the run time call these two.
void* operator new(size_t size) {
    gBytes += size;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
