#include "editor/crashreport/core/capture/FilterCache.h"

bool TFilterCache::Lookup(uintptr_t exceptionClass, uintptr_t address, uintptr_t chainHead,
                          TFilterDecision& decision) const
{
    std::lock_guard<std::mutex> hold(FLock);
    for (size_t i = 0; i < FCount; ++i) {
        const TRecord& r = FRecords[i];
        if (r.Class == exceptionClass && r.Address == address && r.ChainHead == chainHead) {
            decision = r.Decision;
            return true;
        }
    }
    return false;
}

void TFilterCache::Store(uintptr_t exceptionClass, uintptr_t address, uintptr_t chainHead,
                         const TFilterDecision& decision)
{
    std::lock_guard<std::mutex> hold(FLock);
    if (FCount == Capacity) {
        for (size_t i = 1; i < Capacity; ++i)
            FRecords[i - 1] = FRecords[i];
        --FCount;
    }
    FRecords[FCount++] = TRecord{exceptionClass, address, chainHead, decision};
}

void TFilterCache::Clear()
{
    std::lock_guard<std::mutex> hold(FLock);
    FCount = 0;
    FRecords.fill(TRecord{});
}

size_t TFilterCache::Count() const
{
    std::lock_guard<std::mutex> hold(FLock);
    return FCount;
}

TFilterCache& ZorvikFilterCache()
{
    static TFilterCache cache;
    return cache;
}
