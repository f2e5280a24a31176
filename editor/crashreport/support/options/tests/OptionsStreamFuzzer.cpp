// Options streams of any version and any content: a load either succeeds or
// raises EReadError, never reads out of bounds nor allocates beyond the data.
#include <cstddef>
#include <cstdint>

#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/options/OptionsStream.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > (1u << 20)) return 0;
    static const uint16_t versions[] = {0, 401, 403, 420, 421, 422, 450, 500, 6000, 6020};
    LastZorvikVersion = versions[data[0] % (sizeof versions / sizeof versions[0])];
    TMemoryStream stream;
    stream.WriteBuffer(data + 1, static_cast<int32_t>(size - 1));
    stream.SetPosition(0);
    TZorvikModuleOptions options("");
    try {
        options.LoadFromStream(stream);
        TMemoryStream again;
        options.SaveToStream(again);
    } catch (const EReadError&) {
    }
    return 0;
}
