// Speed of the checksum, digest and Base64 code on 256 MiB in memory beside
// references on the same bytes: zlib's crc32; md5sum reading the same bytes
// from memory (scripts/bench.sh times it on the file it passes, a file on
// tmpfs or in the page cache, and subtracts nothing); memcpy of the same
// bytes for Base64, which has no reference at hand.
//
//   bench_crash_hashes [<file> <md5sum MB/s>]
// Without a file the program makes its bytes and, natively, runs md5sum
// itself on a copy in a file.
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "editor/crashreport/support/archive/Base64.h"
#include "editor/crashreport/support/archive/Crc.h"
#include "editor/crashreport/support/archive/Md5.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace {
using bench::MBps;
using bench::MedianSeconds;
using bench::Row;

#if defined(_WIN32)
const char* const Tree = " (Wine)";
#else
const char* const Tree = " (native)";
#endif

std::string Name(const char* what) { return std::string(what) + Tree; }

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // lines reach the log as they are made
    std::vector<uint8_t> data;
    double md5sum = argc > 2 ? std::atof(argv[2]) : 0;
    if (argc > 1) {
        if (std::FILE* f = std::fopen(argv[1], "rb")) {
            data.resize(size_t(256) << 20);
            data.resize(std::fread(data.data(), 1, data.size(), f));
            std::fclose(f);
        }
        if (data.empty()) return 1;
    } else {
        data.resize(size_t(256) << 20);
        uint32_t x = 2463534242u;
        for (auto& b : data) {
            x ^= x << 13, x ^= x >> 17, x ^= x << 5;
            b = uint8_t(x);
        }
    }
    const size_t size = data.size();
    const int32_t n = int32_t(size);

    uint32_t ours = 0, theirs = 0;
    double crcOurs = MBps(size, MedianSeconds([&] { ours = GetCRC32(data.data(), n); }, 5));
    double crcZlib = MBps(size, MedianSeconds([&] { theirs = uint32_t(crc32(0, data.data(), uInt(size))); }, 5));
    if (ours != theirs) std::printf("MISMATCH: crc32 %08X, zlib %08X\n", ours, theirs);
    Row(Name("CRC-32"), crcOurs, Name("zlib crc32"), crcZlib, "MB/s");

    TMD5Digest digest;
    double md5Ours = MBps(size, MedianSeconds([&] { GetMD5(digest, data.data(), n); }, 5));
    std::printf("md5 %s: %.0f MB/s\n", MD5ToHex(digest).c_str(), md5Ours);
#if !defined(_WIN32)
    if (md5sum <= 0) {
        std::string file = "/tmp/tq_bench_md5_" + std::to_string(getpid()) + ".bin";
        if (std::FILE* f = std::fopen(file.c_str(), "wb")) {
            std::fwrite(data.data(), 1, size, f);
            std::fclose(f);
            std::string sum;
            md5sum = MBps(size, MedianSeconds([&] {
                if (std::FILE* p = popen(("md5sum " + file).c_str(), "r")) {
                    char buf[128];
                    if (std::fgets(buf, sizeof buf, p) != nullptr) sum = std::string(buf).substr(0, 32);
                    pclose(p);
                }
            }, 5));
            std::remove(file.c_str());
            if (sum != MD5ToHex(digest)) std::printf("MISMATCH: md5sum gives %s\n", sum.c_str());
        }
    }
#endif
    if (md5sum > 0) Row(Name("MD5"), md5Ours, "md5sum of the same bytes (native)", md5sum, "MB/s", ">= 1");

    // Into buffers made beforehand, so that the codec is measured and not
    // the allocation of 340 MiB.
    std::string encoded(size_t(CalcEncodedSize(n)), '\0');
    double enc = MBps(size, MedianSeconds([&] { Base64Encode(data.data(), n, encoded.data()); }, 3));
    std::vector<uint8_t> decoded(size);
    double dec = MBps(size, MedianSeconds([&] { Base64Decode(encoded.data(), int32_t(encoded.size()), decoded.data()); }, 3));
    if (decoded != data) std::printf("MISMATCH: Base64 round trip differs\n");
    double copy = MBps(size, MedianSeconds([&] { std::memcpy(decoded.data(), data.data(), size); }, 5));
    Row(Name("Base64 encode"), enc, Name("memcpy"), copy, "MB/s");
    Row(Name("Base64 decode (of decoded bytes)"), dec, Name("memcpy"), copy, "MB/s");
    return 0;
}
