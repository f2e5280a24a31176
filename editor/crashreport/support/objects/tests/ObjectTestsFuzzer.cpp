// Forged objects and class records: the input becomes a block of memory in
// which every word may point back into the block (or anywhere else), and the
// object and class tests must answer without a fault.
#include <cstdint>
#include <cstring>
#include <vector>

#include "editor/crashreport/support/objects/ObjectTests.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t words = (size - 1) / sizeof(uintptr_t) + 8;
    std::vector<uintptr_t> block(words);
    std::memcpy(block.data(), data + 1, size - 1);
    const uintptr_t base = reinterpret_cast<uintptr_t>(block.data());
    // Words with the low bit set become pointers into the block.
    for (auto& w : block)
        if (w & 1)
            w = base + (w >> 1) % (words * sizeof(uintptr_t));
    const void* object = block.data() + data[0] % words;
    ObjectReferenceValid(object);
    SafeClassName(object);
    ObjectDescendsFromName(object, "TObject");
    ExceptionObjectReportable(object);
    ClassDescendsFromName(static_cast<TClassRef>(object), "Exception");
    return 0;
}
