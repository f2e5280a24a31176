#pragma once
// Call stacks without frame pointers and without any system walking service:
// every word of a stack that points just behind a call instruction in
// readable code is a candidate return address; each becomes a row with its
// module, unit, class, procedure and line, and three clean-up passes hide the
// rows that cannot belong to the live call chain. Portable: memory is reached
// through a small interface, rows are looked up through a callback.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "editor/crashreport/core/lookup/DebugInfoTypes.h"

// Memory the scan cannot trust.
struct TScanMemory {
    // True when every byte of the block is readable.
    std::function<bool(uintptr_t address, size_t count)> Readable;
    // Copies the block when it is readable; false (nothing copied) otherwise.
    std::function<bool(uintptr_t address, void* bytes, size_t count)> Read;
    // The target of an import stub or jump thunk; the address itself otherwise.
    std::function<uintptr_t(uintptr_t address)> Convert;
    // Bytes of a stack word: 4 in 32-bit programs, 8 in 64-bit ones.
    size_t WordSize = sizeof(void*);
    // In 64-bit code "call [absolute]" addresses its pointer relative to the
    // next instruction.
    bool RipRelative = sizeof(void*) == 8;
};

// The rows of one or more call stacks, in scan order: the exception's own
// row first, then the rows from the lowest stack address upward.
struct TZorvikStackList {
    std::vector<TZorvikDebugInfo> Rows;
    size_t Count() const { return Rows.size(); }
};

// A set of details: bit n stands for TZorvikDebugDetail n.
constexpr uint8_t DetailBit(TZorvikDebugDetail d) { return static_cast<uint8_t>(1u << d); }
constexpr uint8_t AllDetails = 31;

// One scan's parameters and counters.
struct TScanParameters {
    uint8_t DetailSet = AllDetails;
    int32_t MaximumRows = 0;
    int32_t StartLevel = -1;  // -1: every accepted row, no limit
    bool FollowCalls = true;
    uint8_t ThreadKind = 1;
    uint32_t ThreadId = 0;
    int32_t Accepted = 0;  // rows accepted by the detail set so far
    int32_t Added = 0;     // rows added so far
};

// Fills the row of an address (module, unit, class, procedure, line).
using TRowLookup = std::function<void(uintptr_t address, bool exceptionRow, TZorvikDebugInfo& row)>;

// How far a scan reads from the stack pointer, and how many rows a list holds.
constexpr size_t MaxScannedStack = 102400;
constexpr size_t MaxStackRows = 1025;

// The call instruction that ends at a return address: where it starts and,
// for a relative call, its target.
struct TCallSite {
    uintptr_t Site = 0;
    bool Relative = false;
    uintptr_t Target = 0;
};

// Tests the bytes before `returnAddress` for a call instruction, in the
// order of the known forms; false when none ends there.
bool FindCallBefore(uintptr_t returnAddress, const TScanMemory& memory, TCallSite& site);

class TStackScanner {
public:
    TStackScanner(TScanMemory memory, TRowLookup lookup) : FMemory(std::move(memory)), FLookup(std::move(lookup)) {}

    // Appends to `list` the row of `firstAddress` (when not 0, marked as the
    // exception's row) and the rows of the stack from `stackStart` up to
    // `stackEnd` (at most MaxScannedStack bytes), then cleans the rows added.
    void ScanStack(TZorvikStackList& list, uintptr_t firstAddress, uintptr_t stackStart, uintptr_t stackEnd,
                   TScanParameters& parameters);

    // One row; false when it was not added.
    bool AddStackRow(TZorvikStackList& list, uintptr_t address, bool exceptionRow, TScanParameters& parameters);

private:
    TScanMemory FMemory;
    TRowLookup FLookup;
};

// The clean-up passes over the rows from `first` on: repeated return
// addresses of one module show once, and rows stranded between a call target
// and the procedure that called on from it are hidden (detail ddNone).
void CleanStackRows(TZorvikStackList& list, size_t first);
