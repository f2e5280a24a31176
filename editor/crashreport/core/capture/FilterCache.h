#pragma once
// The filter cache: the last ten decisions on whether a handler of the
// program takes an exception, by the exception's class, its address and the
// head of the thread's handler chain, so that the same exception raised
// again in the same place is not searched for again.
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

struct TFilterDecision {
    uint8_t FirstHandlerKind = 0;  // the kind of the first handler found
    int32_t Handlers = 0;          // the handlers that will take the exception
    uint8_t RaiseKind = 0;
    bool Handled = false;          // a handler will take it
};

class TFilterCache {
public:
    static constexpr size_t Capacity = 10;
    // The stored decision of the first record with all three keys equal.
    bool Lookup(uintptr_t exceptionClass, uintptr_t address, uintptr_t chainHead, TFilterDecision& decision) const;
    // Appends a record; when ten are held the oldest goes.
    void Store(uintptr_t exceptionClass, uintptr_t address, uintptr_t chainHead, const TFilterDecision& decision);
    void Clear();
    size_t Count() const;

private:
    struct TRecord {
        uintptr_t Class = 0, Address = 0, ChainHead = 0;
        TFilterDecision Decision;
    };
    mutable std::mutex FLock;
    std::array<TRecord, Capacity> FRecords{};
    size_t FCount = 0;
};

// The core's one cache.
TFilterCache& ZorvikFilterCache();
