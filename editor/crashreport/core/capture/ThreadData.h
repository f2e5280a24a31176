#pragma once
// The core's record of each thread: the last system exception seen in it,
// the pending C++ exception thrown in it and the flags of its processing.
// Records come from a pool prepared at start-up, so that taking one never
// allocates (the vectored handler may run while the heap is damaged); a
// thread's record goes back to the pool when the thread ends.
#include <windows.h>

#include <cstdint>
#include <typeinfo>

struct alignas(16) TThreadExceptionData {
    CONTEXT Context;            // the last system exception's context
    bool ContextValid;          // the copy holds a context
    EXCEPTION_RECORD Record;    // and its record
    uintptr_t ExceptionStackPointer;
    uintptr_t RaisePosition;    // stack position of the last throw
    // The C++ exception thrown last in this thread and not yet captured.
    const std::type_info* PendingType;
    void* PendingObject;
    uintptr_t PendingAddress;
    volatile LONG Processing;   // a capture of this thread is under way
    volatile LONG Pausing;      // this thread has others suspended
    volatile LONG EndOfThread;  // the end-of-thread handling runs
    volatile LONG Forwarding;   // a throw is being told to the main instance
    EXCEPTION_POINTERS* LastFiltered;
    uint32_t ThreadId;
};

// Prepares the pool and the thread-local slot (start-up).
bool InitThreadData();
void DoneThreadData();
// The calling thread's record, taken from the pool on first use; null when
// every record is held by a running thread or the pool is not prepared.
TThreadExceptionData* CurrentThreadData();
