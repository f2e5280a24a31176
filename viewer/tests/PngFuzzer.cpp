// libFuzzer target: any bytes as a PNG file. Loading either succeeds or
// raises one of the picture's errors; a loaded picture is blended, saved and
// read back.
#include <cstdint>
#include <vector>

#include "viewer/png/PngObject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Small pictures only: a few bytes may describe 65535 x 65535 pixels.
    TPngImageMemory::MaxBytes = 16 << 20;
    TMemoryStream stream;
    stream.Write(data, static_cast<int32_t>(size));
    stream.SetPosition(0);
    TPNGObject png;
    try {
        png.LoadFromStream(stream);
    } catch (const Exception&) {
        return 0;
    }
    std::vector<uint8_t> work(7 * 5 * 4, 128);
    png.BlendOnto(work.data(), 7, 5, 7 * 4);
    (void)png.Pixel(png.Width() - 1, png.Height() - 1);
    TMemoryStream saved;
    png.SaveToStream(saved);
    saved.SetPosition(0);
    TPNGObject again;
    again.LoadFromStream(saved);
    return 0;
}
