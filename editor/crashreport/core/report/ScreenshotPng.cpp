#include "editor/crashreport/core/report/ScreenshotPng.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "editor/crashreport/support/archive/Crc.h"
#include "framework/Exceptions.h"

namespace {

const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void PutBigEndian(uint8_t* at, uint32_t value)
{
    at[0] = static_cast<uint8_t>(value >> 24);
    at[1] = static_cast<uint8_t>(value >> 16);
    at[2] = static_cast<uint8_t>(value >> 8);
    at[3] = static_cast<uint8_t>(value);
}

// Length, type, data, and the CRC-32 of type and data, all big-endian.
void WriteChunk(TStream& stream, const char* type, const uint8_t* data, uint32_t size)
{
    uint8_t head[8];
    PutBigEndian(head, size);
    for (int i = 0; i < 4; ++i)
        head[4 + i] = static_cast<uint8_t>(type[i]);
    uint32_t crc = UpdateCRC32(0, head + 4, 4);
    if (size > 0)
        crc = UpdateCRC32(crc, data, static_cast<int32_t>(size));
    uint8_t tail[4];
    PutBigEndian(tail, crc);
    stream.WriteBuffer(head, 8);
    if (size > 0)
        stream.WriteBuffer(data, static_cast<int32_t>(size));
    stream.WriteBuffer(tail, 4);
}

// A deflate stream whose output fills one fixed buffer; every full buffer
// leaves as one IDAT chunk.
class TIdatWriter {
public:
    explicit TIdatWriter(TStream& stream) : FStream(stream), FBuffer(ScreenshotIdatSize)
    {
        if (deflateInit(&FZip, 9) != Z_OK)
            throw Exception("The screenshot cannot be compressed");
        FZip.next_out = FBuffer.data();
        FZip.avail_out = static_cast<uInt>(FBuffer.size());
    }
    ~TIdatWriter() { deflateEnd(&FZip); }
    TIdatWriter(const TIdatWriter&) = delete;
    TIdatWriter& operator=(const TIdatWriter&) = delete;

    void Add(const uint8_t* data, uint32_t size)
    {
        FZip.next_in = const_cast<Bytef*>(data);
        FZip.avail_in = size;
        while (FZip.avail_in > 0) {
            if (deflate(&FZip, Z_NO_FLUSH) == Z_STREAM_ERROR)
                throw Exception("The screenshot cannot be compressed");
            FlushWhenFull();
        }
    }

    // Ends the stream; what is left in the buffer is the last chunk.
    void Finish()
    {
        FZip.next_in = nullptr;
        FZip.avail_in = 0;
        for (;;) {
            int result = deflate(&FZip, Z_FINISH);
            if (result == Z_STREAM_ERROR)
                throw Exception("The screenshot cannot be compressed");
            FlushWhenFull();
            if (result == Z_STREAM_END)
                break;
        }
        WriteChunk(FStream, "IDAT", FBuffer.data(), static_cast<uint32_t>(FBuffer.size() - FZip.avail_out));
    }

private:
    void FlushWhenFull()
    {
        if (FZip.avail_out != 0)
            return;
        WriteChunk(FStream, "IDAT", FBuffer.data(), static_cast<uint32_t>(FBuffer.size()));
        FZip.next_out = FBuffer.data();
        FZip.avail_out = static_cast<uInt>(FBuffer.size());
    }

    TStream& FStream;
    std::vector<uint8_t> FBuffer;
    z_stream FZip{};
};

}  // namespace

void WriteScreenshotPng(TStream& stream, int32_t width, int32_t height, int32_t rowStride, const uint8_t* rows,
                        const TScreenshotPalette& palette)
{
    if (width < 1 || height < 1 || rowStride < width || rows == nullptr)
        throw Exception("The screenshot has no picture to write");

    stream.WriteBuffer(Signature, sizeof Signature);

    uint8_t header[13];
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header + 4, static_cast<uint32_t>(height));
    header[8] = 8;   // bit depth
    header[9] = 3;   // palette colours
    header[10] = 0;  // deflate
    header[11] = 0;  // adaptive filtering (each row says none)
    header[12] = 0;  // not interlaced
    WriteChunk(stream, "IHDR", header, sizeof header);

    uint8_t colours[768];
    for (size_t i = 0; i < palette.size(); ++i) {
        colours[i * 3] = palette[i].Red;
        colours[i * 3 + 1] = palette[i].Green;
        colours[i * 3 + 2] = palette[i].Blue;
    }
    WriteChunk(stream, "PLTE", colours, sizeof colours);

    TIdatWriter idat(stream);
    std::vector<uint8_t> row(static_cast<size_t>(width) + 1);
    row[0] = 0;  // no filter
    for (int32_t y = height - 1; y >= 0; --y) {
        const uint8_t* source = rows + static_cast<size_t>(y) * static_cast<size_t>(rowStride);
        std::copy(source, source + width, row.begin() + 1);
        idat.Add(row.data(), static_cast<uint32_t>(row.size()));
    }
    idat.Finish();

    WriteChunk(stream, "IEND", nullptr, 0);
}
