// Untrusted bytes from the network (DNS replies) and from memory (code
// prologues) must never crash their readers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/crashreport/support/AsmSize.h"
#include "editor/crashreport/support/DnsMx.h"
#include "editor/crashreport/support/Trampoline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);
    (void)ParseMxReply(reply);
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
