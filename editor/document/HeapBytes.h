#pragma once
// Blocks of bytes on the run-time heap (the document's array and the change
// records' copies). A failed allocation raises the out-of-memory error.
#include <cstdint>

uint8_t* HeapAllocate(int32_t count);

// Owns a block until release() hands it on.
class HeapBlock {
public:
    explicit HeapBlock(int32_t count) : FBytes(HeapAllocate(count)) {}
    ~HeapBlock();
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;
    uint8_t* get() const { return FBytes; }
    uint8_t* release() {
        uint8_t* p = FBytes;
        FBytes = nullptr;
        return p;
    }

private:
    uint8_t* FBytes;
};
