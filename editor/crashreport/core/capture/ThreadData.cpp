#include "editor/crashreport/core/capture/ThreadData.h"

#include <cstring>

namespace {

constexpr LONG PoolSize = 512;
TThreadExceptionData* pool = nullptr;
// One flag a record: 1 while a thread holds it.
volatile LONG* taken = nullptr;
// Where the next search for a free record starts.
volatile LONG nextFree = 0;
// A fiber-local slot: its callback runs in every thread that ends, so the
// thread's record goes back to the pool.
DWORD slot = FLS_OUT_OF_INDEXES;

void WINAPI GiveBack(void* value)
{
    auto* data = static_cast<TThreadExceptionData*>(value);
    if (!pool || data < pool || data >= pool + PoolSize)
        return;
    const LONG index = static_cast<LONG>(data - pool);
    std::memset(static_cast<void*>(data), 0, sizeof(TThreadExceptionData));
    InterlockedExchange(&taken[index], 0);
}

}  // namespace

bool InitThreadData()
{
    if (slot != FLS_OUT_OF_INDEXES)
        return true;
    // Zeroed, committed pages: no heap involved and no record half-made.
    pool = static_cast<TThreadExceptionData*>(
        VirtualAlloc(nullptr, sizeof(TThreadExceptionData) * PoolSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    taken = static_cast<volatile LONG*>(
        VirtualAlloc(nullptr, sizeof(LONG) * PoolSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!pool || !taken)
        return false;
    slot = FlsAlloc(GiveBack);
    return slot != FLS_OUT_OF_INDEXES;
}

void DoneThreadData()
{
    // The pool stays: a hook in a late thread may still reach its record.
}

TThreadExceptionData* CurrentThreadData()
{
    if (slot == FLS_OUT_OF_INDEXES || !pool)
        return nullptr;
    auto* data = static_cast<TThreadExceptionData*>(FlsGetValue(slot));
    if (data)
        return data;
    // A free record: one pass over the pool from where the last one was found.
    const LONG start = nextFree;
    for (LONG i = 0; i < PoolSize; ++i) {
        const LONG index = (start + i) % PoolSize;
        if (taken[index] == 0 && InterlockedCompareExchange(&taken[index], 1, 0) == 0) {
            nextFree = (index + 1) % PoolSize;
            data = &pool[index];
            data->ThreadId = GetCurrentThreadId();
            FlsSetValue(slot, data);
            return data;
        }
    }
    return nullptr;
}
