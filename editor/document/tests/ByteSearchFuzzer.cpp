// Differential fuzzing of the byte search against a plain scan: the input is
// split into a pattern and a haystack, and every direction and range is tried.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "editor/document/ByteSearch.h"
#include "editor/document/tests/SearchReference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
    if (size < 3) return 0;
    const int32_t len = 1 + input[0] % 12;
    const uint8_t lowPick = input[1], highPick = input[2];
    input += 3;
    size -= 3;
    if (size < static_cast<size_t>(len) || size > 100000) return 0;
    // Copies of exact size, so that any read outside the ranges is caught.
    std::vector<uint8_t> pattern(input, input + len);
    std::vector<uint8_t> hay(input + len, input + size);
    const int32_t lastStart = static_cast<int32_t>(hay.size()) - len;
    if (lastStart < 0) return 0;
    const int32_t a = lowPick * (lastStart + 1) / 256, b = lastStart - highPick * (lastStart + 1) / 256;
    const int32_t lo = a < b ? a : b, hi = a < b ? b : a;
    if (FindForward(hay.data(), lo, hi, pattern.data(), len) != NaiveForward(hay.data(), lo, hi, pattern.data(), len))
        std::abort();
    if (FindBackward(hay.data(), hi, lo, pattern.data(), len) != NaiveBackward(hay.data(), hi, lo, pattern.data(), len))
        std::abort();
    return 0;
}
