#pragma once
// What every benchmark prints for `make bench`: one row per figure, with the
// baseline measured in the same run and the aim for the ratio figure ÷
// baseline. scripts/bench.sh gathers the rows of all programs into one table;
// every other line a benchmark prints is detail for the log.
//
// Figures are medians of several runs, timed with the steady clock.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

inline double MedianSeconds(const std::function<void()>& work, int runs) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        work();
        t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(t.begin(), t.end());
    return t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2;
}

// Decimal megabytes per second.
inline double MBps(double bytes, double seconds) { return bytes / 1e6 / seconds; }

// figure and baseline in the same unit, higher is better; aim is the least
// ratio figure ÷ baseline that meets the goal ("" when there is none).
inline void Row(const std::string& figure, double value, const std::string& baseline, double base, const char* unit,
                const char* aim = "") {
    std::printf("@row\t%s\t%.4g\t%s\t%.4g\t%s\t%s\n", figure.c_str(), value, baseline.c_str(), base, unit, aim);
    std::fflush(stdout);
}

}  // namespace bench
