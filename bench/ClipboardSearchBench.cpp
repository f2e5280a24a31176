// The clipboard texts and number parsers over 64 MiB (copy as the editor's
// byte format, the hexadecimal and decimal exports, paste back from the
// byte format and from a hexadecimal list, the decimal list import) beside
// `xxd -p` and `xxd -r -p` on the same bytes; then counting and Replace All
// over 256 MiB with a hit every 64 KiB beside one memmove of the whole
// document, and the hard case (999 "A" and one "B" in 64 MiB of "A") beside
// the document's own search.
//
//   bench_clipboard_search [<file> <xxd -p MB/s> <xxd -r -p MB/s>]
// The bytes are the first 64 MiB of the file, on which scripts/bench.sh
// times xxd natively (so the Windows build, under Wine, gets its baseline
// too). Without a file the program makes its bytes and, natively, runs xxd
// itself on a copy in a file.
#include "bench/BenchTable.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "editor/dialogs/FindReplace.h"
#include "editor/document/DataFile.h"
#include "editor/main/ByteTexts.h"
#include "editor/main/EditorView.h"
#include "editor/main/NumberImports.h"

namespace {
double Seconds(const std::function<void()>& work, int runs = 3) {
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

#if defined(_WIN32)
const char* const Tree = " (Wine)";
#else
const char* const Tree = " (native)";
#endif

// A baseline named "... of the same bytes" is xxd, run natively.
void Figure(const char* name, double ours, const char* baselineName, double baseline, const char* aim = "") {
    const std::string base(baselineName);
    const bool native = base.find("of the same bytes") != std::string::npos;
    bench::Row(std::string(name) + Tree, ours, base + (native ? " (native)" : Tree), baseline, "MB/s", aim);
    std::printf("%-40s %9.0f MB/s   %-22s %9.0f MB/s   ratio %.2f\n", name, ours, baselineName, baseline,
                baseline > 0 ? ours / baseline : 0.0);
}

// xxd on a file of the same bytes, timed from outside; 0 when it cannot run
// here (no xxd, or a system without a Unix shell).
double XxdSeconds(const std::string& command) {
#if defined(_WIN32)
    (void)command;
    return 0;
#else
    if (std::system("command -v xxd >/dev/null 2>&1") != 0) return 0;
    return Seconds([&] {
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
    });
#endif
}

void WriteFile(const std::string& name, const void* data, size_t size) {
    FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}

// A main window that only keeps the cursor and the selection.
class BenchView : public EditorView {
public:
    int32_t CursorPosition() const override { return Cursor; }
    bool SelectionActive() const override { return false; }
    int32_t SelStart() const override { return 0; }
    int32_t SelEnd() const override { return 0; }
    void GotoPosition(int32_t position) override { Cursor = position; }
    void PlaceCursorAfterDelete(int32_t position) override { Cursor = position; }
    void ShowHit(int32_t first, int32_t) override { Cursor = first; }
    void ClearSelection() override {}
    void RepaintAll() override {}
    void SetModified() override {}
    bool InsertMode() const override { return false; }
    bool KeepFileSize() const override { return false; }
    ByteViewKind ActiveView() const override { return ByteViewKind::Text; }
    void Tell(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&) override { return true; }
    int32_t Cursor = 0;
};

// The first 64 MiB of the file; empty when it cannot be read whole.
std::vector<uint8_t> FileStart(const char* name, size_t size) {
    std::vector<uint8_t> bytes(size);
    FILE* f = std::fopen(name, "rb");
    if (!f) return {};
    bytes.resize(std::fread(bytes.data(), 1, size, f));
    std::fclose(f);
    if (bytes.size() != size) return {};
    return bytes;
}

// xxdOut, xxdIn: the MB/s of xxd -p and xxd -r -p on the same bytes,
// measured outside; 0 to measure here.
bool ClipboardTexts(const char* file, double xo, double xi) {
    const int32_t size = 64 << 20;
    std::vector<uint8_t> bytes;
    if (file) {
        bytes = FileStart(file, static_cast<size_t>(size));
        if (bytes.empty()) {
            std::printf("cannot read 64 MiB from %s\n", file);
            return false;
        }
    } else {
        bytes.resize(static_cast<size_t>(size));
        std::mt19937 rng(1);
        for (auto& b : bytes) b = static_cast<uint8_t>(rng());
    }
    const std::string dir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    const std::string binFile = dir + "/tq_bench_bytes.bin", hexFile = dir + "/tq_bench_bytes.hex";
    const bool measureXxd = xo <= 0 || xi <= 0;
    if (measureXxd) WriteFile(binFile, bytes.data(), bytes.size());

    std::string pairs, hexList, decimalList;
    const double tPairs = Seconds([&] { pairs = BytesToHexPairs(bytes.data(), size); });
    const double tHex = Seconds([&] { hexList = NumberListText(NumberForm::Hexadecimal, bytes.data(), size, 16); });
    const double tDec = Seconds([&] { decimalList = NumberListText(NumberForm::Decimal, bytes.data(), size, 16); });
    std::vector<uint8_t> back;
    const double tFromPairs = Seconds([&] { HexPairsToBytes(pairs, back); });
    if (back != bytes) std::printf("byte format round trip differs!\n");
    const double tFromList = Seconds([&] { ParseHexBytes(hexList, back); });
    if (back != bytes) std::printf("hexadecimal list round trip differs!\n");
    const double tDecParse = Seconds([&] { ParseInt8List(decimalList, back, false); });
    if (back != bytes) std::printf("decimal list round trip differs!\n");

    const double mb = size;
    if (measureXxd) {
        WriteFile(hexFile, pairs.data(), pairs.size());
        const double xxdOut = XxdSeconds("xxd -p " + binFile + " > /dev/null");
        const double xxdIn = XxdSeconds("xxd -r -p " + hexFile + " > /dev/null");
        xo = xxdOut > 0 ? MBps(mb, xxdOut) : 0;
        xi = xxdIn > 0 ? MBps(mb, xxdIn) : 0;
        std::remove(binFile.c_str());
        std::remove(hexFile.c_str());
    }
    std::printf("64 MiB of random bytes (MB/s of document bytes)%s\n", xo > 0 ? "" : "; xxd not run here");
    // xxd runs natively in every case: as a baseline of the Windows build
    // it is named so.
    const char* xxdOutName = measureXxd ? "xxd -p" : "xxd -p of the same bytes";
    const char* xxdInName = measureXxd ? "xxd -r -p" : "xxd -r -p of the same bytes";
    Figure("copy as byte format (hex pairs)", MBps(mb, tPairs), xxdOutName, xo);
    Figure("hexadecimal export, 16 per line", MBps(mb, tHex), xxdOutName, xo);
    Figure("decimal export, 16 per line", MBps(mb, tDec), xxdOutName, xo);
    Figure("paste from byte format", MBps(mb, tFromPairs), xxdInName, xi);
    Figure("paste from hexadecimal list", MBps(mb, tFromList), xxdInName, xi);
    Figure("import decimal list", MBps(mb, tDecParse), xxdInName, xi);
    // The decimal import beside the paste of the same bytes as a
    // hexadecimal list, which reads a text of fewer, fixed-width numbers.
    Figure("import decimal list", MBps(mb, tDecParse), "paste from hexadecimal list", MBps(mb, tFromList), ">= 0.5");
    return true;
}

void SearchAndReplace(int32_t size) {
    TDataFile doc;
    doc.setSize(size);
    std::mt19937 rng(2);
    for (int32_t i = 0; i < size; ++i) doc.data[i] = static_cast<uint8_t>(rng());
    const uint8_t pattern[] = {0xDE, 0xAD, 0xBE, 0xEF};
    const uint8_t same[] = {1, 2, 3, 4}, longer[] = {1, 2, 3, 4, 5};
    std::vector<uint8_t> original(doc.data, doc.data + size);
    auto plant = [&] {
        std::memcpy(doc.data, original.data(), static_cast<size_t>(size));
        for (int32_t p = 1000; p + 4 <= size; p += 64 << 10) std::memcpy(doc.data + p, pattern, 4);
    };
    plant();
    std::copy(doc.data, doc.data + size, original.begin());

    BenchView view;
    TSearchState state;
    TFindReplace finder(doc, view, state);
    auto startRun = [&] {
        view.Cursor = 0;
        finder.SetWholeRange();
        finder.ResetSearchState();
    };
    startRun();
    int32_t hits = 0;
    const double tCount = Seconds([&] { hits = finder.CountMatches(pattern, 4); });
    const uint8_t absent[] = {0xDE, 0xAD, 0xBE, 0xEE};
    const double tSearch = Seconds([&] { doc.search(0, absent, 4, true, size - 1); });
    const double tMove = Seconds([&] { std::memmove(doc.data + 1, doc.data, static_cast<size_t>(size) - 1); });
    // What the undo snapshot costs at least: a copy of the document into a
    // block that was never touched, whose pages the system hands out one by
    // one as they are first written.
    const double tFresh = Seconds([&] {
        void* fresh = std::malloc(static_cast<size_t>(size));
        if (!fresh) return;
        std::memcpy(fresh, doc.data, static_cast<size_t>(size));
        volatile uint8_t kept = static_cast<uint8_t*>(fresh)[size / 2];  // the copy is used
        (void)kept;
        std::free(fresh);
    });
    plant();

    auto replaceAll = [&](const uint8_t* r, int32_t m) {
        double best = 1e30;
        for (int i = 0; i < 3; ++i) {
            doc.clearUndo();
            doc.setSize(size);
            plant();
            startRun();
            auto t0 = std::chrono::steady_clock::now();
            finder.ReplaceData(pattern, 4, true, r, m);
            std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
            best = std::min(best, d.count());
        }
        return best;
    };
    const double tSame = replaceAll(same, 4);
    const double tLonger = replaceAll(longer, 5);
    doc.clearUndo();

    std::printf("\n%d MiB of random bytes, %d hits (a 4-byte pattern every 64 KiB)\n", size >> 20, hits);
    Figure("count", MBps(size, tCount), "one document search", MBps(size, tSearch));
    std::printf("%-40s %9.3f s      %-22s %9.3f s      ratio %.2f\n", "copy into a fresh block", tFresh,
                "memmove of all", tMove, tFresh / tMove);
    std::printf("%-40s %9.3f s      %-22s %9.3f s      ratio %.2f\n", "Replace All 4 -> 4 bytes, with snapshot", tSame,
                "memmove of all", tMove, tSame / tMove);
    std::printf("%-40s %9.3f s      %-22s %9.3f s      ratio %.2f\n", "Replace All 4 -> 5 bytes, with snapshot",
                tLonger, "memmove of all", tMove, tLonger / tMove);
    const std::string tree = Tree;
    bench::Row("copy into a fresh block" + tree, tFresh, "memmove of all" + tree, tMove, "s", "");
    bench::Row("Replace All 4 -> 4 bytes, with snapshot" + tree, tSame, "memmove of all" + tree, tMove, "s", "");
    bench::Row("Replace All 4 -> 5 bytes, with snapshot" + tree, tLonger, "memmove of all" + tree, tMove, "s", "");
}

void HardCase() {
    const int32_t size = 64 << 20;
    TDataFile doc;
    doc.setSize(size);
    std::memset(doc.data, 'A', static_cast<size_t>(size));
    std::vector<uint8_t> pattern(1000, 'A');
    pattern.back() = 'B';
    BenchView view;
    TSearchState state;
    TFindReplace finder(doc, view, state);
    finder.SetWholeRange();
    finder.ResetSearchState();
    const double tCount = Seconds([&] { finder.CountMatches(pattern.data(), 1000); });
    const std::vector<uint8_t> easy = {'B', 'B', 'B', 'B'};
    const double tEasy = Seconds([&] { finder.CountMatches(easy.data(), 4); });
    std::printf("\nhard case: 999 \"A\" and \"B\" in 64 MiB of \"A\"\n");
    Figure("count", MBps(size, tCount), "count of BBBB", MBps(size, tEasy));
}
}  // namespace

int main(int argc, char** argv) {
    const int32_t searchSize = 256 << 20;
#if defined(__GLIBC__)
    // Freed blocks stay in the heap, so that the best of the runs measures
    // the work and not the first touch of fresh pages (slow in some virtual
    // machines, and paid by the first run only).
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    std::printf("(best of three runs; freed memory is kept for the next run)\n");
#endif
    if (!ClipboardTexts(argc > 1 ? argv[1] : nullptr, argc > 2 ? std::atof(argv[2]) : 0,
                        argc > 3 ? std::atof(argv[3]) : 0))
        return 1;
    SearchAndReplace(searchSize);
    HardCase();
    return 0;
}
