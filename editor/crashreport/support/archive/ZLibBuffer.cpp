#include "editor/crashreport/support/archive/ZLibBuffer.h"

#include <zlib.h>

#include <cstring>
#include <string>

namespace {

[[noreturn]] void Fail(const z_stream& stream, int code) {
    std::string message = stream.msg != nullptr ? stream.msg : zError(code);
    throw EZLibError(message);
}

// Sizes stay within int32_t; a result that would not fit fails as zlib's
// out-of-memory error.
size_t Grow(const z_stream& stream, size_t size, size_t by) {
    uint64_t next = uint64_t(size) + by;
    if (next > uint64_t(INT32_MAX))
        next = uint64_t(INT32_MAX);
    if (next <= size)
        Fail(stream, Z_MEM_ERROR);
    return size_t(next);
}

// Enlarges the output by `by` bytes and points the stream at the new room.
void MoreRoom(z_stream& stream, std::vector<uint8_t>& output, size_t by) {
    size_t produced = stream.total_out;
    output.resize(Grow(stream, output.size(), by));
    stream.next_out = output.data() + produced;
    stream.avail_out = uInt(output.size() - produced);
}

}  // namespace

void ZCompress(const void* input, int32_t count, std::vector<uint8_t>& output) {
    output.clear();
    if (count < 0 || (count > 0 && input == nullptr))
        throw EZLibError(zError(Z_STREAM_ERROR));
    z_stream stream;
    std::memset(&stream, 0, sizeof stream);
    // deflate's worst case is a little over the input; start near it and
    // add a little each time it asks for more.
    int64_t capacity = (int64_t(count) + count / 10 + 267) / 256 * 256;
    if (capacity > INT32_MAX)
        capacity = INT32_MAX;
    int rc = deflateInit(&stream, 9);
    if (rc != Z_OK)
        Fail(stream, rc);
    try {
        stream.next_in = static_cast<Bytef*>(const_cast<void*>(input));
        stream.avail_in = uInt(count);
        MoreRoom(stream, output, size_t(capacity));
        for (;;) {
            rc = deflate(&stream, Z_FINISH);
            if (rc == Z_STREAM_END)
                break;
            if (rc < 0 && rc != Z_BUF_ERROR)
                Fail(stream, rc);
            MoreRoom(stream, output, 256);
        }
        output.resize(stream.total_out);
    } catch (...) {
        deflateEnd(&stream);
        output.clear();
        throw;
    }
    deflateEnd(&stream);
}

void ZDecompress(const void* input, int32_t count, std::vector<uint8_t>& output) {
    output.clear();
    if (count < 0 || (count > 0 && input == nullptr))
        throw EZLibError(zError(Z_STREAM_ERROR));
    z_stream stream;
    std::memset(&stream, 0, sizeof stream);
    size_t step = (size_t(count) + 255) / 256 * 256;
    if (step == 0)
        step = 256;
    int rc = inflateInit(&stream);
    if (rc != Z_OK)
        Fail(stream, rc);
    try {
        stream.next_in = static_cast<Bytef*>(const_cast<void*>(input));
        stream.avail_in = uInt(count);
        MoreRoom(stream, output, step);
        for (;;) {
            rc = inflate(&stream, Z_NO_FLUSH);
            if (rc == Z_STREAM_END)
                break;
            // Anything else than progress is an error: a stream cut short
            // ends here with Z_BUF_ERROR, a wanted dictionary with Z_NEED_DICT.
            if (rc != Z_OK)
                Fail(stream, rc);
            // Doubling keeps large, well-compressed data linear in time.
            if (stream.avail_out == 0)
                MoreRoom(stream, output, output.size() > step ? output.size() : step);
        }
        output.resize(stream.total_out);
    } catch (...) {
        inflateEnd(&stream);
        output.clear();
        throw;
    }
    inflateEnd(&stream);
}
