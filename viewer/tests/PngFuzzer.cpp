// libFuzzer target: any bytes as a PNG file. Loading either succeeds or
// raises one of the picture's errors; a loaded picture is blended, saved and
// read back.
// Each input is tried as it is and with its chunk CRCs put right, so that
// mutations reach the checks behind the CRC.
#include <zlib.h>

#include <cstdint>
#include <vector>

#include "viewer/png/PngObject.h"

namespace {

void RepairCrcs(std::vector<uint8_t>& f) {
    size_t p = 8;
    while (p + 12 <= f.size()) {
        uint32_t n = static_cast<uint32_t>(f[p] << 24 | f[p + 1] << 16 | f[p + 2] << 8 | f[p + 3]);
        if (n > f.size() - p - 12) return;
        uint32_t crc = static_cast<uint32_t>(crc32(0, f.data() + p + 4, n + 4));
        for (int i = 0; i < 4; ++i) f[p + 8 + n + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
        p += 12 + n;
    }
}

void TryOne(const uint8_t* data, size_t size) {
    TMemoryStream stream;
    stream.Write(data, static_cast<int32_t>(size));
    stream.SetPosition(0);
    TPNGObject png;
    try {
        png.LoadFromStream(stream);
    } catch (const Exception&) {
        return;
    }
    std::vector<uint8_t> work(7 * 5 * 4, 128);
    png.BlendOnto(work.data(), 7, 5, 7 * 4);
    (void)png.Pixel(png.Width() - 1, png.Height() - 1);
    TMemoryStream saved;
    png.SaveToStream(saved);
    saved.SetPosition(0);
    TPNGObject again;
    again.LoadFromStream(saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Small pictures only: a few bytes may describe 65535 x 65535 pixels.
    TPngImageMemory::MaxBytes = 16 << 20;
    TryOne(data, size);
    std::vector<uint8_t> repaired(data, data + size);
    RepairCrcs(repaired);
    TryOne(repaired.data(), repaired.size());
    return 0;
}
