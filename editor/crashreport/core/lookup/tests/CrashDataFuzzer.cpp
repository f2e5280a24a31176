// Untrusted crash-report data: the bytes as a ZVDATA block (behind a valid
// header, so that the tables and streams get read) and as a debug stream
// asked for many offsets.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "editor/crashreport/core/lookup/CrashDataBlock.h"
#include "editor/crashreport/core/lookup/DebugSection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::vector<uint8_t> block(16);
    const uint32_t magic = 0x100FAB10;
    const uint16_t versions[] = {6020, 601, 460, 400};
    const uint16_t version = versions[data[0] & 3];
    std::memcpy(block.data(), &magic, 4);
    std::memcpy(block.data() + 4, &version, 2);
    block.insert(block.end(), data + 1, data + size);
    TCrashDataLoad load;
    const TPasswordRequest none;
    LoadCrashDataResource(block.data(), block.size(), false, false, nullptr, none, load);
    uint32_t offset;
    FindCrashDataSection(block.data(), block.size(), data[0], offset);
    if (load.HasDebug) {
        TDebugSection found(load.Debug, load.Version, load.Unlocked, load.Password);
        TZorvikDebugInfo info;
        found.Lookup(0x10, nullptr, info);
    }

    TDebugSection s(std::vector<uint8_t>(data + 1, data + size), (data[0] & 4) ? 6020 : 499, (data[0] & 8) != 0, "");
    const TCodeReader code = [](uint32_t, uint8_t* bytes, uint32_t count) {
        std::memset(bytes, 0x55, count);
        return true;
    };
    for (uint32_t o = 0; o < 0x4000; o += 0x40) {
        TZorvikDebugInfo info;
        s.Lookup(o, code, info);
    }
    return 0;
}
