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
    TTrampolinePlan plan;
    if (PlanTrampoline(data, n, plan) == TTrampolineFault::None)
        (void)BuildTrampoline(data, plan, 0x401000, 0x900000);
    (void)GetFunctionSize(data, n, n);
    return 0;
}
