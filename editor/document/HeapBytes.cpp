#include "editor/document/HeapBytes.h"

#include <cstdlib>

#include "framework/Exceptions.h"

uint8_t* HeapAllocate(int32_t count) {
    // Zero bytes are asked as one, so that an empty block is still a block.
    void* p = count >= 0 ? std::malloc(count > 0 ? static_cast<size_t>(count) : 1) : nullptr;
    if (!p) throw EOutOfMemory(OutOfMemoryMessage());
    return static_cast<uint8_t*>(p);
}

HeapBlock::~HeapBlock() { std::free(FBytes); }
