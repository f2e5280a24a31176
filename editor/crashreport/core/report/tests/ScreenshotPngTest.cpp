// The screenshot's PNG form, checked chunk by chunk, through the viewer's
// PNG decoder and through ImageMagick.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "editor/crashreport/core/report/ScreenshotPng.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "framework/Exceptions.h"
#include "viewer/png/PngObject.h"

namespace {

struct TChunkRead {
    std::string Type;
    std::vector<uint8_t> Data;
    bool CrcGood = false;
};

uint32_t BigEndian(const uint8_t* at)
{
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | at[3];
}

// The chunks after the signature, each with its CRC checked by zlib's crc32.
std::vector<TChunkRead> Chunks(const std::vector<uint8_t>& file)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_GE(file.size(), 8u);
    EXPECT_EQ(0, std::memcmp(file.data(), signature, 8));
    std::vector<TChunkRead> chunks;
    size_t at = 8;
    while (at + 12 <= file.size()) {
        const uint32_t size = BigEndian(&file[at]);
        if (at + 12 + size > file.size()) {
            ADD_FAILURE() << "chunk runs past the end";
            break;
        }
        TChunkRead chunk;
        chunk.Type.assign(reinterpret_cast<const char*>(&file[at + 4]), 4);
        chunk.Data.assign(file.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          file.begin() + static_cast<std::ptrdiff_t>(at + 8 + size));
        const uLong crc = crc32(0L, &file[at + 4], 4 + size);
        chunk.CrcGood = crc == BigEndian(&file[at + 8 + size]);
        chunks.push_back(std::move(chunk));
        at += 12 + size;
    }
    EXPECT_EQ(at, file.size());
    return chunks;
}

std::vector<uint8_t> Inflate(const std::vector<TChunkRead>& chunks)
{
    std::vector<uint8_t> zipped;
    for (const TChunkRead& c : chunks)
        if (c.Type == "IDAT")
            zipped.insert(zipped.end(), c.Data.begin(), c.Data.end());
    std::vector<uint8_t> out;
    z_stream z{};
    inflateInit(&z);
    z.next_in = zipped.data();
    z.avail_in = static_cast<uInt>(zipped.size());
    uint8_t buffer[65536];
    int result;
    do {
        z.next_out = buffer;
        z.avail_out = sizeof buffer;
        result = inflate(&z, Z_NO_FLUSH);
        out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
    } while (result == Z_OK);
    inflateEnd(&z);
    EXPECT_EQ(result, Z_STREAM_END);
    return out;
}

TScreenshotPalette TestPalette()
{
    TScreenshotPalette palette;
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = TPaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7)};
    return palette;
}

std::vector<uint8_t> Write(int32_t width, int32_t height, int32_t stride, const std::vector<uint8_t>& rows,
                           const TScreenshotPalette& palette)
{
    TMemoryStream stream;
    WriteScreenshotPng(stream, width, height, stride, rows.data(), palette);
    return stream.Bytes();
}

// Bottom-up rows of `stride` bytes; the bytes past the width are 0xEE, which
// must never reach the picture.
std::vector<uint8_t> Rows(int32_t width, int32_t height, int32_t stride)
{
    std::vector<uint8_t> rows(static_cast<size_t>(stride) * height, 0xEE);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            rows[static_cast<size_t>(height - 1 - y) * stride + x] = static_cast<uint8_t>(y * 16 + x);
    return rows;
}

TEST(ScreenshotPng, ChunkLayoutHeaderPaletteAndCrcs)
{
    const TScreenshotPalette palette = TestPalette();
    const auto file = Write(5, 3, 8, Rows(5, 3, 8), palette);
    const auto chunks = Chunks(file);
    ASSERT_EQ(chunks.size(), 4u);
    const char* types[] = {"IHDR", "PLTE", "IDAT", "IEND"};
    for (size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].Type, types[i]);
        EXPECT_TRUE(chunks[i].CrcGood) << chunks[i].Type;
    }
    const std::vector<uint8_t> header = {0, 0, 0, 5, 0, 0, 0, 3, 8, 3, 0, 0, 0};
    EXPECT_EQ(chunks[0].Data, header);
    ASSERT_EQ(chunks[1].Data.size(), 768u);
    for (size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(chunks[1].Data[i * 3], palette[i].Red);
        EXPECT_EQ(chunks[1].Data[i * 3 + 1], palette[i].Green);
        EXPECT_EQ(chunks[1].Data[i * 3 + 2], palette[i].Blue);
    }
    EXPECT_TRUE(chunks[3].Data.empty());
}

// Rows of width + 1 bytes, filter byte 0, from the top row (the last row of
// the bottom-up buffer); the padding up to the row stride never shows.
TEST(ScreenshotPng, RowsAreTheWidthUnfilteredFromTheTop)
{
    struct Case {
        int32_t Width, Height, Stride;
    } cases[] = {{1, 1, 4}, {5, 3, 8}, {4, 2, 4}, {7, 1, 8}};
    for (const Case& c : cases) {
        const auto data = Inflate(Chunks(Write(c.Width, c.Height, c.Stride, Rows(c.Width, c.Height, c.Stride), TestPalette())));
        ASSERT_EQ(data.size(), static_cast<size_t>(c.Width + 1) * c.Height) << c.Width << "x" << c.Height;
        for (int32_t y = 0; y < c.Height; ++y) {
            EXPECT_EQ(data[static_cast<size_t>(y) * (c.Width + 1)], 0) << y;
            for (int32_t x = 0; x < c.Width; ++x)
                EXPECT_EQ(data[static_cast<size_t>(y) * (c.Width + 1) + 1 + x], y * 16 + x) << x << "," << y;
        }
    }
}

TEST(ScreenshotPng, LargeDataSplitsIntoFullIdatChunksAndOneRest)
{
    // Noise hardly compresses: about 1 MB of data in five chunks.
    const int32_t width = 1203, height = 900, stride = 1204;
    std::vector<uint8_t> rows(static_cast<size_t>(stride) * height);
    uint32_t seed = 99;
    for (uint8_t& b : rows) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(seed >> 24);
    }
    const auto chunks = Chunks(Write(width, height, stride, rows, TestPalette()));
    std::vector<size_t> idat;
    for (const TChunkRead& c : chunks) {
        EXPECT_TRUE(c.CrcGood) << c.Type;
        if (c.Type == "IDAT")
            idat.push_back(c.Data.size());
    }
    ASSERT_GE(idat.size(), 4u);
    for (size_t i = 0; i + 1 < idat.size(); ++i)
        EXPECT_EQ(idat[i], static_cast<size_t>(ScreenshotIdatSize)) << i;
    EXPECT_LE(idat.back(), static_cast<size_t>(ScreenshotIdatSize));
    const auto data = Inflate(chunks);
    ASSERT_EQ(data.size(), static_cast<size_t>(width + 1) * height);
    EXPECT_EQ(0, std::memcmp(&data[1], &rows[static_cast<size_t>(height - 1) * stride], width));
}

TEST(ScreenshotPng, TheViewersDecoderShowsThePaletteColours)
{
    const TScreenshotPalette palette = TestPalette();
    const auto file = Write(5, 3, 8, Rows(5, 3, 8), palette);
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
    stream.SetPosition(0);
    TPNGObject png;
    png.LoadFromStream(stream);
    ASSERT_EQ(png.Width(), 5);
    ASSERT_EQ(png.Height(), 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x) {
            const TPaletteEntry& e = palette[static_cast<size_t>(y * 16 + x)];
            EXPECT_EQ(png.Pixel(x, y), RGBColor(e.Red, e.Green, e.Blue)) << x << "," << y;
        }
}

TEST(ScreenshotPng, ImageMagickReadsTheSamePicture)
{
    const TScreenshotPalette palette = TestPalette();
    const std::string folder = TestFolder("screenshot_png");
    const std::string file = folder + "five_by_three.png";
    const auto bytes = Write(5, 3, 8, Rows(5, 3, 8), palette);
    WriteTestFile(file, std::string(bytes.begin(), bytes.end()));
    std::string out;
    if (RunShell("command -v identify && command -v convert", out) != 0)
        GTEST_SKIP() << "ImageMagick is not installed";
    ASSERT_EQ(RunShell("identify -format '%w %h %z %r' '" + UnixPath(file) + "'", out), 0) << out;
    EXPECT_EQ(out.substr(0, 8), "5 3 8 Ps") << out;  // PseudoClass: a palette picture
    ASSERT_EQ(RunShell("convert '" + UnixPath(file) + "' -depth 8 rgb:- | od -An -tu1 -v", out), 0) << out;
    std::vector<int> values;
    {
        std::istringstream read(out);
        int v;
        while (read >> v)
            values.push_back(v);
    }
    ASSERT_EQ(values.size(), 45u) << out;
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x) {
            const TPaletteEntry& e = palette[static_cast<size_t>(y * 16 + x)];
            const size_t at = static_cast<size_t>(y * 5 + x) * 3;
            EXPECT_EQ(values[at], e.Red) << x << "," << y;
            EXPECT_EQ(values[at + 1], e.Green);
            EXPECT_EQ(values[at + 2], e.Blue);
        }
}

class TFullStream : public TMemoryStream {
public:
    int32_t Write(const void* buffer, int32_t count) override
    {
        if (Size() + count > 100)
            return 0;
        return TMemoryStream::Write(buffer, count);
    }
};

TEST(ScreenshotPng, AStreamThatTakesNoMoreRaisesAndBadSizesAreRefused)
{
    TFullStream full;
    const auto rows = Rows(5, 3, 8);
    EXPECT_THROW(WriteScreenshotPng(full, 5, 3, 8, rows.data(), TestPalette()), EWriteError);
    TMemoryStream stream;
    EXPECT_THROW(WriteScreenshotPng(stream, 0, 3, 8, rows.data(), TestPalette()), Exception);
    EXPECT_THROW(WriteScreenshotPng(stream, 9, 3, 8, rows.data(), TestPalette()), Exception);
    EXPECT_EQ(stream.Size(), 0);
}

}  // namespace
