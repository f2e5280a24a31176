#include "editor/crashreport/core/capture/ThreadData.h"

#include <cstring>

namespace {

constexpr LONG PoolSize = 512;
TThreadExceptionData* pool = nullptr;
volatile LONG taken = 0;
DWORD slot = TLS_OUT_OF_INDEXES;

}  // namespace

bool InitThreadData()
{
    if (slot != TLS_OUT_OF_INDEXES)
        return true;
    // Zeroed, committed pages: no heap involved and no record half-made.
    pool = static_cast<TThreadExceptionData*>(
        VirtualAlloc(nullptr, sizeof(TThreadExceptionData) * PoolSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!pool)
        return false;
    slot = TlsAlloc();
    return slot != TLS_OUT_OF_INDEXES;
}

void DoneThreadData()
{
    // The pool stays: a hook in a late thread may still reach its record.
}

TThreadExceptionData* CurrentThreadData()
{
    if (slot == TLS_OUT_OF_INDEXES || !pool)
        return nullptr;
    auto* data = static_cast<TThreadExceptionData*>(TlsGetValue(slot));
    if (data)
        return data;
    const LONG index = InterlockedIncrement(&taken) - 1;
    if (index >= PoolSize)
        return nullptr;
    data = &pool[index];
    data->ThreadId = GetCurrentThreadId();
    TlsSetValue(slot, data);
    return data;
}
