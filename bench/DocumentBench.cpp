// Opening a file: the document's load of a 256 MiB file from the page cache
// beside `cat` of the same file, and the peak memory the load adds beside the
// file's size.
//
// scripts/bench.sh makes the file, times `cat` on it and passes both:
//   bench_document <file> [<cat MB/s>]
// Without a cat figure the baseline is a loop reading the file through one
// 128 KiB buffer, as cat does. Without a file the program makes its own.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "editor/document/DataFile.h"

#if defined(_WIN32)
#include <windows.h>
#include <psapi.h>

#include "editor/document/Win32DocumentIO.h"
#include "framework/WinText.h"
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
using bench::MBps;
using bench::MedianSeconds;
using bench::Row;

#if defined(_WIN32)
const char* const Tree = " (Wine)";
DocumentIO& Files() { return Win32DocumentIO::Instance(); }
std::u16string DocName(const std::string& path) { return AnsiToWide(path); }

// The largest working set so far, in bytes.
double PeakMemory() {
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return static_cast<double>(c.PeakWorkingSetSize);
}

int64_t ReadLoop(const std::string& path, std::vector<char>& buffer) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return -1;
    int64_t total = 0;
    DWORD n = 0;
    while (ReadFile(h, buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr) && n > 0) total += n;
    CloseHandle(h);
    return total;
}

// The best an open can do here: a new block of the file's size straight
// from the system, the file read into it in 8 MiB pieces, the block given
// back.
int64_t FreshBlockRead(const std::string& path, int64_t size) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return -1;
    auto* block = static_cast<char*>(VirtualAlloc(nullptr, static_cast<SIZE_T>(size), MEM_RESERVE | MEM_COMMIT,
                                                  PAGE_READWRITE));
    int64_t total = 0;
    DWORD n = 0;
    while (block && total < size &&
           ReadFile(h, block + total, static_cast<DWORD>(std::min<int64_t>(8 << 20, size - total)), &n, nullptr) &&
           n > 0)
        total += n;
    if (block) VirtualFree(block, 0, MEM_RELEASE);
    CloseHandle(h);
    return total;
}
#else
const char* const Tree = " (native)";

// Files through POSIX calls, for the native tree.
class PosixFile : public DocumentFile {
public:
    explicit PosixFile(int fd) : FFd(fd) {}
    ~PosixFile() override { close(FFd); }
    int64_t size() override {
        struct stat st;
        return fstat(FFd, &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
    }
    int64_t read(uint8_t* buffer, int32_t count) override { return ::read(FFd, buffer, static_cast<size_t>(count)); }
    int64_t write(const uint8_t* buffer, int32_t count) override {
        return ::write(FFd, buffer, static_cast<size_t>(count));
    }

private:
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
std::u16string DocName(const std::string& path) { return std::u16string(path.begin(), path.end()); }

double PeakMemory() {
    struct rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) * 1024;
}

int64_t ReadLoop(const std::string& path, std::vector<char>& buffer) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return -1;
    int64_t total = 0;
    ssize_t n;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) total += n;
    close(fd);
    return total;
}

// The best an open can do here: a new block of the file's size straight
// from the system, the file read into it in 8 MiB pieces, the block given
// back.
int64_t FreshBlockRead(const std::string& path, int64_t size) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return -1;
    void* mapped = mmap(nullptr, static_cast<size_t>(size), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    auto* block = mapped == MAP_FAILED ? nullptr : static_cast<char*>(mapped);
    int64_t total = 0;
    ssize_t n;
    while (block && total < size &&
           (n = ::read(fd, block + total, static_cast<size_t>(std::min<int64_t>(8 << 20, size - total)))) > 0)
        total += n;
    if (block) munmap(block, static_cast<size_t>(size));
    close(fd);
    return total;
}
#endif
}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // lines reach the log as they are made
    TDataFile doc(&Files());
    std::string path = argc > 1 ? argv[1] : "";
    const double catSpeed = argc > 2 ? std::atof(argv[2]) : 0;
    bool own = path.empty();
    if (own) {
        // A file of random bytes, written through the document.
#if defined(_WIN32)
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        path = std::string(dir) + "tq_bench_document.bin";
#else
        path = "/tmp/tq_bench_document_" + std::to_string(getpid()) + ".bin";
#endif
        // Written in pieces, so that the peak below counts the load alone.
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return 1;
        std::vector<uint64_t> piece(1 << 17);
        uint64_t x = 88172645463325252ull;
        for (int i = 0; i < 256; ++i) {
            for (uint64_t& v : piece) x ^= x << 13, x ^= x >> 7, x ^= x << 17, v = x;
            std::fwrite(piece.data(), 8, piece.size(), f);
        }
        std::fclose(f);
    }

    // The peak first, while the program holds nothing else.
    const double before = PeakMemory();
    if (!doc.loadFromFile(DocName(path))) return 1;
    const double size = doc.size;
    const double added = PeakMemory() - before;
    std::printf("file %s: %.0f bytes; the load added %.0f bytes to the peak\n", path.c_str(), size, added);

    // The four are timed in turn, round after round, so that a busy spell
    // of the machine falls on all of them alike; each figure is the median
    // of its rounds.
    std::vector<char> buffer(128 << 10);
    int64_t got = 0, freshGot = 0;
    const std::vector<std::function<void()>> work = {
        [&] {
            doc.newFile();
            if (!doc.loadFromFile(DocName(path))) std::printf("load failed\n");
        },
        [&] { got = ReadLoop(path, buffer); },
        // What a new block of the file's size costs before a byte is read:
        // the system's first touch of every page, which cat, reusing one
        // small buffer, never pays.
        [&] {
            static void* volatile kept;  // seen from outside, so that the work is done
            void* block = std::malloc(static_cast<size_t>(size));
            if (block) std::memset(block, 1, static_cast<size_t>(size));
            kept = block;
            std::free(kept);
        },
        [&] { freshGot = FreshBlockRead(path, static_cast<int64_t>(size)); },
    };
    std::vector<std::vector<double>> seconds(work.size());
    for (int round = 0; round < 7; ++round)
        for (size_t i = 0; i < work.size(); ++i)
            seconds[i].push_back(MedianSeconds(work[i], 1));
    auto median = [&](size_t i) {
        std::vector<double> t = seconds[i];
        std::sort(t.begin(), t.end());
        return MBps(size, t[t.size() / 2]);
    };
    const double load = median(0), loop = median(1), fresh = median(2), freshRead = median(3);
    if (got != static_cast<int64_t>(size)) std::printf("MISMATCH: the read loop read %lld bytes\n", static_cast<long long>(got));
    if (freshGot != static_cast<int64_t>(size))
        std::printf("MISMATCH: the read into a new block read %lld bytes\n", static_cast<long long>(freshGot));
    std::printf("load %.0f MB/s, 128 KiB read loop %.0f MB/s, cat %.0f MB/s, first touch of a new block %.0f MB/s, "
                "8 MiB reads into a new block %.0f MB/s\n",
                load, loop, catSpeed, fresh, freshRead);

    // Aim: at most 1.5 times the time of cat, i.e. at least 2/3 of its speed.
    const std::string name = std::string("open a 256 MiB file") + Tree;
    if (catSpeed > 0) Row(name, load, "cat of the file (native)", catSpeed, "MB/s", ">= 0.67");
    Row(name, load, std::string("128 KiB read loop") + Tree, loop, "MB/s", ">= 0.67");
    // The document needs its own copy of the file: the same reads into a new
    // block of the file's size are what an open can reach on this machine.
    Row(name, load, std::string("8 MiB reads into a new block") + Tree, freshRead, "MB/s", ">= 0.9");
    Row(name, load, std::string("first touch of a new block of that size") + Tree, fresh, "MB/s", "");
    Row(std::string("peak memory added by the open") + Tree, added / 1e6, "file size", size / 1e6, "MB", "~ 1");

    const double save = MBps(size, MedianSeconds([&] {
        if (!doc.saveToFile(DocName(own ? path : path + ".saved"))) std::printf("save failed\n");
    }, 3));
    std::printf("save %.0f MB/s\n", save);
    std::remove(own ? path.c_str() : (path + ".saved").c_str());
    return 0;
}
