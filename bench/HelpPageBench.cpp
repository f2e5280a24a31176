// Loading a big help page the way the page view does: the file read whole,
// then laid out, with the real fonts on a memory device context under
// Windows and with fixed character widths natively. Beside it,
// on the same file in the same run, the plain read of the file (the
// machine's limit for any reader of it) and the reader's pass with a
// handler that does nothing. Memory is the process's peak private bytes
// grown while the page is laid out, as a multiple of the page's size.
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

#include "bench/BenchTable.h"
#include "viewer/PageLayout.h"
#include "viewer/PngPictureLoader.h"
#include "viewer/XmlParser.h"
#include "viewer/tests/BigPage.h"
#ifdef _WIN32
#include "viewer/GdiTextMeasurer.h"
#else
#include "viewer/tests/LayoutFakes.h"
#endif

namespace {

double BestSeconds(const std::function<void()>& run, int times = 3) {
    double best = 1e9;
    for (int i = 0; i < times; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

#ifdef _WIN32
size_t PrivateBytes(bool peak) {
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return peak ? c.PeakPagefileUsage : c.PagefileUsage;
}

std::string TempFolder() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return folder;
}
#else
// Natively the peak resident size stands in; "now" is the peak so far,
// so the growth shown is what the layout added above every earlier peak.
size_t PrivateBytes(bool) {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<size_t>(u.ru_maxrss) * 1024;
}

std::string TempFolder() { return "/tmp/"; }

// The native tree links the address sanitizer's allocator; freed blocks must
// not linger in its quarantine, or the peak shows them instead of the page.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=0"; }
#endif

void Measure(const char* name, const std::string& page) {
    std::string path = TempFolder() + "tq_bench_page.htm";
    std::ofstream(path, std::ios::binary) << page;
    const double mb = page.size() / 1048576.0;

    double read = BestSeconds([&] {
        xml_parser p;
        p.ReadFile(path);
    });
    double parse = BestSeconds([&] {
        xml_parser p;
        p.ReadFile(path);
        xml_user nothing;
        p.Parse(nothing);
    });

    double layout = 0;
    size_t grown = 0;
    {
#ifdef _WIN32
        HDC dc = CreateCompatibleDC(nullptr);
        GdiTextMeasurer fonts(dc);
        const int32_t base = 2 - fonts.FontHeight(12);
#else
        FakeMeasurer fonts;
        const int32_t base = 18;
#endif
        PngPictureLoader pictures;
        disphtml view(fonts, pictures);
        view.LayoutWidth = 600;
        view.BaseLineHeight = base;
        size_t before = PrivateBytes(false);
        layout = BestSeconds([&] {
            xml_parser p;
            p.ReadFile(path);
            view.LayoutPage(p);
        });
        grown = PrivateBytes(true) - before;
        std::printf("%s: %zu items on a page %d pixels high\n", name, view.Items().size(), view.PageHeight());
        view.Reset();
#ifdef _WIN32
        DeleteDC(dc);
#endif
    }
    std::remove(path.c_str());

    std::printf("%s, %.1f MB: read and laid out %.3f s (%.1f MB/s)\n", name, mb, layout, mb / layout);
    std::printf("%s: baseline plain read %.3f s, ratio %.1f\n", name, read, layout / read);
    std::printf("%s: baseline reader pass %.3f s, ratio %.1f\n", name, parse, layout / parse);
    std::printf("%s: peak memory grown %.1f MB, %.1f times the page\n", name, grown / 1048576.0, grown / 1048576.0 / mb);
#ifdef _WIN32
    const std::string tree = " (Wine)";
#else
    const std::string tree = " (native)";
#endif
    bench::Row(std::string(name) + ", read and laid out" + tree, layout, "plain read" + tree, read, "s", "");
    bench::Row(std::string(name) + ", read and laid out" + tree, layout, "reader pass" + tree, parse, "s", "");
    bench::Row(std::string(name) + ", peak memory grown" + tree, grown / 1e6, "page size", mb * 1048576.0 / 1e6, "MB", "");
}

}  // namespace

int main() {
    Measure("help page, prose", BigProsePage(10 << 20));
    Measure("help page, long tags and split words", BigAwkwardPage(10 << 20));
    return 0;
}
