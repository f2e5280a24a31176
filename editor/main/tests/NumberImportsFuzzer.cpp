// Number texts from the clipboard or a file are the user's: every parser
// must answer a count or -1 for any text, within the bytes it was given,
// and the editor's clipboard byte format must refuse damage cleanly.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "editor/main/ByteTexts.h"
#include "editor/main/NumberImports.h"
#include "framework/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const NumberKind kind = static_cast<NumberKind>(data[0] % 10);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    // With the high bit of the first byte the text is repeated to about
    // 4 MiB, so that a parser slower than linear shows as a timeout.
    std::string repeated;
    if ((data[0] & 0x80) && !text.empty()) {
        repeated.reserve((4u << 20) + text.size());
        while (repeated.size() < (4u << 20)) repeated.append(text);
        text = repeated;
    }
    std::vector<uint8_t> out;
    const int32_t n = ParseNumbers(kind, text, out);
    if (n < -1 || (n >= 0 && static_cast<size_t>(n) > out.size())) std::abort();
    if (n >= 0 && static_cast<size_t>(n) > text.size() * 8 + 8) std::abort();
    (void)CountNumbers(text);
    try {
        HexPairsToBytes(text, out);
        if (out.size() != text.size() / 2) std::abort();
    } catch (const Exception&) {
    }
    return 0;
}
