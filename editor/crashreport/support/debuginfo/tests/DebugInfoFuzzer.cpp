// Untrusted debug information through every reader: a text map, a TD32
// block and a compact binary block made of the same bytes, each asked for
// many offsets.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/crashreport/support/debuginfo/DebugInfoBinary.h"
#include "editor/crashreport/support/debuginfo/DebugInfoMap.h"
#include "editor/crashreport/support/debuginfo/DebugInfoTD32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t kind = data[0] % 3;
    const uint8_t* body = data + 1;
    const size_t n = size - 1;
    uint32_t po, lo;
    if (kind == 0) {
        const TZVMapScanner map(std::string(reinterpret_cast<const char*>(body), n));
        for (uint32_t offset = 0; offset < 0x400; offset += 0x10) {
            map.ModuleNameFromAddr(offset);
            map.ProcNameFromAddr(offset, po);
            map.LineNumberFromAddr(offset, lo);
            map.SourceNameFromAddr(offset);
        }
    } else if (kind == 1) {
        // Signatures at both ends so that the directories get analysed.
        std::string block = "FB0A" + std::string(reinterpret_cast<const char*>(body), n) + "FB0A";
        const uint32_t distance = static_cast<uint32_t>(block.size() + 4);
        block.append(reinterpret_cast<const char*>(&distance), 4);
        const TZVTD32InfoScanner s(reinterpret_cast<const uint8_t*>(block.data()), block.size());
        std::string source;
        for (uint32_t offset = 0; offset < 0x400; offset += 0x10) {
            s.ModuleNameFromAddr(offset);
            s.ProcNameFromAddr(offset, po);
            s.LineNumberFromAddr(offset, lo);
            s.SourceNameFromAddr(offset, source);
        }
    } else {
        std::string block = "JDBG\x01" + std::string(reinterpret_cast<const char*>(body), n);
        block.resize((block.size() + 3) / 4 * 4 < 36 ? 36 : (block.size() + 3) / 4 * 4, '\0');
        TZVBinDebugScanner s(reinterpret_cast<const uint8_t*>(block.data()), block.size(), (n & 1) != 0);
        s.GetModuleName();
        for (uint32_t offset = 0; offset < 0x400; offset += 0x10) {
            s.ModuleNameFromAddr(offset);
            s.SourceNameFromAddr(offset);
            s.ProcNameFromAddr(offset, po);
            s.LineNumberFromAddr(offset, lo);
        }
    }
    return 0;
}
