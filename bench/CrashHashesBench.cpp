// Speed of the checksum, digest and Base64 code beside the references on the
// same data: zlib's crc32, and md5sum reading the same 256 MiB from a file.
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/support/Base64.h"
#include "editor/crashreport/support/Crc.h"
#include "editor/crashreport/support/Md5.h"

namespace {

const size_t kSize = size_t(256) << 20;

// Best of three runs, in MB/s (MiB of input per second).
double Rate(size_t bytes, const std::function<void()>& run) {
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        run();
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (s < best)
            best = s;
    }
    return double(bytes) / (1 << 20) / best;
}

void Line(const char* name, double value, const char* unit) { std::printf("%s: %.1f %s\n", name, value, unit); }

}  // namespace

int main() {
    std::vector<uint8_t> data(kSize);
    uint32_t x = 2463534242u;
    for (auto& b : data) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = uint8_t(x);
    }
    const int32_t n = int32_t(kSize);

    uint32_t ours = 0, theirs = 0;
    double crcOurs = Rate(kSize, [&] { ours = GetCRC32(data.data(), n); });
    double crcZlib = Rate(kSize, [&] { theirs = uint32_t(crc32(0, data.data(), uInt(kSize))); });
    Line("crc32_ours", crcOurs, "MB/s");
    Line("crc32_zlib", crcZlib, "MB/s");
    Line("crc32_ratio_ours_to_zlib", crcOurs / crcZlib, "x");
    if (ours != theirs)
        std::printf("crc32_mismatch: %08X %08X\n", ours, theirs);

    TMD5Digest digest;
    double md5Ours = Rate(kSize, [&] { GetMD5(digest, data.data(), n); });
    Line("md5_ours", md5Ours, "MB/s");
#ifndef _WIN32
    std::string file = "/tmp/tq_bench_md5_" + std::to_string(getpid()) + ".bin";
    if (FILE* f = std::fopen(file.c_str(), "wb")) {
        std::fwrite(data.data(), 1, data.size(), f);
        std::fclose(f);
        std::string sum;
        double md5Tool = Rate(kSize, [&] {
            sum.clear();
            if (FILE* p = popen(("md5sum " + file).c_str(), "r")) {
                char buf[128];
                if (std::fgets(buf, sizeof buf, p) != nullptr)
                    sum = std::string(buf).substr(0, 32);
                pclose(p);
            }
        });
        std::remove(file.c_str());
        Line("md5_md5sum", md5Tool, "MB/s");
        Line("md5_ratio_ours_to_md5sum", md5Ours / md5Tool, "x");
        if (sum != MD5ToHex(digest))
            std::printf("md5_mismatch: %s %s\n", MD5ToHex(digest).c_str(), sum.c_str());
    }
#else
    std::printf("md5_md5sum: not measured under Windows\n");
#endif

    // Into buffers made beforehand, so that the codec is measured and not
    // the allocation of 340 MiB.
    std::string encoded(size_t(CalcEncodedSize(n)), '\0');
    double enc = Rate(kSize, [&] { Base64Encode(data.data(), n, encoded.data()); });
    std::vector<uint8_t> decoded(kSize);
    double dec = Rate(kSize, [&] { Base64Decode(encoded.data(), int32_t(encoded.size()), decoded.data()); });
    Line("base64_encode", enc, "MB/s");
    Line("base64_decode", dec, "MB/s (of decoded output)");
    if (decoded != data)
        std::printf("base64_mismatch: round trip differs\n");
    return 0;
}
