// The document's byte search, load and save over 256 MiB: forward, backward
// and counting a 4-byte pattern in random bytes and in the hard all-zero case
// (00 00 00 01 searched in zeros), beside the C library on the same buffer.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "editor/document/DataFile.h"

#if defined(_WIN32)
#include <windows.h>

#include "editor/document/Win32DocumentIO.h"
#include "framework/WinText.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's memmem wrapper would add a range check to the reference.
extern "C" const char* __asan_default_options() { return "intercept_memmem=0"; }
#endif

namespace {
constexpr int32_t Size = 256 << 20;

double Seconds(const std::function<void()>& work, int runs) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        work();
        std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        best = std::min(best, d.count());
    }
    return best;
}

double MBps(double bytes, double seconds) { return bytes / 1e6 / seconds; }

void Line(const std::string& name, double value, const char* unit) {
    std::printf("%s: %.0f %s\n", name.c_str(), value, unit);
}

void Ratio(const std::string& name, double ours, double reference) {
    std::printf("%s: %.2f x\n", name.c_str(), ours / reference);
}

#if !defined(_WIN32)
// Files through POSIX calls, for the native tree.
class PosixFile : public DocumentFile {
public:
    explicit PosixFile(int fd) : FFd(fd) {}
    ~PosixFile() override { close(FFd); }
    int64_t size() override {
        struct stat st;
        return fstat(FFd, &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
    }
    int64_t read(uint8_t* buffer, int32_t count) override {
        return Loop(count, [&](int64_t done) { return ::read(FFd, buffer + done, static_cast<size_t>(count - done)); });
    }
    int64_t write(const uint8_t* buffer, int32_t count) override {
        return Loop(count, [&](int64_t done) { return ::write(FFd, buffer + done, static_cast<size_t>(count - done)); });
    }

private:
    // The system may move fewer bytes per call than asked.
    static int64_t Loop(int32_t count, const std::function<ssize_t(int64_t)>& call) {
        int64_t done = 0;
        while (done < count) {
            ssize_t n = call(done);
            if (n <= 0) break;
            done += n;
        }
        return done;
    }
    int FFd;
};

class PosixIO : public DocumentIO {
public:
    std::unique_ptr<DocumentFile> openForReading(const std::u16string& name) override { return Open(name, O_RDONLY); }
    std::unique_ptr<DocumentFile> createForWriting(const std::u16string& name) override {
        return Open(name, O_WRONLY | O_CREAT | O_TRUNC);
    }
    void showFileError(const std::string& text, const std::u16string&, const std::string&) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }

private:
    static std::unique_ptr<DocumentFile> Open(const std::u16string& name, int flags) {
        std::string path(name.begin(), name.end());
        int fd = ::open(path.c_str(), flags, 0644);
        return fd < 0 ? nullptr : std::make_unique<PosixFile>(fd);
    }
};

DocumentIO& Files() {
    static PosixIO io;
    return io;
}
std::u16string TempFile() { return u"/tmp/tq_bench_document.bin"; }
void RemoveFile(const std::u16string& name) { ::unlink(std::string(name.begin(), name.end()).c_str()); }
#else
DocumentIO& Files() { return Win32DocumentIO::Instance(); }
std::u16string TempFile() {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return U16(dir) + u"tq_bench_document.bin";
}
void RemoveFile(const std::u16string& name) { DeleteFileW(WC(name)); }
#endif

// The pattern stands only at the far end of each search: at the last place
// for the forward search and the count, at the first for the backward one.
void SearchCase(const char* label, TDataFile& doc, const uint8_t* pattern) {
    const int32_t last = doc.size - 1;
    uint8_t head[4], tail[4];
    std::memcpy(head, doc.data, 4);
    std::memcpy(tail, doc.data + Size - 4, 4);
    std::memcpy(doc.data + Size - 4, pattern, 4);

    int32_t found = -1;
    double t = Seconds([&] { found = doc.search(0, pattern, 4, true, last); }, 10);
    const double forward = MBps(Size, t);
    std::printf("search forward %s finds: %d\n", label, found);
    Line(std::string("search forward ") + label, forward, "MB/s");

    int32_t count = 0;
    t = Seconds([&] {
        count = 0;
        for (int32_t at = doc.search(0, pattern, 4, true, last); at >= 0; at = doc.search(at + 1, pattern, 4, true, last))
            ++count;
    }, 10);
    std::printf("search count %s finds: %d\n", label, count);
    Line(std::string("search count ") + label, MBps(Size, t), "MB/s");

#if !defined(_WIN32)
    const void* hit = nullptr;
    double r = Seconds([&] { hit = memmem(doc.data, static_cast<size_t>(doc.size), pattern, 4); }, 10);
    const int32_t at = hit ? static_cast<int32_t>(static_cast<const uint8_t*>(hit) - doc.data) : -1;
    if (at != found) std::printf("MISMATCH: memmem finds %d\n", at);
    Line(std::string("memmem forward ") + label, MBps(Size, r), "MB/s");
    Ratio(std::string("search/memmem forward ") + label, forward, MBps(Size, r));
    int32_t refCount = 0;
    r = Seconds([&] {
        refCount = 0;
        const uint8_t* p = doc.data;
        const uint8_t* end = doc.data + doc.size;
        while (const void* h = memmem(p, static_cast<size_t>(end - p), pattern, 4)) {
            ++refCount;
            p = static_cast<const uint8_t*>(h) + 1;
        }
    }, 10);
    if (refCount != count) std::printf("MISMATCH: memmem counts %d\n", refCount);
    Line(std::string("memmem count ") + label, MBps(Size, r), "MB/s");
#else
    // The C library under Wine has no memmem; memchr for a byte that is not
    // in the buffer is the plain scan to compare with.
    if (doc.data[0] == 0 && doc.data[Size / 2] == 0) {
        doc.data[Size - 1] = 2;
        const void* hit = nullptr;
        double r = Seconds([&] { hit = std::memchr(doc.data, 2, static_cast<size_t>(doc.size)); }, 10);
        if (hit != doc.data + Size - 1) std::printf("MISMATCH: memchr\n");
        doc.data[Size - 1] = pattern[3];
        Line(std::string("memchr ") + label, MBps(Size, r), "MB/s");
        Ratio(std::string("search/memchr forward ") + label, forward, MBps(Size, r));
    }
#endif

    std::memcpy(doc.data + Size - 4, tail, 4);
    std::memcpy(doc.data, pattern, 4);
    t = Seconds([&] { found = doc.search(last, pattern, 4, false, 0); }, 10);
    std::printf("search backward %s finds: %d\n", label, found);
    Line(std::string("search backward ") + label, MBps(Size, t), "MB/s");
    std::memcpy(doc.data, head, 4);
}
}  // namespace

int main() {
    TDataFile doc(&Files());
    doc.setSize(Size);

    const uint8_t pattern[] = {0xA7, 0x3C, 0x51, 0xE9};
    uint64_t x = 0x9E3779B97F4A7C15ull;
    for (int32_t i = 0; i < Size; i += 8) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        std::memcpy(doc.data + i, &x, 8);
    }
    SearchCase("random", doc, pattern);

    std::memset(doc.data, 0, Size);
    const uint8_t hard[] = {0, 0, 0, 1};
    SearchCase("zero", doc, hard);

    // Load and save of a 256 MiB file through the document.
    const std::u16string name = TempFile();
    double t = Seconds([&] {
        if (!doc.saveToFile(name)) std::printf("save failed\n");
    }, 3);
    Line("save 256 MiB", MBps(Size, t), "MB/s");
    t = Seconds([&] {
        if (!doc.loadFromFile(name)) std::printf("load failed\n");
    }, 3);
    Line("load 256 MiB", MBps(Size, t), "MB/s");
    if (doc.size != Size) std::printf("load size mismatch: %d\n", doc.size);
    RemoveFile(name);
    return 0;
}
