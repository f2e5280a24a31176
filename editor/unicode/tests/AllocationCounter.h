#pragma once
// Counts the bytes the program asks operator new for while a counter lives:
// a measure of work that does not depend on the machine's speed. The test
// program that links AllocationCounter.cpp routes every operator new through it.
#include <cstddef>

class AllocationCounter {
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;
    // Bytes asked for since the counter was made.
    size_t Bytes() const;

private:
    size_t FStart;
};
