// PNG decoding speed beside libpng on the same files: large RGB, RGB + alpha,
// palette and Adam7 pictures, made in memory by our encoder. Figures are
// megabytes of decoded pixels (as the file holds them) per second, best of
// several runs.
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/BenchTable.h"
#include "viewer/png/PngObject.h"

namespace {

using Bytes = std::vector<uint8_t>;

double BestSeconds(const std::function<void()>& run, int times = 7) {
    double best = 1e9;
    for (int i = 0; i < times; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

void Line(const std::string& name, double value, const char* unit) { std::printf("%s: %.2f %s\n", name.c_str(), value, unit); }

// A photo-like picture: smooth shapes with some grain, which compresses
// about as well as real pictures do.
Bytes MakePicture(uint8_t colourType, uint8_t interlace, int w, int h) {
    TPNGObject png;
    bool palette = colourType == 3;
    png.PrepareFromBitmap(w, h, palette ? 8 : 24, false);
    TChunkIHDR& header = png.Header();
    if (colourType == 6) {
        header.ColorType = 6;
        header.PrepareImageData();
    }
    TPngImageMemory& image = header.Image();
    if (palette) {
        TRGBQuad colours[256];
        for (int i = 0; i < 256; ++i)
            colours[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7), 0};
        image.SetColours(colours, 256);
    }
    uint32_t seed = 1;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525 + 1013904223;
            int grain = static_cast<int>(seed >> 29);
            double v = 96 + 60 * std::sin(x / 37.0) * std::cos(y / 53.0) + 40 * std::sin((x + y) / 91.0);
            auto sample = [&](double k) { return static_cast<uint8_t>(std::clamp(v * k + grain, 0.0, 255.0)); };
            if (palette) {
                row[x] = sample(1.0);
            } else {
                row[3 * x] = sample(0.8), row[3 * x + 1] = sample(1.0), row[3 * x + 2] = sample(1.2);
            }
            if (image.HasAlpha()) image.AlphaRow(y)[x] = static_cast<uint8_t>((x * 255) / w);
        }
    }
    png.InterlaceMethod = interlace;
    png.Filters = pfNone | pfSub | pfUp | pfAverage | pfPaeth;
    png.CompressionLevel = 6;
    TMemoryStream out;
    png.SaveToStream(out);
    return out.Bytes();
}

void DecodeOurs(const Bytes& file) {
    TMemoryStream in;
    in.Write(file.data(), static_cast<int32_t>(file.size()));
    in.SetPosition(0);
    TPNGObject png;
    png.LoadFromStream(in);
}

struct TReadState {
    const Bytes* File;
    size_t At;
};

void ReadFromMemory(png_structp p, png_bytep out, png_size_t n) {
    auto* s = static_cast<TReadState*>(png_get_io_ptr(p));
    if (s->At + n > s->File->size()) png_error(p, "read past the end");
    std::memcpy(out, s->File->data() + s->At, n);
    s->At += n;
}

// libpng's own decoding into rows as the file has them, in new memory each
// time as ours is.
void DecodeLibpng(const Bytes& file) {
    Bytes pixels;
    png_structp p = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(p);
    if (setjmp(png_jmpbuf(p))) {
        png_destroy_read_struct(&p, &info, nullptr);
        std::fprintf(stderr, "libpng failed\n");
        return;
    }
    TReadState state{&file, 0};
    png_set_read_fn(p, &state, ReadFromMemory);
    png_read_info(p, info);
    png_set_interlace_handling(p);
    png_read_update_info(p, info);
    size_t rowBytes = png_get_rowbytes(p, info);
    png_uint_32 h = png_get_image_height(p, info);
    pixels.resize(rowBytes * h);
    std::vector<png_bytep> rows(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = pixels.data() + y * rowBytes;
    png_read_image(p, rows.data());
    png_read_end(p, nullptr);
    png_destroy_read_struct(&p, &info, nullptr);
}

}  // namespace

int main() {
    const int w = 2048, h = 2048;
    struct Case {
        const char* Name;
        uint8_t ColourType, Interlace;
        int BytesPerPixel;
    } cases[] = {{"rgb", 2, 0, 3}, {"rgba", 6, 0, 4}, {"palette", 3, 0, 1}, {"rgb_interlaced", 2, 1, 3}};
    for (const Case& c : cases) {
        Bytes file = MakePicture(c.ColourType, c.Interlace, w, h);
        double megabytes = double(w) * h * c.BytesPerPixel / 1e6;
        double ours = megabytes / BestSeconds([&] { DecodeOurs(file); });
        double libpng = megabytes / BestSeconds([&] { DecodeLibpng(file); });
        std::string n = std::string("png_decode_") + c.Name;
        Line(n + "_file", file.size() / 1e6, "MB");
        Line(n + "_ours", ours, "MB/s");
        Line(n + "_libpng", libpng, "MB/s");
        Line(n + "_ratio_libpng_to_ours", libpng / ours, "x");
        bench::Row(std::string("PNG decode, ") + c.Name + " (native)", ours, "libpng (native)", libpng, "MB/s");
    }
    return 0;
}
