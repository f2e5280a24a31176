// Untrusted bytes from memory (code prologues) must never crash the readers
// that measure and move them.
#include <cstddef>
#include <cstdint>

#include "editor/crashreport/support/hooking/AsmSize.h"
#include "editor/crashreport/support/hooking/Trampoline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int32_t n = static_cast<int32_t>(size > 64 ? 64 : size);
    // Moved near and far: in 64-bit code the trampoline lies within reach of
    // the procedure or more than 4 GiB away.
    const TTrampolineSite sites[] = {
        {0x401000, 0x900000, kNearJumpSize, TCodeWidth::Bits32},
        {0x140001000, 0x140900000, kNearJumpSize, TCodeWidth::Bits64},
        {0x140001000, 0x7FF000000000, kAbsoluteJumpSize, TCodeWidth::Bits64},
    };
    for (const TTrampolineSite& site : sites) {
        TTrampolinePlan plan;
        if (PlanTrampoline(data, n, plan, site) == TTrampolineFault::None)
            (void)BuildTrampoline(data, plan);
    }
    (void)GetFunctionSize(data, n, n);
    return 0;
}
