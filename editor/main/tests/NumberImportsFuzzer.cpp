// Number texts from the clipboard or a file are the user's: every parser
// must answer a count or -1 for any text, within the bytes it was given,
// and the editor's clipboard byte format must refuse damage cleanly. The
// integer lists must read every text as the plain token-by-token reading
// does.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "editor/main/ByteTexts.h"
#include "editor/main/NumberImports.h"
#include "editor/main/tests/IntegerListReference.h"
#include "framework/Exceptions.h"

namespace {
struct IntegerList {
    int width;
    int64_t min, max;
};

// The integer lists' widths and ranges by kind; width 0 for the others.
IntegerList IntegerListOf(NumberKind kind) {
    switch (kind) {
        case NumberKind::Int8Unsigned: return {1, 0, 255};
        case NumberKind::Int8Signed: return {1, -128, 127};
        case NumberKind::Int16Unsigned: return {2, 0, 65535};
        case NumberKind::Int16Signed: return {2, -32768, 32767};
        case NumberKind::Int32Unsigned: return {4, 0, 4294967295LL};
        case NumberKind::Int32Signed: return {4, -2147483648LL, 2147483647LL};
        default: return {0, 0, 0};
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const NumberKind kind = static_cast<NumberKind>(data[0] % 10);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    // With the high bit of the first byte the text is repeated to about
    // 4 MiB, so that a parser slower than linear shows as a timeout; with
    // the next bit to about 8 KiB, which long lists are read as.
    std::string repeated;
    const size_t repeatTo = (data[0] & 0x80) ? (4u << 20) : (data[0] & 0x40) ? (8u << 10) : 0;
    if (repeatTo > 0 && !text.empty()) {
        repeated.reserve(repeatTo + text.size());
        while (repeated.size() < repeatTo) repeated.append(text);
        text = repeated;
    }
    std::vector<uint8_t> out;
    const int32_t n = ParseNumbers(kind, text, out);
    if (n < -1 || (n >= 0 && static_cast<size_t>(n) > out.size())) std::abort();
    if (n >= 0 && static_cast<size_t>(n) > text.size() * 8 + 8) std::abort();
    const IntegerList list = IntegerListOf(kind);
    if (list.width > 0 && text.size() <= (256u << 10)) {
        std::vector<uint8_t> expected;
        if (ReferenceIntegerList(text, expected, list.width, list.min, list.max) != n) std::abort();
        if (n >= 0 && !std::equal(expected.begin(), expected.end(), out.begin())) std::abort();
    }
    (void)CountNumbers(text);
    try {
        HexPairsToBytes(text, out);
        if (out.size() != text.size() / 2) std::abort();
    } catch (const Exception&) {
    }
    return 0;
}
