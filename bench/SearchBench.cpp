// The document's byte search over 256 MiB beside the machine's limit and
// real competitors, all on the same buffer and 4-byte pattern in one run:
//   limit: a plain SSE2 scan that reads the buffer and compares every byte;
//   natively: glibc's memmem;
//   under Wine: the plain loop that compares at every position, and msvcrt's
//   memchr for the first byte followed by memcmp for the rest.
// Cases: random bytes; all zeros with 00 00 00 01; all zeros with 00 00 01 00
// (first and last byte occur everywhere); and counting a pattern that stands
// every 64 bytes in random bytes, one search after each hit.
#include <emmintrin.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "bench/BenchTable.h"
#include "editor/document/DataFile.h"

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

namespace {
using bench::MBps;
using bench::MedianSeconds;
using bench::Row;

constexpr int32_t Size = 256 << 20;
constexpr int Runs = 7;
constexpr int SlowRuns = 3;

#if defined(_WIN32)
const char* const Tree = " (Wine)";
#else
const char* const Tree = " (native)";
#endif

// The limit: every byte read once and compared, 64 bytes a round.
__attribute__((noinline)) uint32_t Scan(const uint8_t* p, size_t n, uint8_t value) {
    const __m128i v = _mm_set1_epi8(static_cast<char>(value));
    __m128i any = _mm_setzero_si128();
    size_t i = 0;
    for (; i + 64 <= n; i += 64) {
        __m128i a = _mm_cmpeq_epi8(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
        __m128i b = _mm_cmpeq_epi8(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16)));
        __m128i c = _mm_cmpeq_epi8(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 32)));
        __m128i d = _mm_cmpeq_epi8(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 48)));
        any = _mm_or_si128(any, _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d)));
    }
    uint32_t seen = static_cast<uint32_t>(_mm_movemask_epi8(any));
    for (; i < n; ++i) seen |= p[i] == value;
    return seen;
}

// A forward search as a competitor does it: the first position from start,
// or -1.
using Finder = std::function<int32_t(const uint8_t* hay, int32_t start, int32_t size, const uint8_t* pattern)>;

#if defined(_WIN32)
// The plain loop: every position compared byte by byte.
__attribute__((noinline)) int32_t PlainFind(const uint8_t* hay, int32_t start, int32_t size, const uint8_t* pattern) {
    for (int32_t i = start; i + 4 <= size; ++i) {
        int32_t k = 0;
        while (k < 4 && hay[i + k] == pattern[k]) ++k;
        if (k == 4) return i;
    }
    return -1;
}

// The C library's memchr for the first byte, memcmp for the rest.
int32_t MemchrFind(const uint8_t* hay, int32_t start, int32_t size, const uint8_t* pattern) {
    const uint8_t* p = hay + start;
    const uint8_t* end = hay + size - 3;  // one past the last start
    while (p < end) {
        p = static_cast<const uint8_t*>(std::memchr(p, pattern[0], static_cast<size_t>(end - p)));
        if (!p) return -1;
        if (std::memcmp(p + 1, pattern + 1, 3) == 0) return static_cast<int32_t>(p - hay);
        ++p;
    }
    return -1;
}

#else
// glibc's own memmem, taken from the C library itself: the native tree links
// the address sanitizer, whose memmem wrapper would check the whole rest of
// the buffer on every call.
using MemmemFunction = void* (*)(const void*, size_t, const void*, size_t);
MemmemFunction GlibcMemmem() {
    static MemmemFunction f = [] {
        void* libc = dlopen("libc.so.6", RTLD_NOW | RTLD_NOLOAD);
        void* found = libc ? dlsym(libc, "memmem") : nullptr;
        return found ? reinterpret_cast<MemmemFunction>(found) : &memmem;
    }();
    return f;
}

int32_t MemmemFind(const uint8_t* hay, int32_t start, int32_t size, const uint8_t* pattern) {
    const void* hit = GlibcMemmem()(hay + start, static_cast<size_t>(size - start), pattern, 4);
    return hit ? static_cast<int32_t>(static_cast<const uint8_t*>(hit) - hay) : -1;
}
#endif

struct Competitor {
    const char* name;
    Finder find;
    int runs;
};

std::vector<Competitor> Competitors() {
#if defined(_WIN32)
    return {{"plain loop", PlainFind, SlowRuns}, {"msvcrt memchr+memcmp", MemchrFind, SlowRuns}};
#else
    return {{"glibc memmem", MemmemFind, 5}};
#endif
}

// The hits from position 0 on, each search starting one past the last hit.
int32_t CountWith(const Finder& find, const uint8_t* hay, int32_t size, const uint8_t* pattern) {
    int32_t count = 0;
    for (int32_t at = find(hay, 0, size, pattern); at >= 0; at = find(hay, at + 1, size, pattern)) ++count;
    return count;
}

void Case(const std::string& label, TDataFile& doc, const uint8_t* pattern, bool counting) {
    const int32_t last = doc.size - 1;
    const std::string name = "search " + label + Tree;
    std::printf("== %s\n", name.c_str());
    volatile uint32_t seen = 0;  // used, so that the scan is made
    const double limit = MBps(Size, MedianSeconds([&] { seen = seen + Scan(doc.data, static_cast<size_t>(Size), 0xC3); }, Runs));

    int32_t ours = -1;
    double t;
    if (counting) {
        t = MedianSeconds([&] {
            ours = 0;
            for (int32_t at = doc.search(0, pattern, 4, true, last); at >= 0; at = doc.search(at + 1, pattern, 4, true, last))
                ++ours;
        }, Runs);
    } else {
        t = MedianSeconds([&] { ours = doc.search(0, pattern, 4, true, last); }, Runs);
    }
    const double speed = MBps(Size, t);
    std::printf("%s: %d, %.0f MB/s; SSE2 scan %.0f MB/s\n", counting ? "hits" : "found at", ours, speed, limit);
    Row(name, speed, std::string("SSE2 read scan") + Tree, limit, "MB/s", counting ? ">= 0.25" : ">= 0.85");

    for (const Competitor& c : Competitors()) {
        int32_t theirs = -1;
        double r = MedianSeconds([&] {
            theirs = counting ? CountWith(c.find, doc.data, doc.size, pattern) : c.find(doc.data, 0, doc.size, pattern);
        }, c.runs);
        if (theirs != ours) std::printf("MISMATCH: %s gives %d, the document %d\n", c.name, theirs, ours);
        std::printf("%s: %.0f MB/s\n", c.name, MBps(Size, r));
        Row(name, speed, c.name, MBps(Size, r), "MB/s", ">= 1");
    }

    if (!counting) {
        // Backward from the end, the pattern standing only at the start.
        uint8_t head[4], tail[4];
        std::memcpy(head, doc.data, 4);
        std::memcpy(tail, doc.data + Size - 4, 4);
        std::memcpy(doc.data + Size - 4, doc.data + 8, 4);
        std::memcpy(doc.data, pattern, 4);
        int32_t found = -1;
        double b = MedianSeconds([&] { found = doc.search(last, pattern, 4, false, 0); }, Runs);
        std::printf("backward found at %d: %.0f MB/s\n", found, MBps(Size, b));
        Row("search backward " + label + Tree, MBps(Size, b), std::string("SSE2 read scan") + Tree, limit, "MB/s",
            ">= 0.85");
        std::memcpy(doc.data, head, 4);
        std::memcpy(doc.data + Size - 4, tail, 4);
    }
}

void Random(TDataFile& doc) {
    uint64_t x = 0x9E3779B97F4A7C15ull;
    for (int32_t i = 0; i < Size; i += 8) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        std::memcpy(doc.data + i, &x, 8);
    }
}
}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // lines reach the log as they are made
    TDataFile doc;
    doc.setSize(Size);

    const uint8_t pattern[] = {0xA7, 0x3C, 0x51, 0xE9};
    Random(doc);
    std::memcpy(doc.data + Size - 4, pattern, 4);
    Case("random bytes", doc, pattern, false);

    std::memset(doc.data, 0, Size);
    const uint8_t last1[] = {0, 0, 0, 1};
    std::memcpy(doc.data + Size - 4, last1, 4);
    Case("zeros for 00 00 00 01", doc, last1, false);

    std::memset(doc.data, 0, Size);
    const uint8_t third1[] = {0, 0, 1, 0};
    std::memcpy(doc.data + Size - 4, third1, 4);
    Case("zeros for 00 00 01 00", doc, third1, false);

    Random(doc);
    for (int32_t i = 17; i + 4 <= Size; i += 64) std::memcpy(doc.data + i, pattern, 4);
    Case("count, a hit every 64 bytes", doc, pattern, true);
    return 0;
}
