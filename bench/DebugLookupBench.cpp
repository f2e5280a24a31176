// Lookups per second in a module's crash-report debug information (the
// layout the build step writes: 2,000 units of 40 lines, a procedure every
// 8 lines), beside a bare binary search over the same line starts, which is
// the least any lookup by address has to do.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "editor/crashreport/core/lookup/DebugSection.h"
#include "tools/crashdata/DebugSectionWriter.h"

namespace {

double PerSecond(size_t count, double seconds) { return seconds > 0 ? double(count) / seconds : 0; }

template <typename F>
double Seconds(F&& run)
{
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

}  // namespace

int main()
{
    std::vector<TUnitRows> units;
    std::vector<uint32_t> starts;
    uint32_t offset = 0;
    for (int u = 0; u < 2000; ++u) {
        TUnitRows unit;
        unit.Start = offset;
        unit.Name = "Unit" + std::to_string(u) + ".cpp";
        for (int l = 0; l < 40; ++l) {
            TLineRow r;
            r.Offset = offset;
            r.Line = 10 + l * 2;
            r.ProcedureStart = l % 8 == 0;
            r.ClassName = "TClass" + std::to_string(u);
            r.ProcedureName = "Procedure" + std::to_string(l / 8);
            unit.Rows.push_back(r);
            starts.push_back(offset);
            offset += 12 + (l * 7) % 20;
        }
        unit.Length = offset - unit.Start;
        units.push_back(unit);
        offset += 16;
    }
    TDebugSection section(WriteDebugSection(units, "bench", 6020), 6020, true, "bench");
    const TCodeReader code = [](uint32_t, uint8_t* bytes, uint32_t count) {
        std::memset(bytes, 0x55, count);
        return true;
    };
    section.Valid();

    const size_t lookups = 200000;
    std::vector<uint32_t> addresses(lookups);
    uint32_t x = 2463534242u;
    for (auto& a : addresses) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        a = x % offset;
    }
    size_t sink = 0;
    const double ours = Seconds([&] {
        for (uint32_t a : addresses) {
            TZorvikDebugInfo info;
            sink += section.Lookup(a, code, info) ? static_cast<size_t>(info.Line) : 0;
        }
    });
    const double bare = Seconds([&] {
        for (uint32_t a : addresses)
            sink += static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), a) - starts.begin());
    });
    std::printf("address lookup (unit, class, procedure, line): %.0f lookups/s\n", PerSecond(lookups, ours));
    std::printf("bare binary search over the line starts:       %.0f lookups/s\n", PerSecond(lookups, bare));
    std::printf("ratio (lookup time / bare search time): %.1f  (checksum %zu)\n", ours / bare, sink % 10);
    return 0;
}
